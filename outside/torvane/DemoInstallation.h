#pragma once
// A ready installation for the demo company, as the work center's set-up would leave it:
//   <folder>/registry.ini        the registry stand-in (ClientPath, ServerPath, ANSICodePage 936 and the
//                                automation class keys of the in-process server libraries found)
//   <folder>/client/VandrilC.ini the client configuration (in-process server 127.0.0.1, port 211, 936)
//   <folder>/client/Log/         logs
//   <folder>/client/MultiLanguage/CHS|CHT|ENG/*.Lng  the language packs
//   <folder>/client/Language     the GB/BIG5 table file
//   <folder>/server/Data/        company databases (<database>.db, created on first use)
// The packs and the table file come from the client folder template the build leaves beside the
// libraries (<libraries>/client/); without a table file there, the translator library writes one.
// Writing again is harmless: the registry file is regenerated, the language packs are refreshed, an
// existing client file and table file are kept.
#include <string>
#include <vector>

struct TDemoInstallation {
    std::string Folder;         // with a trailing '/'
    std::string RegistryFile;
    std::string ClientPath;     // with a trailing '/'
    std::string ServerPath;     // with a trailing '/'
};

// An automation server the installation registers when its library is present.
struct TServerLibrary {
    const char* ProgId;
    const char* Library;
};
const std::vector<TServerLibrary>& KnownServerLibraries();

// Writes the installation under folder (created when missing), registering the servers whose
// libraries are in libraryFolder. Raises EInOutError when something cannot be written.
TDemoInstallation WriteDemoInstallation(const std::string& folder, const std::string& libraryFolder);
