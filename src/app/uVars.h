#pragma once
// The process-wide texts: computed at start, some changed later by the
// language switch, read everywhere.

#include <string>

#include "platform/KnownFolders.h"

namespace velora::app {

inline constexpr const char* AppTitle = "VELORA Desktop";
inline constexpr const char* ProductShortName = "VELORA";

struct ProcessTexts {
    std::string AppVersion;          // "0.9.6.4"
    std::string VersionQuery;        // "&sVersion=" + AppVersion
    std::string DataFolder;          // ...\VELORA\Desktop\ (with the trailing backslash)
    std::string CurrentLanguage;     // "de" or "en"
    std::string LanguageUrlSuffix;   // "&lang=" + CurrentLanguage
    std::string RegisterUrl;
    std::string MsgNotOnline;
    std::string MsgNoUpdate;
    std::string MsgTray;
    std::string MsgGetUpdate;
};

// The one set of process-wide texts.
ProcessTexts& Vars();

// Sets AppVersion and VersionQuery together.
void SetAppVersion(ProcessTexts& vars, const std::string& version);

// Sets CurrentLanguage, the URL suffix that carries it and the registration
// address together.
void SetLanguage(ProcessTexts& vars, const std::string& code);

// The per-user data folder of the program: the application-data folder (or
// the root of the current drive when the system names none), then
// "VELORA\Desktop\".
std::string DataFolderFor(const std::string& appDataFolder);

}  // namespace velora::app
