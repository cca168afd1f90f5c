// The controller's own bookkeeping on a form it holds: mode parameters, start values, the modal show.
#include <gtest/gtest.h>

#include <algorithm>

#include "host/DLLMTCtrller.h"
#include "tests/testkit/ScriptedApp.h"

namespace {

struct EventLog {
    std::vector<std::int32_t> events;
    void Heard(std::int32_t code, TDLLBaseController*) { events.push_back(code); }
};

}  // namespace

TEST(Controller, RunModesKeepTheirParameterWhereTheFormNeedsIt) {
    bool keeps = true;
    EXPECT_EQ(TDLLMTCtrller::FormRunMode(3, keeps), 3);
    EXPECT_FALSE(keeps);
    EXPECT_EQ(TDLLMTCtrller::FormRunMode(10, keeps), 9);
    EXPECT_TRUE(keeps);

    TScriptedApp app;
    TDLLMTCtrller controller;
    controller.ProgramForm = CreateComponent<TfrmRadical>(nullptr);
    TfrmRadical& form = *controller.ProgramForm;
    for (int mode : {7, 8, 10}) {
        form.RunModeParam = Variant();
        controller.SetRunMode(mode, 0xFF, "values " + std::to_string(mode));
        EXPECT_EQ(form.RunModeParam, Variant("values " + std::to_string(mode))) << mode;
    }
    for (int mode : {1, 6, 12, 13}) {
        form.RunModeParam = "kept";
        controller.SetRunMode(mode, 0xFF, "not taken");
        EXPECT_EQ(form.RunModeParam, Variant("kept")) << mode;
    }
    EXPECT_EQ(controller.SetStartParameter(VarArrayOf({0, VarArrayOf({"text", 42})})), 0);
    EXPECT_EQ(form.StartParamText, "text");
    EXPECT_EQ(form.StartParamValue, Variant(42));
    EXPECT_EQ(controller.SetStartParameter(VarArrayOf({0, VarArrayOf({"alone"})})), -1) << "a pair of one";
}

TEST(Controller, ShowProgramModalHandsBackTheReturnValueAndClosesTheWindow) {
    TScriptedApp app;
    app.ModalLoop().When("TfrmRadical", [](TCustomForm& shown) {
        static_cast<TfrmRadical&>(shown).ReturnValue = VarArrayOf({"MC001", "A01"});
        shown.SetModalResult(mrOk);
    });
    EventLog log;
    TDLLMTCtrller controller;
    controller.OnHostNotify = THostNotifyEvent::Of<EventLog, &EventLog::Heard>(&log);
    controller.ProgramForm = CreateComponent<TfrmRadical>(nullptr);
    controller.CreateProgram(VarArrayOf({"DS", "DEMO", "DEMO", 0, ""}));  // hooks the events
    log.events.clear();

    Variant result;
    controller.ShowProgramModal(result);
    EXPECT_EQ(result, VarArrayOf({"MC001", "A01"}));
    EXPECT_TRUE(controller.IsProgramClosed());
    EXPECT_EQ(controller.ReturnValue, result);
    ASSERT_FALSE(log.events.empty());
    EXPECT_EQ(log.events.front(), 272);
    EXPECT_EQ(log.events.back(), 304);
    EXPECT_NE(std::find(log.events.begin(), log.events.end(), 320), log.events.end());
}
