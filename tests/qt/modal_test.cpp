// Modal loops on Qt and message dialogs shown as real windows.
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "tests/qt/QtTestSupport.h"
#include "toolkit/qt/QtMessageService.h"
#include "toolkit/ui/dialogs/Dialogs.h"

using ModalTest = QtTest;

TEST_F(ModalTest, ModalLoopsEndByResultRefusalFreeingOrTermination) {
    auto* form = CreateComponent<TForm>(Application);
    TButton* ok = AddButton(form, "btnOK", 10, 10);
    ok->SetModalResult(mrOk);

    // A message posted to the form is delivered by the Qt loop; the button then answers.
    bool posted = false;
    form->SetMessageHandler(WM_USER + 1, [&](TMessage&) {
        posted = true;
        QTimer::singleShot(0, [&] { QTest::mouseClick(WidgetOf(ok), Qt::LeftButton); });
    });
    QTimer::singleShot(0, [&] { Application->PostMessage(form->Handle(), WM_USER + 1); });
    EXPECT_EQ(form->ShowModal(), mrOk);
    EXPECT_TRUE(posted);
    EXPECT_FALSE(Window(form)->isVisible());

    // OnCloseQuery may refuse a result; the loop goes on until it accepts.
    int asked = 0;
    form->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = ++asked > 1; };
    QTimer::singleShot(0, [&] { form->SetModalResult(mrYes); });
    QTimer::singleShot(10, [&] { form->SetModalResult(mrNo); });
    EXPECT_EQ(form->ShowModal(), mrNo);
    EXPECT_EQ(asked, 2);
    form->OnCloseQuery = nullptr;

    // Nested: a modal form over a modal form.
    auto* inner = CreateComponent<TForm>(Application);
    int innerResult = mrNone;
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(0, [&] { inner->SetModalResult(mrRetry); });
        innerResult = inner->ShowModal();
        form->SetModalResult(mrAbort);
    });
    EXPECT_EQ(form->ShowModal(), mrAbort);
    EXPECT_EQ(innerResult, mrRetry);

    // Terminating the application cancels the modal form.
    QTimer::singleShot(0, [] { Application->Terminate(); });
    EXPECT_EQ(form->ShowModal(), mrCancel);
    Application->ClearTerminated();

    // A form released while modal ends its loop.
    QTimer::singleShot(0, [&] { inner->Release(); });
    TComponentRef<TForm> alive(inner);
    inner->ShowModal();
    ProcessQtEvents();
    EXPECT_FALSE(alive);
}

TEST_F(ModalTest, MessageDialogsAreWindowsWithNamedButtons) {
    TQtMessageService* service = QtMessageService();
    ASSERT_NE(service, nullptr);
    service->Clear();
    std::vector<std::string> names;
    std::string focusedName;
    QString noCaption;
    QString fontFamily;
    service->OnShown = [&](TMessageForm& form, const TShownMessage&) {
        for (int i = 0; i < form.ComponentCount(); ++i) names.push_back(form.Components(i)->Name());
        if (auto* peer = TQtPeer::FromWidget(QApplication::focusWidget())) focusedName = peer->Control().Name();
        auto* no = dynamic_cast<TButton*>(form.FindComponent("No"));
        noCaption = qobject_cast<QPushButton*>(WidgetOf(no))->text();
        fontFamily = Window(&form)->font().family();
        QTest::mouseClick(WidgetOf(no), Qt::LeftButton);
    };
    TMessageDlgRequest request;
    request.Text = "是否继续?";
    request.DlgType = mtConfirmation;
    request.Buttons = {mbYes, mbNo, mbCancel};
    request.DefaultButton = mbCancel;
    request.ButtonCaptions[mbNo] = "否(&N)";
    request.FontName = "SimSun";
    request.FontCharset = 134;
    EXPECT_EQ(MessageDlg(request), mrNo);
    EXPECT_EQ(names, (std::vector<std::string>{"Yes", "No", "Cancel"}));
    EXPECT_EQ(focusedName, "Cancel") << "the default button has the focus";
    EXPECT_EQ(noCaption, QString::fromUtf8("否(&N)"));
    EXPECT_EQ(fontFamily, QString("SimSun"));

    // Message boxes: Escape answers with the box's cancel button.
    service->OnShown = [](TMessageForm& form, const TShownMessage&) { QTest::keyClick(Window(&form), Qt::Key_Escape); };
    EXPECT_EQ(Application->MessageBox("保存失败", "Error", MB_OKCANCEL | MB_ICONSTOP), IDCANCEL);
    EXPECT_EQ(Application->MessageBox("完成", "Info", MB_OK), IDOK);
    service->OnShown = [](TMessageForm& form, const TShownMessage&) { QTest::keyClick(Window(&form), Qt::Key_Return); };
    EXPECT_EQ(Application->MessageBox("删除?", "Confirm", MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION), IDNO);
    ASSERT_EQ(service->Shown().size(), 4u);
    EXPECT_EQ(service->Shown()[1].Text, "保存失败");
    EXPECT_EQ(service->Shown()[1].Answer, IDCANCEL);
    EXPECT_EQ(service->Shown()[3].Answer, IDNO);
    service->OnShown = nullptr;
    EXPECT_EQ(Screen->FormCount(), 0) << "dialogs are freed after use";
}
