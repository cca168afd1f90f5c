// Menus: shortcut texts, shortcuts reaching items through the form, radio items, pop-up menus of
// controls and tool buttons.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/toolkit/ui/UiTestSupport.h"
#include "toolkit/ui/kernel/KeyInput.h"
#include "toolkit/ui/widgets/ComCtrls.h"
#include "toolkit/ui/widgets/Menus.h"
#include "toolkit/ui/widgets/StdCtrls.h"

namespace {
using MenusTest = UiTest;

TMenuItem* Item(TComponent* owner, const std::string& name, const std::string& caption, const std::string& keys = "") {
    auto* item = CreateComponent<TMenuItem>(owner);
    item->SetName(name);
    item->SetCaption(caption);
    item->SetShortCut(TextToShortCut(keys));
    return item;
}
}  // namespace

TEST_F(MenusTest, ShortCutTextsGoBothWays) {
    EXPECT_EQ(TextToShortCut("Ctrl+S"), 16384 + 'S');
    EXPECT_EQ(TextToShortCut("F5"), 116);
    EXPECT_EQ(TextToShortCut("ctrl+f1"), 16496);
    EXPECT_EQ(TextToShortCut("Shift+Ctrl+Del"), scShift | scCtrl | VK_DELETE);
    EXPECT_EQ(TextToShortCut("Ctrl+Delete"), scCtrl | VK_DELETE);
    EXPECT_EQ(TextToShortCut("Ctrl+Whatever"), scNone);
    EXPECT_EQ(TextToShortCut(""), scNone);
    EXPECT_EQ(ShortCutToText(ShortCut('S', {ssCtrl})), "Ctrl+S");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_F12, {})), "F12");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_NEXT, {ssShift, ssAlt})), "Shift+Alt+PgDn");
    EXPECT_EQ(StripHotkey("新增(&A)"), "新增(A)");
    EXPECT_EQ(StripHotkey("R&&D"), "R&D");
    EXPECT_EQ(GetHotkey("退出(&x)"), U'X');
    EXPECT_TRUE(IsAccel('X', "E&xit"));
}

TEST_F(MenusTest, MainMenuShortcutsFireWhenTheFormGetsTheKey) {
    TOwnedPtr<TForm> form(CreateComponent<TForm>(nullptr));
    auto* menu = CreateComponent<TMainMenu>(form.get());
    auto* data = Item(form.get(), "MenuItem1", "资料(&D)");
    auto* add = Item(form.get(), "miAdd", "新增(&A)", "F5");
    auto* tools = Item(form.get(), "MenuItem11", "功能(&F)");
    auto* search = Item(form.get(), "mnSearch", "快速定位(&F)", "Ctrl+F");
    auto* bar = Item(form.get(), "miToolBar", "工具栏(&S)", "Ctrl+S");
    menu->Items()->Add(data);
    data->Add(add);
    menu->Items()->Add(tools);
    tools->Add({search, bar});
    form->SetMenu(menu);
    auto* edit = CreateComponent<TEdit>(form.get());
    edit->SetParent(form.get());

    std::vector<std::string> log;
    add->OnClick = [&](TObject*) { log.push_back("add"); };
    search->OnClick = [&](TObject*) { log.push_back("search"); };
    // Opening the menu enables the search item, as the framework's menu handler does.
    search->SetEnabled(false);
    tools->OnClick = [&](TObject*) {
        log.push_back("tools opened");
        search->SetEnabled(true);
    };
    bar->SetAutoCheck(true);
    edit->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { log.push_back("edit " + std::to_string(key)); };

    form->Show();
    edit->SetFocus();
    SimulateKeystroke(nullptr, VK_F5);
    SimulateKeystroke(nullptr, 'F', {ssCtrl});
    SimulateKeystroke(nullptr, 'S', {ssCtrl});
    EXPECT_TRUE(bar->Checked());
    add->SetEnabled(false);
    SimulateKeystroke(nullptr, VK_F5);
    EXPECT_EQ(log, (std::vector<std::string>{"add", "tools opened", "search", "tools opened", "edit 116"}))
        << "a disabled item leaves the key to the control";
    EXPECT_EQ(edit->Text(), "");
    EXPECT_EQ(menu->FindItem(TextToShortCut("Ctrl+S")), bar);
    EXPECT_EQ(tools->Find("快速定位(F)"), search);

    // Items freed elsewhere leave the tree; a freed menu leaves the form.
    search->Free();
    EXPECT_EQ(tools->Count(), 1);
    menu->Free();
    EXPECT_EQ(form->Menu(), nullptr);
    form->Hide();
}

TEST_F(MenusTest, RadioItemsPopupMenusAndToolButtons) {
    TOwnedPtr<TForm> form(CreateComponent<TForm>(nullptr));
    auto* popup = CreateComponent<TPopupMenu>(form.get());
    auto* direct = Item(form.get(), "miPrint", "直接打印");
    auto* formats = Item(form.get(), "miFormats", "凭证格式");
    auto* f1 = Item(form.get(), "fmt1", "A");
    auto* f2 = Item(form.get(), "fmt2", "B");
    popup->Items()->Add({direct, formats});
    formats->Add({f1, f2});
    f1->SetRadioItem(true);
    f2->SetRadioItem(true);
    f1->SetChecked(true);
    f2->SetChecked(true);
    EXPECT_FALSE(f1->Checked()) << "checking a radio item unchecks its group";

    int changes = 0;
    popup->SetChangeListener([&](TMenu&, TMenuItem*, bool) { ++changes; });
    f1->SetCaption("A4");
    EXPECT_EQ(changes, 1) << "the renderer hears of changes";

    std::vector<std::string> shown;
    TPopupHandler saved = SetPopupHandler(
        [&](TPopupMenu& menu, int x, int y) { shown.push_back(menu.PopupComponent() ? menu.PopupComponent()->Name() : "?"); });
    int popups = 0;
    popup->OnPopup = [&](TObject*) { ++popups; };

    auto* bar = CreateComponent<TToolBar>(form.get());
    bar->SetParent(form.get());
    auto* btnQuery = CreateComponent<TToolButton>(form.get());
    btnQuery->SetName("btnQuery");
    btnQuery->SetParent(bar);
    btnQuery->SetStyle(tbsDropDown);
    btnQuery->SetDropdownMenu(popup);
    int queries = 0;
    btnQuery->OnClick = [&](TObject*) { ++queries; };
    auto* sep = CreateComponent<TToolButton>(form.get());
    sep->SetParent(bar);
    sep->SetStyle(tbsSeparator);
    auto* btnCalc = CreateComponent<TToolButton>(form.get());
    btnCalc->SetParent(bar);
    btnCalc->SetIndex(0);
    EXPECT_EQ(bar->Buttons(0), btnCalc) << "a button can be moved to any place on the bar";
    EXPECT_EQ(btnQuery->Left(), btnCalc->Width());
    EXPECT_EQ(sep->Width(), 8);

    // The main part clicks, the arrow drops the menu down.
    btnQuery->Perform(WM_LBUTTONUP, 0, MakeLParam(3, 3));
    btnQuery->Perform(WM_LBUTTONUP, 0, MakeLParam(btnQuery->Width() - 3, 3));
    EXPECT_EQ(queries, 1);
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(shown, (std::vector<std::string>{"btnQuery"}));
    btnQuery->SetEnabled(false);
    btnQuery->Click();
    EXPECT_EQ(queries, 1);

    // A control's pop-up menu answers its shortcuts while the control has the focus.
    auto* edit = CreateComponent<TEdit>(form.get());
    edit->SetParent(form.get());
    edit->SetPopupMenu(popup);
    direct->SetShortCut(TextToShortCut("Ctrl+P"));
    int prints = 0;
    direct->OnClick = [&](TObject*) { ++prints; };
    form->Show();
    edit->SetFocus();
    SimulateKeystroke(nullptr, 'P', {ssCtrl});
    EXPECT_EQ(prints, 1);
    SetPopupHandler(saved);
    form->Hide();
}
