#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/toolkit/ui/UiTestSupport.h"
#include "toolkit/ui/kernel/DataModule.h"
#include "toolkit/ui/kernel/KeyInput.h"

namespace {

using FormsTest = UiTest;

// A dialog built in its constructor, as program forms are: OK (default) and Cancel buttons.
class TTestDialog : public TForm {
    TK_CLASS(TTestDialog, TForm)
public:
    explicit TTestDialog(TComponent* owner) : TForm(owner) {
        btnOK = CreateComponent<TButton>(this);
        btnOK->SetName("btnOK");
        btnOK->SetModalResult(mrOk);
        btnOK->SetDefault(true);
        btnOK->SetParent(this);
        btnCancel = CreateComponent<TButton>(this);
        btnCancel->SetName("btnCancel");
        btnCancel->SetModalResult(mrCancel);
        btnCancel->SetCancel(true);
        btnCancel->SetParent(this);
        OnCreate = [this](TObject*) { foundAtCreate = FindComponent("BTNOK") != nullptr; };
    }
    TButton* btnOK;
    TButton* btnCancel;
    bool foundAtCreate = false;
};

class TCopyDialog : public TTestDialog {
    TK_CLASS(TCopyDialog, TTestDialog)
public:
    explicit TCopyDialog(TComponent* owner) : TTestDialog(owner) {}
};

}  // namespace

TEST_F(FormsTest, CreateHandlerRunsOnceTheFormIsComplete) {
    TOwnedPtr<TCopyDialog> form(CreateComponent<TCopyDialog>(nullptr));
    EXPECT_TRUE(form->foundAtCreate) << "OnCreate sees the components the constructors made";
    EXPECT_FALSE(form->Visible());

    // An exception in OnCreate is shown, and the form still exists.
    struct TFailing : TForm {
        explicit TFailing(TComponent* o) : TForm(o) {
            OnCreate = [](TObject*) { throw Exception("start failed"); };
        }
    };
    TOwnedPtr<TFailing> failing(CreateComponent<TFailing>(nullptr));
    ASSERT_EQ(messages->Count(), 1);
    EXPECT_EQ(messages->Last().Text, "start failed.");
    EXPECT_EQ(messages->Last().Flags, MB_OK | MB_ICONSTOP);

    // Data modules likewise.
    int created = 0, destroyed = 0;
    struct TModule : TDataModule {
        TModule(TComponent* o, int& c, int& d) : TDataModule(o), destroyedCount(d) {
            OnCreate = [&c](TObject*) { ++c; };
            OnDestroy = [this](TObject*) { ++destroyedCount; };
        }
        int& destroyedCount;
    };
    TModule* module = CreateComponent<TModule>(nullptr, created, destroyed);
    EXPECT_EQ(created, 1);
    EXPECT_EQ(Screen->DataModuleCount(), 1);
    module->Free();
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(Screen->DataModuleCount(), 0);
}

TEST_F(FormsTest, ShowAndHideRaiseTheirEventsOnChangeOnly) {
    std::vector<std::string> log;  // outlives the form, whose handlers write to it
    TOwnedPtr<TTestDialog> form(CreateComponent<TTestDialog>(nullptr));
    form->OnShow = [&](TObject*) { log.push_back("show"); };
    form->OnHide = [&](TObject*) { log.push_back("hide"); };
    form->OnActivate = [&](TObject*) { log.push_back("activate"); };
    form->Show();
    form->Show();
    form->SetVisible(true);
    EXPECT_TRUE(form->Visible());
    EXPECT_TRUE(form->Active());
    EXPECT_EQ(Screen->ActiveForm(), form.get());
    form->Hide();
    form->Hide();
    EXPECT_EQ(log, (std::vector<std::string>{"show", "activate", "hide"}));
    EXPECT_EQ(Screen->ActiveForm(), nullptr);

    // The controller's way: keep the previous handler, install one that calls it, put it back.
    TNotifyEvent saved = form->OnShow;
    form->OnShow = [&, saved](TObject* sender) {
        if (saved) saved(sender);
        log.push_back("notify host");
    };
    log.clear();
    form->Show();
    EXPECT_EQ(log, (std::vector<std::string>{"show", "notify host", "activate"}));
    form->OnShow = saved;
    form->Hide();

    // Changing the visibility from OnShow is refused (and reported).
    form->OnShow = [&](TObject*) { form->Hide(); };
    form->Show();
    EXPECT_TRUE(form->Visible());
    ASSERT_EQ(messages->Count(), 1);
    EXPECT_EQ(messages->Last().Text, "Cannot change Visible in OnShow or OnHide.");
}

TEST_F(FormsTest, CloseQueryAndCloseActions) {
    TOwnedPtr<TForm> form(CreateComponent<TForm>(nullptr));
    bool allow = false;
    TCloseAction chosen = caHide;
    int closes = 0;
    form->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = allow; };
    form->OnClose = [&](TObject*, TCloseAction& action) {
        ++closes;
        action = chosen;
    };
    form->Show();
    form->Close();
    EXPECT_TRUE(form->Visible()) << "the close query refused";
    EXPECT_EQ(closes, 0);

    allow = true;
    chosen = caNone;
    form->Close();
    EXPECT_TRUE(form->Visible());
    chosen = caMinimize;
    form->Close();
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(form->WindowState(), wsMinimized);
    chosen = caHide;
    form->Close();
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(closes, 3);

    // caFree releases: the form lives on until the queued messages are processed.
    form->Show();
    chosen = caFree;
    TComponentRef<TForm> ref(form.release());
    int destroyed = 0;
    ref->OnDestroy = [&](TObject*) { ++destroyed; };
    ref->Perform(WM_CLOSE);
    ASSERT_TRUE(ref);
    EXPECT_EQ(destroyed, 0);
    Application->ProcessMessages();
    EXPECT_FALSE(ref);
    EXPECT_EQ(destroyed, 1);

    // Closing the main form ends the application.
    TOwnedPtr<TForm> main(CreateComponent<TForm>(nullptr));
    Application->SetMainForm(main.get());
    main->Close();
    EXPECT_TRUE(Application->Terminated());
    main.reset();
    EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST_F(FormsTest, KeyPreviewLetsTheFormConsumeKeysFirst) {
    std::vector<std::string> log;
    TOwnedPtr<TTestDialog> form(CreateComponent<TTestDialog>(nullptr));
    form->OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
        log.push_back("form " + std::to_string(key));
        if (key == VK_F2) key = 0;
    };
    form->OnKeyPress = [&](TObject*, char32_t& key) {
        log.push_back("form char " + std::to_string(static_cast<int>(key)));
        if (key == U'a') key = 0;
    };
    form->btnCancel->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { log.push_back("button " + std::to_string(key)); };
    form->btnCancel->OnKeyPress = [&](TObject*, char32_t& key) {
        log.push_back("button char " + std::to_string(static_cast<int>(key)));
    };
    form->Show();
    form->btnCancel->SetFocus();

    SimulateKeystroke(nullptr, VK_F2);
    EXPECT_EQ(log, (std::vector<std::string>{"button 113"})) << "without key preview the form sees nothing";

    form->SetKeyPreview(true);
    log.clear();
    SimulateKeystroke(nullptr, VK_F2);
    SimulateKeystroke(nullptr, VK_F3);
    SimulateKeystroke(nullptr, 'A');
    SimulateKeystroke(nullptr, 'B', {ssShift});
    EXPECT_EQ(log, (std::vector<std::string>{"form 113", "form 114", "button 114", "form 65", "button 65", "form char 97",
                                             "form 66", "button 66", "form char 66", "button char 66"}));
    form->Hide();
}

TEST_F(FormsTest, EnterAndEscapePressTheDefaultAndCancelButtons) {
    TOwnedPtr<TTestDialog> form(CreateComponent<TTestDialog>(nullptr));
    int okClicks = 0, cancelClicks = 0;
    form->btnOK->OnClick = [&](TObject*) { ++okClicks; };
    form->btnCancel->OnClick = [&](TObject*) { ++cancelClicks; };
    auto* other = CreateComponent<TWinControl>(form.get());
    other->SetParent(form.get());
    other->SetTabStop(true);
    form->Show();
    other->SetFocus();

    SimulateKeystroke(nullptr, VK_RETURN);
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(form->ModalResult(), mrOk);
    SimulateKeystroke(nullptr, VK_ESCAPE);
    EXPECT_EQ(cancelClicks, 1);
    EXPECT_EQ(form->ModalResult(), mrCancel);

    // Enter on a focused button presses that button, not the default one.
    form->btnCancel->SetFocus();
    SimulateKeystroke(nullptr, VK_RETURN);
    EXPECT_EQ(cancelClicks, 2);
    EXPECT_EQ(okClicks, 1);
    SimulateKeystroke(nullptr, VK_SPACE);
    EXPECT_EQ(cancelClicks, 3);

    // A disabled default button does not answer; Enter then reaches KeyPress.
    form->btnOK->SetEnabled(false);
    other->SetFocus();
    char32_t pressed = 0;
    form->SetKeyPreview(true);
    form->OnKeyPress = [&](TObject*, char32_t& key) { pressed = key; };
    SimulateKeystroke(nullptr, VK_RETURN);
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(pressed, U'\r');
    form->Hide();
}

TEST_F(FormsTest, ModalResultEndsAScriptedModalLoop) {
    std::vector<std::string> seen;
    modal->When("TTestDialog", [&](TCustomForm& form) {
        seen.push_back("shown " + form.ClassName() + (form.Visible() ? " visible" : ""));
        SimulateKeystroke(nullptr, VK_RETURN);  // presses the default OK button
    });
    TOwnedPtr<TCopyDialog> dialog(CreateComponent<TCopyDialog>(nullptr));
    dialog->SetCaption("复制");
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_FALSE(dialog->Visible());
    EXPECT_FALSE(dialog->Modal());
    EXPECT_EQ(dialog->ModalResult(), mrOk);
    EXPECT_EQ(seen, (std::vector<std::string>{"shown TCopyDialog visible"})) << "a script for a base class applies";

    // A script for the class itself, once, comes before the base's.
    modal->WhenNext("TCopyDialog", [](TCustomForm& form) { form.SetModalResult(mrAbort); });
    EXPECT_EQ(dialog->ShowModal(), mrAbort);
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    ASSERT_EQ(modal->Showings().size(), 3u);
    EXPECT_EQ(modal->Showings()[1].ClassName, "TCopyDialog");
    EXPECT_EQ(modal->Showings()[1].Caption, "复制");
    EXPECT_EQ(modal->Showings()[1].Result, mrAbort);
    EXPECT_TRUE(modal->Showings()[1].Scripted);

    EXPECT_THROW(
        {
            dialog->Show();
            dialog->ShowModal();
        },
        EInvalidOperation);
    dialog->Hide();
}

TEST_F(FormsTest, ModalFormsNobodyAnswersAreCancelled) {
    TOwnedPtr<TTestDialog> dialog(CreateComponent<TTestDialog>(nullptr));
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    EXPECT_FALSE(modal->Showings().back().Scripted);

    // A close query that refuses once: the first answer is refused, a later one stands.
    int queries = 0;
    dialog->OnCloseQuery = [&](TObject*, bool& canClose) {
        canClose = ++queries > 1;
        if (!canClose) Application->PostMessage(dialog->Handle(), WM_USER + 1);  // answers again later
    };
    modal->When("TTestDialog", [](TCustomForm& form) { form.SetModalResult(mrOk); });
    dialog->SetMessageHandler(WM_USER + 1, [&](TMessage&) { dialog->SetModalResult(mrYes); });
    EXPECT_EQ(dialog->ShowModal(), mrYes);
    EXPECT_EQ(queries, 2);

    // A form that never lets itself close still does not hang.
    dialog->OnCloseQuery = [](TObject*, bool& canClose) { canClose = false; };
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    dialog->OnCloseQuery = nullptr;

    // Strict scripts reject unscripted modal forms.
    modal->Clear();
    modal->SetStrict(true);
    EXPECT_THROW(dialog->ShowModal(), EInvalidOperation);
    EXPECT_FALSE(dialog->Visible());
}

TEST_F(FormsTest, CloseFreeInAModalLoopReleasesAfterIt) {
    modal->When("TTestDialog", [](TCustomForm& form) { form.Close(); });
    TComponentRef<TTestDialog> dialog(CreateComponent<TTestDialog>(nullptr));
    dialog->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    ASSERT_TRUE(dialog) << "released, not freed at once";
    Application->ProcessMessages();
    EXPECT_FALSE(dialog);
}

TEST_F(FormsTest, PostedMessagesWaitForTheQueueAndSentOnesDoNot) {
    TOwnedPtr<TForm> form(CreateComponent<TForm>(nullptr));
    std::vector<std::string> log;
    form->SetMessageHandler(WM_USER + 10, [&](TMessage& m) {
        log.push_back("F2 " + std::to_string(m.LParam));
        m.Result = 7;
    });
    HWND handle = form->Handle();
    EXPECT_TRUE(Application->PostMessage(handle, WM_USER + 10, 0, 1));
    EXPECT_TRUE(Application->PostMessage(handle, WM_USER + 10, 0, 2));
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(Application->PendingMessageCount(), 2u);
    EXPECT_EQ(Application->SendMessage(handle, WM_USER + 10, 0, 3), 7);
    EXPECT_EQ(log, (std::vector<std::string>{"F2 3"}));
    Application->ProcessMessages();
    EXPECT_EQ(log, (std::vector<std::string>{"F2 3", "F2 1", "F2 2"}));

    // The installed handler can be saved, replaced and put back; without one the class handles it.
    TMessageHandler saved = form->MessageHandler(WM_USER + 10);
    form->SetMessageHandler(WM_USER + 10, [&](TMessage&) { log.push_back("replaced"); });
    form->Perform(WM_USER + 10);
    form->SetMessageHandler(WM_USER + 10, saved);
    form->Perform(WM_USER + 10, 0, 4);
    EXPECT_EQ(log.back(), "F2 4");
    EXPECT_EQ(log[log.size() - 2], "replaced");

    // A thread message reaches OnMessage only.
    int threadMessages = 0;
    Application->OnMessage = [&](TMsg& msg, bool& handled) {
        if (msg.hwnd == 0 && msg.message == WM_USER + 99) {
            ++threadMessages;
            handled = true;
        }
    };
    Application->PostMessage(0, WM_USER + 99);
    Application->ProcessMessages();
    Application->OnMessage = nullptr;
    EXPECT_EQ(threadMessages, 1);

    // Messages queued before a release are delivered first; those for a freed window are dropped.
    form->SetMessageHandler(WM_USER + 11, [&](TMessage&) { log.push_back("before release"); });
    Application->PostMessage(handle, WM_USER + 11);
    TComponentRef<TForm> ref(form.release());
    ref->Release();
    Application->PostMessage(handle, WM_USER + 11);
    Application->ProcessMessages();
    EXPECT_FALSE(ref);
    EXPECT_EQ(std::count(log.begin(), log.end(), "before release"), 1);
    EXPECT_FALSE(Application->HasPendingMessages());
}

TEST_F(FormsTest, DestroyingAVisibleFormHidesItBeforeItsComponentsGo) {
    TOwnedPtr<TForm> other(CreateComponent<TForm>(nullptr));
    other->Show();
    TTestDialog* form = CreateComponent<TTestDialog>(nullptr);
    form->Show();
    EXPECT_EQ(Screen->ActiveForm(), form);
    std::vector<std::string> log;
    form->OnHide = [&](TObject* sender) {
        log.push_back(std::string("hide, OK button ") +
                      (static_cast<TComponent*>(sender)->FindComponent("btnOK") ? "there" : "gone"));
    };
    form->OnDestroy = [&](TObject* sender) {
        log.push_back(std::string("destroy, OK button ") +
                      (static_cast<TComponent*>(sender)->FindComponent("btnOK") ? "there" : "gone"));
    };
    form->Free();
    EXPECT_EQ(log, (std::vector<std::string>{"hide, OK button there", "destroy, OK button there"}));
    EXPECT_EQ(Screen->ActiveForm(), other.get()) << "the next visible form becomes active";
    EXPECT_EQ(Screen->FormCount(), 1);
}

TEST_F(FormsTest, PaintingAndFocusMessages) {
    TOwnedPtr<TTestDialog> form(CreateComponent<TTestDialog>(nullptr));
    int paints = 0;
    form->OnPaint = [&](TObject*) { ++paints; };
    form->Show();
    form->Invalidate();
    EXPECT_EQ(paints, 0) << "painting waits for the queue";
    Application->ProcessMessages();
    EXPECT_EQ(paints, 1) << "repeated invalidations paint once";

    EXPECT_EQ(form->ActiveControl(), form->btnOK);
    form->Perform(WM_NEXTDLGCTL, 0, 0);
    EXPECT_EQ(form->ActiveControl(), form->btnCancel);
    form->Perform(WM_NEXTDLGCTL, static_cast<WPARAM>(form->btnOK->Handle()), 1);
    EXPECT_EQ(form->ActiveControl(), form->btnOK);
    form->Hide();
}
