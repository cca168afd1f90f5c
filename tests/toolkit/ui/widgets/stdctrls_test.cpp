// Edits, memos, combo boxes, list boxes, check boxes, radio buttons and radio groups as a user
// and as code use them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/toolkit/ui/UiTestSupport.h"
#include "toolkit/ui/graphics/RecordingCanvas.h"
#include "toolkit/ui/kernel/KeyInput.h"
#include "toolkit/ui/widgets/ExtCtrls.h"
#include "toolkit/ui/widgets/StdCtrls.h"

namespace {
using StdCtrlsTest = UiTest;

template <class T>
T* Place(TForm* form, const std::string& name) {
    auto* c = CreateComponent<T>(form);
    c->SetName(name);
    c->SetParent(form);
    return c;
}
}  // namespace

TEST_F(StdCtrlsTest, EditTypingSelectionAndLimits) {
    TOwnedPtr<TForm> form(CreateComponent<TForm>(nullptr));
    auto* edit = Place<TEdit>(form.get(), "edtName");
    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };

    edit->SetText("abc");
    EXPECT_EQ(changes, 1) << "code changes raise OnChange too";
    EXPECT_FALSE(edit->Modified());
    EXPECT_EQ(edit->SelStart(), 0);

    form->Show();
    edit->SetFocus();
    EXPECT_EQ(edit->SelLength(), 3) << "AutoSelect selects everything on entry";
    SimulateTyping(edit, "文档");
    EXPECT_EQ(edit->Text(), "文档") << "typing replaces the selection";
    EXPECT_TRUE(edit->Modified());
    EXPECT_EQ(edit->SelStart(), 2) << "positions count characters, not bytes";
    SimulateKeystroke(edit, VK_LEFT);
    SimulateTyping(edit, "X");
    EXPECT_EQ(edit->Text(), "文X档");
    SimulateKeystroke(edit, VK_HOME, {ssShift});
    EXPECT_EQ(edit->SelText(), "文X");
    SimulateKeystroke(edit, VK_DELETE);
    EXPECT_EQ(edit->Text(), "档");
    SimulateKeystroke(edit, VK_END);
    SimulateKeystroke(edit, VK_BACK);
    EXPECT_EQ(edit->Text(), "");

    // Upper case, the length limit (with a beep), read-only and password display.
    edit->SetCharCase(ecUpperCase);
    edit->SetMaxLength(3);
    SimulateTyping(edit, "abcd");
    EXPECT_EQ(edit->Text(), "ABC");
    EXPECT_EQ(beeps->Count(), 1);
    edit->SetReadOnly(true);
    SimulateKeystroke(edit, VK_BACK);
    SimulateTyping(edit, "z");
    EXPECT_EQ(edit->Text(), "ABC");
    edit->SetPasswordChar("*");
    EXPECT_EQ(edit->DisplayText(), "***");
    edit->SetReadOnly(false);
    edit->SelectAll();
    edit->SetSelText("q");
    EXPECT_EQ(edit->Text(), "Q") << "the selection is replaced, upper-cased";
    form->Hide();
}

TEST_F(StdCtrlsTest, MemoLinesAndTextAreOneText) {
    TOwnedPtr<TForm> form(CreateComponent<TForm>(nullptr));
    auto* memo = Place<TMemo>(form.get(), "Memo1");
    memo->Lines()->Add("first");
    memo->Lines()->Add("second");
    EXPECT_EQ(memo->Text(), "first\r\nsecond");
    memo->SetText("a\r\nb\r\nc");
    EXPECT_EQ(memo->Lines()->Count(), 3);
    EXPECT_EQ((*memo->Lines())[2], "c");
    SetPropValue(memo, "Lines_4", "e");
    EXPECT_EQ(memo->Lines()->Count(), 5) << "a line beyond the end pads with empty lines";
    EXPECT_EQ(memo->Text(), "a\r\nb\r\nc\r\n\r\ne");

    form->Show();
    memo->SetFocus();
    memo->SetSelStart(1);
    SimulateKeystroke(memo, VK_RETURN);
    EXPECT_EQ(memo->Lines()->Strings(0), "a");
    EXPECT_EQ(memo->Lines()->Strings(1), "") << "Enter breaks the line instead of pressing a default button";
    EXPECT_EQ(form->ActiveControl(), memo);

    // Disabled memos and edits show their text greyed.
    auto* edit = Place<TEdit>(form.get(), "Edit1");
    edit->SetText("x");
    for (TWinControl* control : {static_cast<TWinControl*>(memo), static_cast<TWinControl*>(edit)}) {
        control->SetEnabled(false);
        TRecordingCanvas canvas;
        control->PaintTo(canvas);
        bool drawn = false;
        for (const TCanvasOp& op : canvas.Ops())
            if (op.Kind == TCanvasOp::opText && !op.Text.empty()) {
                drawn = true;
                EXPECT_EQ(op.FontColor, clGrayText) << control->Name() << " " << op.Text;
            }
        EXPECT_TRUE(drawn) << control->Name();
    }
    form->Hide();
}

TEST_F(StdCtrlsTest, ComboBoxItemsTextAndUserChanges) {
    TOwnedPtr<TForm> form(CreateComponent<TForm>(nullptr));
    auto* combo = Place<TComboBox>(form.get(), "cboKind");
    combo->Items()->AddStrings(std::vector<std::string>{"Apple", "Banana", "Cherry"});
    std::vector<std::string> log;
    combo->OnChange = [&](TObject*) { log.push_back("change " + combo->Text()); };
    combo->OnSelect = [&](TObject*) { log.push_back("select " + std::to_string(combo->ItemIndex())); };

    combo->SetItemIndex(1);
    EXPECT_EQ(combo->Text(), "Banana");
    combo->SetText("cherry");
    EXPECT_EQ(combo->ItemIndex(), 2) << "text set by code selects the matching item";
    combo->SetText("Durian");
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(combo->Text(), "Durian") << "an editable combo box keeps any text";
    EXPECT_TRUE(log.empty()) << "code changes raise no OnChange";

    form->Show();
    combo->SetFocus();
    SimulateKeystroke(combo, VK_DOWN);
    EXPECT_EQ(combo->ItemIndex(), 0);
    SimulateTyping(combo, "Kiwi");
    EXPECT_EQ(combo->Text(), "Kiwi") << "entering selects the text, typing replaces it";
    EXPECT_EQ(log, (std::vector<std::string>{"change Apple", "select 0", "change K", "change Ki", "change Kiw", "change Kiwi"}));

    // The list style shows only items: typing a letter picks the next item starting with it.
    combo->SetStyle(csDropDownList);
    EXPECT_EQ(combo->Text(), "");
    combo->SetText("Nothing");
    EXPECT_EQ(combo->Text(), "");
    log.clear();
    SimulateTyping(combo, "c");
    EXPECT_EQ(combo->Text(), "Cherry");
    SimulateKeystroke(combo, VK_UP);
    EXPECT_EQ(combo->Text(), "Banana");
    EXPECT_EQ(log, (std::vector<std::string>{"change Cherry", "select 2", "change Banana", "select 1"}));

    // Translated items keep the selection; F4 drops the list down.
    SetPropValue(combo, "Items_1", "香蕉");
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), "香蕉");
    int drops = 0;
    combo->OnDropDown = [&](TObject*) { ++drops; };
    SimulateKeystroke(combo, VK_F4);
    EXPECT_TRUE(combo->DroppedDown());
    SimulateKeystroke(combo, VK_ESCAPE);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(drops, 1);
    EXPECT_EQ(form->ModalResult(), mrNone);

    // Owner-drawn items are drawn by the handler.
    combo->SetStyle(csOwnerDrawFixed);
    std::vector<int> drawn;
    combo->OnDrawItem = [&](TWinControl* control, int index, TRect rect, TOwnerDrawState state) {
        drawn.push_back(index);
        control->Canvas()->TextOut(rect.Left, rect.Top, "<" + combo->Items()->Strings(index) + ">");
    };
    TRecordingCanvas canvas;
    combo->PaintItem(canvas, 2, Bounds(0, 0, 100, 16), {odSelected});
    EXPECT_EQ(drawn, (std::vector<int>{2}));
    EXPECT_EQ(canvas.Texts(), (std::vector<std::string>{"<Cherry>"}));
    form->Hide();
}

TEST_F(StdCtrlsTest, ListBoxesSelectAndCheckItems) {
    TOwnedPtr<TForm> form(CreateComponent<TForm>(nullptr));
    auto* list = Place<TListBox>(form.get(), "ListBox1");
    list->Items()->AddStrings(std::vector<std::string>{"a", "b", "c", "d"});
    int clicks = 0;
    list->OnClick = [&](TObject*) { ++clicks; };
    form->Show();
    list->SetFocus();
    SimulateKeystroke(list, VK_DOWN);
    SimulateKeystroke(list, VK_DOWN);
    EXPECT_EQ(list->ItemIndex(), 1);
    SimulateKeystroke(list, VK_END);
    EXPECT_EQ(list->ItemIndex(), 3);
    EXPECT_EQ(clicks, 3);
    // A click picks the item under the mouse (items are ItemHeight high).
    list->Perform(WM_LBUTTONDOWN, 0, MakeLParam(5, list->ItemHeight() * 2 + 3));
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(list->ItemAtPos({5, 1000}, true), -1);
    EXPECT_EQ(list->ItemAtPos({5, 1000}, false), 4);

    list->SetMultiSelect(true);
    list->Perform(WM_LBUTTONDOWN, ShiftStateToWParam({ssCtrl}), MakeLParam(5, 1));
    EXPECT_EQ(list->SelCount(), 2);
    EXPECT_TRUE(list->Selected(0));
    EXPECT_TRUE(list->Selected(2));
    list->Items()->Delete(0);
    EXPECT_EQ(list->Count(), 3);

    // Check marks travel with their lines.
    auto* checks = Place<TCheckListBox>(form.get(), "ListBox2");
    checks->Items()->AddStrings(std::vector<std::string>{"x", "y", "z"});
    int checkClicks = 0;
    checks->OnClickCheck = [&](TObject*) { ++checkClicks; };
    checks->SetChecked(2, true);
    checks->Items()->Move(2, 0);
    EXPECT_TRUE(checks->Checked(0));
    EXPECT_FALSE(checks->Checked(2));
    checks->SetFocus();
    checks->SetItemIndex(1);
    SimulateKeystroke(checks, VK_SPACE);
    EXPECT_TRUE(checks->Checked(1));
    EXPECT_EQ(checkClicks, 1);
    form->Hide();
}

TEST_F(StdCtrlsTest, CheckBoxesRadioButtonsAndRadioGroups) {
    TOwnedPtr<TForm> form(CreateComponent<TForm>(nullptr));
    auto* check = Place<TCheckBox>(form.get(), "chkBody");
    std::vector<std::string> log;
    check->OnClick = [&](TObject*) { log.push_back(check->Checked() ? "on" : "off"); };
    check->SetChecked(true);
    form->Show();
    check->SetFocus();
    SimulateKeystroke(check, VK_SPACE);
    check->SetAllowGrayed(true);
    check->Perform(WM_LBUTTONUP, 0, MakeLParam(2, 2));
    check->Perform(WM_LBUTTONUP, 0, MakeLParam(2, 2));
    EXPECT_EQ(check->State(), cbGrayed);
    EXPECT_EQ(log, (std::vector<std::string>{"on", "off", "on", "off"}));

    auto* r1 = Place<TRadioButton>(form.get(), "rb1");
    auto* r2 = Place<TRadioButton>(form.get(), "rb2");
    r1->SetChecked(true);
    r2->SetChecked(true);
    EXPECT_FALSE(r1->Checked()) << "radio buttons of one parent exclude each other";

    auto* group = Place<TRadioGroup>(form.get(), "rgLogic");
    group->Items()->AddStrings(std::vector<std::string>{"AND", "OR", "NOT"});
    group->SetColumns(2);
    int groupClicks = 0;
    group->OnClick = [&](TObject*) { ++groupClicks; };
    ASSERT_EQ(group->ButtonCount(), 3);
    EXPECT_EQ(group->Buttons(1)->Caption(), "OR");
    EXPECT_GT(group->Buttons(2)->Left(), group->Buttons(0)->Left()) << "the third item goes to the second column";
    group->SetItemIndex(0);
    EXPECT_TRUE(group->Buttons(0)->Checked());
    group->Buttons(1)->SetFocus();
    SimulateKeystroke(nullptr, VK_SPACE);
    EXPECT_EQ(group->ItemIndex(), 1) << "the user checks a button of the group";
    EXPECT_FALSE(group->Buttons(0)->Checked());
    EXPECT_EQ(groupClicks, 2);
    EXPECT_FALSE(r2->Checked() && group->Buttons(1)->Checked() && false);
    EXPECT_TRUE(r2->Checked()) << "the group's buttons do not uncheck buttons outside it";
    group->Items()->Delete(2);
    EXPECT_EQ(group->ButtonCount(), 2);
    form->Hide();
}
