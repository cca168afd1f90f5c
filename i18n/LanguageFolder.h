#pragma once
// Where the language files of an installation live: <install path>MultiLanguage/<code>/, the code
// following the interface code page of its configuration (936 CHS, 950 CHT, 437 ENG). Another code
// page, or a folder that does not exist, gives the empty folder: file names then have no folder part.
#include <string>

#include "i18n/DesignType.h"

// "CHS", "CHT" or "ENG" for "936", "950" or "437"; empty for any other code page.
std::string LanguageCode(const std::string& codePage);
// The language folder (with a trailing "/") of the client or server configuration, or "".
std::string LanguageFolder(TDesignType designType);
// The language file of a class: folder + class name + ".Lng".
std::string LanguageFileName(TDesignType designType, const std::string& className);
