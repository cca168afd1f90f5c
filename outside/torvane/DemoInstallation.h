#pragma once
// A ready installation for the demo company, as the work center's set-up would leave it:
//   <folder>/registry.ini        the registry stand-in (ClientPath, ServerPath, ANSICodePage 936,
//                                DemoDatabase DEMO and the automation class keys of the in-process server
//                                libraries found)
//   <folder>/client/VandrilC.ini the client configuration (in-process server 127.0.0.1, port 211, 936)
//   <folder>/client/Log/         logs
//   <folder>/client/MultiLanguage/CHS|CHT|ENG/*.Lng  the language packs
//   <folder>/client/Language     the GB/BIG5 table file
//   <folder>/server/Data/        company databases (<database>.db; the demo database DEMO is created with
//                                the demo company when a server first opens it)
// The packs and the table file come from the client folder template the build leaves beside the
// libraries (<libraries>/client/); without a table file there, the translator library writes one.
// Writing again keeps what is there: an existing registry file only gains the class keys of server
// libraries it lacks, an existing client file and table file are kept; the language packs are
// refreshed.
#include <string>
#include <vector>

#include "toolkit/rtl/Visibility.h"

struct TDemoInstallation {
    std::string Folder;  // with a trailing '/'
    std::string RegistryFile;
    std::string ClientPath;  // with a trailing '/'
    std::string ServerPath;  // with a trailing '/'
};

// An automation server the installation registers when its library is present.
struct TServerLibrary {
    const char* ProgId;
    const char* Library;
};
const std::vector<TServerLibrary>& KnownServerLibraries();

// Writes the installation under folder (created when missing), registering the servers whose
// libraries are in libraryFolder. Raises EInOutError when something cannot be written.
TK_EXPORT TDemoInstallation WriteDemoInstallation(const std::string& folder, const std::string& libraryFolder);

// Why the work center cannot start without an installation: the registry file (VANDRIL_REGISTRY) is
// not set or not there; "" when it is loaded.
TK_EXPORT std::string MissingRegistryReason();
