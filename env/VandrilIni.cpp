#include "env/VandrilIni.h"

#include "env/VandrilKey.h"
#include "toolkit/os/CodePage.h"
#include "toolkit/os/Paths.h"
#include "toolkit/rtl/IniFile.h"
#include "toolkit/rtl/Strings.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

std::string CodePageText(int codePage) {
    return codePage == 936 || codePage == 950 ? std::to_string(codePage) : std::string("437");
}

// The folders of a [WorkDLLPath] section, each completed against the installation folder; an empty
// section gives the installation's own package folder.
std::vector<std::string> WorkFolders(const TIniFile& ini, const std::string& installPath, const char* packageFolder) {
    TStringList lines;
    ini.ReadSectionValues("WorkDLLPath", lines);
    std::vector<std::string> folders;
    for (int i = 0; i < lines.Count(); ++i) {
        std::string folder = lines.ValueFromIndex(i);
        if (folder.empty() || (folder.back() != '\\' && folder.back() != '/')) folder += '\\';
        folders.push_back(CompletePath(folder, installPath));
    }
    if (folders.empty()) folders.push_back(installPath + packageFolder);
    return folders;
}

}  // namespace

bool IsTrueText(const std::string& text) {
    const std::string upper = UpperCase(Trim(text));
    return upper == "1" || upper == "Y" || upper == "YES" || upper == "TRUE";
}

TVandrilIni::TVandrilIni() : SysCodePage(CodePageText(::SystemCodePage())) {
    UICodePage = SysCodePage;
    ComputeModes();
}

void TVandrilIni::ComputeModes() {
    LanguageMode = UICodePage == "950" ? 2 : (UICodePage == "936" && SysCodePage == "950") ? 4 : 0;
    DBConvertMode = (UICodePage == "950" && DBCodePage == "936") ? 2 : (UICodePage == "936" && DBCodePage == "950") ? 1 : 0;
}

bool TVandrilIni::Read(std::string VandrilKeyValues::*installPath, const char* iniName, const char* packageFolder) {
    const VandrilKeyValues key = ReadVandrilKey();
    if (!key.opened) {
        Error = kErrorNoRegistryKey;
        return false;
    }
    ProfileType = key.profileType;
    InstallPath = key.*installPath;
    if (InstallPath.empty()) return false;

    ProfilePath = InstallPath;
    if (!ProfileType.empty() && ProfileType != "0") {
        ProfileUser = UserName();
        ProfilePath = InstallPath + "Profile/" + ProfileUser + "/";
    }
    FileName = ProfilePath + iniName;
    if (!FileExists(FileName)) {
        ProfilePath = InstallPath;
        FileName = InstallPath + iniName;
    }

    const TIniFile ini(FileName);
    Version = ini.ReadString("ProductVersion", "Version", "");
    UICodePage = ini.ReadString("CodePage", "UICodePage", SysCodePage);
    DBCodePage = ini.ReadString("CodePage", "DBCodePage", "936");
    ComputeModes();
    if (!ReadKeys(ini)) return false;
    WorkDLLPaths = WorkFolders(ini, InstallPath, packageFolder);
    return true;
}

TVandrilIniC::TVandrilIniC() { ReadOk = Read(&VandrilKeyValues::clientPath, "VandrilC.ini", "C_PKG/"); }

bool TVandrilIniC::ReadKeys(const TIniFile& ini) {
    LangType = ini.ReadString("Client Components", "LangType", "ENG");
    CreateGifBeforeSendQW = ini.ReadString("UserDefine", "CreateGifBeforeSendQW", "Y");
    SupportCallBack = IsTrueText(ini.ReadString("Server Information", "SupportCallBack", "0"));
    AutoCheckNewMsg = ini.ReadString("TaskMessageCenter Setting", "AutoCheckNewMsg", "1");
    CheckInterval = ini.ReadString("TaskMessageCenter Setting", "CheckInterval", "1");
    PopupMsg = ini.ReadString("TaskMessageCenter Setting", "PopupMsg", "1");
    LoginCheck = ini.ReadString("TaskMessageCenter Setting", "LoginCheck", "0");
    ServerPort = ini.ReadInteger("Server Information", "ServerPort", 211);
    TlsCaFile = Trim(ini.ReadString("Server Information", "TlsCaFile", ""));

    std::string computers = Trim(ini.ReadString("Server Information", "ComputerName", "127.0.0.1"));
    if (!computers.empty() && computers.back() == ';') computers.pop_back();
    // Blank entries (";;") name no server and are left out.
    std::vector<std::string> addresses;
    for (const std::string& part : SplitString(computers, ';'))
        if (!Trim(part).empty()) addresses.push_back(Trim(part));
    if (addresses.empty()) {
        Error = kErrorNoServer;
        return false;
    }
    ServerList = VarArrayCreate(0, 1, 0, static_cast<int>(addresses.size()) - 1);
    for (std::size_t j = 0; j < addresses.size(); ++j) {
        ServerList.At(0, static_cast<int>(j)) = addresses[j];
        ServerList.At(1, static_cast<int>(j)) = ServerPort;
    }
    return true;
}

int TVandrilIniC::ServerCount() const { return ServerList.IsArray() ? ServerList.Count(2) : 0; }

std::string TVandrilIniC::ServerAddress(int index) const { return ServerList.At(0, index).AsString(); }

TVandrilIniS::TVandrilIniS() { ReadOk = Read(&VandrilKeyValues::serverPath, "VandrilS.ini", "S_PKG/"); }

bool TVandrilIniS::ReadKeys(const TIniFile& ini) {
    const char* const db = "DBE Setting";
    MainUserName = ini.ReadString(db, "MainUserName", "sa");
    MainPassword = DecodeSQLSa(ini.ReadString(db, "XXXXXX", ""));
    MainAlias = ini.ReadString(db, "MainAlias", "Torvane");
    MainDBType = ini.ReadString(db, "MainDBType", "MSSQL");
    MainDBKind = SameText(MainDBType, "ORACLE") ? 1 : SameText(MainDBType, "DB2") ? 2 : 0;
    MainDBName = ini.ReadString(db, "MainDBName", "");
    MainServerName = ini.ReadString(db, "MainServerName", "");
    SystemControlAddress = ini.ReadString(db, "SystemControlAddress", "");
    if (Trim(SystemControlAddress).empty()) SystemControlAddress = MainServerName;
    OtherSystemControlAddress = ini.ReadString(db, "OtherSystemControlAddress", "");
    if (Trim(OtherSystemControlAddress).empty()) OtherSystemControlAddress = MainServerName;
    MainConnectionTimeOut = ini.ReadInteger(db, "MainConnectionTimeOut", 300);
    MainCommandTimeOut = ini.ReadInteger(db, "MainCommandTimeOut", 3000);
    TempAlias = ini.ReadString(db, "TempAlias", "TorvaneTemp");
    TempUserName = ini.ReadString(db, "TempUserName", "sa");
    TempPassword = DecodeSQLSa(ini.ReadString(db, "TempPassword", ""));
    TempDBType = ini.ReadString(db, "TempDBType", "PARADOX");
    TempDBName = ini.ReadString(db, "TempDBName", "");
    TempDriverName = ini.ReadString(db, "TempDriverName", "PostgreSQL");
    TempConnectionTimeOut = ini.ReadInteger(db, "TempConnectionTimeOut", 300);
    TempCommandTimeOut = ini.ReadInteger(db, "TempCommandTimeOut", 3000);
    DataBaseCodeOrder = ini.ReadString(db, "DataBaseCodeOrder", "Chinese_Taiwan_Stroke_BIN");
    EctAlias = ini.ReadString(db, "EctAlias", "EDIDATA");
    EctUserName = ini.ReadString(db, "EctUserName", "sa");
    EctPassword = ini.ReadString(db, "EctPassword", "");

    const char* const ctrl = "DBPasswordCtrl";
    PasswordCtrlComputerName = Trim(ini.ReadString(ctrl, "ComputerName", ""));
    PasswordCtrlServerPort = ini.ReadInteger(ctrl, "ServerPort", 211);
    PasswordCtrlClientSocketPort = ini.ReadInteger(ctrl, "ClientSocketPort", 1024);
    PasswordCtrlSupportCallBack = IsTrueText(ini.ReadString(ctrl, "SupportCallBack", ""));
    return true;
}
