#include <gtest/gtest.h>

#include "app/CommandLine.h"
#include "app/InstalledVersion.h"
#include "app/ServiceEndpoints.h"
#include "app/uVars.h"
#include "support/FixedVersion.h"

using namespace velora;
using namespace velora::app;

TEST(CommandLine, OnlyTheFirstArgumentCountsInAnyLetterCase) {
    EXPECT_EQ(ParseStartSwitch(FirstArgument(R"("C:\Program Files\VELORA\VELORADesktop.exe" /OpTiOnS)")),
              StartSwitch::Options);
    EXPECT_EQ(ParseStartSwitch(FirstArgument("VELORADesktop.exe /SEND")), StartSwitch::Send);
    EXPECT_EQ(ParseStartSwitch(FirstArgument("VELORADesktop.exe /other /send")), StartSwitch::None);
    EXPECT_EQ(ParseStartSwitch(FirstArgument("VELORADesktop.exe")), StartSwitch::None);
    EXPECT_EQ(ParseStartSwitch(FirstArgument("VELORADesktop.exe   \"/send\"")), StartSwitch::Send);
    EXPECT_EQ(ParseStartSwitch(FirstArgument("VELORADesktop.exe /sendx")), StartSwitch::None);
    const auto args = SplitCommandLine(R"(prog "a b"c  d)");
    ASSERT_EQ(args.size(), 3u);
    EXPECT_EQ(args[1], "a bc");
    EXPECT_EQ(args[2], "d");
}

TEST(ProcessTexts, VersionAndDataFolder) {
    fakes::FixedVersion source;
    source.version = std::nullopt;
    EXPECT_EQ(InstalledVersion(source, false), "0.1");
    EXPECT_EQ(InstalledVersion(source, true), "0.1");
    source.version = platform::FileVersion{0, 9, 6, 4};
    EXPECT_EQ(InstalledVersion(source, false), "0.9.6.4");
    EXPECT_EQ(InstalledVersion(source, true), "0.9.6");
    source.version = platform::FileVersion{65535, 0, 10, 65535};
    EXPECT_EQ(InstalledVersion(source, false), "65535.0.10.65535");

    ProcessTexts vars;
    SetAppVersion(vars, "0.9.6.4");
    EXPECT_EQ(vars.VersionQuery, "&sVersion=0.9.6.4");
    SetAppVersion(vars, "1.0&x=y #");
    EXPECT_EQ(vars.VersionQuery, "&sVersion=1.0%26x%3Dy%20%23");
    SetLanguage(vars, "en");
    EXPECT_EQ(vars.CurrentLanguage, "en");
    EXPECT_EQ(vars.LanguageUrlSuffix, "&lang=en");
    EXPECT_EQ(vars.RegisterUrl, RegisterUrlBase() + "&lang=en");

    EXPECT_EQ(DataFolderFor(R"(C:\Users\anna\AppData\Roaming)"), R"(C:\Users\anna\AppData\Roaming\VELORA\Desktop\)");
    EXPECT_EQ(DataFolderFor(R"(C:\Data\)"), R"(C:\Data\VELORA\Desktop\)");
    EXPECT_EQ(DataFolderFor(""), R"(\VELORA\Desktop\)");
}
