// The radical form: rights, program ids, context help, function keys and Enter, LoadRights and the
// start-up sequence. This program's name holds "torvane", so the forms it creates count as hosted.
#include <gtest/gtest.h>

#include "framework/forms/ContextHelp.h"
#include "framework/forms/ProgramId.h"
#include "framework/forms/RadicalForm.h"
#include "programs/tdef05/Tdef05Form.h"
#include "server/Brokers.h"
#include "server/DataModuleLink.h"
#include "tests/spine/units/BrokerDoubles.h"
#include "tests/testkit/ScriptedApp.h"
#include "toolkit/data/ClientDataSet.h"
#include "toolkit/data/DataSource.h"
#include "toolkit/data/Field.h"
#include "toolkit/ui/dataaware/DBEdit.h"
#include "toolkit/ui/grids/DBGrids.h"
#include "toolkit/ui/kernel/Application.h"
#include "toolkit/ui/kernel/KeyInput.h"
#include "toolkit/ui/widgets/Edit.h"

namespace {

TFunctionRights Elements(std::initializer_list<std::pair<int, int>> ranges) {
    TFunctionRights set;
    for (auto [first, last] : ranges)
        for (int e = first; e <= last; ++e) set.Include(e);
    return set;
}

template <class T>
T* Control(TCustomForm* form, const char* name) {
    T* control = CreateComponent<T>(form);
    control->SetName(name);
    control->SetParent(form);
    return control;
}

// A form that records what its function keys asked for.
class TKeyForm : public TfrmRadical {
public:
    explicit TKeyForm(TComponent* owner) : TfrmRadical(owner) {}
    struct Call {
        WORD key;
        TWinControl* control;
        int lookupMode;
    };
    std::vector<Call> calls;
    void OnF2Key(WORD& key, TWinControl* control) override { calls.push_back({VK_F2, control, LookupParamMode}); }
    void OnF3Key(WORD& key, TWinControl* control) override { calls.push_back({VK_F3, control, LookupParamMode}); }
    void OnF4Key(WORD& key, TWinControl* control) override { calls.push_back({VK_F4, control, LookupParamMode}); }
    void OnF11Key(WORD& key, TWinControl* control) override { calls.push_back({VK_F11, control, LookupParamMode}); }
};

// A data module that connects as the test says and fills the program information.
class TLinkedModule : public TDataModule, public IDataModuleLink {
public:
    explicit TLinkedModule(TComponent* owner) : TDataModule(owner) {}
    void SetBrokers(TBrokers* b) override { brokers = b; }
    bool OpenDataConnection() override {
        separatorAtOpen = dateSeparator;
        brokers->ProgramInfo.SetText("USER_GROUP=ADMIN\r\nPOWER_DATA=" + powerData + "\r\nGROUP_LIST=G1,G2\r\nEX_POWER=X9");
        return accepts;
    }
    void SetDateSettings(int order, const std::string& separator) override {
        dateOrder = order;
        dateSeparator = separator;
    }
    Variant WhatIs(const std::string& name) override { return name == "SQLTYPE" ? Variant("1") : Variant(); }
    void LocalizeFields() override { ++localized; }
    void CloseConnections() override { ++closed; }

    TBrokers* brokers = nullptr;
    bool accepts = true;
    std::string powerData;
    int dateOrder = 0;
    std::string dateSeparator = "unset";
    std::string separatorAtOpen;
    int localized = 0;
    int closed = 0;
};

class RadicalFormTest : public ::testing::Test {
protected:
    ~RadicalFormTest() override {
        for (auto& form : forms)
            if (form) form->Free();
    }
    template <class T = TfrmRadical>
    T* NewForm() {
        T* form = CreateComponent<T>(nullptr);
        forms.emplace_back(form);
        return form;
    }

    TScriptedApp app;
    std::vector<TComponentRef<TCustomForm>> forms;
};

}  // namespace

TEST(PowerData, PartsTurnIntoFunctionRights) {
    EXPECT_EQ(ParsePowerData(",y,N,NYNNNNRYY,YYYYYYY,NNNNNNN"),
              Elements({{0, 14}, {30, 30}, {37, 37}, {38, 38}, {34, 34}, {33, 33}, {36, 36}, {46, 52}}));
    // Lower-case letters count in parts 1 and 2 only; R counts at positions 7 and 8 only.
    EXPECT_EQ(ParsePowerData(",N,y,RyRRRRYRRYYY,NNNNNNY,YNNNNNN"),
              Elements({{0, 14}, {31, 31}, {37, 37}, {32, 32}, {35, 35}, {43, 45}, {52, 52}, {53, 53}}));
    EXPECT_EQ(ParsePowerData(""), Elements({{15, 29}})) << "no rights at all";
    // Fewer than six parts: the missing parts are empty.
    EXPECT_EQ(ParsePowerData(",Y"), Elements({{0, 14}, {30, 30}, {37, 37}}));
    EXPECT_EQ(ParsePowerData(",N,Y,NNNY"), Elements({{0, 14}, {31, 31}, {37, 37}, {40, 40}}));
    EXPECT_EQ(ParsePowerData("X"), Elements({{0, 14}, {37, 37}}));
    EXPECT_EQ(ParsePowerData(",,,,YY"), Elements({{0, 14}, {37, 37}, {46, 47}}));
    EXPECT_EQ(InitialFunctionRights(), Elements({{0, 14}, {22, 59}}));
    EXPECT_EQ(InitialCommandRights().Bits(), 511u);
}

TEST(ProgramIds, ComeFromTheLibrarysFileName) {
    EXPECT_EQ(ProgramIdFromLibrary("/opt/velora/Tdef05C.so"), "TDEF05");
    EXPECT_EQ(ProgramIdFromLibrary("Admq05C.so"), "ADMQ05");
    EXPECT_EQ(ProgramIdFromLibrary("Tdef05.so"), "TDEF05");
    EXPECT_EQ(ProgramIdFromLibrary("invi12xy.so.1"), "INVI12") << "letters between the digit and the dot go";
    EXPECT_EQ(ProgramIdFromLibrary("C:\\Velora\\Purm03C.dll"), "PURM03");
    EXPECT_EQ(ProgramIdFromLibrary("/opt/velora/Library.so"), "") << "no digit before the dot";
    EXPECT_EQ(ProgramIdFromLibrary("/opt/2024/Plain.so"), "") << "digits of the folder do not count";
    EXPECT_EQ(ProgramIdFromLibrary("/usr/bin/tdef05c"), "TDEF05") << "an executable without a dot";
    EXPECT_EQ(ProgramIdFromLibrary(""), "");
}

TEST(ContextHelp, TheHelpBaseAndTheContextOfTheFocusedControl) {
    EXPECT_EQ(HelpBase("ADMI12"), "1112");
    EXPECT_EQ(HelpBase("ADMQ05"), "1405");
    EXPECT_EQ(HelpBase("invq05"), "1405");
    EXPECT_EQ(HelpBase("ACRA31"), "6431");
    EXPECT_EQ(HelpBase("MOCM07"), "8407");
    EXPECT_EQ(HelpBase("TDEF05"), "");
    EXPECT_EQ(HelpBase("ADM"), "");
    EXPECT_EQ(HelpContextString("1405", nullptr), "14050000");

    TOwnedPtr<TForm> form(CreateComponent<TForm>(nullptr));
    TClientDataSet* cdsMain = CreateComponent<TClientDataSet>(form.get());
    cdsMain->SetName("cdsMain");
    cdsMain->FieldDefs().Add("MC004", ftString, 3);
    cdsMain->FieldDefs().Add("REMARK", ftString, 10);
    cdsMain->CreateDataSet();
    TDataSource* dsMain = CreateComponent<TDataSource>(form.get());
    dsMain->SetDataSet(cdsMain);

    auto* edit = Control<TDBEdit>(form.get(), "edMC004");
    edit->SetDataSource(dsMain);
    edit->SetDataField("MC004");
    EXPECT_EQ(HelpContextString("1405", edit), "14051004");
    edit->SetDataField("REMARK");
    EXPECT_EQ(HelpContextString("1405", edit), "14050000") << "no digit as third character";
    edit->SetHelpKeyword("own-topic");
    EXPECT_EQ(HelpContextString("1405", edit), "own-topic");

    TClientDataSet* other = CreateComponent<TClientDataSet>(form.get());
    other->SetName("cdsBody1");
    other->FieldDefs().Add("MD002", ftString, 4);
    other->FieldDefs().Add("MD003", ftString, 15);
    other->FieldDefs().Add("MD004", ftString, 20);
    other->CreateDataSet();
    TDataSource* dsBody = CreateComponent<TDataSource>(form.get());
    dsBody->SetDataSet(other);
    auto* bodyEdit = Control<TDBEdit>(form.get(), "edMD003");
    bodyEdit->SetDataSource(dsBody);
    bodyEdit->SetDataField("MD003");
    EXPECT_EQ(HelpContextString("1405", bodyEdit), "14050000") << "only fields of cdsMain";

    // The toolkit's own data grid: the selected column's field, not the first one.
    auto* grid = Control<TDBGrid>(form.get(), "gdBody1");
    grid->SetDataSource(dsBody);
    EXPECT_EQ(HelpContextString("1405", grid), "14052002");
    grid->SetSelectedField(other->FieldByName("MD004"));
    EXPECT_EQ(HelpContextString("1405", grid), "14052004");
    grid->SetSelectedIndex(1);
    EXPECT_EQ(HelpContextString("1405", grid), "14052003");
    auto* inner = CreateComponent<TEdit>(form.get());
    inner->SetParent(grid);
    EXPECT_EQ(HelpContextString("1405", inner), "14052003") << "the grid's inner editor";
}

TEST_F(RadicalFormTest, F1AsksTheHostForHelpOnTheActiveControl) {
    auto manager = MakeManager({});
    manager->On("CallHelp", [](VarArgs&) { return Variant(); });
    TfrmRadical* form = NewForm();
    form->LibraryPath = "/opt/velora/Admq05C.so";
    form->Brokers->HostManager = Variant(DispatchPtr(manager));
    auto* edit = Control<TDBEdit>(form, "edTopic");
    form->Show();

    SimulateKeystroke(form, VK_F1);
    edit->SetHelpKeyword("own-topic");
    form->SetActiveControl(edit);
    SimulateKeystroke(edit, VK_F1);
    ASSERT_EQ(manager->CallsOf("CallHelp").size(), 2u);
    EXPECT_EQ(manager->CallsOf("CallHelp")[0].Args.at(0), VarArrayOf({"ADM", "14050000"}));
    EXPECT_EQ(manager->CallsOf("CallHelp")[1].Args.at(0), VarArrayOf({"ADM", "own-topic"}));

    // On the toolkit's data grid the topic follows the column the user is in.
    TClientDataSet* body = CreateComponent<TClientDataSet>(form);
    body->SetName("cdsBody1");
    body->FieldDefs().Add("MD002", ftString, 4);
    body->FieldDefs().Add("MD003", ftString, 15);
    body->CreateDataSet();
    TDataSource* dsBody = CreateComponent<TDataSource>(form);
    dsBody->SetDataSet(body);
    auto* grid = Control<TDBGrid>(form, "gdBody1");
    grid->SetDataSource(dsBody);
    form->SetActiveControl(grid);
    SimulateKeystroke(grid, VK_RIGHT);
    SimulateKeystroke(grid, VK_F1);
    ASSERT_EQ(manager->CallsOf("CallHelp").size(), 3u);
    EXPECT_EQ(manager->CallsOf("CallHelp")[2].Args.at(0), VarArrayOf({"ADM", "14052003"}));

    form->LibraryPath = "/opt/velora/Tdef05C.so";
    SimulateKeystroke(edit, VK_F1);
    EXPECT_EQ(manager->CallsOf("CallHelp").size(), 3u) << "Tdef05 has no help";
}

TEST_F(RadicalFormTest, FunctionKeysAndTheirWindowMessagesReachTheHandlers) {
    TKeyForm* form = NewForm<TKeyForm>();
    auto* first = Control<TDBEdit>(form, "edFirst");
    auto* second = Control<TDBEdit>(form, "edSecond");
    form->Show();
    form->SetActiveControl(first);

    form->LookupParamMode = lpmCollectParam;
    SimulateKeystroke(first, VK_F2);
    form->LookupParamMode = lpmCollectParam;
    SimulateKeystroke(first, VK_F3);
    SimulateKeystroke(first, VK_F4, {ssShift});
    SimulateKeystroke(first, VK_F11);
    form->LookupParamMode = lpmReturnResult;
    form->Perform(UM_F2KEY, static_cast<WPARAM>(second->Handle()));
    form->Perform(UM_F3KEY, static_cast<WPARAM>(second->Handle()));
    form->Perform(UM_F4KEY, static_cast<WPARAM>(second->Handle()));
    form->Perform(UM_F11KEY, 0);

    const std::vector<std::tuple<WORD, TWinControl*, int>> expected{{VK_F2, first, 0},  {VK_F3, first, 1},   {VK_F4, first, 1},
                                                                    {VK_F11, first, 1}, {VK_F2, second, 0},  {VK_F3, second, 0},
                                                                    {VK_F4, second, 0}, {VK_F11, nullptr, 0}};
    ASSERT_EQ(form->calls.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(form->calls[i].key, std::get<0>(expected[i])) << i;
        EXPECT_EQ(form->calls[i].control, std::get<1>(expected[i])) << i;
        EXPECT_EQ(form->calls[i].lookupMode, std::get<2>(expected[i])) << i;
    }
}

TEST_F(RadicalFormTest, TheBaseKeyHandlersGiveTheFocusBackAndEnterMovesOn) {
    TfrmRadical* form = NewForm();
    auto* first = Control<TDBEdit>(form, "edFirst");
    auto* second = Control<TDBEdit>(form, "edSecond");
    auto* grid = Control<TDBGrid>(form, "gdBody1");
    auto* inner = CreateComponent<TEdit>(form);
    inner->SetParent(grid);
    form->Show();
    form->SetActiveControl(first);

    WORD key = VK_F2;
    form->OnF2Key(key, second);
    EXPECT_EQ(form->ActiveControl(), second);
    form->OnF3Key(key, inner);
    EXPECT_EQ(form->ActiveControl(), second) << "a grid's inner editor does not take the focus";

    form->SetActiveControl(first);
    SimulateKeystroke(first, VK_RETURN);
    EXPECT_EQ(form->ActiveControl(), second);
    form->SetActiveControl(grid);
    SimulateKeystroke(grid, VK_RETURN);
    EXPECT_EQ(form->ActiveControl(), grid) << "grids keep Enter";
}

TEST_F(RadicalFormTest, LoadRightsParsesTheRightsTheServerSendsAtConnect) {
    TfrmRadical* form = NewForm();
    form->Brokers->HostManager = Variant(DispatchPtr(MakeManager({{"E000004", "您没有执行本作业的权限!"}})));
    auto* module = CreateComponent<TLinkedModule>(form);
    form->DataModule = module;
    form->Brokers->SetSysValue("SYS001", "3");
    form->Brokers->SetSysValue("SYS002", "-");
    module->powerData = ",Y,Y,NYYYYYYYYYYY,NNNNNNN,NNNNNNN";

    form->LoadRights();
    EXPECT_EQ(module->brokers, form->Brokers);
    EXPECT_EQ(form->DateOrder, 3);
    EXPECT_EQ(form->DateSeparator, "-");
    EXPECT_EQ(module->dateOrder, 3);
    EXPECT_EQ(module->dateSeparator, "-");
    EXPECT_EQ(module->separatorAtOpen, "-") << "the datasets that open with the connection build their date masks from it";
    EXPECT_EQ(form->Brokers->UserGroup, "ADMIN");
    EXPECT_EQ(form->FunctionRights, ParsePowerData(module->powerData));
    EXPECT_EQ(form->GroupList, "G1,G2");
    EXPECT_EQ(form->ExPower, "X9");
    EXPECT_EQ(form->SqlType, 1);
    EXPECT_TRUE(app.Dialogs().empty());

    module->powerData = "";
    form->LoadRights();
    EXPECT_EQ(form->FunctionRights, Elements({{15, 29}}));
    ASSERT_EQ(app.Dialogs().size(), 1u);
    EXPECT_EQ(app.Dialogs()[0].Text, "您没有执行本作业的权限! ");

    // A refused connection leaves the rights as they were.
    TfrmRadical* refused = NewForm();
    auto* refusing = CreateComponent<TLinkedModule>(refused);
    refusing->accepts = false;
    refusing->powerData = ",Y";
    refused->DataModule = refusing;
    refused->Brokers->SetSysValue("SYS001", "not a number");
    refused->LoadRights();
    EXPECT_EQ(refused->DateOrder, 1);
    EXPECT_EQ(refused->FunctionRights, InitialFunctionRights());
    EXPECT_EQ(refused->Brokers->UserGroup, "");
    EXPECT_EQ(refusing->dateSeparator, "") << "the settings reach the module before it connects";

    // Closing the window closes the data module's connections.
    refused->Close();
    EXPECT_EQ(refusing->closed, 1);
}

TEST_F(RadicalFormTest, TheProgramFormCreatesItsDataModuleAndKnowsItsVersion) {
    TfrmTdef05* form = NewForm<TfrmTdef05>();
    EXPECT_EQ(form->VersionText, "880811-0.00.01");
    ASSERT_NE(form->DataModule, nullptr);
    EXPECT_EQ(form->DataModule->ClassName(), "TdmTdef05");
    EXPECT_EQ(form->DataModule->Owner(), form);
    EXPECT_EQ(form->Caption(), "文档信息录入作业");
    EXPECT_EQ(TRKForm::LanguageClasses(*form, true, false),
              (std::vector<std::string>{"TRKForm", "TfrmRadical", "TfrmBase", "TfrmSingle", "TfrmDouble", "TfrmTdef05"}));
    EXPECT_EQ(TRKForm::LanguageClasses(*form, true, true),
              (std::vector<std::string>{"TfrmRadical", "TfrmBase", "TfrmSingle", "TfrmDouble", "TfrmTdef05"}));
    EXPECT_EQ(TRKForm::LanguageClasses(*form, false, false), (std::vector<std::string>{"TfrmTdef05"}));
    EXPECT_EQ(TRKForm::LanguageClasses(*form->DataModule, true, true),
              (std::vector<std::string>{"TdmRadical", "TdmBase", "TdmSingle", "TdmDouble", "TdmTdef05"}));
}

TEST_F(RadicalFormTest, StartProgramTurnsTheParametersIntoAConnectedWindow) {
    auto validator = std::make_shared<TRecordingDispatch>();
    validator->On("CheckValue", [](VarArgs& a) {
        a.at(4).Assign(VarArrayOf({"文档信息录入作业", " P01 ", "", "", "", "", "", "N", ""}));
        return Variant(true);
    });
    auto counter = std::make_shared<TRecordingDispatch>();
    counter->On("GetSysInfo", [](VarArgs&) {
        Variant settings = VarArrayCreate(0, 1, 0, 0);
        settings.At(0, 0) = "RKT002";
        settings.At(1, 0) = "测试公司";
        return settings;
    });
    TfrmRadical* form = NewForm();
    auto* module = CreateComponent<TLinkedModule>(form);
    module->powerData = ",Y";
    form->DataModule = module;
    form->LibraryPath = "/opt/velora/Tdef05C.so";
    form->Brokers->HostManager = Variant(DispatchPtr(MakeManager({}, validator, counter)));
    form->Show();

    EXPECT_TRUE(form->StartProgram(VarArrayOf({"U1", "C1", "D1", 123, "extra"})));
    EXPECT_FALSE(form->Visible()) << "the host shows the window";
    EXPECT_EQ(form->Brokers->UserId, "U1");
    EXPECT_EQ(form->Brokers->CompanyId, "C1");
    EXPECT_EQ(form->Brokers->DatabaseName, "D1");
    EXPECT_EQ(form->Brokers->ProgramId, "TDEF05");
    EXPECT_EQ(counter->CallsOf("GetSysInfo").at(0).Args.at(0), Variant("C1"));
    EXPECT_EQ(form->FunctionRights, ParsePowerData(",Y")) << "LoadRights ran";
    EXPECT_EQ(module->localized, 1);
    EXPECT_EQ(form->Caption(), "文档信息录入作业[测试公司]");
    EXPECT_EQ(form->HostWindow, 123);
    EXPECT_EQ(form->ExtraStartValue, Variant("extra"));
    EXPECT_EQ(form->PrintProgramId, "P01");
    EXPECT_EQ(form->DatabaseName, "D1");
    EXPECT_TRUE(form->CodeConversionDone);
    EXPECT_TRUE(app.Dialogs().empty());
}
