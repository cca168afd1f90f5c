#pragma once
// Readers of the installation's configuration: the registry key "Software\RKT\Vandril" and the
// client file VandrilC.ini (TVandrilIniC) or the server file VandrilS.ini (TVandrilIniS). A reader
// reads everything when it is created and never writes; create one, copy what you need, drop it.
// Folders come out with "/" separators and a trailing "/".
#include <cstdint>
#include <string>
#include <vector>

#include "env/CompletePath.h"
#include "env/PasswordScrambling.h"
#include "toolkit/rtl/Variant.h"

class TIniFile;
struct VandrilKeyValues;

// Error texts (message kind and code for the coded messages).
inline constexpr const char* kErrorNoRegistryKey = "E;000015";
inline constexpr const char* kErrorNoServer = "E;000016";

// What the client and the server readers share.
class TVandrilIni {
public:
    virtual ~TVandrilIni() = default;

    bool ReadOk = false;            // the reading operation's result
    std::string Error;              // "", kErrorNoRegistryKey or (client) kErrorNoServer
    std::string InstallPath;        // ClientPath / ServerPath of the registry key
    std::string ProfilePath;        // the personal profile folder when it holds the file, else InstallPath
    std::string ProfileUser;        // the user name, only when profiles are on
    std::string ProfileType = "0";  // ProfileType of the registry key
    std::string ProfileName = "Default";
    std::string FileName;    // full path of the configuration file used
    std::string UICodePage;  // "936", "950", ...; default: the system code page
    std::string DBCodePage = "936";
    std::string SysCodePage;                // "936", "950", or "437" for any other configured ANSI code page
    std::uint8_t LanguageMode = 0;          // 2: UI 950; 4: UI 936 on a 950 system; else 0
    std::uint8_t DBConvertMode = 0;         // 2: UI 950 over DB 936; 1: UI 936 over DB 950; else 0
    std::string Version;                    // [ProductVersion] Version
    std::vector<std::string> WorkDLLPaths;  // completed folders of [WorkDLLPath]

protected:
    TVandrilIni();
    // The shared steps; the file's own keys are read by ReadKeys, which returns false to stop.
    bool Read(std::string VandrilKeyValues::*installPath, const char* iniName, const char* packageFolder);
    virtual bool ReadKeys(const TIniFile& ini) = 0;
    void ComputeModes();
};

class TVandrilIniC : public TVandrilIni {
public:
    TVandrilIniC();

    std::string LangType = "ENG";
    std::string CreateGifBeforeSendQW = "Y";
    bool SupportCallBack = false;
    int ServerPort = 211;
    // Two-dimensional array [0..1, 0..n-1]: (0, j) the address and (1, j) the port of server j;
    // unassigned when no server was configured.
    Variant ServerList;
    std::string AutoCheckNewMsg = "1";
    std::string CheckInterval = "1";
    std::string PopupMsg = "1";
    std::string LoginCheck = "0";
    std::string TlsCaFile;  // the CA file a server's TLS certificate is checked against; "" in the clear

    int ServerCount() const;
    std::string ServerAddress(int index) const;

private:
    bool ReadKeys(const TIniFile& ini) override;
};

class TVandrilIniS : public TVandrilIni {
public:
    TVandrilIniS();

    std::string MainUserName = "sa";
    std::string MainPassword;  // decoded from the scrambled key XXXXXX
    std::string MainAlias = "Torvane";
    std::string MainDBType = "MSSQL";
    int MainDBKind = 0;  // 1 ORACLE, 2 DB2, else 0
    std::string MainDBName;
    std::string MainServerName;
    std::string SystemControlAddress;       // MainServerName when blank
    std::string OtherSystemControlAddress;  // MainServerName when blank
    int MainConnectionTimeOut = 300;
    int MainCommandTimeOut = 3000;
    std::string TempAlias = "TorvaneTemp";
    std::string TempUserName = "sa";
    std::string TempPassword;  // decoded from the scrambled key TempPassword
    std::string TempDBType = "PARADOX";
    std::string TempDBName;
    std::string TempDriverName = "PostgreSQL";
    int TempConnectionTimeOut = 300;
    int TempCommandTimeOut = 3000;
    std::string DataBaseCodeOrder = "Chinese_Taiwan_Stroke_BIN";
    std::string EctAlias = "EDIDATA";
    std::string EctUserName = "sa";
    std::string EctPassword;
    // [DBPasswordCtrl]
    std::string PasswordCtrlComputerName;
    int PasswordCtrlServerPort = 211;
    int PasswordCtrlClientSocketPort = 1024;
    bool PasswordCtrlSupportCallBack = false;

private:
    bool ReadKeys(const TIniFile& ini) override;
};

// "1", "Y", "YES" and "TRUE" in any case are true.
bool IsTrueText(const std::string& text);
