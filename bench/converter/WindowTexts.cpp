#include "bench/converter/WindowTexts.h"

#include "toolkit/classes/Properties.h"
#include "toolkit/ui/grids/Grids.h"
#include "toolkit/ui/kernel/Forms.h"
#include "toolkit/ui/widgets/ListView.h"
#include "toolkit/ui/widgets/Menus.h"
#include "toolkit/ui/widgets/StatusBar.h"
#include "toolkit/ui/widgets/TreeView.h"

namespace {

class TTexts {
public:
    std::vector<std::string> texts;
    TCustomForm* window = nullptr;

    void Add(const std::string& text) {
        if (!text.empty()) texts.push_back(text);
    }
    void String(const TObject& instance, const char* name) {
        const TPropInfo* info = instance.ClassType().FindProperty(name);
        if (info && info->Kind() == tkString && info->IsWritable()) Add(info->GetStr(instance));
    }
    void Lines(const TObject& instance, const char* name) {
        const TPropInfo* info = instance.ClassType().FindProperty(name);
        if (TStrings* lines = info && info->Kind() == tkStrings ? info->GetStrings(instance) : nullptr) Add(lines->Text());
    }
    void Menu(TMenuItem& parent) {
        for (int i = 0; i < parent.Count(); ++i) {
            if (parent.Items(i)->Owner() != window) Add(parent.Items(i)->Caption());
            Menu(*parent.Items(i));
        }
    }
    void Component(TComponent& component) {
        for (const char* name : {"Caption", "Hint", "ButtonHint"}) String(component, name);
        Lines(component, "Items");
        Lines(component, "Lines");
        if (!component.ClassType().FindProperty("DataField")) String(component, "Text");
        if (auto* status = dynamic_cast<TStatusBar*>(&component))
            for (int i = 0; i < status->Panels()->Count(); ++i) Add(status->Panels()->Items(i)->Text());
        if (auto* view = dynamic_cast<TListView*>(&component)) {
            for (int i = 0; i < view->Columns()->Count(); ++i) Add(view->Columns()->Items(i)->Caption());
            for (int i = 0; i < view->Items()->Count(); ++i) {
                Add(view->Items()->Item(i)->Caption());
                Add(view->Items()->Item(i)->SubItems()->Text());
            }
        } else if (auto* menu = dynamic_cast<TMenu*>(&component)) {
            Menu(*menu->Items());
        } else if (auto* tree = dynamic_cast<TTreeView*>(&component)) {
            for (int i = 0; i < tree->Items()->Count(); ++i) Add(tree->Items()->Item(i)->Text());
        } else if (auto* grid = dynamic_cast<TStringGrid*>(&component)) {
            for (int row = 0; row < grid->RowCount(); ++row)
                for (int col = 0; col < grid->ColCount(); ++col) Add(grid->Cells(col, row));
        }
    }
};

}  // namespace

std::vector<std::string> WindowTexts(TCustomForm& window) {
    TTexts walk;
    walk.window = &window;
    walk.String(window, "Hint");
    walk.String(window, "ButtonHint");
    for (TComponent* component : window.ComponentList()) walk.Component(*component);
    return walk.texts;
}
