#include "outside/torvane/DemoInstallation.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "toolkit/os/DynLib.h"
#include "toolkit/os/Registry.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

void NeedFolder(const std::string& folder) {
    if (!ForceDirectories(folder)) throw EInOutError("Cannot create the folder " + folder);
}

void WriteText(const std::string& file, const std::string& text) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) throw EInOutError("Cannot write " + file);
}

// The language packs of the template, copied over the installation's (new texts win).
void CopyLanguagePacks(const std::string& libraries, const std::string& clientPath) {
    namespace fs = std::filesystem;
    const fs::path target = clientPath + "MultiLanguage";
    for (const char* code : {"CHS", "CHT", "ENG"}) NeedFolder((target / code).string() + "/");
    const fs::path source = libraries + "client/MultiLanguage";
    std::error_code error;
    if (!fs::is_directory(source, error)) return;
    fs::copy(source, target, fs::copy_options::recursive | fs::copy_options::overwrite_existing, error);
    if (error) throw EInOutError("Cannot copy the language files to " + target.string() + ": " + error.message());
}

// The "Language" table file: the template's, else written by the translator library from its own
// mappings.
void WriteLanguageTable(const std::string& libraries, const std::string& clientPath) {
    const std::string fileName = clientPath + "Language";
    if (FileExists(fileName)) return;
    std::error_code error;
    if (std::filesystem::copy_file(libraries + "client/Language", fileName, error)) return;
    TDynLib translator(libraries + "libRklanguage.so");
    if (!translator.Loaded()) return;  // an installation without the translator converts nothing
    auto saveOrder = translator.Function<int (*)(const char*)>("SaveOrder");
    if (!saveOrder || saveOrder(fileName.c_str()) != 0) throw EInOutError("Cannot write " + fileName);
}

std::string ClassKey(const TServerLibrary& server) {
    return std::string("HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\") + server.ProgId;
}

// The class keys of the servers whose libraries are in the folder and that the registry lacks.
std::string ServerKeys(const std::string& libraryFolder, const TRegistry& registry) {
    std::ostringstream keys;
    const std::string libraries = IncludeTrailingPathDelimiter(libraryFolder);
    for (const TServerLibrary& server : KnownServerLibraries()) {
        if (!FileExists(libraries + server.Library) || registry.KeyExists(ClassKey(server))) continue;
        keys << "\n[" << ClassKey(server) << "]\n"
             << "Library=" << server.Library << "\n"
             << "Factory=TkCreateObject\n";
    }
    return keys.str();
}

// A registry file someone may have edited keeps every line; servers built since are added.
void AppendMissingServerKeys(const std::string& file, const std::string& libraryFolder) {
    const std::string keys = ServerKeys(libraryFolder, TRegistry(file));
    if (keys.empty()) return;
    std::ofstream out(file, std::ios::binary | std::ios::app);
    out << keys;
    out.close();
    if (!out) throw EInOutError("Cannot write " + file);
}

}  // namespace

const std::vector<TServerLibrary>& KnownServerLibraries() {
    static const std::vector<TServerLibrary> servers{
        {"TorvaneWorkCenter.Manager", "libtorvane-services.so"},
        {"Nexor01S.Class1", "libappserver.so"},
        {"PickvuS.Class1", "libpickvu.so"},
        {"TxoraC.Class1", "libtxora.so"},
        {"AnnexoC.Class1", "libannexo.so"},
        {"DokivC.DokivClass1", "libannexo.so"},
        {"Excel.Application", "libsheet.so"},
    };
    return servers;
}

TDemoInstallation WriteDemoInstallation(const std::string& folder, const std::string& libraryFolder) {
    TDemoInstallation install;
    install.Folder = IncludeTrailingPathDelimiter(folder);
    install.RegistryFile = install.Folder + "registry.ini";
    install.ClientPath = install.Folder + "client/";
    install.ServerPath = install.Folder + "server/";
    NeedFolder(install.ClientPath + "Log/");
    NeedFolder(install.ServerPath + "Data/");

    if (FileExists(install.RegistryFile)) {
        AppendMissingServerKeys(install.RegistryFile, libraryFolder);
    } else {
        std::ostringstream registry;
        registry << "; The registry stand-in of the demo installation (written by torvane --demo-install).\n"
                 << "[HKEY_LOCAL_MACHINE\\Software\\RKT\\Vandril]\n"
                 << "ClientPath=" << install.ClientPath << "\n"
                 << "ServerPath=" << install.ServerPath << "\n"
                 << "ProfileType=0\n"
                 << "ANSICodePage=936\n"
                 << "; the company database a server creates with the demo company when it is missing\n"
                 << "DemoDatabase=DEMO\n"
                 << ServerKeys(libraryFolder, TRegistry(""));
        WriteText(install.RegistryFile, registry.str());
    }

    const std::string libraries = IncludeTrailingPathDelimiter(libraryFolder);
    CopyLanguagePacks(libraries, install.ClientPath);
    WriteLanguageTable(libraries, install.ClientPath);

    const std::string clientIni = install.ClientPath + "VandrilC.ini";
    if (!FileExists(clientIni)) {
        WriteText(clientIni,
                  "[Server Information]\n"
                  "ComputerName=127.0.0.1\n"
                  "ServerPort=211\n"
                  "SupportCallBack=0\n"
                  "\n"
                  "[CodePage]\n"
                  "UICodePage=936\n"
                  "DBCodePage=936\n");
    }
    return install;
}

std::string MissingRegistryReason() {
    const TRegistry registry;
    if (registry.Loaded()) return {};
    if (registry.FileName().empty()) return "no registry file (E;000015): VANDRIL_REGISTRY is not set; use --demo-install DIR";
    return "no registry file (E;000015): looked for " + registry.FileName() + " (VANDRIL_REGISTRY)";
}
