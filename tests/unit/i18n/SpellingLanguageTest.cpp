#include <gtest/gtest.h>

#include <string>

#include "i18n/LanguageSelection.h"
#include "i18n/SpellingLanguage.h"

using namespace velora::i18n;

TEST(SpellingLanguage, TheAddressNamesTheInterfaceLanguage) {
    EXPECT_EQ(LanguageInUrl("http://h/send?sApp=DW&&bSmallApp=1&sVersion=1&sMd5Login=ab&lang=de"), "de");
    EXPECT_EQ(LanguageInUrl("http://h/send?lang=en"), "en");
    EXPECT_EQ(LanguageInUrl("http://h/send?lang=EN&x=1"), "en");
    EXPECT_EQ(LanguageInUrl("http://h/send?lang=de#top"), "de");
    // Where the switch writes: the encoded parameter first.
    EXPECT_EQ(LanguageInUrl("http://h/info?lang=de&back=http%3A%2F%2Fh%2F%3Flang%3Den%26x"), "en");
    EXPECT_EQ(LanguageInUrl("http://h/info?back=x%3Flang%3Dde"), "de");
}

TEST(SpellingLanguage, NothingWithoutAShippedLanguage) {
    for (const char* url : {"", "http://h/send", "http://h/send?lang=", "http://h/send?lang=d", "http://h/?lang=fr",
                            "http://h/?lang=deu", "http://h/?lang=d&e", "about:blank"}) {
        EXPECT_FALSE(LanguageInUrl(url)) << url;
    }
}

TEST(SpellingLanguage, TheSwitchAndTheSpellCheckerAgree) {
    const std::string url = "http://h/send?sApp=DW&sMd5Login=ab&lang=de";
    for (const char* code : {"de", "en"}) {
        EXPECT_EQ(LanguageInUrl(*RewriteLanguageInUrl(url, code)), code);
    }
}

TEST(SpellingLanguage, DictionariesOfTheShippedLanguages) {
    EXPECT_EQ(SpellingDictionary("de"), "de_DE");
    EXPECT_EQ(SpellingDictionary("EN"), "en_US");
    EXPECT_FALSE(SpellingDictionary("fr"));
    EXPECT_FALSE(SpellingDictionary(""));
    EXPECT_FALSE(SpellingDictionary("de_DE"));
}
