#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "controls/remote/RemoteLines.h"

using namespace velora::controls;

namespace {

RemoteFields Decoded(std::string_view line) {
    auto decoded = DecodeRemoteLine(line);
    EXPECT_TRUE(std::holds_alternative<RemoteFields>(decoded)) << line;
    return std::holds_alternative<RemoteFields>(decoded) ? std::get<RemoteFields>(decoded) : RemoteFields{};
}

RemoteLineError ErrorOf(std::string_view line) {
    auto decoded = DecodeRemoteLine(line);
    EXPECT_TRUE(std::holds_alternative<RemoteLineError>(decoded)) << line;
    return std::holds_alternative<RemoteLineError>(decoded) ? std::get<RemoteLineError>(decoded)
                                                            : RemoteLineError{RemoteLineErrorKind::EscapeAtEnd, 0};
}

std::vector<std::string> Split(RemoteLineSplitter& splitter, const std::vector<std::string>& pieces) {
    std::vector<std::string> lines;
    for (const std::string& piece : pieces)
        splitter.Feed(piece, [&](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

}  // namespace

TEST(RemoteLines, AnyTextTravelsInOneFieldOfOneLine) {
    const RemoteFields fields{"set", "form", "Caption", "a\tb\nc\r\\d\\t", "", "\xE4\xFC"};
    const std::string line = EncodeRemoteLine(fields);
    EXPECT_EQ(line, "set\tform\tCaption\ta\\tb\\nc\\r\\\\d\\\\t\t\t\xE4\xFC\n");
    EXPECT_EQ(line.find('\n'), line.size() - 1);
    EXPECT_EQ(Decoded(std::string_view(line).substr(0, line.size() - 1)), fields);

    EXPECT_EQ(Decoded(""), RemoteFields{""});
    EXPECT_EQ(Decoded("\t"), (RemoteFields{"", ""}));
    EXPECT_EQ(EncodeRemoteLine({}), "\n");
}

TEST(RemoteLines, ABrokenEscapeNamesItsKindAndTheBackslashsOffset) {
    RemoteLineError error = ErrorOf("set\tab\\x");
    EXPECT_EQ(error.kind, RemoteLineErrorKind::UnknownEscape);
    EXPECT_EQ(error.offset, 6u);
    error = ErrorOf("front\\");
    EXPECT_EQ(error.kind, RemoteLineErrorKind::EscapeAtEnd);
    EXPECT_EQ(error.offset, 5u);
    error = ErrorOf("\\\\\\");
    EXPECT_EQ(error.kind, RemoteLineErrorKind::EscapeAtEnd);
    EXPECT_EQ(error.offset, 2u);
}

TEST(RemoteLineSplitter, LinesComeWholeHoweverTheyArriveAndAnOverlongOneIsDropped) {
    RemoteLineSplitter splitter(8);
    EXPECT_EQ(Split(splitter, {"fro", "nt\nclo", "se\n\nzoom"}), (std::vector<std::string>{"front", "close", ""}));
    EXPECT_EQ(Split(splitter, {" 90\n"}), std::vector<std::string>{"zoom 90"});

    // Longer than 8: dropped whole, also when it comes in pieces; the next
    // line is read again.
    EXPECT_EQ(Split(splitter, {"123456789\nfront\n"}), std::vector<std::string>{"front"});
    EXPECT_EQ(Split(splitter, {"12345", "6789", "0123", "\nclose\n"}), std::vector<std::string>{"close"});
    EXPECT_EQ(Split(splitter, {"12345678\n"}), std::vector<std::string>{"12345678"});
    EXPECT_EQ(Split(splitter, {"no end yet"}), std::vector<std::string>{});
}
