// Two users change one document at once through a real nexord: the second save is refused, the
// second window keeps what its user typed and says why, and a re-read shows the first user's document.
#include <filesystem>

#include "server/Brokers.h"
#include "tests/double/Tdef05Fixture.h"
#include "tests/outside/NexordProcess.h"
#include "toolkit/ui/dataaware/DBEdit.h"
#include "toolkit/ui/kernel/Application.h"
#include "toolkit/ui/widgets/GlyphButton.h"
#include "toolkit/ui/widgets/ToolBar.h"

namespace {

std::string LastBoxText(TScriptedApp& app) { return app.Messages().Count() ? app.Messages().Last().Text : std::string(); }

}  // namespace

class TwoSessions : public Tdef05Fixture {
protected:
    void TearDown() override {
        if (second) {
            TfrmTdef05* doomed = second;
            second = nullptr;
            doomed->Free();
            Application->ProcessMessages();
        }
        Tdef05Fixture::TearDown();
    }
    // The second user's window: another form with its own connection (its own session on the daemon).
    TfrmTdef05* OpenSecond(const std::string& user) {
        second = CreateComponent<TfrmTdef05>(nullptr);
        second->LibraryPath = TTestInstallation::BinFolder() + "Tdef05C.so";
        second->Brokers->HostManager = Variant(DispatchPtr(manager));
        second->StartProgram(VarArrayOf({user, "DEMO", "DEMO", 0, ""}));
        second->Show();
        Application->ProcessMessages();
        return second;
    }
    void ShowIn(TfrmTdef05* window, const std::string& code) {
        window->OpenWithCondition(window->MainDataSet(), "ADMMC.MC001 = '" + code + "'", "");
        window->SetEditMode(emBrowse);
        Application->ProcessMessages();
    }
    TfrmTdef05* second = nullptr;
};

TEST_F(TwoSessions, TheLaterSaveIsRefusedKeepsItsInputAndTheRereadShowsTheFirstUsersDocument) {
    install.CreateCompanyDatabase();
    NexordProcess daemon(install.DatabaseFile(), "127.0.0.2");
    ASSERT_GT(daemon.Port(), 0) << daemon.Log();
    install.WriteClientIni("[Server Information]\nComputerName=127.0.0.2\nServerPort=" + std::to_string(daemon.Port()) + "\n");
    const std::string lineOne = Sql("SELECT MD004 FROM ADMMD WHERE MD001 = 'ADMMA' AND MD002 = '0001'");

    // Both users read the document.
    Open("DS");
    ASSERT_TRUE(Main().Active()) << daemon.Log();
    ShowDocument("ADMMA");
    OpenSecond("CLERK");
    ASSERT_TRUE(second->MainDataSet()->Active()) << daemon.Log();
    ShowIn(second, "ADMMA");
    EXPECT_EQ(second->MainDataSet()->FieldByName("MC002")->AsString(), Main().FieldByName("MC002")->AsString());

    // The first user changes the file name and a line, and saves.
    form->BringToFront();
    Key(VK_F7);
    ASSERT_EQ(form->EditMode, emEdit);
    Enter(form->edMC002, "先存的名字");
    Body().First();
    Body().Edit();
    Body().FieldByName("MD004")->SetAsString("先存的字段");
    Key(VK_F12);
    ASSERT_EQ(form->EditMode, emBrowse) << LastBoxText(app) << daemon.Log();
    EXPECT_EQ(Sql("SELECT MC002 FROM ADMMC WHERE MC001 = 'ADMMA'"), "先存的名字");
    const std::string flagAfterFirst = Sql("SELECT FLAG FROM ADMMC WHERE MC001 = 'ADMMA'");

    // The second user, still on what was read before, changes the same document and saves.
    second->BringToFront();
    TClientDataSet& main2 = *second->MainDataSet();
    ASSERT_TRUE(second->DoEdit());
    ASSERT_EQ(second->EditMode, emEdit);
    second->edMC002->SetFocus();
    second->edMC002->SelectAll();
    Type("后存的名字");
    Key(VK_TAB);
    second->edMC005->SetFocus();
    second->edMC005->SelectAll();
    Type("第二个用户的备注");
    Key(VK_TAB);
    const std::size_t boxesBefore = app.Messages().Count();
    Key(VK_F12);

    ASSERT_GT(app.Messages().Count(), boxesBefore) << "the refusal is said";
    const std::string said = LastBoxText(app);
    EXPECT_NE(said.find("文档编号=ADMMA"), std::string::npos) << said;
    EXPECT_NE(said.find("资料已被其他用户更改"), std::string::npos) << said;
    EXPECT_EQ(second->EditMode, emEdit) << "the window stays in its edit mode";
    EXPECT_TRUE(second->LastSaveFailed);
    EXPECT_EQ(second->edMC002->Text(), "后存的名字") << "nothing typed is lost";
    EXPECT_EQ(second->edMC005->Text(), "第二个用户的备注");
    EXPECT_EQ(main2.FieldByName("MC002")->AsString(), "后存的名字");
    // Nothing of the second save is stored; the first user's document is whole.
    EXPECT_EQ(Sql("SELECT MC002 FROM ADMMC WHERE MC001 = 'ADMMA'"), "先存的名字");
    EXPECT_NE(Sql("SELECT MC005 FROM ADMMC WHERE MC001 = 'ADMMA'"), "第二个用户的备注");
    EXPECT_EQ(Sql("SELECT FLAG FROM ADMMC WHERE MC001 = 'ADMMA'"), flagAfterFirst);
    EXPECT_EQ(Sql("SELECT MD004 FROM ADMMD WHERE MD001 = 'ADMMA' AND MD002 = '0001'"), "先存的字段");
    EXPECT_NE(lineOne, "先存的字段");

    // Both windows talked to the daemon, each in a session of its own (the work center's login is a third).
    const std::string log = daemon.Log();
    int sessions = 0;
    for (std::size_t at = log.find("opened for Nexor01S.Class1"); at != std::string::npos;
         at = log.find("opened for Nexor01S.Class1", at + 1))
        ++sessions;
    EXPECT_GE(sessions, 3) << log;
    // Giving up and re-reading shows what the first user saved.
    app.QueueDialogAnswer(mrOk);
    Key(VK_ESCAPE);
    ASSERT_EQ(second->EditMode, emBrowse);
    second->btnReFresh->Click();
    Application->ProcessMessages();
    EXPECT_EQ(main2.FieldByName("MC001")->AsString(), "ADMMA");
    EXPECT_EQ(main2.FieldByName("MC002")->AsString(), "先存的名字");
    EXPECT_EQ(second->edMC002->Text(), "先存的名字");
    TClientDataSet* body2 = dynamic_cast<TdmTdef05*>(second->DataModule)->cdsBody1;
    body2->First();
    EXPECT_EQ(body2->FieldByName("MD004")->AsString(), "先存的字段");

    // Now the second user's change goes through on the fresh document.
    ASSERT_TRUE(second->DoEdit());
    second->edMC002->SetFocus();
    second->edMC002->SelectAll();
    Type("后存的名字");
    Key(VK_TAB);
    Key(VK_F12);
    EXPECT_EQ(second->EditMode, emBrowse) << LastBoxText(app);
    EXPECT_EQ(Sql("SELECT MC002 FROM ADMMC WHERE MC001 = 'ADMMA'"), "后存的名字");
    EXPECT_EQ(Sql("SELECT MD004 FROM ADMMD WHERE MD001 = 'ADMMA' AND MD002 = '0001'"), "先存的字段");
}
