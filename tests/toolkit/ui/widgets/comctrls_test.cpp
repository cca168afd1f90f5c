// List views, tree views, status bars, tool bars, speed buttons and splitters.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/toolkit/ui/UiTestSupport.h"
#include "toolkit/ui/graphics/Bitmap.h"
#include "toolkit/ui/graphics/ImgList.h"
#include "toolkit/ui/graphics/RecordingCanvas.h"
#include "toolkit/ui/kernel/KeyInput.h"
#include "toolkit/ui/widgets/ComCtrls.h"
#include "toolkit/ui/widgets/ExtCtrls.h"
#include "toolkit/ui/widgets/GlyphButton.h"

namespace {
using ComCtrlsTest = UiTest;

template <class T>
T* Place(TWinControl* parent, TComponent* owner) {
    auto* c = CreateComponent<T>(owner);
    c->SetParent(parent);
    return c;
}
}  // namespace

TEST_F(ComCtrlsTest, ListViewItemsSelectionAndCaptionEditing) {
    TOwnedPtr<TForm> form(CreateComponent<TForm>(nullptr));
    auto* view = Place<TListView>(form.get(), form.get());
    view->SetViewStyle(vsReport);
    view->Columns()->Add()->SetCaption("方案名称");
    view->Columns()->Add()->SetCaption("创建时间");
    int marker = 0;
    for (const char* name : {"alpha", "gamma", "beta"}) {
        TListItem* item = view->Items()->Add();
        item->SetCaption(name);
        item->SubItems()->Add(std::string("20240") + name[0]);
        item->Data = &marker;
    }
    std::vector<std::string> log;
    view->OnSelectItem = [&](TObject*, TListItem* item, bool selected) {
        log.push_back((selected ? "select " : "unselect ") + item->Caption());
    };
    view->OnEdited = [&](TObject*, TListItem*, std::string& s) { s = "[" + s + "]"; };

    form->Show();
    view->SetFocus();
    SimulateKeystroke(view, VK_DOWN);
    SimulateKeystroke(view, VK_DOWN);
    EXPECT_EQ(view->Selected()->Caption(), "gamma");
    EXPECT_EQ(view->ItemIndex(), 1);
    EXPECT_EQ(log, (std::vector<std::string>{"select alpha", "unselect alpha", "select gamma"}));

    SimulateKeystroke(view, VK_F2);
    ASSERT_TRUE(view->IsEditing());
    EXPECT_EQ(view->EditText(), "gamma");
    view->SetEditText("");
    SimulateTyping(view, "delta");
    SimulateKeystroke(view, VK_RETURN);
    EXPECT_FALSE(view->IsEditing());
    EXPECT_EQ(view->Items()->Item(1)->Caption(), "[delta]") << "OnEdited may change the text";
    EXPECT_EQ(form->ModalResult(), mrNone);
    SimulateKeystroke(view, VK_F2);
    SimulateTyping(view, "zzz");
    SimulateKeystroke(view, VK_ESCAPE);
    EXPECT_EQ(view->Items()->Item(1)->Caption(), "[delta]") << "Escape cancels";
    view->SetReadOnly(true);
    EXPECT_FALSE(view->Selected()->EditCaption());

    // Sorting moves items with their data; deleting the selected one leaves no selection.
    view->AlphaSort();
    EXPECT_EQ(view->Items()->Item(1)->Caption(), "beta");
    EXPECT_EQ(view->Items()->Item(2)->Caption(), "[delta]") << "compared without case: '[' after the letters";
    EXPECT_EQ(view->Items()->Item(1)->SubItems()->Strings(0), "20240b");
    EXPECT_EQ(view->Items()->Item(1)->Data, &marker);
    view->Selected()->Delete();
    EXPECT_EQ(view->Selected(), nullptr);
    EXPECT_EQ(view->Items()->Count(), 2);

    view->SetCheckboxes(true);
    view->SetItemIndex(0);
    SimulateKeystroke(view, VK_SPACE);
    EXPECT_TRUE(view->Items()->Item(0)->Checked());
    std::vector<std::string> clicked;
    view->OnColumnClick = [&](TObject*, TListColumn* column) { clicked.push_back(column->Caption()); };
    view->Perform(WM_LBUTTONDOWN, 0, MakeLParam(60, 2));
    EXPECT_EQ(clicked, (std::vector<std::string>{"创建时间"}));

    TRecordingCanvas canvas;
    view->PaintTo(canvas);
    EXPECT_NE(canvas.FindText("方案名称"), nullptr);
    EXPECT_NE(canvas.FindText("20240a"), nullptr) << "sub-items fill the further columns";
    form->Hide();
}

TEST_F(ComCtrlsTest, ListViewStylesPlaceItemsInCellsAndTheArrowKeysFollowThePlaces) {
    TOwnedPtr<TForm> form(CreateComponent<TForm>(nullptr));
    auto* view = Place<TListView>(form.get(), form.get());
    view->SetBounds(0, 0, 250, 150);
    auto* small = CreateComponent<TImageList>(form.get());
    auto* large = CreateComponent<TImageList>(form.get());
    large->SetWidth(32);
    large->SetHeight(32);
    for (TImageList* images : {small, large}) {
        TBitmap picture(images->Width(), images->Height());
        images->Add(&picture);
    }
    view->SetSmallImages(small);
    view->SetLargeImages(large);
    for (const char* name : {"one", "two", "three", "four", "five", "six"}) {
        TListItem* item = view->Items()->Add();
        item->SetCaption(name);
        item->SetImageIndex(0);
    }
    form->Show();
    view->SetFocus();
    auto centre = [](const TRect& r) { return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; };
    auto drawn = [&](const std::string& text) {
        TRecordingCanvas canvas;
        view->PaintTo(canvas);
        const TCanvasOp* op = canvas.FindText(text);
        return op ? TPoint{op->Rect.Left, op->Rect.Top} : TPoint{-1, -1};
    };

    // Large icons: rows of cells left to right, the caption under the large image.
    view->SetViewStyle(vsIcon);
    const TRect first = view->ItemRect(0);
    EXPECT_GT(first.Height(), 32);
    EXPECT_EQ(view->ItemRect(1).Left, first.Right);
    const int perRow = view->Width() / first.Width();
    ASSERT_GT(perRow, 1);
    ASSERT_LT(perRow, 6);
    EXPECT_EQ(view->ItemRect(perRow).Left, 0);
    EXPECT_EQ(view->ItemRect(perRow).Top, first.Bottom);
    EXPECT_GE(drawn("two").Y, first.Top + 32) << "below the image";
    EXPECT_TRUE(view->ItemRect(1).Contains(drawn("two")));
    EXPECT_EQ(view->GetItemAt(centre(view->ItemRect(perRow + 1)).X, centre(view->ItemRect(perRow + 1)).Y),
              view->Items()->Item(perRow + 1));
    view->SetItemIndex(0);
    SimulateKeystroke(view, VK_DOWN);
    EXPECT_EQ(view->ItemIndex(), perRow) << "Down goes to the next row of cells";
    SimulateKeystroke(view, VK_RIGHT);
    EXPECT_EQ(view->ItemIndex(), perRow + 1);

    // Small icons: lower cells, still in rows, the caption beside the image.
    view->SetViewStyle(vsSmallIcon);
    const TRect smallCell = view->ItemRect(0);
    EXPECT_LT(smallCell.Height(), first.Height());
    EXPECT_EQ(view->ItemRect(1).Top, 0);
    EXPECT_EQ(view->ItemRect(1).Left, smallCell.Right);
    EXPECT_GT(drawn("two").X, view->ItemRect(1).Left + small->Width());
    EXPECT_LT(drawn("two").Y, smallCell.Bottom);

    // A list fills columns top to bottom.
    view->SetViewStyle(vsList);
    const int rowHeight = view->ItemRect(0).Height();
    view->SetHeight(3 * rowHeight + 2);
    EXPECT_EQ(view->ItemRect(1).Left, 0);
    EXPECT_EQ(view->ItemRect(1).Top, rowHeight);
    EXPECT_EQ(view->ItemRect(3).Top, 0);
    EXPECT_EQ(view->ItemRect(3).Left, view->ItemRect(0).Right);
    EXPECT_TRUE(view->ItemRect(4).Contains(drawn("five")));
    view->SetItemIndex(0);
    SimulateKeystroke(view, VK_RIGHT);
    EXPECT_EQ(view->ItemIndex(), 3) << "Right goes to the next column";
    SimulateKeystroke(view, VK_DOWN);
    EXPECT_EQ(view->ItemIndex(), 4);

    // The report: one row each, under the header, as wide as the view.
    view->SetViewStyle(vsReport);
    view->Columns()->Add()->SetCaption("名称");
    EXPECT_EQ(view->ItemRect(0).Width(), view->Width());
    EXPECT_GT(view->ItemRect(0).Top, 0);
    EXPECT_EQ(view->ItemRect(1).Top, view->ItemRect(0).Bottom);
    form->Hide();
}

TEST_F(ComCtrlsTest, TreeViewNodesExpandSelectAndDelete) {
    TOwnedPtr<TForm> form(CreateComponent<TForm>(nullptr));
    auto* tree = Place<TTreeView>(form.get(), form.get());
    TTreeNodes* nodes = tree->Items();
    TTreeNode* a = nodes->Add(nullptr, "A");
    TTreeNode* a1 = nodes->AddChild(a, "A1");
    TTreeNode* a2 = nodes->AddChild(a, "A2");
    TTreeNode* b = nodes->Add(a, "B");
    nodes->AddChildFirst(a1, "A1x");
    EXPECT_EQ(nodes->Count(), 5);
    EXPECT_EQ(nodes->Item(2)->Text(), "A1x") << "absolute indexes run in pre-order";
    EXPECT_EQ(a2->AbsoluteIndex(), 3);
    EXPECT_EQ(b->Index(), 1);
    EXPECT_EQ(a1->GetFirstChild()->Level(), 2);

    std::vector<std::string> log;
    bool allowExpand = true;
    tree->OnExpanding = [&](TObject*, TTreeNode* node, bool& allow) {
        log.push_back("expanding " + node->Text());
        allow = allowExpand;
    };
    tree->OnChange = [&](TObject*, TTreeNode* node) { log.push_back("change " + (node ? node->Text() : std::string("-"))); };
    form->Show();
    tree->SetFocus();
    SimulateKeystroke(tree, VK_DOWN);
    SimulateKeystroke(tree, VK_RIGHT);
    SimulateKeystroke(tree, VK_DOWN);
    EXPECT_EQ(tree->Selected(), a1);
    EXPECT_EQ(tree->VisibleNodes().size(), 4u);
    allowExpand = false;
    SimulateKeystroke(tree, VK_RIGHT);
    EXPECT_FALSE(a1->Expanded()) << "OnExpanding refused";
    EXPECT_EQ(log, (std::vector<std::string>{"change A", "expanding A", "change A1", "expanding A1"}));

    // Collapsing hides the selected node's branch and selects the node collapsed.
    a->Collapse(false);
    EXPECT_EQ(tree->Selected(), a);
    // Deleting a node deletes its children and forgets the selection.
    tree->SetSelected(a2);
    a->Delete();
    EXPECT_EQ(tree->Selected(), nullptr);
    EXPECT_EQ(nodes->Count(), 1);
    EXPECT_EQ(nodes->GetFirstNode(), b);
    // Text editing with OnEdited.
    tree->OnEdited = [](TObject*, TTreeNode*, std::string& s) { s += "!"; };
    tree->SetSelected(b);
    SimulateKeystroke(tree, VK_F2);
    SimulateTyping(tree, "C");
    SimulateKeystroke(tree, VK_RETURN);
    EXPECT_EQ(b->Text(), "BC!");
    form->Hide();
}

TEST_F(ComCtrlsTest, StatusBarsToolBarsSpeedButtonsAndSplitters) {
    TOwnedPtr<TForm> form(CreateComponent<TForm>(nullptr));
    form->SetBounds(0, 0, 400, 300);
    auto* status = Place<TStatusBar>(form.get(), form.get());
    for (int width : {40, 400, 50}) status->Panels()->Add()->SetWidth(width);
    status->Panels()->Items(0)->SetText("浏览");
    EXPECT_EQ(status->Top(), 300 - status->Height()) << "a status bar sits at the bottom";
    EXPECT_EQ(status->PanelRect(2), Rect(440, 0, 440, status->Height())) << "the last panel reaches the right edge";
    status->SetWidth(600);
    EXPECT_EQ(status->Width(), 400) << "aligned to the bottom, it keeps the form's width";
    status->SetAlign(alNone);
    status->SetWidth(600);
    EXPECT_EQ(status->PanelRect(2).Right, 600);
    TRecordingCanvas canvas;
    status->PaintTo(canvas);
    EXPECT_NE(canvas.FindText("浏览"), nullptr);
    status->SetSimplePanel(true);
    status->SetSimpleText("正在查询");
    canvas.Clear();
    status->PaintTo(canvas);
    EXPECT_EQ(canvas.Texts(), (std::vector<std::string>{"正在查询"}));

    // Grouped check buttons on a tool bar act as radio buttons.
    auto* bar = Place<TToolBar>(form.get(), form.get());
    std::vector<TToolButton*> buttons;
    for (int i = 0; i < 3; ++i) {
        auto* b = Place<TToolButton>(bar, form.get());
        b->SetStyle(tbsCheck);
        b->SetGrouped(true);
        buttons.push_back(b);
    }
    buttons[0]->Click();
    buttons[2]->Click();
    EXPECT_FALSE(buttons[0]->Down());
    EXPECT_TRUE(buttons[2]->Down());
    buttons[2]->Click();
    EXPECT_TRUE(buttons[2]->Down()) << "a group keeps one button down";

    // Speed buttons with a group index stay down one at a time; AllowAllUp lets the last one up.
    auto* s1 = Place<TSpeedButton>(form.get(), form.get());
    auto* s2 = Place<TSpeedButton>(form.get(), form.get());
    s1->SetGroupIndex(1);
    s2->SetGroupIndex(1);
    int clicks = 0;
    s1->OnClick = [&](TObject*) { ++clicks; };
    s1->Perform(WM_LBUTTONUP, 0, MakeLParam(2, 2));
    s2->Click();
    EXPECT_FALSE(s1->Down());
    EXPECT_TRUE(s2->Down());
    s2->Click();
    EXPECT_TRUE(s2->Down());
    s2->SetAllowAllUp(true);
    s2->Click();
    EXPECT_FALSE(s2->Down());
    EXPECT_EQ(clicks, 1);
    TBitmap glyph(64, 16);
    s1->SetGlyph(&glyph);
    EXPECT_EQ(s1->NumGlyphs(), 4) << "a glyph four images wide holds four glyphs";

    // A splitter resizes the control beside it, never below MinSize.
    auto* left = Place<TPanel>(form.get(), form.get());
    left->SetAlign(alLeft);
    left->SetWidth(100);
    auto* split = Place<TSplitter>(form.get(), form.get());
    split->SetLeft(100);
    EXPECT_EQ(split->ResizeControl(), left);
    int moved = 0;
    split->OnMoved = [&](TObject*) { ++moved; };
    EXPECT_EQ(split->MoveSplitter(50), 50);
    EXPECT_EQ(left->Width(), 150);
    EXPECT_EQ(split->MoveSplitter(-200), -120);
    EXPECT_EQ(left->Width(), 30);
    EXPECT_EQ(moved, 2);
}
