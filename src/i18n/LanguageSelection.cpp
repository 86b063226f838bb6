#include "i18n/LanguageSelection.h"

#include <algorithm>

#include "app/ServiceEndpoints.h"
#include "app/uVars.h"
#include "i18n/Translator.h"
#include "settings/AppStorage.h"
#include "settings/FileLocation.h"
#include "text/Text.h"
#include "text/UrlEncoding.h"

namespace velora::i18n {

namespace {

constexpr std::string_view kKnownLanguages[] = {"de", "en"};
constexpr std::string_view kDefaultLanguage = "de";

// Sets the language code and the URL suffix that carries it, always together.
void SetLanguage(app::ProcessTexts& vars, std::string code) {
    vars.CurrentLanguage = std::move(code);
    vars.LanguageUrlSuffix = "&lang=" + text::EncodeQueryValue(vars.CurrentLanguage);
}

}  // namespace

std::string FillAppName(std::string_view text) {
    return text::ReplaceAll(text, PlaceholderAppName, app::AppTitle);
}

std::string FillVersion(std::string_view text, std::string_view appVersion) {
    return text::ReplaceAll(text, PlaceholderVersion, appVersion);
}

std::string FillBreak(std::string_view text) { return text::ReplaceAll(text, PlaceholderBreak, "\r\n"); }

std::string FillProductShortName(std::string_view text) {
    return text::ReplaceAll(text, PlaceholderProductShortName, app::ProductShortName);
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

void LoadStartupLanguage(TTranslator& translator, settings::TCustomAppStorage& store,
                         std::string_view programFile, app::ProcessTexts& vars) {
    SetLanguage(vars, KnownLanguageCode(store.GetString("language\\lang", std::string(kDefaultLanguage))));
    vars.RegisterUrl = app::RegisterUrlBase() + vars.LanguageUrlSuffix;

    // No form exists yet: this only loads the document.
    translator.ApplyLanguageFile(LanguageFileName(programFile, vars.CurrentLanguage));

    vars.MsgNotOnline = FillAppName(translator.LookupText("messages", "notOnline"));
    vars.MsgNoUpdate = FillVersion(translator.LookupText("messages", "noUpdate"), vars.AppVersion);
    vars.MsgTray = FillAppName(FillBreak(translator.LookupText("messages", "messageTray")));
    vars.MsgGetUpdate = translator.LookupText("messages", "getUpdate");
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

void LanguageSwitch(int selectedIndex, LanguageSwitchTargets& targets, TTranslator& translator,
                    std::string_view programFile, app::ProcessTexts& vars) {
    const std::string diallingCode = targets.SelectedDiallingCode();
    SetLanguage(vars, selectedIndex == 1 ? "en" : "de");
    // Plain lines first, so that entries the new file does not name lose the
    // old language's names.
    targets.RefillCountryListPlain();
    translator.ApplyLanguageFile(LanguageFileName(programFile, vars.CurrentLanguage));
    targets.SelectCountryByCode(diallingCode);
    targets.UpdateOptionsTexts();
    targets.ApplyMainWindowPlaceholders();
    targets.UpdateUpdateDialogTexts();

    if (const auto url = RewriteLanguageInUrl(targets.BrowserLocationUrl(), vars.CurrentLanguage))
        targets.Navigate(*url);
}

}  // namespace velora::i18n
