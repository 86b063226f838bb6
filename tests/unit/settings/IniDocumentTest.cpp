#include <gtest/gtest.h>

#include "settings/IniDocument.h"

namespace velora::settings {
namespace {

using Lines = std::vector<std::string>;

TEST(IniDocument, ParsesTrimmedLinesAndKeepsOrder) {
    TIniDocument document;
    document.Parse(
        "orphan=dropped\r\n"
        "  [ account ]  \r\n"
        "; a comment\r\n"
        "\t country =  49 \r\n"
        "\r\n"
        "   \n"
        "no equals sign here\r"
        "nr==0171\n"
        "[version]\r\n"
        "exe=0.9.6.4");

    ASSERT_EQ(document.Sections().size(), 2u);
    EXPECT_EQ(document.Sections()[0].name, "account");
    EXPECT_EQ(document.SectionLines("ACCOUNT"), (Lines{"country=49", "no equals sign here", "nr==0171"}));
    EXPECT_EQ(document.ReadValue("account", "nr"), "=0171");
    EXPECT_EQ(document.ReadValue("Version", "EXE"), "0.9.6.4");
    EXPECT_FALSE(document.HasKey("account", "orphan"));
    EXPECT_FALSE(document.ReadValue("missing", "country").has_value());
}

TEST(IniDocument, SectionsAreFoundInTheTextAsTheLineByLineRulesSay) {
    // Only a "[" that begins a trimmed line ending in "]" starts a section.
    const std::string text =
        "k=before any section\r\n"
        " \t[b]\t \r\n"
        "[a] not a header\r\n"
        "x[c]=1\n"
        ";[d]\r"
        "[e\n"
        "k=b's\n"
        "[[f]]\r\n"
        "[a]\r\n"
        "k = last a \r\n"
        "[]\n"
        "empty name=yes";
    const Lines linesOfB{"[a] not a header", "x[c]=1", "[e", "k=b's"};
    TIniDocument document;
    document.Parse(text);
    EXPECT_EQ(document.ReadValue("b", "x[c]"), "1");
    EXPECT_EQ(document.ReadValue("B", "k"), "b's");
    EXPECT_EQ(document.SectionLines("b"), linesOfB);
    EXPECT_EQ(document.ReadValue("[f]", "k"), std::nullopt);
    EXPECT_FALSE(document.HasLines("[f]"));
    EXPECT_FALSE(document.HasLines("d"));
    EXPECT_EQ(document.SectionLines("a"), (Lines{"k=last a"}));
    EXPECT_EQ(document.ReadValue("", "empty name"), "yes");

    // Every section's lines, the ones not read yet among them.
    EXPECT_EQ(document.Text(),
              "[b]\r\n[a] not a header\r\nx[c]=1\r\n[e\r\nk=b's\r\n\r\n"
              "[[f]]\r\n\r\n"
              "[a]\r\nk=last a\r\n\r\n"
              "[]\r\nempty name=yes\r\n\r\n");

    // A change to one section keeps the lines of the others.
    TIniDocument changed;
    changed.Parse(text);
    changed.WriteValue("a", "new", "1");
    EXPECT_EQ(changed.SectionLines("b"), linesOfB);
    EXPECT_EQ(changed.SectionLines("a"), (Lines{"k=last a", "new=1"}));
}

TEST(IniDocument, LastOccurrenceWinsForSectionsAndKeys) {
    TIniDocument document;
    document.Parse("[a]\nk=first\n[A]\nk=second\nK=third\n");

    EXPECT_EQ(document.ReadValue("a", "k"), "third");
    document.WriteValue("a", "k", "changed");
    EXPECT_EQ(document.SectionLines("a"), (Lines{"k=second", "K=changed"}));  // key keeps its spelling
    EXPECT_TRUE(document.EraseKey("a", "k"));
    EXPECT_EQ(document.ReadValue("a", "k"), "second");
    EXPECT_TRUE(document.EraseSection("a"));
    EXPECT_EQ(document.ReadValue("a", "k"), "first");
}

TEST(IniDocument, WritesSectionsInOrderWithCrLfAndEmptyLineAfterEach) {
    TIniDocument document;
    document.WriteValue("version", "exe", "1.0");
    document.WriteValue("account", "country", "49");
    document.WriteValue("version", "exe", "1.1");
    document.WriteValue("account", "nr", "");
    document.WriteValue("empty", "x", "1");
    document.EraseKey("empty", "x");

    EXPECT_EQ(document.Text(),
              "[version]\r\nexe=1.1\r\n\r\n"
              "[account]\r\ncountry=49\r\nnr=\r\n\r\n"
              "[empty]\r\n\r\n");
    EXPECT_FALSE(document.HasLines("empty"));

    TIniDocument reread;
    reread.Parse(document.Text());
    EXPECT_EQ(reread.Text(), document.Text());
}

TEST(IniDocument, NamesAndValuesAreWrittenWithoutLineBreaks) {
    TIniDocument document;
    document.WriteValue("acc\r\nount", "pass\nword", "a\rb");
    document.WriteValue("account", "password", "c\r\n[intern]\r\nfirststart=true");

    EXPECT_EQ(document.Text(), "[account]\r\npassword=c[intern]firststart=true\r\n\r\n");
    TIniDocument reread;
    reread.Parse(document.Text());
    EXPECT_EQ(reread.Text(), document.Text());
}

TEST(IniDocument, ErasesSectionsByCaseSensitivePrefix) {
    TIniDocument document;
    document.Parse("[countries]\nAFG=93\n[countriesX]\na=1\n[Countries2]\nb=2\n[account]\nc=3\n");
    document.EraseSectionsWithPrefix("countries");
    EXPECT_FALSE(document.HasLines("countries"));
    EXPECT_FALSE(document.HasLines("countriesX"));
    EXPECT_TRUE(document.HasLines("Countries2"));
    EXPECT_TRUE(document.HasLines("account"));

    document.EraseSectionsWithPrefix("");
    EXPECT_TRUE(document.Sections().empty());
}

}  // namespace
}  // namespace velora::settings
