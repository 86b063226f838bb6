#include "app/uVars.h"

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

std::string DataFolderFor(const std::string& appDataFolder) {
    std::string folder = appDataFolder;
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return folder + "VELORA\\Desktop\\";
}

}  // namespace velora::app
