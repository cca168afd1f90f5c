// Every control class is reachable by name as language files and settings documents use it:
// Caption, Hint, Items_3 (a line of a list), Columns_0.Caption (an item of a collection),
// Font.Color = clRed and TabVisible, set and read back.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "tests/toolkit/ui/UiTestSupport.h"
#include "toolkit/ui/dataaware/DBCtrls.h"
#include "toolkit/ui/kernel/ControlClasses.h"
#include "toolkit/ui/widgets/ComCtrls.h"
#include "toolkit/ui/widgets/Menus.h"
#include "toolkit/ui/widgets/StdCtrls.h"

namespace {
using PublishedTest = UiTest;

// What a language file writes, and what reading the property back gives.
struct TPathCase {
    const char* path;
    const char* value;
    const char* readBack;
};
const std::vector<TPathCase> kPaths = {
    {"Caption", "单据资料", "单据资料"},
    {"Hint", "新增|新增一笔资料", "新增|新增一笔资料"},
    {"Text", "文字", "文字"},
    {"Font.Color", "clRed", "255"},
    {"Items_3", "第四项", "第四项"},
    {"Lines_1", "第二行", "第二行"},
    {"Columns_0.Caption", "代号", "代号"},
    {"Columns_0.Title.Caption", "代号", "代号"},
    {"Items_1.Caption", "第二项", "第二项"},
    {"Items_1.Text", "节点", "节点"},
    {"Panels_1.Text", "单据笔数", "单据笔数"},
    {"TabVisible", "False", "False"},
};

// Gives objects the items that indexed paths address.
void Prepare(TComponent* object, TForm* form) {
    if (auto* view = dynamic_cast<TListView*>(object)) {
        view->Columns()->Add();
        view->Items()->Add();
        view->Items()->Add();
    } else if (auto* tree = dynamic_cast<TTreeView*>(object)) {
        TTreeNode* root = tree->Items()->Add(nullptr, "root");
        tree->Items()->AddChild(root, "child");
    } else if (auto* grid = dynamic_cast<TDBGrid*>(object)) {
        grid->Columns()->Add()->SetFieldName("MC001");
    } else if (auto* bar = dynamic_cast<TStatusBar*>(object)) {
        bar->Panels()->Add();
        bar->Panels()->Add();
    } else if (auto* sheet = dynamic_cast<TTabSheet*>(object)) {
        auto* pages = CreateComponent<TPageControl>(form);
        pages->SetParent(form);
        sheet->SetPageControl(pages);
    } else if (auto* button = dynamic_cast<TToolButton*>(object)) {
        auto* bar = CreateComponent<TToolBar>(form);
        bar->SetParent(form);
        button->SetParent(bar);
    } else if (auto* control = dynamic_cast<TControl*>(object)) {
        if (!dynamic_cast<TCustomForm*>(object)) control->SetParent(form);
    }
}
}  // namespace

TEST_F(PublishedTest, EveryControlClassTakesLanguageFilePathsByName) {
    TOwnedPtr<TForm> form(CreateComponent<TForm>(nullptr));
    std::map<std::string, std::set<std::string>> reached;  // class -> paths set and read back
    for (const TClassInfo* cls : ControlClasses()) {
        ASSERT_TRUE(cls->CanCreate()) << cls->ClassName();
        TObject* instance = cls->CreateInstance(cls->InheritsFrom("TCustomForm") ? nullptr : form.get());
        TOwnedPtr<TObject> formInstance(cls->InheritsFrom("TCustomForm") ? instance : nullptr);
        auto* component = dynamic_cast<TComponent*>(instance);
        ASSERT_NE(component, nullptr) << cls->ClassName();
        EXPECT_EQ(component->ClassName(), cls->ClassName());
        Prepare(component, form.get());
        if (dynamic_cast<TControl*>(component)) {
            EXPECT_TRUE(IsPublishedProp(component, "Hint")) << cls->ClassName();
        }
        for (const TPathCase& c : kPaths) {
            if (!IsPublishedProp(component, c.path)) continue;
            if (!GetPropInfo(component, c.path)->IsWritable() && std::string(c.path) == "Text") continue;
            SCOPED_TRACE(cls->ClassName() + " " + c.path);
            SetPropValue(component, c.path, Variant(std::string(c.value)));
            EXPECT_EQ(VarToStr(GetPropValue(component, c.path)), c.readBack);
            reached[cls->ClassName()].insert(c.path);
        }
    }
    // The paths the later forms rely on reach the classes they are written for.
    auto has = [&](const std::string& cls, const std::string& path) { return reached[cls].count(path) == 1; };
    for (const char* cls : {"TForm", "TPanel", "TLabel", "TCheckBox", "TRadioButton", "TRadioGroup", "TGroupBox", "TButton",
                            "TBitBtn", "TSpeedButton", "TTabSheet", "TToolButton", "TMenuItem", "TDBCheckBox"}) {
        EXPECT_TRUE(has(cls, "Caption")) << cls;
    }
    for (const char* cls :
         {"TEdit", "TComboBox", "TMemo", "TDBEdit", "TDBComboBox", "TListBox", "TTreeView", "TDBGrid", "TPageControl"}) {
        EXPECT_TRUE(has(cls, "Font.Color")) << cls;
    }
    for (const char* cls : {"TComboBox", "TListBox", "TCheckListBox", "TRadioGroup", "TDBComboBox", "TDBRadioGroup"}) {
        EXPECT_TRUE(has(cls, "Items_3")) << cls;
    }
    EXPECT_TRUE(has("TMemo", "Lines_1"));
    EXPECT_TRUE(has("TListView", "Columns_0.Caption"));
    EXPECT_TRUE(has("TListView", "Items_1.Caption"));
    EXPECT_TRUE(has("TTreeView", "Items_1.Text"));
    EXPECT_TRUE(has("TDBGrid", "Columns_0.Title.Caption"));
    EXPECT_TRUE(has("TStatusBar", "Panels_1.Text"));
    EXPECT_TRUE(has("TTabSheet", "TabVisible"));
    EXPECT_TRUE(has("TEdit", "Text"));
    std::size_t pairs = 0;
    for (const auto& [cls, paths] : reached) pairs += paths.size();
    EXPECT_GE(pairs, 80u);
}

TEST_F(PublishedTest, IndexedPathsPadListsAndRefuseItemsOutOfRange) {
    TOwnedPtr<TForm> form(CreateComponent<TForm>(nullptr));
    auto* combo = CreateComponent<TComboBox>(form.get());
    combo->SetParent(form.get());
    combo->Items()->AddStrings(std::vector<std::string>{"a", "b"});
    combo->SetItemIndex(1);
    SetPropValue(combo, "Items_3", "d");
    EXPECT_EQ(combo->Items()->Count(), 4) << "empty lines are appended up to the index";
    EXPECT_EQ(combo->Items()->Strings(2), "");
    EXPECT_EQ(combo->ItemIndex(), 1) << "the selection stays";
    EXPECT_EQ(GetStrProp(combo, "Items_0"), "a");
    EXPECT_THROW(GetPropValue(combo, "Items_7"), EListError);

    auto* view = CreateComponent<TListView>(form.get());
    view->SetParent(form.get());
    view->Columns()->Add()->SetCaption("one");
    for (int i = 0; i < 3; ++i) view->Items()->Add()->SetCaption("item" + std::to_string(i));
    SetPropValue(view, "Items_2.Caption", "third");
    EXPECT_EQ(view->Items()->Item(2)->Caption(), "third");
    EXPECT_FALSE(IsPublishedProp(view, "Items_5.Caption")) << "an index beyond the items reaches nothing";
    EXPECT_THROW(SetPropValue(view, "Items_5.Caption", "x"), EPropertyError);
    EXPECT_THROW(SetPropValue(view, "Columns_1.Caption", "x"), EPropertyError);
    EXPECT_FALSE(IsPublishedProp(view, "ViewStyle_1")) << "only lists and collections take an index";
    SetPropValue(view, "Columns_0.Width", 120);
    EXPECT_EQ(view->Columns()->Items(0)->Width(), 120);

    // Enumerations, sets and colours go by their names.
    auto* grid = CreateComponent<TDBGrid>(form.get());
    grid->SetParent(form.get());
    SetPropValue(grid, "Options", "[dgTitles,dgMultiSelect]");
    EXPECT_TRUE(grid->Options().Contains(dgMultiSelect));
    EXPECT_FALSE(grid->Options().Contains(dgEditing));
    SetPropValue(view, "ViewStyle", "vsReport");
    EXPECT_EQ(view->ViewStyle(), vsReport);
    SetPropValue(combo, "Color", "clInfoBk");
    EXPECT_EQ(combo->Color(), clInfoBk);
    // Registered classes are found by name.
    RegisterControlClasses();
    EXPECT_EQ(&FindClass("TDBGrid"), &TDBGrid::StaticClass());
    EXPECT_EQ(&FindClass("tstatusbar"), &TStatusBar::StaticClass());
}
