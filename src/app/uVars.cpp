#include "app/uVars.h"

#include "app/ServiceEndpoints.h"
#include "text/UrlEncoding.h"

namespace velora::app {

ProcessTexts& Vars() {
    static ProcessTexts vars;
    return vars;
}

void SetAppVersion(ProcessTexts& vars, const std::string& version) {
    vars.AppVersion = version;
    vars.VersionQuery = "&sVersion=" + text::EncodeQueryValue(version);
}

void SetLanguage(ProcessTexts& vars, const std::string& code) {
    vars.CurrentLanguage = code;
    vars.LanguageUrlSuffix = "&lang=" + text::EncodeQueryValue(code);
    vars.RegisterUrl = RegisterUrlBase() + vars.LanguageUrlSuffix;
}

std::string DataFolderFor(const std::string& appDataFolder) {
    std::string folder = appDataFolder;
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return folder + "VELORA\\Desktop\\";
}

}  // namespace velora::app
