// Converting a window's texts when it is created (TCodeConverter::ConvertForm):
// 1. the caption, simplified -> traditional, on a 950 system;
// 2. Hint and ButtonHint by the language mode;
// 3. the screen's fonts for the language mode, the hint display restarted;
// 4. with a language mode, every component the window owns, in order: the property groups Font,
//    TitleFont, Caption, Hint with ButtonHint, Items, Lines, Text, Style and Panels where the component
//    publishes them; then, in modes 1 and 2, the texts of its class (list views, combo boxes, menus,
//    tree views, string grids and the registered rules). With the marker "DO" a component named by an
//    entry of the exception list is handled by the entry alone: ParentFont off, and the groups the
//    entry's second part does not name.
#include <strings.h>

#include <vector>

#include "i18n/CodeConverter.h"
#include "i18n/WindowConversion.h"
#include "toolkit/classes/Properties.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/ComboBox.h"
#include "toolkit/ui/Font.h"
#include "toolkit/ui/Forms.h"
#include "toolkit/ui/Grids.h"
#include "toolkit/ui/ListBox.h"
#include "toolkit/ui/ListView.h"
#include "toolkit/ui/Menus.h"
#include "toolkit/ui/StatusBar.h"
#include "toolkit/ui/TreeView.h"

namespace {

constexpr char kEntrySeparator = '\3';

std::vector<TWindowTextRule>& Rules() {
    static std::vector<TWindowTextRule> rules;
    return rules;
}

bool ContainsText(const std::string& text, const char* part) {
    return !text.empty() && Pos(UpperCase(part), UpperCase(text)) > 0;
}

const TPropInfo* PropertyOf(const TObject& instance, const char* name, TTypeKind kind) {
    const TPropInfo* info = instance.ClassType().FindProperty(name);
    return info && info->Kind() == kind ? info : nullptr;
}

class TWindowConversion {
public:
    TWindowConversion(const TCodeConverter& converter, TCustomForm& window)
        : converter_(converter), window_(window), mode_(converter.LanguageMode()) {}

    std::string Text(const std::string& text) const { return converter_.Convert(text, mode_); }

    void WindowHints() {
        StringProperty(window_, "Hint");
        StringProperty(window_, "ButtonHint");
    }

    void Component(TComponent& component, bool withList) {
        if (withList) {
            if (const std::string* entry = ExceptionEntry(component.Name())) {
                Excepted(component, *entry);
                return;
            }
        }
        PropertyGroups(component, std::string());
        if (mode_ == kToSimplified || mode_ == kToTraditional) ClassTexts(component);
    }

private:
    const std::string* ExceptionEntry(const std::string& name) {
        TStrings& list = *converter_.ExceptionList();
        for (int i = 0; i < list.Count(); ++i) {
            const std::string& entry = list.Strings(i);
            const std::string first = entry.substr(0, entry.find(kEntrySeparator));
            if (strcasecmp(first.c_str(), name.c_str()) == 0) return &entry;
        }
        return nullptr;
    }

    void Excepted(TComponent& component, const std::string& entry) {
        if (const TPropInfo* parentFont = PropertyOf(component, "ParentFont", tkBoolean)) parentFont->SetOrd(component, 0);
        const std::size_t separator = entry.find(kEntrySeparator);
        if (separator == std::string::npos) return;
        PropertyGroups(component, entry.substr(separator + 1));
    }

    // The groups, in order, except those whose names occur in `left`.
    void PropertyGroups(TComponent& component, const std::string& left) {
        auto wanted = [&](const char* group) { return !ContainsText(left, group); };
        if (wanted("Font")) FontProperty(component, "Font");
        if (wanted("TitleFont")) FontProperty(component, "TitleFont");
        if (wanted("Caption")) StringProperty(component, "Caption");
        if (wanted("Hint")) {
            StringProperty(component, "Hint");
            StringProperty(component, "ButtonHint");
        }
        if (wanted("Items")) StringsProperty(component, "Items");
        if (wanted("Lines")) StringsProperty(component, "Lines");
        if (wanted("Text") && !PropertyOf(component, "DataField", tkString)) StringProperty(component, "Text");
        if (wanted("Style") && mode_ != 0) StyleProperty(component);
        if (wanted("Panels")) PanelsProperty(component);
    }

    void FontProperty(TComponent& component, const char* name) {
        if (const TPropInfo* info = PropertyOf(component, name, tkClass))
            TCodeConverter::ApplyFont(mode_, dynamic_cast<TFont*>(info->GetObject(component)));
    }

    void StringProperty(TObject& instance, const char* name) {
        const TPropInfo* info = PropertyOf(instance, name, tkString);
        if (!info || !info->IsWritable()) return;
        const std::string text = info->GetStr(instance);
        const std::string converted = Text(text);
        if (converted != text) info->SetStr(instance, converted);
    }

    void Lines(TStrings& lines) {
        const std::string text = lines.Text();
        const std::string converted = Text(text);
        if (converted != text) lines.SetText(converted);
    }

    void StringsProperty(TComponent& component, const char* name) {
        const TPropInfo* info = PropertyOf(component, name, tkStrings);
        TStrings* lines = info ? info->GetStrings(component) : nullptr;
        if (!lines) return;
        auto* combo = dynamic_cast<TCustomComboBox*>(&component);
        const int itemIndex = combo ? combo->ItemIndex() : -1;
        Lines(*lines);
        if (combo) combo->SetItemIndex(itemIndex);
    }

    void StyleProperty(TComponent& component) {
        if (auto* combo = dynamic_cast<TCustomComboBox*>(&component)) {
            // An editable drop-down stays editable: owner-drawn combo boxes take no typing, and the
            // interface draws every script without drawing items itself.
            if (combo->Style() != csDropDownList) return;
            const int itemIndex = combo->ItemIndex();
            combo->SetStyle(csOwnerDrawFixed);
            combo->SetItemIndex(itemIndex);
        } else if (auto* list = dynamic_cast<TCustomListBox*>(&component)) {
            if (list->Style() == lbStandard) list->SetStyle(lbOwnerDrawFixed);
        }
    }

    void PanelsProperty(TComponent& component) {
        const TPropInfo* info = PropertyOf(component, "Panels", tkClass);
        auto* panels = info ? dynamic_cast<TStatusPanels*>(info->GetObject(component)) : nullptr;
        if (!panels) return;
        for (int i = 0; i < panels->Count(); ++i) StringProperty(*panels->Items(i), "Text");
    }

    void MenuItems(TMenuItem& parent) {
        for (int i = 0; i < parent.Count(); ++i) {
            TMenuItem* item = parent.Items(i);
            // Items the window owns had their captions converted with the window's components.
            if (item->Owner() != &window_) StringProperty(*item, "Caption");
            MenuItems(*item);
        }
    }

    void ClassTexts(TComponent& component) {
        const TTextConversion convert = [this](const std::string& text) { return Text(text); };
        if (auto* view = dynamic_cast<TListView*>(&component)) {
            for (int i = 0; i < view->Columns()->Count(); ++i) StringProperty(*view->Columns()->Items(i), "Caption");
            for (int i = 0; i < view->Items()->Count(); ++i) {
                TListItem* item = view->Items()->Item(i);
                StringProperty(*item, "Caption");
                Lines(*item->SubItems());
            }
        } else if (auto* combo = dynamic_cast<TCustomComboBox*>(&component)) {
            if (!PropertyOf(component, "Items", tkStrings)) StringsProperty(*combo, "Items");
        } else if (auto* menu = dynamic_cast<TMenu*>(&component)) {
            MenuItems(*menu->Items());
        } else if (auto* tree = dynamic_cast<TTreeView*>(&component)) {
            for (int i = 0; i < tree->Items()->Count(); ++i) StringProperty(*tree->Items()->Item(i), "Text");
        } else if (auto* grid = dynamic_cast<TStringGrid*>(&component)) {
            for (int row = 0; row < grid->RowCount(); ++row)
                for (int col = 0; col < grid->ColCount(); ++col) {
                    const std::string text = grid->Cells(col, row);
                    const std::string converted = Text(text);
                    if (converted != text) grid->SetCells(col, row, converted);
                }
        }
        for (const TWindowTextRule& rule : Rules())
            if (rule(component, convert)) break;
    }

    const TCodeConverter& converter_;
    TCustomForm& window_;
    int mode_;
};

}  // namespace

void RegisterWindowTextRule(TWindowTextRule rule) { Rules().push_back(std::move(rule)); }

void TCodeConverter::ConvertForm(TCustomForm* window, const std::string& marker) {
    if (!window || !Translator()) return;
    TWindowConversion conversion(*this, *window);
    if (SysCodePage() == "950") window->SetCaption(Convert(window->Caption(), kToTraditional));
    conversion.WindowHints();
    ApplyScreenFonts();
    if (LanguageMode() == 0) return;
    const bool withList = marker == "DO";
    const std::vector<TComponent*> owned = window->ComponentList();
    for (TComponent* component : owned) conversion.Component(*component, withList);
}

void TCodeConverter::ConvertFormWithList(TCustomForm* window, const Variant& entries) {
    TStrings& list = *ExceptionList();
    list.Clear();
    if (entries.IsArray()) {
        for (int i = entries.Low(); i <= entries.High(); ++i) {
            const Variant& entry = entries[i];
            if (entry.IsString()) {
                list.Add(entry.AsString());
            } else if (entry.IsArray()) {
                std::string joined;
                for (int j = entry.Low(); j <= entry.High(); ++j) {
                    if (j > entry.Low()) joined += kEntrySeparator;
                    joined += VarToStr(entry[j]);
                }
                list.Add(joined);
            }
        }
    }
    ConvertForm(window, "DO");
}
