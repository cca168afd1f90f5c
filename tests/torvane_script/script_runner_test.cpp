// The script runner in process, on a window of the test's own: data grid cells typed as a user
// does, message boxes answered and checked by their codes.
#include <gtest/gtest.h>

#include <sstream>

#include "outside/torvane/desk/ScriptRunner.h"
#include "tests/outside/CompanyFixture.h"
#include "toolkit/data/ClientDataSet.h"
#include "toolkit/data/DataSource.h"
#include "toolkit/qt/QtRenderer.h"
#include "toolkit/rtl/Format.h"
#include "toolkit/ui/dialogs/Dialogs.h"
#include "toolkit/ui/grids/DBGrids.h"
#include "toolkit/ui/kernel/Application.h"
#include "toolkit/ui/kernel/Screen.h"
#include "toolkit/ui/widgets/Button.h"

namespace {

class ScriptRunnerTest : public CompanyFixture {
protected:
    void SetUp() override {
        CompanyFixture::SetUp();
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        InstallQtRenderer();
    }
    void TearDown() override {
        ProcessQtEvents();
        while (Screen->FormCount() > 0) Screen->Forms(0)->Free();
        CompanyFixture::TearDown();
    }

    int Run(TWorkCenter& center, const std::string& script) {
        out.str("");
        err.str("");
        std::string error;
        std::vector<TScriptLine> lines = ParseScript(script, error);
        EXPECT_EQ(error, "");
        TScriptRunner runner(center, out, err);
        return runner.Run(lines);
    }

    std::ostringstream out, err;
};

// A window with a grid over three rows and a button that shows a coded warning.
struct TOrdersForm {
    TForm* form;
    TClientDataSet* cdsBody;
    TDBGrid* gdBody;
    int answer = mrNone;

    explicit TOrdersForm(TWorkCenter& center) {
        form = CreateComponent<TForm>(Application);
        form->SetName("frmOrders");
        form->SetBounds(0, 0, 400, 260);
        cdsBody = CreateComponent<TClientDataSet>(form);
        cdsBody->SetName("cdsBody");
        cdsBody->FieldDefs().Add("CODE", ftString, 10);
        cdsBody->FieldDefs().Add("NAME", ftString, 20);
        cdsBody->CreateDataSet();
        for (const char* code : {"A01", "A02", "A03"})
            cdsBody->AppendRecord({Variant(code), Variant(std::string("name ") + code)});
        cdsBody->MergeChangeLog();
        cdsBody->First();
        auto* source = CreateComponent<TDataSource>(form);
        source->SetName("dsBody");
        source->SetDataSet(cdsBody);
        gdBody = CreateComponent<TDBGrid>(form);
        gdBody->SetName("gdBody");
        gdBody->SetBounds(10, 10, 380, 150);
        gdBody->SetDataSource(source);
        gdBody->SetParent(form);
        auto* ask = CreateComponent<TButton>(form);
        ask->SetName("btnAsk");
        ask->SetCaption("问");
        ask->SetBounds(10, 200, 75, 25);
        ask->SetParent(form);
        ask->OnClick = [this, &center](TObject*) {
            std::string text = VarToStr(OleCall(center.Manager(), "GetMessage", {"W", "000001"}));
            answer = MessageDlg(Format(text + " ", {Variant("A02")}), mtWarning, {mbOK, mbCancel});
        };
        form->Show();
    }
};

}  // namespace

TEST_F(ScriptRunnerTest, TypesIntoGridCellsAndAnswersCodedMessages) {
    TWorkCenter center;
    TOrdersForm orders(center);
    int code = Run(center,
                   "cell gdBody 2 NAME 新名称\n"
                   "expect-field cdsBody NAME 新名称\n"
                   "expect-field cdsBody CODE A02\n"
                   "answer Cancel\n"
                   "click btnAsk\n"
                   "expect-message W 000001\n"
                   "click btnAsk\n");
    EXPECT_EQ(code, 0) << err.str();
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(orders.cdsBody->RecNo(), 2);
    EXPECT_EQ(orders.cdsBody->FieldByName("NAME")->AsString(), "新名称");
    EXPECT_EQ(orders.answer, mrOk) << "an unanswered box takes its default button";
    std::string printed = out.str();
    EXPECT_NE(printed.find("-> Cancel"), std::string::npos) << printed;
    EXPECT_NE(printed.find("-> OK"), std::string::npos) << printed;

    // A message that was not shown, or shown before the last check, fails the run.
    code = Run(center, "click btnAsk\nexpect-message W 000001\nexpect-message W 000001\n");
    EXPECT_EQ(code, 1);
    EXPECT_NE(err.str().find("line 3: expected message W 000001, found no message"), std::string::npos) << err.str();
    code = Run(center, "answer Retry\nclick btnAsk\nexpect btnAsk Caption 问\n");
    EXPECT_EQ(code, 1);
    EXPECT_NE(err.str().find("expected a button Retry in the message box"), std::string::npos) << err.str();
    // A script that cannot run to its end does not start.
    code = Run(center, "click btnAsk\nanswer Maybe\n");
    EXPECT_EQ(code, 2);
    EXPECT_NE(err.str().find("line 2: expected a button (Yes, No"), std::string::npos) << err.str();
    EXPECT_EQ(out.str(), "") << "nothing ran";
    code = Run(center, "cell gdBody 9 NAME x\n");
    EXPECT_NE(err.str().find("line 1: expected a row 9 in gdBody, found 3 rows"), std::string::npos) << err.str();
}
