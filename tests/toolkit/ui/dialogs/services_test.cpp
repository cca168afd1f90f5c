#include <gtest/gtest.h>

#include "tests/toolkit/ui/UiTestSupport.h"
#include "toolkit/ui/dialogs/Dialogs.h"
#include "toolkit/ui/kernel/KeyInput.h"

namespace {
using ServicesTest = UiTest;
}

TEST_F(ServicesTest, ScriptedMessagesAreRecordedWithTheirAnswers) {
    messages->QueueAnswer(mrCancel);
    messages->QueueAnswer([](const TShownMessage& m) { return m.Request.Buttons.Contains(mbNo) ? mrNo : mrOk; });
    EXPECT_EQ(MessageDlg("是否继续?", mtConfirmation, mbOKCancel), mrCancel);
    EXPECT_EQ(MessageDlg("删除?", mtWarning, mbYesNoCancel), mrNo);
    EXPECT_EQ(messages->PendingAnswers(), 0u);
    // Without a queued answer the default button answers.
    EXPECT_EQ(MessageDlg("出错了", mtError, {mbOK}), mrOk);
    EXPECT_EQ(MessageDlg("重试?", mtError, mbAbortRetryIgnore), mrRetry);
    EXPECT_EQ(MessageDlg("放弃?", mtError, mbAbortIgnore), mrCancel) << "no default button and no cancel button";

    ASSERT_EQ(messages->Count(), 5);
    const TShownMessage& first = messages->Shown()[0];
    EXPECT_EQ(first.Kind, TShownMessage::Dialog);
    EXPECT_EQ(first.Text, "是否继续?");
    EXPECT_EQ(first.Caption, "确认");
    EXPECT_EQ(first.Request.DlgType, mtConfirmation);
    EXPECT_EQ(first.Request.Buttons, mbOKCancel);
    EXPECT_EQ(first.Request.DefaultButton, mbOK);
    EXPECT_EQ(first.Answer, mrCancel);
    EXPECT_EQ(messages->Shown()[1].Caption, "警告");
    EXPECT_EQ(messages->Shown()[2].Caption, "错误");

    // A caller's own caption, default button, captions and font travel to the service.
    TMessageDlgRequest request;
    request.Text = "保存失败";
    request.Caption = "示例窗口";
    request.DlgType = mtWarning;
    request.Buttons = mbYesNoCancel;
    request.DefaultButton = mbNo;
    request.ButtonCaptions[mbYes] = "是(&Y)";
    request.FontName = "SimSun";
    request.FontCharset = 134;
    EXPECT_EQ(MessageDlg(request), mrNo);
    EXPECT_EQ(messages->Last().Caption, "示例窗口");
    EXPECT_EQ(messages->Last().Request.ButtonCaptions.at(mbYes), "是(&Y)");
    EXPECT_EQ(messages->Last().Request.FontCharset, 134);

    // Message boxes answer by their default-button flag.
    EXPECT_EQ(Application->MessageBox("版本太旧", "Error!!", MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(Application->MessageBox("版本太旧", "Error!!", MB_OK | MB_ICONERROR), IDOK);
    messages->QueueAnswer(IDRETRY);
    EXPECT_EQ(Application->MessageBox("重试", "", MB_RETRYCANCEL), IDRETRY);
    EXPECT_EQ(messages->Last().Kind, TShownMessage::Box);
    EXPECT_EQ(messages->Last().Flags, MB_RETRYCANCEL);

    // Strict: an unexpected message is an error, and still on record.
    messages->SetStrict(true);
    EXPECT_THROW(ShowMessage("意外"), EInvalidOperation);
    EXPECT_EQ(messages->Last().Text, "意外");
    EXPECT_EQ(messages->Last().Caption, Application->Title()) << "a custom dialog shows the application title";
}

TEST_F(ServicesTest, ExceptionsAreShownExceptSilentAborts) {
    Application->SetTitle("Sample");
    try {
        throw EAbort();
    } catch (...) {
        Application->HandleException(nullptr);
    }
    EXPECT_EQ(messages->Count(), 0);
    try {
        throw EDatabaseError("保存失败");
    } catch (...) {
        Application->HandleException(nullptr);
    }
    try {
        throw Exception("Version too old, please update!");
    } catch (...) {
        Application->HandleException(nullptr);
    }
    ASSERT_EQ(messages->Count(), 2);
    EXPECT_EQ(messages->Shown()[0].Text, "保存失败.");
    EXPECT_EQ(messages->Shown()[0].Caption, "Sample");
    EXPECT_EQ(messages->Shown()[0].Flags, MB_OK | MB_ICONSTOP);
    EXPECT_EQ(messages->Shown()[1].Text, "Version too old, please update!");

    std::string seen;
    Application->OnException = [&](TObject*, const std::exception& e) { seen = e.what(); };
    try {
        throw Exception("logged");
    } catch (...) {
        Application->HandleException(nullptr);
    }
    Application->OnException = nullptr;
    EXPECT_EQ(seen, "logged");
    EXPECT_EQ(messages->Count(), 2);

    // Exceptions from message handlers do not escape the message loop.
    TOwnedPtr<TForm> form(CreateComponent<TForm>(nullptr));
    form->SetMessageHandler(WM_USER, [](TMessage&) { throw Exception("handler failed"); });
    Application->PostMessage(form->Handle(), WM_USER);
    EXPECT_NO_THROW(Application->ProcessMessages());
    EXPECT_EQ(messages->Last().Text, "handler failed.");
}

TEST_F(ServicesTest, MessageDialogFormHasNamedButtons) {
    TOwnedPtr<TMessageForm> dialog(CreateMessageDialog("确定删除?", mtConfirmation, mbYesNoCancel));
    EXPECT_EQ(dialog->Caption(), "确认");
    EXPECT_EQ(dialog->MessageText(), "确定删除?");
    auto* yes = dynamic_cast<TButton*>(dialog->FindComponent("Yes"));
    auto* no = dynamic_cast<TButton*>(dialog->FindComponent("No"));
    auto* cancel = dynamic_cast<TButton*>(dialog->FindComponent("Cancel"));
    ASSERT_TRUE(yes && no && cancel);
    EXPECT_EQ(dialog->FindComponent("OK"), nullptr);
    EXPECT_EQ(yes->Caption(), "是(&Y)");
    EXPECT_EQ(yes->ModalResult(), mrYes);
    EXPECT_TRUE(yes->Default()) << "Yes is the default without OK";
    EXPECT_TRUE(cancel->Cancel());
    EXPECT_EQ(dialog->ActiveControl(), yes);
    EXPECT_LT(yes->TabOrder(), no->TabOrder());
    EXPECT_LT(no->Left(), cancel->Left());

    // Shown modally, Escape answers with the cancel button and Enter with the focused one.
    modal->WhenNext("TMessageForm", [](TCustomForm&) { SimulateKeystroke(nullptr, VK_ESCAPE); });
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    modal->WhenNext("TMessageForm", [](TCustomForm& form) {
        SimulateKeystroke(nullptr, VK_TAB);
        SimulateKeystroke(nullptr, VK_RETURN);
    });
    EXPECT_EQ(dialog->ShowModal(), mrNo);

    TMessageDlgRequest request;
    request.Text = "x";
    request.Buttons = {mbOK, mbHelp};
    request.ButtonCaptions[mbOK] = "确定";
    TOwnedPtr<TMessageForm> custom(CreateMessageDialog(request));
    EXPECT_EQ(dynamic_cast<TButton*>(custom->FindComponent("OK"))->Caption(), "确定");
    EXPECT_EQ(dynamic_cast<TButton*>(custom->FindComponent("Help"))->ModalResult(), mrNone);
}

TEST_F(ServicesTest, BeepsAndTheBusyCursor) {
    for (int i = 0; i < 3; ++i) Application->MessageBeep();
    EXPECT_EQ(beeps->Count(), 3);
    EXPECT_EQ(Screen->Cursor(), crDefault);
    int changes = 0;
    Screen->OnCursorChange = [&](TObject*) { ++changes; };
    {
        TCursorScope busy;
        EXPECT_EQ(Screen->Cursor(), crHourGlass);
        {
            TCursorScope nested(crHandPoint);
            EXPECT_EQ(Screen->Cursor(), crHandPoint);
        }
        EXPECT_EQ(Screen->Cursor(), crHourGlass);
    }
    Screen->OnCursorChange = nullptr;
    EXPECT_EQ(Screen->Cursor(), crDefault);
    EXPECT_EQ(changes, 4);

    // Replacing a service hands back the previous one.
    auto mine = std::make_shared<THeadlessBeepService>();
    std::shared_ptr<IBeepService> previous = Application->SetBeepService(mine);
    EXPECT_EQ(previous.get(), beeps.get());
    Application->MessageBeep(0x30);
    EXPECT_EQ(mine->Beeps(), std::vector<unsigned>{0x30});
    Application->SetBeepService(previous);
    EXPECT_EQ(beeps->Count(), 3);
}
