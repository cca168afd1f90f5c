// The program window inside the work center: a start without the extra value, the program id of the
// library's file name, context help and the properties shortcut.
#include <filesystem>

#include "tests/spine/SpineHost.h"
#include "toolkit/os/Shell.h"
#include "toolkit/ui/kernel/Application.h"
#include "toolkit/ui/kernel/KeyInput.h"

TEST_F(SpineHost, AHostedStartWithFourParametersShowsE000038AndTheWindowClosesItself) {
    auto controller = NewController();
    EXPECT_EQ(controller->CreateProgram(TScriptedHost::StartParams("DS", "DEMO", "DEMO", false)), 0);
    ASSERT_EQ(app.Dialogs().size(), 1u);
    const TShownDialog& shown = app.Dialogs()[0];
    EXPECT_EQ(shown.Text, manager->GetMessage("E", "000038") + " ");
    EXPECT_EQ(shown.Text, "作业启动参数错误, 请从工作中心启动本作业! ");
    EXPECT_EQ(shown.DlgType, mtError);
    EXPECT_EQ(shown.Buttons, std::vector<std::string>{"OK"});
    EXPECT_EQ(shown.Caption, "文档信息录入作业") << "the dialog carries the window's caption";
    EXPECT_FALSE(controller->IsProgramClosed()) << "the close waits for the message queue";

    Application->ProcessMessages();
    EXPECT_TRUE(controller->IsProgramClosed());
    EXPECT_EQ(host.Events().front(), 256);
    EXPECT_NE(std::find(host.Events().begin(), host.Events().end(), 320), host.Events().end());
    EXPECT_EQ(host.Events().back(), 304);
}

TEST_F(SpineHost, TheProgramIdAndContextHelpFollowTheLibrarysFileName) {
    // F1 in Tdef05: its fourth character names no help system.
    auto tdef05 = StartedController();
    SimulateKeystroke(TScriptedHost::ProgramWindow(*tdef05), VK_F1);
    EXPECT_TRUE(manager->Calls().empty());
    tdef05.reset();

    // The same library under the name of a query program ending in 05, known to the company.
    install.ExecuteSql("INSERT INTO ADMMB (MB001, MB002) VALUES ('ADMQ05', ?1)", {"文档查询作业"});
    install.ExecuteSql("INSERT INTO ADMMP (MP001, MP002, MP003, MP004) VALUES ('DS', 'ADMQ05', ',Y,Y,YYYYYYYYYYYY', '')");
    install.ExecuteSql("INSERT INTO ADMPI (PI001, PI002, PI003) SELECT 'ADMQ05', PI002, PI003 FROM ADMPI WHERE PI001 = 'TDEF05'");
    const std::string folder = TTestInstallation::MakeTempFolder("tdef-library");
    const std::string copy = folder + "Admq05C.so";
    std::filesystem::copy_file(TScriptedHost::DefaultLibraryPath(), copy);
    TScriptedHost queryHost(copy);
    ASSERT_TRUE(queryHost.Loaded()) << queryHost.Error();
    auto controller = queryHost.NewController(Manager());
    ASSERT_EQ(controller->CreateProgram(TScriptedHost::StartParams()), 0);
    controller->SetVisible(true);
    Variant info;
    controller->GetConnectInfo(info);
    EXPECT_EQ(info, VarArrayOf({"DS", "DEMO", "ADMQ05", "文档查询作业"}));

    SimulateKeystroke(TScriptedHost::ProgramWindow(*controller), VK_F1);
    ASSERT_EQ(manager->Calls().size(), 1u);
    EXPECT_EQ(manager->Calls()[0].member, "CallHelp");
    EXPECT_EQ(manager->Calls()[0].args.at(0), VarArrayOf({"ADM", "14050000"}));
    controller.reset();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

TEST_F(SpineHost, CtrlAltVOpensTheLibrarysPropertiesAndCtrlShiftAltVDoesNothing) {
    std::vector<std::pair<std::string, std::string>> shellCalls;
    ShellService previous = SetShellService([&](const std::string& operation, const std::string& file) {
        shellCalls.emplace_back(operation, file);
        return true;
    });
    auto controller = StartedController();
    TCustomForm* window = TScriptedHost::ProgramWindow(*controller);
    SimulateKeystroke(window, 'V', {ssCtrl, ssShift, ssAlt});
    SimulateKeystroke(window, 'V', {ssCtrl});
    SimulateKeystroke(window, 'V', {ssAlt});
    EXPECT_TRUE(shellCalls.empty());
    SimulateKeystroke(window, 'V', {ssCtrl, ssAlt});
    SetShellService(previous);
    ASSERT_EQ(shellCalls.size(), 1u);
    EXPECT_EQ(shellCalls[0].first, "properties");
    EXPECT_EQ(shellCalls[0].second, host.LibraryPath());
}
