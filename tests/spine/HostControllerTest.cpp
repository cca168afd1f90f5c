// The controller as the work center drives it: registrations, the version check, run modes and
// rights, the events of showing and closing, and the state once the window is gone.
#include <algorithm>

#include "host/ControllerClass.h"
#include "tests/spine/SpineHost.h"
#include "tests/testkit/DispatchDoubles.h"
#include "toolkit/data/DataSet.h"
#include "toolkit/data/Field.h"

namespace {

std::string ExceptionText(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "(no exception)";
}

std::vector<std::string> MessageTexts(const TScriptedApp& app) {
    std::vector<std::string> texts;
    for (const TShownMessage& m : const_cast<TScriptedApp&>(app).Messages().Shown()) texts.push_back(m.Text);
    return texts;
}

}  // namespace

TEST_F(SpineHost, MissingRegistrationsRaiseTheInternalErrors) {
    auto* controllerClass = static_cast<TDLLControllerClass*>(host.Symbol("DLLControllerClass"));
    auto* formClass = static_cast<TRadicalFormClass*>(host.Symbol("frmRadicalClass"));
    ASSERT_NE(controllerClass, nullptr);
    ASSERT_NE(formClass, nullptr);
    EXPECT_STREQ(controllerClass->Name, "TDLLMTCtrller");
    EXPECT_EQ(formClass->ClassName(), "TfrmTdef05");

    const TDLLControllerClass savedController = *controllerClass;
    *controllerClass = {};
    EXPECT_EQ(ExceptionText([&] { host.NewController(Manager()); }),
              "RKT DLL Internal Error :\rNot Assign \"DLLControllerClass\" varible");
    *controllerClass = savedController;

    auto controller = NewController();
    const TRadicalFormClass savedForm = *formClass;
    *formClass = {};
    EXPECT_EQ(ExceptionText([&] { controller->CreateProgram(TScriptedHost::StartParams()); }),
              "RKT DLL Internal Error :\rNot Assign \"frmRadicalClass\" varible");
    *formClass = savedForm;
    EXPECT_TRUE(controller->IsProgramClosed());
    EXPECT_TRUE(host.Events().empty());
}

TEST_F(SpineHost, OnlyAHostOfDependencyVersion8000IsAccepted) {
    struct Case {
        Variant hostManager;
        std::vector<std::string> boxes;
        std::string exception;
    };
    auto managerWith = [](int version) {
        auto m = std::make_shared<THostManager>();
        m->SetDependencyVersion(version);
        return Variant(DispatchPtr(m));
    };
    const std::vector<Case> cases{
        {managerWith(8001),
         {"This program's version is too old, please update.", "TorvaneWorkCenter version too old,please update!"},
         "TorvaneWorkCenter version too old,please update!This program's version is too old, please update."},
        {managerWith(7999),
         {"TorvaneWorkCenter version too old,please update.", "TorvaneWorkCenter version too old,please update!"},
         "TorvaneWorkCenter version too old,please update!TorvaneWorkCenter version too old,please update."},
        {Variant(DispatchPtr(
             std::make_shared<THiddenMembers>(std::make_shared<THostManager>(), std::set<std::string>{"DependencyVersion"}))),
         {"TorvaneWorkCenter version too old,please update!"},
         "TorvaneWorkCenter version too old,please update!Unknown name."},
    };
    for (const Case& c : cases) {
        app.Messages().Clear();
        host.ClearEvents();
        auto controller = host.NewController(c.hostManager);
        EXPECT_EQ(ExceptionText([&] { controller->CreateProgram(TScriptedHost::StartParams()); }), c.exception);
        EXPECT_EQ(MessageTexts(app), c.boxes);
        EXPECT_TRUE(host.Events().empty()) << "no creation event for a refused host";
        // The refused form stays with the controller until it is closed.
        EXPECT_FALSE(controller->IsProgramClosed());
        controller.reset();
    }

    host.ClearEvents();
    app.Messages().Clear();
    auto accepted = host.NewController(managerWith(8000));
    EXPECT_EQ(accepted->CreateProgram(TScriptedHost::StartParams()), 0);
    EXPECT_EQ(host.Events(), std::vector<std::int32_t>{256});
    EXPECT_TRUE(MessageTexts(app).empty());
}

TEST_F(SpineHost, HostRunModesMapToFormRunModes) {
    auto controller = StartedController(false);
    const std::vector<std::pair<int, int>> modes{{1, 1}, {2, 2},  {3, 3},  {4, 4},   {5, 5},   {6, 0},  {7, 7}, {8, 8},
                                                 {9, 0}, {10, 9}, {11, 0}, {12, 10}, {13, 11}, {14, 0}, {0, 0}, {-3, 0}};
    for (auto [hostMode, formMode] : modes) {
        EXPECT_EQ(controller->SetRunMode(hostMode, 0xFF, "parameter"), 0);
        EXPECT_EQ(FormProperty(*controller, "RunMode").AsInteger(), formMode) << "host mode " << hostMode;
    }
    auto withoutWindow = NewController();
    EXPECT_EQ(withoutWindow->SetRunMode(1, 0xFF, Variant()), -1);
}

TEST_F(SpineHost, HostRightsOnlyTakeCommandRightsAway) {
    auto controller = StartedController(false);
    EXPECT_EQ(FormProperty(*controller, "CommandRights").AsInteger(), 511);
    controller->SetRunMode(0, 0, Variant());
    EXPECT_EQ(FormProperty(*controller, "CommandRights").AsInteger(), 256);
    controller->SetRunMode(0, 0xFF, Variant());
    EXPECT_EQ(FormProperty(*controller, "CommandRights").AsInteger(), 256) << "rights are never added back";

    // Bits 0 and 3 keep elements 0 and 1; element 8 is not the host's.
    auto other = StartedController(false);
    other->SetRunMode(0, 1 | 8, Variant());
    EXPECT_EQ(FormProperty(*other, "CommandRights").AsInteger(), 1 + 2 + 256);
    // Bit 1 keeps element 3, bit 2 element 2, bits 4..7 elements 4..7.
    auto third = StartedController(false);
    third->SetRunMode(0, 2 | 32, Variant());
    EXPECT_EQ(FormProperty(*third, "CommandRights").AsInteger(), 8 + 32 + 256);
    auto fourth = StartedController(false);
    fourth->SetRunMode(0, 4 | 128, Variant());
    EXPECT_EQ(FormProperty(*fourth, "CommandRights").AsInteger(), 4 + 128 + 256);
}

TEST_F(SpineHost, ClosingTellsTheHostAndLeavesTheResults) {
    auto controller = StartedController();
    EXPECT_EQ(host.Events(), (std::vector<std::int32_t>{256, 272}));
    EXPECT_EQ(controller->GetVisible(), -1);
    EXPECT_NE(controller->GetWindowHandle(), 0);
    std::string version;
    controller->GetProgramVersion(version);
    EXPECT_EQ(version, "880811-0.00.01");
    controller->SetRunMode(7, 0xFF, Variant());

    host.ClearEvents();
    controller->CloseProgram(false);
    const auto& events = host.Events();
    ASSERT_GE(events.size(), 2u);
    EXPECT_EQ(events.front(), 320);
    EXPECT_EQ(events.back(), 304);
    EXPECT_EQ(std::count(events.begin(), events.end(), 320), 1);

    EXPECT_TRUE(controller->IsProgramClosed());
    EXPECT_EQ(controller->GetVisible(), 0);
    EXPECT_EQ(controller->GetWindowHandle(), 0);
    EXPECT_EQ(controller->ResultCode, 1) << "run mode 7 ends with result code 1";
    EXPECT_TRUE(controller->ReturnValue.IsEmpty());
    Variant info = "untouched";
    EXPECT_EQ(controller->GetConnectInfo(info), -1);
    EXPECT_EQ(info, Variant("untouched"));
    EXPECT_EQ(controller->SetStartParameter(VarArrayOf({0, "x"})), -1);
    version = "kept";
    controller->GetProgramVersion(version);
    EXPECT_EQ(version, "kept");

    // Silent: destroyed without the closing event; a second window on the same controller.
    host.ClearEvents();
    EXPECT_EQ(controller->CreateProgram(TScriptedHost::StartParams()), 0);
    controller->SetVisible(true);
    controller->CloseProgram(true);
    EXPECT_EQ(std::count(host.Events().begin(), host.Events().end(), 320), 0);
    EXPECT_EQ(host.Events().front(), 256);
    EXPECT_EQ(host.Events().back(), 304);
    EXPECT_EQ(controller->ResultCode, 0) << "a silent close does not run the close handler";
    EXPECT_TRUE(controller->IsProgramClosed());
    controller->CloseProgram(false);  // nothing left to close
    EXPECT_EQ(host.Events().back(), 304);
}

TEST_F(SpineHost, DestroyingTheControllerClosesTheWindow) {
    auto controller = StartedController();
    TComponentRef<TCustomForm> window(TScriptedHost::ProgramWindow(*controller));
    ASSERT_TRUE(window);
    host.ClearEvents();
    controller.reset();
    EXPECT_FALSE(window);
    ASSERT_FALSE(host.Events().empty());
    EXPECT_EQ(host.Events().front(), 320);
    EXPECT_EQ(host.Events().back(), 304);
}

TEST_F(SpineHost, CreateProgramAgainStartsANewWindowOrRestartsTheOldOne) {
    auto controller = StartedController();
    HWND first = controller->GetWindowHandle();

    // Again while the window exists: no second window; the start-up hides it, and each event still
    // reaches the host once.
    host.ClearEvents();
    EXPECT_EQ(controller->CreateProgram(TScriptedHost::StartParams()), 0);
    EXPECT_EQ(controller->GetWindowHandle(), first);
    controller->SetVisible(true);
    EXPECT_EQ(host.Events(), (std::vector<std::int32_t>{288, 272}));

    controller->CloseProgram(false);
    host.ClearEvents();
    EXPECT_EQ(controller->CreateProgram(TScriptedHost::StartParams()), 0);
    EXPECT_FALSE(controller->IsProgramClosed());
    EXPECT_EQ(host.Events(), std::vector<std::int32_t>{256});
    controller->SetVisible(true);
    EXPECT_EQ(controller->GetVisible(), -1);
}

TEST_F(SpineHost, ConnectInfoAndCaptionComeFromTheCompanyDatabase) {
    auto controller = StartedController();
    Variant info;
    ASSERT_EQ(controller->GetConnectInfo(info), 0);
    EXPECT_EQ(info, VarArrayOf({"DS", "DEMO", "TDEF05", "文档信息录入作业"}));
    EXPECT_EQ(TScriptedHost::ProgramWindow(*controller)->Caption(), "文档信息录入作业[演示公司]");
    EXPECT_EQ(FormProperty(*controller, "LibraryPath").AsString(), host.LibraryPath());
}

TEST_F(SpineHost, StartingTheProgramOpensItsHeaderFromTheProgramInformation) {
    auto controller = StartedController(false);
    TCustomForm* form = TScriptedHost::ProgramWindow(*controller);
    ASSERT_NE(form, nullptr);
    TComponent* module = nullptr;
    for (TComponent* c : form->ComponentList())
        if (c->ClassName() == "TdmTdef05") module = c;
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(GetPropValue(module, "MainTable").AsString(), "ADMMC");
    EXPECT_EQ(GetPropValue(module, "KeyFields").AsString(), "MC001");
    auto* header = dynamic_cast<TDataSet*>(module->FindComponent("cdsMain"));
    ASSERT_NE(header, nullptr);
    ASSERT_TRUE(header->Active());
    EXPECT_EQ(header->FieldByName("FLAG")->DisplayLabel(), "标识");
    EXPECT_GT(header->RecordCount(), 0) << "the demo company's documents";
}

TEST_F(SpineHost, StartParameterIsElementOneOfTheHostsArray) {
    auto controller = StartedController(false);
    EXPECT_EQ(controller->SetStartParameter(VarArrayOf({"ignored", "plain text"})), 0);
    EXPECT_EQ(FormProperty(*controller, "StartParamText").AsString(), "plain text");
    EXPECT_EQ(controller->SetStartParameter(VarArrayOf({"ignored", VarArrayOf({"text of a pair", 42})})), 0);
    EXPECT_EQ(FormProperty(*controller, "StartParamText").AsString(), "text of a pair");
    EXPECT_EQ(controller->SetStartParameter(VarArrayOf({"ignored", Variant::Null()})), 0);
    EXPECT_EQ(FormProperty(*controller, "StartParamText").AsString(), "");
    EXPECT_EQ(controller->SetStartParameter(VarArrayOf({"only one element"})), -1);
    EXPECT_EQ(controller->SetStartParameter("not an array"), -1);
}

TEST_F(SpineHost, TheUsersRightsComeFromTheServerAtConnect) {
    auto bits = [](std::initializer_list<int> elements) {
        std::int64_t value = 0;
        for (int e : elements) value |= std::int64_t{1} << e;
        return value;
    };
    // CLERK: ",N,N,YYNNNYYYYNNN,NNNNNNN,NNNNNNN".
    auto clerk = NewController();
    ASSERT_EQ(clerk->CreateProgram(TScriptedHost::StartParams("CLERK")), 0);
    EXPECT_EQ(FormProperty(*clerk, "FunctionRights").AsInt64(),
              bits({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 37, 38, 42, 32, 33, 36}));
    EXPECT_TRUE(app.Dialogs().empty());

    // GUEST has no rights for the program: E/000004 and only the placeholder elements.
    auto guest = NewController();
    ASSERT_EQ(guest->CreateProgram(TScriptedHost::StartParams("GUEST")), 0);
    ASSERT_EQ(app.Dialogs().size(), 1u);
    EXPECT_EQ(app.Dialogs()[0].Text, "您没有执行本作业的权限! ");
    EXPECT_EQ(app.Dialogs()[0].Caption, "文档信息录入作业");
    EXPECT_EQ(FormProperty(*guest, "FunctionRights").AsInt64(),
              bits({15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29}));
}
