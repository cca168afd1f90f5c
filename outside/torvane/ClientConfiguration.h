#pragma once
// The client configuration the work center reads: VandrilC.ini in the registry's ClientPath, or in the
// user's profile folder when ProfileType asks for one and it is there.
#include <string>

#include "toolkit/rtl/Visibility.h"

// The file's path; empty without a client folder.
TK_EXPORT std::string ClientConfigurationFile();

// [CodePage] UICodePage of the configuration: "936" when it is not set or there is no file.
std::string InterfaceCodePage();
