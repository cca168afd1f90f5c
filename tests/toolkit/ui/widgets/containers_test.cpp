// Page controls driven by the mouse and by code, menu trees and owner-drawn items, and the simple
// containers and pictures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/toolkit/ui/UiTestSupport.h"
#include "toolkit/ui/graphics/RecordingCanvas.h"
#include "toolkit/ui/widgets/ComCtrls.h"
#include "toolkit/ui/widgets/ExtCtrls.h"
#include "toolkit/ui/widgets/Menus.h"
#include "toolkit/ui/widgets/StdCtrls.h"

namespace {
using ContainersTest = UiTest;
}  // namespace

TEST_F(ContainersTest, PageControlTabsPagesAndPainting) {
    TOwnedPtr<TForm> form(CreateComponent<TForm>(nullptr));
    auto* pages = CreateComponent<TPageControl>(form.get());
    pages->SetParent(form.get());
    pages->SetBounds(0, 0, 400, 300);
    pages->SetTabHeight(20);
    pages->SetTabWidth(80);
    std::vector<TTabSheet*> sheet;
    for (const char* caption : {"详细字段", "自定义信息", "信息浏览"}) {
        auto* s = CreateComponent<TTabSheet>(form.get());
        s->SetCaption(caption);
        s->SetPageControl(pages);
        sheet.push_back(s);
    }
    EXPECT_EQ(pages->PageCount(), 3);
    EXPECT_EQ(sheet[1]->Top(), pages->TabStripHeight() + 2) << "pages fill the area under the tabs";
    EXPECT_EQ(pages->TabRect(1), Rect(82, 0, 162, 22));
    std::vector<std::string> shown;
    sheet[2]->OnShow = [&](TObject*) { shown.push_back("show 2"); };
    sheet[0]->OnHide = [&](TObject*) { shown.push_back("hide 0"); };
    int changes = 0;
    pages->OnChange = [&](TObject*) { ++changes; };

    // A click on a tab goes through the events; a hidden tab moves the others along.
    form->Show();
    pages->Perform(WM_LBUTTONDOWN, 0, MakeLParam(170, 5));
    EXPECT_EQ(pages->ActivePage(), sheet[2]);
    EXPECT_EQ(shown, (std::vector<std::string>{"show 2", "hide 0"}));
    sheet[1]->SetTabVisible(false);
    EXPECT_EQ(pages->IndexOfTabAt(90, 5), 1);
    EXPECT_EQ(pages->VisibleTabs()[1], sheet[2]);
    EXPECT_EQ(changes, 1);

    // Pages move by index; removing the active page shows the next one.
    sheet[2]->SetPageIndex(0);
    EXPECT_EQ(pages->Pages(0), sheet[2]);
    EXPECT_EQ(sheet[0]->PageIndex(), 1);
    sheet[2]->Free();
    EXPECT_EQ(pages->PageCount(), 2);
    EXPECT_EQ(pages->ActivePage(), sheet[0]);
    EXPECT_TRUE(sheet[0]->Visible());
    EXPECT_EQ(changes, 1) << "code changes raise no OnChange";

    TRecordingCanvas canvas;
    pages->PaintTo(canvas);
    EXPECT_NE(canvas.FindText("详细字段"), nullptr);
    EXPECT_EQ(canvas.FindText("自定义信息"), nullptr) << "a hidden tab is not drawn";
    // A disabled sheet (its controls take no input, as a maintenance window's pages in Browse) keeps a
    // readable tab; a disabled page control greys every tab.
    sheet[0]->SetEnabled(false);
    TRecordingCanvas disabledSheet;
    pages->PaintTo(disabledSheet);
    ASSERT_NE(disabledSheet.FindText("详细字段"), nullptr);
    EXPECT_EQ(disabledSheet.FindText("详细字段")->FontColor, pages->Font()->Color());
    pages->SetEnabled(false);
    TRecordingCanvas disabledPages;
    pages->PaintTo(disabledPages);
    EXPECT_EQ(disabledPages.FindText("详细字段")->FontColor, clGrayText);
    pages->SetEnabled(true);
    sheet[0]->SetEnabled(true);
    // Language files set tab captions and visibility by name.
    SetPropValue(sheet[1], "TabVisible", true);
    SetPropValue(sheet[1], "Caption", "UDF");
    EXPECT_EQ(pages->VisibleTabs().size(), 2u);
    form->Hide();
}

TEST_F(ContainersTest, MenuTreesAndOwnerDrawnItems) {
    TOwnedPtr<TForm> form(CreateComponent<TForm>(nullptr));
    auto* menu = CreateComponent<TMainMenu>(form.get());
    auto* file = CreateComponent<TMenuItem>(form.get());
    file->SetCaption("资料(&D)");
    menu->Items()->Add(file);
    std::vector<TMenuItem*> items;
    for (const char* caption : {"a", "-", "b", "c"}) {
        auto* item = CreateComponent<TMenuItem>(form.get());
        item->SetCaption(caption);
        file->Add(item);
        items.push_back(item);
    }
    EXPECT_TRUE(items[1]->IsLine());
    EXPECT_EQ(items[2]->MenuIndex(), 2);
    items[3]->SetMenuIndex(0);
    EXPECT_EQ(file->Items(0), items[3]);
    file->Delete(1);
    EXPECT_EQ(file->Count(), 3);
    EXPECT_EQ(items[0]->Parent(), nullptr) << "taken out, not freed";
    EXPECT_EQ(items[3]->GetParentMenu(), menu);
    EXPECT_THROW(items[3]->Add(file), EInvalidOperation) << "no item may contain itself";
    auto* other = CreateComponent<TMenuItem>(form.get());
    other->Add(items[2]);
    EXPECT_EQ(items[2]->Parent(), other) << "adding takes an item from its former parent";
    EXPECT_EQ(file->Count(), 2);

    // Owner-drawn items draw through their handler; others draw their caption and shortcut.
    std::vector<bool> selections;
    items[3]->OnDrawItem = [&](TObject*, TCanvas* canvas, TRect rect, bool selected) {
        selections.push_back(selected);
        canvas->TextOut(rect.Left, rect.Top, "drawn");
    };
    TRecordingCanvas canvas;
    items[3]->PaintItem(canvas, Rect(0, 0, 100, 20), true);
    EXPECT_TRUE(selections.empty()) << "the menu is not owner-drawn yet";
    EXPECT_NE(canvas.FindText("c"), nullptr);
    menu->SetOwnerDraw(true);
    canvas.Clear();
    items[3]->PaintItem(canvas, Rect(0, 0, 100, 20), true);
    EXPECT_EQ(selections, (std::vector<bool>{true}));
    EXPECT_EQ(canvas.Texts(), (std::vector<std::string>{"drawn"}));
    items[0]->SetShortCut(TextToShortCut("Ctrl+H"));
    canvas.Clear();
    items[0]->PaintItem(canvas, Rect(0, 0, 100, 20), false);
    EXPECT_EQ(canvas.Texts(), (std::vector<std::string>{"a", "Ctrl+H"}));
    items[0]->Free();
    other->Free();
}

TEST_F(ContainersTest, PanelsGroupBoxesImagesAndScrollBoxes) {
    TOwnedPtr<TForm> form(CreateComponent<TForm>(nullptr));
    auto* panel = CreateComponent<TPanel>(form.get());
    panel->SetParent(form.get());
    panel->SetAlign(alTop);
    panel->SetHeight(40);
    panel->SetCaption("单头");
    panel->SetBevelInner(bvLowered);
    panel->SetBorderWidth(2);
    auto* box = CreateComponent<TGroupBox>(form.get());
    box->SetParent(form.get());
    box->SetAlign(alClient);
    box->SetCaption("条件关系");
    EXPECT_EQ(panel->Width(), form->Width());
    EXPECT_EQ(box->Top(), 40) << "the client control takes what the panel leaves";

    TRecordingCanvas canvas;
    panel->PaintTo(canvas);
    const TCanvasOp* caption = canvas.FindText("单头");
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->Clip.Left, 4) << "the caption sits inside bevels and border";
    canvas.Clear();
    box->PaintTo(canvas);
    EXPECT_EQ(canvas.FindText("条件关系")->From, (TPoint{8, 0}));

    // Images: at their size, centred or stretched; an auto-sized image takes the picture's size.
    auto* image = CreateComponent<TImage>(form.get());
    image->SetParent(box);
    image->SetBounds(0, 0, 100, 60);
    TBitmap stamp(48, 49);
    image->SetPicture(&stamp);
    image->SetCenter(true);
    EXPECT_EQ(image->DestRect(), Rect(26, 5, 74, 54));
    image->SetStretch(true);
    canvas.Clear();
    image->PaintTo(canvas);
    ASSERT_EQ(canvas.Ops().size(), 1u);
    EXPECT_EQ(canvas.Ops()[0].Rect, Rect(0, 0, 100, 60));
    image->SetAutoSize(true);
    EXPECT_EQ(image->Width(), 48);
    EXPECT_EQ(image->Height(), 49);

    // A paint box draws through its handler; a scroll box keeps content in view.
    auto* paintBox = CreateComponent<TPaintBox>(form.get());
    paintBox->SetParent(box);
    paintBox->OnPaint = [&](TObject*) { paintBox->Canvas()->TextOut(0, 0, "painted"); };
    canvas.Clear();
    paintBox->PaintTo(canvas);
    EXPECT_EQ(canvas.Texts(), (std::vector<std::string>{"painted"}));
    auto* scroll = CreateComponent<TScrollBox>(form.get());
    scroll->SetParent(form.get());
    scroll->SetBounds(0, 0, 100, 100);
    auto* far = CreateComponent<TEdit>(form.get());
    far->SetParent(scroll);
    far->SetBounds(20, 300, 50, 20);
    EXPECT_EQ(scroll->ContentSize(), (TSize{70, 320}));
    scroll->ScrollInView(far);
    EXPECT_EQ(scroll->ScrollPosition(), (TPoint{0, 220}));
    scroll->SetScrollPosition({500, 500});
    EXPECT_EQ(scroll->ScrollPosition(), (TPoint{0, 220})) << "never past the content";
}

TEST_F(ContainersTest, GaugesShowTheShareDoneWithinTheirRange) {
    TOwnedPtr<TForm> form(CreateComponent<TForm>(nullptr));
    auto* gauge = CreateComponent<TGauge>(form.get());
    gauge->SetParent(form.get());
    gauge->SetBounds(0, 0, 102, 20);
    SetPropValue(gauge, "ForeColor", "clBlue");
    SetPropValue(gauge, "BackColor", "clWindow");
    gauge->SetMinValue(10);
    gauge->SetMaxValue(30);
    EXPECT_EQ(gauge->Progress(), 10) << "progress follows the minimum up";
    gauge->AddProgress(5);
    EXPECT_EQ(gauge->PercentDone(), 25);
    gauge->SetProgress(99);
    EXPECT_EQ(gauge->Progress(), 30) << "never beyond the maximum";
    gauge->SetProgress(15);

    TRecordingCanvas canvas;
    gauge->PaintTo(canvas);
    EXPECT_EQ(canvas.Texts(), (std::vector<std::string>{"25%"}));
    EXPECT_EQ(canvas.FillAt({1 + 24, 10})->BrushColor, clBlue) << "the first quarter is filled";
    EXPECT_EQ(canvas.FillAt({1 + 26, 10})->BrushColor, clWindow);

    gauge->SetMaxValue(10);
    EXPECT_EQ(gauge->MinValue(), 10);
    EXPECT_EQ(gauge->PercentDone(), 0) << "an empty range shows nothing done";
}
