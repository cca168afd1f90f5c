#include "outside/torvane/DemoInstallation.h"

#include <fstream>
#include <sstream>

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
