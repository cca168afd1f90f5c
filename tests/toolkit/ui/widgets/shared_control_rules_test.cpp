// Rules that several control classes keep alike: caption editing in list and tree views, image lists
// that go away, glyph properties of bit and speed buttons, pressing check boxes and radio buttons,
// and ReadOnly of the data-aware controls without an editor of their own.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/toolkit/ui/UiDataSupport.h"
#include "tests/toolkit/ui/UiTestSupport.h"
#include "toolkit/ui/dataaware/DBCtrls.h"
#include "toolkit/ui/graphics/ImgList.h"
#include "toolkit/ui/graphics/RecordingCanvas.h"
#include "toolkit/ui/grids/DBGrids.h"
#include "toolkit/ui/kernel/KeyInput.h"
#include "toolkit/ui/widgets/ComCtrls.h"
#include "toolkit/ui/widgets/GlyphButton.h"
#include "toolkit/ui/widgets/StdCtrls.h"

namespace {
using SharedControlRulesTest = UiTest;

template <class T>
T* Place(TWinControl* parent, const std::string& name) {
    auto* c = CreateComponent<T>(GetParentForm(parent) ? static_cast<TComponent*>(GetParentForm(parent)) : parent);
    c->SetName(name);
    c->SetParent(parent);
    return c;
}

// One view and how to reach its first item's caption, so that both views run the same script.
struct TEditedView {
    TWinControl* view;
    std::function<std::string()> caption;
    std::function<bool()> startEdit;
    std::function<bool()> editing;
    std::function<std::string()> editText;
    std::function<void()> deleteItem;
};

void ExpectCaptionEditing(TEditedView v, TWinControl* elsewhere, const std::string& label) {
    SCOPED_TRACE(label);
    v.view->SetFocus();
    SetPropValue(v.view, "ReadOnly", Variant(true));
    SimulateKeystroke(v.view, VK_F2);
    EXPECT_FALSE(v.editing()) << "a read-only view does not edit";
    EXPECT_EQ(VarToStr(GetPropValue(v.view, "ReadOnly")), "True");
    SetPropValue(v.view, "ReadOnly", Variant(false));

    // Backspace takes away a whole character; Escape cancels.
    SimulateKeystroke(v.view, VK_F2);
    ASSERT_TRUE(v.editing());
    EXPECT_EQ(v.editText(), "节点");
    SimulateKeystroke(v.view, VK_BACK);
    EXPECT_EQ(v.editText(), "节");
    SimulateTyping(v.view, "日");
    EXPECT_EQ(v.editText(), "节日");
    SimulateKeystroke(v.view, VK_ESCAPE);
    EXPECT_FALSE(v.editing());
    EXPECT_EQ(v.caption(), "节点");

    // Leaving the view accepts what was typed.
    SimulateKeystroke(v.view, VK_F2);
    SimulateKeystroke(v.view, VK_BACK);
    SimulateTyping(v.view, "目");
    elsewhere->SetFocus();
    EXPECT_FALSE(v.editing());
    EXPECT_EQ(v.caption(), "节目");

    // Deleting the item being edited ends the edit without storing anything.
    v.view->SetFocus();
    ASSERT_TRUE(v.startEdit());
    v.deleteItem();
    EXPECT_FALSE(v.editing());
    EXPECT_EQ(v.editText(), "");
}
}  // namespace

TEST_F(SharedControlRulesTest, ListAndTreeViewsEditCaptionsAlike) {
    TOwnedPtr<TForm> form(CreateComponent<TForm>(nullptr));
    auto* list = Place<TListView>(form.get(), "lvPlans");
    auto* tree = Place<TTreeView>(form.get(), "tvNodes");
    auto* other = AddButton(form.get(), "btnOther");
    list->Items()->Add()->SetCaption("节点");
    tree->Items()->Add(nullptr, "节点");
    list->SetItemIndex(0);
    tree->SetSelected(tree->Items()->GetFirstNode());
    std::vector<std::string> refused;
    list->OnEditing = [&](TObject*, TListItem* item, bool& allow) { allow = item->Caption() != "locked"; };
    tree->OnEditing = [&](TObject*, TTreeNode* node, bool& allow) {
        allow = node->Text() != "locked";
        if (!allow) refused.push_back(node->Text());
    };
    form->Show();

    ExpectCaptionEditing({list, [&] { return list->Items()->Count() ? list->Items()->Item(0)->Caption() : ""; },
                          [&] { return list->Items()->Item(0)->EditCaption(); }, [&] { return list->IsEditing(); },
                          [&] { return list->EditText(); }, [&] { list->Items()->Item(0)->Delete(); }},
                         other, "list view");
    ExpectCaptionEditing({tree, [&] { return tree->Items()->Count() ? tree->Items()->Item(0)->Text() : ""; },
                          [&] { return tree->Items()->Item(0)->EditText(); }, [&] { return tree->IsEditing(); },
                          [&] { return tree->EditText(); }, [&] { tree->Items()->Item(0)->Delete(); }},
                         other, "tree view");

    // OnEditing refuses, and the list view's Delete clears the text being typed.
    tree->SetSelected(tree->Items()->Add(nullptr, "locked"));
    tree->SetFocus();
    SimulateKeystroke(tree, VK_F2);
    EXPECT_FALSE(tree->IsEditing());
    EXPECT_EQ(refused, (std::vector<std::string>{"locked"}));
    list->Items()->Add()->SetCaption("旧名");
    list->SetItemIndex(0);
    list->SetFocus();
    SimulateKeystroke(list, VK_F2);
    SimulateKeystroke(list, VK_DELETE);
    SimulateTyping(list, "新名");
    SimulateKeystroke(list, VK_RETURN);
    EXPECT_EQ(list->Items()->Item(0)->Caption(), "新名");
    form->Hide();
}

TEST_F(SharedControlRulesTest, ImageListsThatGoAwayAreForgotten) {
    TOwnedPtr<TForm> form(CreateComponent<TForm>(nullptr));
    auto* list = Place<TListView>(form.get(), "lvPlans");
    auto* tree = Place<TTreeView>(form.get(), "tvNodes");
    auto* grid = Place<TDBGrid>(form.get(), "dbgBody");
    auto* first = CreateComponent<TImageList>(nullptr);
    auto* second = CreateComponent<TImageList>(nullptr);
    list->SetSmallImages(first);
    list->SetLargeImages(second);
    tree->SetImages(first);
    grid->SetTitleImageList(first);
    // Moving to another list stops watching the first one for this property.
    grid->SetTitleImageList(second);
    tree->SetImages(second);
    tree->SetImages(first);

    delete first;
    EXPECT_EQ(list->SmallImages(), nullptr);
    EXPECT_EQ(list->LargeImages(), second);
    EXPECT_EQ(tree->Images(), nullptr);
    EXPECT_EQ(grid->TitleImageList(), second);
    delete second;
    EXPECT_EQ(list->LargeImages(), nullptr);
    EXPECT_EQ(grid->TitleImageList(), nullptr);
}

TEST_F(SharedControlRulesTest, BitAndSpeedButtonsShareTheirGlyphProperties) {
    TOwnedPtr<TForm> form(CreateComponent<TForm>(nullptr));
    auto* bit = Place<TBitBtn>(form.get(), "BBOK");
    auto* speed = Place<TSpeedButton>(form.get(), "sbFind");
    for (TControl* button : std::vector<TControl*>{bit, speed}) {
        SCOPED_TRACE(button->Name());
        SetPropValue(button, "Layout", Variant(std::string("blGlyphTop")));
        SetPropValue(button, "Margin", Variant(-7));
        SetPropValue(button, "Spacing", Variant(9));
        SetPropValue(button, "NumGlyphs", Variant(9));
        EXPECT_EQ(VarToStr(GetPropValue(button, "Layout")), "blGlyphTop");
        EXPECT_EQ(VarToStr(GetPropValue(button, "Margin")), "-1") << "-1 is the least margin: centred";
        EXPECT_EQ(VarToStr(GetPropValue(button, "Spacing")), "9");
        EXPECT_EQ(VarToStr(GetPropValue(button, "NumGlyphs")), "4") << "a glyph holds four images at most";
    }
    TBitmap glyph(32, 16);
    bit->SetGlyph(&glyph);
    EXPECT_EQ(bit->NumGlyphs(), 2) << "the glyph's shape gives the number of images";
    TBitmap odd(20, 16);
    speed->SetNumGlyphs(3);
    speed->SetGlyph(&odd);
    EXPECT_EQ(speed->NumGlyphs(), 3) << "a glyph that is no whole multiple of its height keeps the number";

    bit->SetCaption("&OK");
    speed->SetCaption("查询");
    TRecordingCanvas bitCanvas, speedCanvas;
    bit->PaintTo(bitCanvas);
    speed->PaintTo(speedCanvas);
    EXPECT_NE(bitCanvas.FindText("OK"), nullptr);
    EXPECT_NE(speedCanvas.FindText("查询"), nullptr);
}

TEST_F(SharedControlRulesTest, CheckBoxesAndRadioButtonsArePressedOnlyWhenTheyMayBe) {
    TOwnedPtr<TForm> form(CreateComponent<TForm>(nullptr));
    auto* check = Place<TCheckBox>(form.get(), "chkAll");
    auto* radio = Place<TRadioButton>(form.get(), "rbOne");
    auto* other = AddButton(form.get(), "btnOther");
    form->Show();
    other->SetFocus();

    // Released outside the control: no click, no focus.
    check->Perform(WM_LBUTTONUP, 0, MakeLParam(check->Width() + 5, 2));
    radio->Perform(WM_LBUTTONUP, 0, MakeLParam(2, radio->Height() + 5));
    EXPECT_FALSE(check->Checked());
    EXPECT_FALSE(radio->Checked());
    EXPECT_EQ(form->ActiveControl(), other);
    // A right button does nothing either; the left one presses and takes the focus.
    check->Perform(WM_RBUTTONUP, 0, MakeLParam(2, 2));
    EXPECT_FALSE(check->Checked());
    radio->Perform(WM_LBUTTONUP, 0, MakeLParam(2, 2));
    EXPECT_TRUE(radio->Checked());
    EXPECT_EQ(form->ActiveControl(), radio);
    // Disabled controls ignore the mouse and Space.
    check->SetEnabled(false);
    check->Perform(WM_LBUTTONUP, 0, MakeLParam(2, 2));
    check->CharTyped(U' ');
    EXPECT_FALSE(check->Checked());
    check->SetEnabled(true);
    check->CharTyped(U' ');
    EXPECT_TRUE(check->Checked());

    for (TControl* c : std::vector<TControl*>{check, radio}) {
        SetPropValue(c, "Alignment", Variant(std::string("taLeftJustify")));
        EXPECT_EQ(VarToStr(GetPropValue(c, "Alignment")), "taLeftJustify") << c->Name();
    }
    TRecordingCanvas canvas;
    radio->SetCaption("单笔");
    radio->PaintTo(canvas);
    const auto* text = canvas.FindText("单笔");
    ASSERT_NE(text, nullptr);
    EXPECT_LT(text->Rect.Left, 13) << "a left-justified caption stands left of the mark";
    form->Hide();
}

TEST_F(SharedControlRulesTest, ReadOnlyDataAwareControlsKeepTheirFields) {
    TClientDataSet ds;
    TDataSource source{&ds};
    MakeDocuments(ds, {{1, "first", "A", "Y"}});
    TOwnedPtr<TForm> form(CreateComponent<TForm>(nullptr));
    auto bind = [&](auto* c, const char* field) {
        c->SetDataSource(&source);
        c->SetDataField(field);
        SetPropValue(c, "ReadOnly", Variant(true));
        EXPECT_EQ(VarToStr(GetPropValue(c, "ReadOnly")), "True") << c->Name();
        return c;
    };
    auto* check = bind(Place<TDBCheckBox>(form.get(), "chkDone"), "DONE");
    check->SetValueChecked("Y");
    check->SetValueUnchecked("N");
    auto* combo = bind(Place<TDBComboBox>(form.get(), "cboKind"), "KIND");
    combo->Items()->AddStrings(std::vector<std::string>{"甲\tA", "乙\tB"});
    auto* group = bind(Place<TDBRadioGroup>(form.get(), "rgKind"), "KIND");
    group->Items()->AddStrings(std::vector<std::string>{"Kind A", "Kind B"});
    group->Values()->AddStrings(std::vector<std::string>{"A", "B"});
    form->Show();

    check->SetFocus();
    SimulateKeystroke(nullptr, VK_SPACE);
    EXPECT_TRUE(check->Checked());
    combo->SetFocus();
    SimulateTyping(nullptr, "乙");
    group->Buttons(1)->SetFocus();
    SimulateKeystroke(nullptr, VK_SPACE);
    EXPECT_EQ(group->ItemIndex(), 0);
    check->SetFocus();
    EXPECT_EQ(ds.State(), dsBrowse);
    EXPECT_EQ(ds.FieldByName("DONE")->AsString(), "Y");
    EXPECT_EQ(ds.FieldByName("KIND")->AsString(), "A");

    // Writable again, the same keys change the data.
    SetPropValue(check, "ReadOnly", Variant(false));
    SimulateKeystroke(nullptr, VK_SPACE);
    group->Buttons(1)->SetFocus();
    EXPECT_EQ(ds.FieldByName("DONE")->AsString(), "N");
    form->Hide();
}
