#include "env/VandrilIni.h"

#include "EnvFixture.h"
#include "toolkit/os/Paths.h"

using VandrilIniTest = EnvFixture;

TEST_F(VandrilIniTest, ServerListFromComputerNameWithTrailingSeparator) {
    WriteStandardRegistry();
    WriteFile(client_ + "VandrilC.ini", "[Server Information]\nComputerName= 10.1.1.5;app2.local; \nServerPort=3000\n");
    TVandrilIniC ini;
    EXPECT_TRUE(ini.ReadOk);
    EXPECT_EQ(ini.Error, "");
    ASSERT_EQ(ini.ServerList.DimCount(), 2);
    EXPECT_EQ(ini.ServerList.Low(1), 0);
    EXPECT_EQ(ini.ServerList.High(1), 1);
    ASSERT_EQ(ini.ServerCount(), 2);
    EXPECT_EQ(ini.ServerList.At(0, 0).AsString(), "10.1.1.5");
    EXPECT_EQ(ini.ServerList.At(0, 1).AsString(), "app2.local");
    EXPECT_EQ(ini.ServerList.At(1, 0).AsInteger(), 3000);
    EXPECT_EQ(ini.ServerList.At(1, 1).AsInteger(), 3000);
}

TEST_F(VandrilIniTest, MissingFileGivesEveryDefault) {
    WriteStandardRegistry();
    TVandrilIniC ini;
    EXPECT_TRUE(ini.ReadOk);
    EXPECT_EQ(ini.InstallPath, client_);
    EXPECT_EQ(ini.ProfilePath, client_);
    EXPECT_EQ(ini.FileName, client_ + "VandrilC.ini");
    EXPECT_EQ(ini.ProfileType, "");
    EXPECT_EQ(ini.ProfileUser, "");
    EXPECT_EQ(ini.ProfileName, "Default");
    EXPECT_EQ(ini.LangType, "ENG");
    EXPECT_EQ(ini.Version, "");
    EXPECT_EQ(ini.CreateGifBeforeSendQW, "Y");
    EXPECT_EQ(ini.UICodePage, "936");
    EXPECT_EQ(ini.DBCodePage, "936");
    EXPECT_FALSE(ini.SupportCallBack);
    EXPECT_EQ(ini.AutoCheckNewMsg, "1");
    EXPECT_EQ(ini.CheckInterval, "1");
    EXPECT_EQ(ini.PopupMsg, "1");
    EXPECT_EQ(ini.LoginCheck, "0");
    ASSERT_EQ(ini.ServerCount(), 1);
    EXPECT_EQ(ini.ServerAddress(0), "127.0.0.1");
    EXPECT_EQ(ini.ServerList.At(1, 0).AsInteger(), 211);
    EXPECT_EQ(ini.WorkDLLPaths, std::vector<std::string>{client_ + "C_PKG/"});
}

TEST_F(VandrilIniTest, SupportCallBackTruthValues) {
    WriteStandardRegistry();
    const std::map<std::string, bool> cases{{"yes", true}, {"Y", true},   {"true", true}, {"1", true},
                                            {"on", false}, {"no", false}, {"0", false},   {"2", false}};
    for (const auto& [text, expected] : cases) {
        WriteFile(client_ + "VandrilC.ini", "[Server Information]\nSupportCallBack=" + text + "\n");
        EXPECT_EQ(TVandrilIniC().SupportCallBack, expected) << text;
    }
}

TEST_F(VandrilIniTest, CodePagesAndModes) {
    struct Case {
        std::string ansi, ui, db, sys;
        int language, conversion;
    };
    const Case cases[] = {
        {"950", "936", "936", "950", 4, 0},  // simplified interface on a traditional system
        {"936", "950", "936", "936", 2, 2},  // traditional interface over a GB database
        {"936", "936", "950", "936", 0, 1}, {"950", "950", "950", "950", 2, 0},
        {"1252", "", "", "437", 0, 0},  // unknown ANSI code page: English, UICodePage follows it
    };
    for (const Case& c : cases) {
        WriteStandardRegistry(c.ansi);
        std::string text = "[CodePage]\n";
        if (!c.ui.empty()) text += "UICodePage=" + c.ui + "\nDBCodePage=" + c.db + "\n";
        WriteFile(client_ + "VandrilC.ini", text);
        TVandrilIniC ini;
        EXPECT_EQ(ini.SysCodePage, c.sys) << c.ansi;
        EXPECT_EQ(ini.UICodePage, c.ui.empty() ? c.sys : c.ui);
        EXPECT_EQ(ini.LanguageMode, c.language) << c.ansi << "/" << c.ui;
        EXPECT_EQ(ini.DBConvertMode, c.conversion) << c.ui << "/" << c.db;
    }
}

TEST_F(VandrilIniTest, MissingRegistryOrServerSetsTheErrorCode) {
    {  // no registry file at all
        TVandrilIniC ini;
        EXPECT_FALSE(ini.ReadOk);
        EXPECT_EQ(ini.Error, "E;000015");
        EXPECT_EQ(ini.ServerCount(), 0);
        EXPECT_EQ(TVandrilIniS().Error, "E;000015");
    }
    WriteFile(root_ + "registry.ini", "[HKEY_LOCAL_MACHINE\\Software\\Other]\nClientPath=" + client_ + "\n");
    EXPECT_EQ(TVandrilIniC().Error, "E;000015");

    WriteRegistry({{"ProfileType", "0"}});  // key present, no client path: fails silently
    TVandrilIniC noPath;
    EXPECT_FALSE(noPath.ReadOk);
    EXPECT_EQ(noPath.Error, "");

    WriteStandardRegistry();
    for (const char* computers : {"", " ; ", ";;"}) {
        WriteFile(client_ + "VandrilC.ini", std::string("[Server Information]\nComputerName=") + computers + "\n");
        TVandrilIniC ini;
        EXPECT_FALSE(ini.ReadOk) << computers;
        EXPECT_EQ(ini.Error, "E;000016") << computers;
        EXPECT_EQ(ini.ServerCount(), 0);
    }
}

TEST_F(VandrilIniTest, PersonalProfileFolderWhenItHoldsTheFile) {
    WriteRegistry({{"ClientPath", client_}, {"ProfileType", "1"}});
    WriteFile(client_ + "VandrilC.ini", "[Client Components]\nLangType=CHS\n");
    {  // profiles on, but no personal file: the client folder's file is used
        TVandrilIniC ini;
        EXPECT_EQ(ini.ProfileUser, UserName());
        EXPECT_EQ(ini.ProfilePath, client_);
        EXPECT_EQ(ini.LangType, "CHS");
    }
    const std::string profile = client_ + "Profile/" + UserName() + "/";
    WriteFile(profile + "VandrilC.ini", "[Client Components]\nLangType=CHT\n");
    TVandrilIniC ini;
    EXPECT_EQ(ini.ProfileType, "1");
    EXPECT_EQ(ini.ProfilePath, profile);
    EXPECT_EQ(ini.FileName, profile + "VandrilC.ini");
    EXPECT_EQ(ini.LangType, "CHT");
}

TEST_F(VandrilIniTest, WindowsStylePathsAndWorkLibraryFolders) {
    // The client path written the Windows way, without the trailing separator.
    std::string windowsPath = client_.substr(0, client_.size() - 1);
    std::replace(windowsPath.begin(), windowsPath.end(), '/', '\\');
    WriteRegistry({{"ClientPath", windowsPath}});
    WriteFile(client_ + "VandrilC.ini", "[WorkDLLPath]\nA=Pkg\nB=\\Sub\\Lib\\\nC=/opt/libs\nD=C:\\Libs\n");
    TVandrilIniC ini;
    EXPECT_EQ(ini.InstallPath, client_);
    EXPECT_EQ(ini.WorkDLLPaths, (std::vector<std::string>{client_ + "Pkg/", client_ + "Sub/Lib/", "/opt/libs/", "C:/Libs/"}));
    EXPECT_EQ(CompletePath("\\a\\b", "/base"), "/base/a/b");
    EXPECT_EQ(CompletePath("rel", "/base/"), "/base/rel");
}

TEST_F(VandrilIniTest, ServerFileSettings) {
    WriteStandardRegistry();
    WriteFile(server_ + "VandrilS.ini",
              "[ProductVersion]\nVersion=9.0\n"
              "[DBE Setting]\nXXXXXX=" +
                  EncodePassword("口令pw") + "\nTempPassword=" + EncodePassword("") +
                  "\nMainDBType=oracle\nMainServerName=db1\nOtherSystemControlAddress=ctl2\nMainCommandTimeOut=60\n"
                  "[DBPasswordCtrl]\nComputerName=  pwd.host  \nSupportCallBack=Yes\n");
    TVandrilIniS ini;
    EXPECT_TRUE(ini.ReadOk);
    EXPECT_EQ(ini.FileName, server_ + "VandrilS.ini");
    EXPECT_EQ(ini.Version, "9.0");
    EXPECT_EQ(ini.MainPassword, "口令pw");
    EXPECT_EQ(ini.TempPassword, "");
    EXPECT_EQ(ini.MainDBKind, 1);
    EXPECT_EQ(ini.SystemControlAddress, "db1");
    EXPECT_EQ(ini.OtherSystemControlAddress, "ctl2");
    EXPECT_EQ(ini.MainCommandTimeOut, 60);
    EXPECT_EQ(ini.MainConnectionTimeOut, 300);
    EXPECT_EQ(ini.MainUserName, "sa");
    EXPECT_EQ(ini.MainAlias, "Torvane");
    EXPECT_EQ(ini.TempDriverName, "PostgreSQL");
    EXPECT_EQ(ini.DataBaseCodeOrder, "Chinese_Taiwan_Stroke_BIN");
    EXPECT_EQ(ini.PasswordCtrlComputerName, "pwd.host");
    EXPECT_EQ(ini.PasswordCtrlServerPort, 211);
    EXPECT_EQ(ini.PasswordCtrlClientSocketPort, 1024);
    EXPECT_TRUE(ini.PasswordCtrlSupportCallBack);
    EXPECT_EQ(ini.WorkDLLPaths, std::vector<std::string>{server_ + "S_PKG/"});

    WriteFile(server_ + "VandrilS.ini", "[DBE Setting]\nMainDBType=Db2\n");
    EXPECT_EQ(TVandrilIniS().MainDBKind, 2);
    WriteFile(server_ + "VandrilS.ini", "[DBE Setting]\nMainDBType=PostgreSQL\n");
    EXPECT_EQ(TVandrilIniS().MainDBKind, 0);
}
