#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/toolkit/ui/UiTestSupport.h"
#include "toolkit/ui/kernel/KeyInput.h"
#include "toolkit/ui/widgets/ExtCtrls.h"

namespace {

using ControlsTest = UiTest;

// A form with: btnA, pnl (btnP1, btnP2), btnB, in that tab order.
struct FocusForm {
    TOwnedPtr<TForm> form{CreateComponent<TForm>(nullptr)};
    TButton* btnA;
    TWinControl* pnl;
    TButton* btnP1;
    TButton* btnP2;
    TButton* btnB;
    std::vector<std::string> log;

    FocusForm() {
        btnA = UiTest_AddButton(form.get(), "btnA");
        pnl = CreateComponent<TWinControl>(form.get());
        pnl->SetName("pnl");
        pnl->SetParent(form.get());
        btnP1 = UiTest_AddButton(pnl, "btnP1");
        btnP2 = UiTest_AddButton(pnl, "btnP2");
        btnB = UiTest_AddButton(form.get(), "btnB");
        for (TWinControl* c : std::vector<TWinControl*>{btnA, pnl, btnP1, btnP2, btnB}) {
            c->OnEnter = [this, c](TObject*) { log.push_back("enter " + c->Name()); };
            c->OnExit = [this, c](TObject*) { log.push_back("exit " + c->Name()); };
        }
    }
    static TButton* UiTest_AddButton(TWinControl* parent, const std::string& name) {
        auto* b = CreateComponent<TButton>(GetParentForm(parent));
        b->SetName(name);
        b->SetParent(parent);
        return b;
    }
};

}  // namespace

TEST_F(ControlsTest, TabOrderRenumbersTheSiblings) {
    TOwnedPtr<TForm> form(CreateComponent<TForm>(nullptr));
    std::vector<TButton*> b;
    for (int i = 0; i < 4; ++i) b.push_back(AddButton(form.get(), "b" + std::to_string(i)));
    auto orders = [&] {
        std::vector<int> o;
        for (TButton* x : b) o.push_back(x->TabOrder());
        return o;
    };
    EXPECT_EQ(orders(), (std::vector<int>{0, 1, 2, 3}));
    b[3]->SetTabOrder(0);
    EXPECT_EQ(orders(), (std::vector<int>{1, 2, 3, 0}));
    b[0]->SetTabOrder(99);  // clamped to the last place
    EXPECT_EQ(orders(), (std::vector<int>{3, 1, 2, 0}));
    b[2]->SetTabOrder(-4);  // clamped to the first place
    EXPECT_EQ(orders(), (std::vector<int>{3, 2, 0, 1}));

    // An order given before the control has a parent is applied when it gets one.
    auto* late = CreateComponent<TButton>(form.get());
    late->SetTabOrder(1);
    EXPECT_EQ(late->TabOrder(), -1);
    late->SetParent(form.get());
    EXPECT_EQ(late->TabOrder(), 1);
    EXPECT_EQ(orders(), (std::vector<int>{4, 3, 0, 2}));

    // Leaving the parent closes the gap.
    b[2]->SetParent(nullptr);
    EXPECT_EQ(b[2]->TabOrder(), -1);
    EXPECT_EQ(b[0]->TabOrder(), 3);
    SetPropValue(form->FindComponent("b1"), "TabOrder", 0);
    EXPECT_EQ(b[1]->TabOrder(), 0);
}

TEST_F(ControlsTest, FocusMovesInTabOrderWithEnterAndExitEvents) {
    FocusForm f;
    f.form->Show();
    EXPECT_EQ(f.form->ActiveControl(), f.btnA) << "activation focuses the first tab stop";
    f.log.clear();

    SimulateKeystroke(nullptr, VK_TAB);
    EXPECT_EQ(f.form->ActiveControl(), f.btnP1) << "the panel is no tab stop; its first button is next";
    EXPECT_EQ(f.log, (std::vector<std::string>{"exit btnA", "enter pnl", "enter btnP1"}));
    EXPECT_TRUE(f.btnP1->Focused());
    EXPECT_EQ(Screen->ActiveControl(), f.btnP1);

    f.btnP2->SetEnabled(false);
    f.log.clear();
    SimulateKeystroke(nullptr, VK_TAB);
    EXPECT_EQ(f.form->ActiveControl(), f.btnB) << "a disabled control is skipped";
    EXPECT_EQ(f.log, (std::vector<std::string>{"exit btnP1", "exit pnl", "enter btnB"}));

    f.btnA->SetVisible(false);
    SimulateKeystroke(nullptr, VK_TAB);
    EXPECT_EQ(f.form->ActiveControl(), f.btnP1) << "wraps around, skipping the hidden control";
    SimulateKeystroke(nullptr, VK_TAB, {ssShift});
    EXPECT_EQ(f.form->ActiveControl(), f.btnB) << "Shift+Tab goes back";

    EXPECT_THROW(f.btnA->SetFocus(), EInvalidOperation);
    EXPECT_THROW(f.btnP2->SetFocus(), EInvalidOperation);
    f.pnl->SetVisible(false);
    f.btnP2->SetEnabled(true);
    EXPECT_FALSE(f.btnP2->CanFocus()) << "inside a hidden panel";
    EXPECT_EQ(f.form->FindNextControl(f.btnB, true, true, false), f.btnB);
    f.form->Hide();
}

TEST_F(ControlsTest, ExitHandlersMayKeepTheFocus) {
    FocusForm f;
    f.form->Show();
    // A refusal by exception leaves the focus where it was.
    f.btnA->OnExit = [](TObject*) { throw Exception("invalid date"); };
    EXPECT_THROW(f.btnB->SetFocus(), Exception);
    EXPECT_EQ(f.form->ActiveControl(), f.btnA);

    // A handler that puts the focus back wins over the move under way.
    f.btnA->OnExit = [&](TObject*) { f.btnA->SetFocus(); };
    f.log.clear();
    f.btnB->SetFocus();
    EXPECT_EQ(f.form->ActiveControl(), f.btnA);
    EXPECT_TRUE(f.log.empty());
    f.btnA->OnExit = nullptr;
    f.form->Hide();
}

TEST_F(ControlsTest, ControlsGoingAwayLeaveNoFocusBehind) {
    FocusForm f;
    f.form->Show();
    f.btnP1->SetFocus();
    f.btnP1->Free();
    EXPECT_EQ(f.form->ActiveControl(), nullptr);
    EXPECT_EQ(f.pnl->ControlCount(), 1);
    EXPECT_EQ(f.form->FindComponent("btnP1"), nullptr);

    f.btnP2->SetFocus();
    f.pnl->SetVisible(false);
    EXPECT_EQ(f.form->ActiveControl(), nullptr) << "hiding the panel takes the focus from inside it";

    // Freeing the panel frees the controls inside it, which its owner (the form) forgets.
    f.pnl->Free();
    EXPECT_EQ(f.form->FindComponent("btnP2"), nullptr);
    EXPECT_EQ(f.form->ControlCount(), 2);
    f.form->Hide();
}

TEST_F(ControlsTest, ChildrenFollowTheParentsFontAndColourUntilGivenTheirOwn) {
    TOwnedPtr<TForm> form(CreateComponent<TForm>(nullptr));
    TButton* follower = AddButton(form.get(), "follower");
    TButton* own = AddButton(form.get(), "own");
    own->Font()->SetName("Tahoma");
    EXPECT_FALSE(own->ParentFont());
    EXPECT_TRUE(follower->ParentFont());

    form->Font()->SetName("SimSun");
    form->Font()->SetCharset(GB2312_CHARSET);
    EXPECT_EQ(follower->Font()->Name(), "SimSun");
    EXPECT_EQ(follower->Font()->Charset(), GB2312_CHARSET);
    EXPECT_TRUE(follower->ParentFont());
    EXPECT_EQ(own->Font()->Name(), "Tahoma");

    own->SetParentFont(true);
    EXPECT_EQ(own->Font()->Name(), "SimSun");

    follower->SetParentColor(true);
    form->SetColor(clYellow);
    EXPECT_EQ(follower->Color(), clYellow);
    EXPECT_EQ(own->Color(), clBtnFace);
}

TEST_F(ControlsTest, AlignedControlsFillTheirParent) {
    TOwnedPtr<TForm> form(CreateComponent<TForm>(nullptr));
    form->SetBounds(0, 0, 200, 100);
    TButton* top = AddButton(form.get(), "top");
    top->SetHeight(20);
    top->SetAlign(alTop);
    TButton* left = AddButton(form.get(), "left");
    left->SetWidth(30);
    left->SetAlign(alLeft);
    TButton* client = AddButton(form.get(), "client");
    client->SetAlign(alClient);
    EXPECT_EQ((std::vector<int>{top->Left(), top->Top(), top->Width(), top->Height()}), (std::vector<int>{0, 0, 200, 20}));
    EXPECT_EQ((std::vector<int>{left->Left(), left->Top(), left->Width(), left->Height()}), (std::vector<int>{0, 20, 30, 80}));
    EXPECT_EQ((std::vector<int>{client->Left(), client->Top(), client->Width(), client->Height()}),
              (std::vector<int>{30, 20, 170, 80}));
    int resized = 0;
    client->OnResize = [&](TObject*) { ++resized; };
    form->SetBounds(0, 0, 300, 150);
    EXPECT_EQ(client->Width(), 270);
    EXPECT_EQ(client->Height(), 130);
    EXPECT_EQ(resized, 1);
    top->SetVisible(false);
    EXPECT_EQ(client->Top(), 0);
}

TEST_F(ControlsTest, PopupMenuFreedElsewhereLeavesNoDanglingPointer) {
    TOwnedPtr<TForm> form(CreateComponent<TForm>(nullptr));
    TButton* button = AddButton(form.get(), "btn");
    TComponent* menu = CreateComponent<TComponent>(nullptr);
    button->SetPopupMenu(menu);
    EXPECT_EQ(GetObjectProp(button, "PopupMenu"), menu);
    menu->Free();
    EXPECT_EQ(button->PopupMenu(), nullptr);

    TComponent* sibling = CreateComponent<TComponent>(form.get());  // same owner: told through it
    button->SetPopupMenu(sibling);
    sibling->Free();
    EXPECT_EQ(button->PopupMenu(), nullptr);
}

TEST_F(ControlsTest, HandlesAreAllocatedOnDemandAndFoundByClass) {
    TComponentRef<TForm> form = CreateComponent<TForm>(nullptr);
    form->SetWindowClassName("Host_MainMenu");
    form->SetCaption("主菜单");
    TButton* button = AddButton(form.Get(), "btn");
    EXPECT_FALSE(form->HandleAllocated());
    HWND buttonHandle = button->Handle();
    EXPECT_TRUE(form->HandleAllocated()) << "a child's handle needs its parent's";
    HWND handle = form->Handle();
    EXPECT_NE(handle, buttonHandle);
    EXPECT_EQ(Application->FindControl(handle), form.Get());
    EXPECT_EQ(Application->FindWindow("host_mainmenu"), handle);
    EXPECT_EQ(Application->FindWindow("", "主菜单"), handle);
    EXPECT_EQ(Application->FindWindow("Host_MainMenu", "其他"), 0);
    EXPECT_EQ(Application->FindWindow("TButton"), 0) << "only top-level windows";
    EXPECT_EQ(button->WindowClassName(), "TButton");

    form->Free();
    EXPECT_EQ(Application->FindControl(handle), nullptr);
    EXPECT_EQ(Application->FindControl(buttonHandle), nullptr);
    EXPECT_FALSE(Application->PostMessage(handle, WM_USER));
    EXPECT_EQ(Application->FindWindow("Host_MainMenu"), 0);
}

TEST_F(ControlsTest, MouseMessagesRaiseMouseEvents) {
    TOwnedPtr<TForm> form(CreateComponent<TForm>(nullptr));
    TButton* button = AddButton(form.get(), "btn");
    std::vector<std::string> seen;
    button->OnMouseDown = [&](TObject*, TMouseButton b, TShiftState s, int x, int y) {
        seen.push_back("down " + std::to_string(b) + " " + std::to_string(s.Contains(ssLeft)) + " " +
                       std::to_string(s.Contains(ssCtrl)) + " " + std::to_string(x) + "," + std::to_string(y));
    };
    button->OnDblClick = [&](TObject*) { seen.push_back("double"); };
    button->Perform(WM_LBUTTONDOWN, ShiftStateToWParam({ssCtrl}), MakeLParam(3, -4));
    button->Perform(WM_LBUTTONDBLCLK, 0, MakeLParam(5, 6));
    EXPECT_EQ(seen, (std::vector<std::string>{"down 0 1 1 3,-4", "double", "down 0 1 0 5,6"}));

    // The wheel: a signed delta, the shift state and the screen position; the handler says whether it
    // took the turn.
    int delta = 0;
    TPoint at;
    bool ctrl = false;
    button->OnMouseWheel = [&](TObject*, TShiftState s, int wheelDelta, TPoint pos, bool& handled) {
        delta = wheelDelta;
        at = pos;
        ctrl = s.Contains(ssCtrl);
        handled = wheelDelta < 0;
    };
    auto wheel = [&](int notchDelta, TShiftState shift) {
        WPARAM w = (static_cast<WPARAM>(static_cast<std::uint16_t>(static_cast<std::int16_t>(notchDelta))) << 16) |
                   ShiftStateToWParam(shift);
        return button->Perform(WM_MOUSEWHEEL, w, MakeLParam(300, 200));
    };
    EXPECT_EQ(wheel(-120, {ssCtrl}), 1);
    EXPECT_EQ(delta, -120);
    EXPECT_EQ(at, (TPoint{300, 200}));
    EXPECT_TRUE(ctrl);
    EXPECT_EQ(wheel(240, {}), 0) << "not handled: the control scrolls as usual";
    EXPECT_EQ(delta, 240);
}

TEST_F(ControlsTest, ClientAndScreenCoordinatesGoThroughEveryParent) {
    TOwnedPtr<TForm> form(CreateComponent<TForm>(nullptr));
    form->SetBounds(100, 50, 400, 300);
    auto* panel = CreateComponent<TPanel>(form.get());
    panel->SetParent(form.get());
    panel->SetBounds(10, 20, 200, 100);
    TButton* button = AddButton(panel, "btnInner");
    button->SetBounds(5, 6, 50, 20);
    EXPECT_EQ(button->ClientToScreen({1, 2}), (TPoint{116, 78}));
    EXPECT_EQ(button->ScreenToClient({116, 78}), (TPoint{1, 2}));
    EXPECT_EQ(form->ScreenToClient({100, 50}), (TPoint{0, 0}));
    form->SetBounds(0, 0, 400, 300);
    EXPECT_EQ(button->ClientToScreen({}), (TPoint{15, 26})) << "follows the form as it moves";
}

TEST_F(ControlsTest, DeletingInsteadOfFreeingLeavesNoDanglingLinks) {
    TForm* other = CreateComponent<TForm>(nullptr);
    other->Show();
    FocusForm* f = new FocusForm;
    f->form->Show();
    f->btnP1->SetFocus();
    HWND handle = f->form->Handle();
    TComponent* extra = CreateComponent<TComponent>(f->form.get());  // owned, not a control

    delete f->btnP1;  // a focused child deleted directly
    EXPECT_EQ(f->form->ActiveControl(), nullptr);
    EXPECT_EQ(f->pnl->ControlCount(), 1);
    EXPECT_EQ(f->form->FindComponent("btnP1"), nullptr);

    TComponentRef<TComponent> extraRef(extra);
    TForm* form = f->form.release();
    delete form;  // skips BeforeDestruction: the destructors still unlink everything
    EXPECT_FALSE(extraRef);
    EXPECT_EQ(Application->FindControl(handle), nullptr);
    EXPECT_EQ(Screen->FormCount(), 1);
    EXPECT_EQ(Screen->ActiveForm(), other);
    delete f;
    other->Free();
}
