#include <gtest/gtest.h>

#include "settings/DateTimeText.h"
#include "settings/StorageErrors.h"
#include "SettingsTestSupport.h"

namespace velora::settings {
namespace {

using platform::DateTimeFormats;
using testing::GermanFormats;
using testing::UsFormats;

TDateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return EncodeDateTime({year, month, day, hour, minute, second, 0}).value();
}

TEST(DateTimeText, WritesShortDateAndLongTimeLeavingOutMidnight) {
    EXPECT_EQ(At(1899, 12, 30), 0.0);
    EXPECT_EQ(At(1900, 1, 1, 6), 2.25);
    EXPECT_EQ(DateTimeToText(At(2024, 3, 5, 14, 30, 15), GermanFormats()), "05.03.2024 14:30:15");
    EXPECT_EQ(DateTimeToText(At(2024, 3, 5), GermanFormats()), "05.03.2024");
    EXPECT_EQ(DateTimeToText(At(2024, 3, 5, 14, 30, 15), UsFormats()), "3/5/2024 2:30:15 PM");
    EXPECT_EQ(DateTimeToText(At(2024, 12, 24, 0, 5), UsFormats()), "12/24/2024 12:05:00 AM");
    EXPECT_EQ(DateTimeToText(At(1899, 12, 29, 6), GermanFormats()), "29.12.1899 06:00:00");
    EXPECT_THROW(DateTimeToText(1e300, GermanFormats()), EConvertError);
}

TEST(DateTimeText, ReadsDateWithOptionalTimeOrTimeAlone) {
    EXPECT_EQ(TextToDateTime("05.03.2024 14:30:15", GermanFormats()), At(2024, 3, 5, 14, 30, 15));
    EXPECT_EQ(TextToDateTime("5.3.24", GermanFormats()), At(2024, 3, 5));
    EXPECT_EQ(TextToDateTime("3/5/2024 2:30 pm", UsFormats()), At(2024, 3, 5, 14, 30));
    EXPECT_EQ(TextToDateTime("12:00:00 AM", UsFormats()), 0.0);
    EXPECT_EQ(TextToDateTime("0", GermanFormats()), 0.0);  // an hour on the zero date
    EXPECT_EQ(TextToDateTime("0", UsFormats()), 0.0);
    EXPECT_EQ(TextToDateTime("18", GermanFormats()), 0.75);
    EXPECT_EQ(TextToDateTime("14:30", GermanFormats()), At(1899, 12, 30, 14, 30));

    for (const char* bad : {"", "24", "31.02.2024", "05.03.2024 25:00:00", "05.03", "14:61", "hello", "12345"})
        EXPECT_FALSE(TextToDateTime(bad, GermanFormats()).has_value()) << bad;
}

TEST(DateTimeText, ReadsBackWhatItWritesForAnyFormats) {
    const DateTimeFormats formatSets[] = {
        GermanFormats(),
        UsFormats(),
        {"yyyy-MM-dd", "HH:mm:ss", "AM", "PM"},
        {"yyyy. MM. dd.", "H:mm:ss", "", ""},
        {"d/M/yy", "tt h:mm:ss", "vorm.", "nachm."},
        {"dMyyyy", "Hms", "", ""},                        // numbers with nothing between them
        {"ddd dd-MMM-yy", "hh' h 'mm' min 'ss t", "AM", "PM"},
        {"dd.MM.yyyy", "h:mm:ss tt", "", ""},             // 12-hour picture without marks
    };
    const TDateTime values[] = {0.0,
                                0.5,
                                At(1899, 12, 30, 0, 0, 1),
                                At(2024, 3, 5, 14, 30, 15),
                                At(2024, 3, 5, 0, 59, 59),
                                At(2024, 3, 5, 12, 0, 0),
                                At(2099, 12, 31, 23, 59, 59),
                                At(1950, 2, 28, 9, 8, 7),
                                At(24, 1, 2, 3, 4, 5),
                                At(1899, 12, 29, 6)};
    for (const DateTimeFormats& formats : formatSets) {
        for (const TDateTime value : values) {
            const std::string text = DateTimeToText(value, formats);
            const std::optional<TDateTime> back = TextToDateTime(text, formats);
            ASSERT_TRUE(back.has_value()) << formats.shortDate << " " << formats.longTime << ": " << text;
            EXPECT_NEAR(*back, value, 1e-9) << formats.shortDate << " " << formats.longTime << ": " << text;
        }
    }
}

}  // namespace
}  // namespace velora::settings
