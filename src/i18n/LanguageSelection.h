#pragma once
// Which language file is in force: the one chosen at start from the settings,
// and the switch the options dialog makes at run time. Also the placeholders
// that translated texts may hold, and the message texts kept from the start.

#include <optional>
#include <string>
#include <string_view>

namespace velora::settings {
class TCustomAppStorage;
}

namespace velora::i18n {

class TTranslator;

inline constexpr std::string_view PlaceholderAppName = "%sAPP_NAME";
inline constexpr std::string_view PlaceholderVersion = "%sVersion";
inline constexpr std::string_view PlaceholderBreak = "%sBREAK";
inline constexpr std::string_view PlaceholderProductShortName = "%sPRODUCT_SHORTNAME";
inline constexpr std::string_view PlaceholderFreeSms = "%sFREESMS";

// Each fills every occurrence of one placeholder (case-sensitive); the owner
// of a text applies the ones its text may hold, right after translating it.
std::string FillAppName(std::string_view text, std::string_view appName);            // "VELORA Desktop"
std::string FillVersion(std::string_view text, std::string_view appVersion);         // the program's version
std::string FillBreak(std::string_view text);                                        // CR LF
std::string FillProductShortName(std::string_view text, std::string_view shortName);  // "VELORA"
std::string FillFreeSms(std::string_view text);                                      // "5"

// The language a stored code names: one of the codes we ship a language file
// for ("de", "en", in any letter case), else the default "de". Whatever else
// the settings hold never reaches a file name or a page address.
std::string KnownLanguageCode(std::string_view stored);

// The language file of a code: "<code>.lang" in the program file's folder
// (given a folder with its trailing separator, in that folder).
// It is not looked up in the current directory, which is another one when
// the program is started at log-on.
std::string LanguageFileName(std::string_view programFile, std::string_view code);

// What the start's texts are filled with.
struct ProductNames {
    std::string_view appName;
    std::string_view appVersion;
};

// The language in force from the start on, and the four message texts, which
// keep the start's language until the program is started again.
struct StartupLanguage {
    std::string code;
    std::string msgNotOnline;
    std::string msgNoUpdate;
    std::string msgTray;
    std::string msgGetUpdate;
};

// The steps at start, before any form exists: the language code from
// "language\lang" (a known code, else "de"), its language file loaded, and
// the four message texts looked up and filled. A missing file leaves the
// messages empty.
StartupLanguage LoadStartupLanguage(TTranslator& translator, settings::TCustomAppStorage& store,
                                    std::string_view programFile, const ProductNames& names);

// The browser's address with the language parameter changed to `code`: the
// two characters after the first "lang%3D" (the parameter inside an encoded
// address), or else after the first "lang=", are overwritten with the code's
// letters. Nothing when the address is empty or holds neither.
std::optional<std::string> RewriteLanguageInUrl(std::string_view url, std::string_view code);

// What the language switch changes in the windows, in the order it does so.
class LanguageSwitchTargets {
public:
    virtual ~LanguageSwitchTargets() = default;

    // The dialling code of the country selected in the options dialog.
    virtual std::string SelectedDiallingCode() = 0;
    // The new language's code, before anything is translated: the program's
    // own language setting follows it.
    virtual void LanguageChosen(const std::string& code) = 0;
    // The country list holds the plain lines of the settings section
    // "countries" again (code=digits).
    virtual void RefillCountryListPlain() = 0;
    virtual void SelectCountryByCode(const std::string& diallingCode) = 0;
    // The options dialog's placeholders and its translated country list.
    virtual void UpdateOptionsTexts() = 0;
    virtual void ApplyMainWindowPlaceholders() = 0;
    virtual void UpdateUpdateDialogTexts() = 0;
    // The address the embedded browser shows ("" when none), and a new one.
    virtual std::string BrowserLocationUrl() = 0;
    virtual void Navigate(const std::string& url) = 0;
};

// The options dialog's language radio group changed: index 1 is English,
// anything else German. Every open form is translated anew and the browser's
// page follows the new language. The choice is not stored here. Returns the
// new language's code.
std::string LanguageSwitch(int selectedIndex, LanguageSwitchTargets& targets, TTranslator& translator,
                           std::string_view programFile);

}  // namespace velora::i18n
