#include "i18n/LanguageSelection.h"

#include <algorithm>

#include "i18n/Translator.h"
#include "settings/AppStorage.h"
#include "settings/FileLocation.h"
#include "text/Text.h"

namespace velora::i18n {

namespace {

constexpr std::string_view kKnownLanguages[] = {"de", "en"};
constexpr std::string_view kDefaultLanguage = "de";

}  // namespace

std::string FillAppName(std::string_view text, std::string_view appName) {
    return text::ReplaceAll(text, PlaceholderAppName, appName);
}

std::string FillVersion(std::string_view text, std::string_view appVersion) {
    return text::ReplaceAll(text, PlaceholderVersion, appVersion);
}

std::string FillBreak(std::string_view text) { return text::ReplaceAll(text, PlaceholderBreak, "\r\n"); }

std::string FillProductShortName(std::string_view text, std::string_view shortName) {
    return text::ReplaceAll(text, PlaceholderProductShortName, shortName);
}

std::string FillFreeSms(std::string_view text) { return text::ReplaceAll(text, PlaceholderFreeSms, "5"); }

std::string KnownLanguageCode(std::string_view stored) {
    for (const std::string_view known : kKnownLanguages)
        if (text::SameText(stored, known)) return std::string(known);
    return std::string(kDefaultLanguage);
}

std::string LanguageFileName(std::string_view programFile, std::string_view code) {
    const std::string fileName = std::string(code) + ".lang";
    const std::string folder = settings::ExtractFilePath(programFile);
    return folder.empty() ? fileName : settings::JoinPath(folder, fileName);
}

StartupLanguage LoadStartupLanguage(TTranslator& translator, settings::TCustomAppStorage& store,
                                    std::string_view programFile, const ProductNames& names) {
    StartupLanguage start;
    start.code = KnownLanguageCode(store.GetString("language\\lang", std::string(kDefaultLanguage)));

    // No form exists yet: this only loads the document.
    translator.ApplyLanguageFile(LanguageFileName(programFile, start.code));

    start.msgNotOnline = FillAppName(translator.LookupText("messages", "notOnline"), names.appName);
    start.msgNoUpdate = FillVersion(translator.LookupText("messages", "noUpdate"), names.appVersion);
    start.msgTray = FillAppName(FillBreak(translator.LookupText("messages", "messageTray")), names.appName);
    start.msgGetUpdate = translator.LookupText("messages", "getUpdate");
    return start;
}

std::optional<std::string> RewriteLanguageInUrl(std::string_view url, std::string_view code) {
    if (url.empty()) return std::nullopt;
    std::size_t valueAt = std::string_view::npos;
    if (const auto encoded = url.find("lang%3D"); encoded != std::string_view::npos)
        valueAt = encoded + 7;
    else if (const auto plain = url.find("lang="); plain != std::string_view::npos)
        valueAt = plain + 5;
    if (valueAt == std::string_view::npos) return std::nullopt;

    // Only the characters that are there are overwritten: with fewer than two
    // after the marker the address keeps its length, and the browser is sent
    // to what results (the unchanged address when nothing follows).
    std::string rewritten(url);
    const std::size_t count = std::min({std::size_t{2}, code.size(), rewritten.size() - valueAt});
    rewritten.replace(valueAt, count, code.substr(0, count));
    return rewritten;
}

std::string LanguageSwitch(int selectedIndex, LanguageSwitchTargets& targets, TTranslator& translator,
                           std::string_view programFile) {
    const std::string diallingCode = targets.SelectedDiallingCode();
    const std::string code(selectedIndex == 1 ? "en" : "de");
    targets.LanguageChosen(code);
    // Plain lines first, so that entries the new file does not name lose the
    // old language's names.
    targets.RefillCountryListPlain();
    translator.ApplyLanguageFile(LanguageFileName(programFile, code));
    targets.SelectCountryByCode(diallingCode);
    targets.UpdateOptionsTexts();
    targets.ApplyMainWindowPlaceholders();
    targets.UpdateUpdateDialogTexts();

    if (const auto url = RewriteLanguageInUrl(targets.BrowserLocationUrl(), code)) targets.Navigate(*url);
    return code;
}

}  // namespace velora::i18n
