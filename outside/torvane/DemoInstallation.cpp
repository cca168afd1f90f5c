#include "outside/torvane/DemoInstallation.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "toolkit/os/DynLib.h"
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
    if (!translator.Loaded()) return;   // an installation without the translator converts nothing
    auto saveOrder = translator.Function<int (*)(const char*)>("SaveOrder");
    if (!saveOrder || saveOrder(fileName.c_str()) != 0) throw EInOutError("Cannot write " + fileName);
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

    std::ostringstream registry;
    registry << "; The registry stand-in of the demo installation (written by torvane --demo-install).\n"
             << "[HKEY_LOCAL_MACHINE\\Software\\RKT\\Vandril]\n"
             << "ClientPath=" << install.ClientPath << "\n"
             << "ServerPath=" << install.ServerPath << "\n"
             << "ProfileType=0\n"
             << "ANSICodePage=936\n";
    const std::string libraries = IncludeTrailingPathDelimiter(libraryFolder);
    for (const TServerLibrary& server : KnownServerLibraries()) {
        if (!FileExists(libraries + server.Library)) continue;
        registry << "\n[HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\" << server.ProgId << "]\n"
                 << "Library=" << server.Library << "\n"
                 << "Factory=TkCreateObject\n";
    }
    WriteText(install.RegistryFile, registry.str());

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
