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

#include <unordered_map>
#include <vector>

#include "i18n/CodeConverter.h"
#include "i18n/WindowConversion.h"
#include "toolkit/classes/Properties.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/graphics/Font.h"
#include "toolkit/ui/grids/Grids.h"
#include "toolkit/ui/kernel/Forms.h"
#include "toolkit/ui/widgets/ComboBox.h"
#include "toolkit/ui/widgets/ListBox.h"
#include "toolkit/ui/widgets/ListView.h"
#include "toolkit/ui/widgets/Menus.h"
#include "toolkit/ui/widgets/StatusBar.h"
#include "toolkit/ui/widgets/TreeView.h"

namespace {

constexpr char kEntrySeparator = '\3';

std::vector<TWindowTextRule>& Rules() {
    static std::vector<TWindowTextRule> rules;
    return rules;
}

bool ContainsText(const std::string& text, const char* part) {
    return !text.empty() && Pos(UpperCase(part), UpperCase(text)) > 0;
}

const TPropInfo* PropertyOf(const TClassInfo& cls, const char* name, TTypeKind kind) {
    const TPropInfo* info = cls.FindProperty(name);
    return info && info->Kind() == kind ? info : nullptr;
}

enum class TTextClass {
    Other,
    ListView,
    ComboBox,
    Menu,
    TreeView,
    StringGrid
};

// What the conversion uses of a class, looked up once per class: windows hold many components of few
// classes, and finding properties by name is what converting them would otherwise spend its time on.
struct TClassGroups {
    explicit TClassGroups(const TComponent& sample) {
        const TClassInfo& cls = sample.ClassType();
        font = PropertyOf(cls, "Font", tkClass);
        titleFont = PropertyOf(cls, "TitleFont", tkClass);
        caption = PropertyOf(cls, "Caption", tkString);
        hint = PropertyOf(cls, "Hint", tkString);
        buttonHint = PropertyOf(cls, "ButtonHint", tkString);
        items = PropertyOf(cls, "Items", tkStrings);
        lines = PropertyOf(cls, "Lines", tkStrings);
        // The text of a data-aware control is its field's: converting it would edit the record.
        if (!PropertyOf(cls, "DataField", tkString)) text = PropertyOf(cls, "Text", tkString);
        panels = PropertyOf(cls, "Panels", tkClass);
        parentFont = PropertyOf(cls, "ParentFont", tkBoolean);
        combo = dynamic_cast<const TCustomComboBox*>(&sample) != nullptr;
        listBox = dynamic_cast<const TCustomListBox*>(&sample) != nullptr;
        if (dynamic_cast<const TListView*>(&sample))
            textClass = TTextClass::ListView;
        else if (combo)
            textClass = TTextClass::ComboBox;
        else if (dynamic_cast<const TMenu*>(&sample))
            textClass = TTextClass::Menu;
        else if (dynamic_cast<const TTreeView*>(&sample))
            textClass = TTextClass::TreeView;
        else if (dynamic_cast<const TStringGrid*>(&sample))
            textClass = TTextClass::StringGrid;
    }

    const TPropInfo* font = nullptr;
    const TPropInfo* titleFont = nullptr;
    const TPropInfo* caption = nullptr;
    const TPropInfo* hint = nullptr;
    const TPropInfo* buttonHint = nullptr;
    const TPropInfo* items = nullptr;
    const TPropInfo* lines = nullptr;
    const TPropInfo* text = nullptr;
    const TPropInfo* panels = nullptr;
    const TPropInfo* parentFont = nullptr;
    bool combo = false;
    bool listBox = false;
    TTextClass textClass = TTextClass::Other;
};

const TClassGroups& GroupsOf(const TComponent& component) {
    thread_local std::unordered_map<const TClassInfo*, TClassGroups> groups;
    // Components of one class often come one after the other.
    thread_local std::pair<const TClassInfo*, const TClassGroups*> last{nullptr, nullptr};
    const TClassInfo* cls = &component.ClassType();
    if (last.first == cls) return *last.second;
    auto found = groups.find(cls);
    if (found == groups.end()) found = groups.emplace(cls, TClassGroups(component)).first;
    last = {cls, &found->second};
    return found->second;
}

class TWindowConversion {
public:
    TWindowConversion(const TCodeConverter& converter, TCustomForm& window)
        : converter_(converter), window_(window), mode_(converter.LanguageMode()) {}

    std::string Text(const std::string& text) const { return converter_.Convert(text, mode_); }

    void WindowHints() {
        const TClassGroups& groups = GroupsOf(window_);
        StringProperty(window_, groups.hint);
        StringProperty(window_, groups.buttonHint);
    }

    void Component(TComponent& component, bool withList) {
        const TClassGroups& groups = GroupsOf(component);
        if (withList) {
            if (const std::string* entry = ExceptionEntry(component.Name())) {
                Excepted(component, groups, *entry);
                return;
            }
        }
        PropertyGroups(component, groups, std::string());
        if (mode_ == kToSimplified || mode_ == kToTraditional) ClassTexts(component, groups);
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

    void Excepted(TComponent& component, const TClassGroups& groups, const std::string& entry) {
        if (groups.parentFont) groups.parentFont->SetOrd(component, 0);
        const std::size_t separator = entry.find(kEntrySeparator);
        if (separator == std::string::npos) return;
        PropertyGroups(component, groups, entry.substr(separator + 1));
    }

    // The groups, in order, except those whose names occur in `left`.
    void PropertyGroups(TComponent& component, const TClassGroups& groups, const std::string& left) {
        auto wanted = [&](const char* group) { return left.empty() || !ContainsText(left, group); };
        if (wanted("Font")) FontProperty(component, groups.font);
        if (wanted("TitleFont")) FontProperty(component, groups.titleFont);
        if (wanted("Caption")) StringProperty(component, groups.caption);
        if (wanted("Hint")) {
            StringProperty(component, groups.hint);
            StringProperty(component, groups.buttonHint);
        }
        if (wanted("Items")) StringsProperty(component, groups, groups.items);
        if (wanted("Lines")) StringsProperty(component, groups, groups.lines);
        if (wanted("Text")) StringProperty(component, groups.text);
        if (wanted("Style") && mode_ != 0) StyleProperty(component, groups);
        if (wanted("Panels")) PanelsProperty(component, groups);
    }

    void FontProperty(TComponent& component, const TPropInfo* info) {
        if (info) TCodeConverter::ApplyFont(mode_, dynamic_cast<TFont*>(info->GetObject(component)));
    }

    void StringProperty(TObject& instance, const TPropInfo* info) {
        if (!info || !info->IsWritable()) return;
        const std::string text = info->GetStr(instance);
        if (text.empty()) return;
        const std::string converted = Text(text);
        if (converted != text) info->SetStr(instance, converted);
    }

    void StringProperty(TObject& instance, const char* name) {
        StringProperty(instance, PropertyOf(instance.ClassType(), name, tkString));
    }

    void Lines(TStrings& lines) {
        if (lines.Count() == 0) return;
        const std::string text = lines.Text();
        const std::string converted = Text(text);
        if (converted != text) lines.SetText(converted);
    }

    void StringsProperty(TComponent& component, const TClassGroups& groups, const TPropInfo* info) {
        TStrings* lines = info ? info->GetStrings(component) : nullptr;
        if (!lines) return;
        if (!groups.combo) {
            Lines(*lines);
            return;
        }
        auto& combo = static_cast<TCustomComboBox&>(component);
        const int itemIndex = combo.ItemIndex();
        Lines(*lines);
        combo.SetItemIndex(itemIndex);
    }

    void StyleProperty(TComponent& component, const TClassGroups& groups) {
        if (groups.combo) {
            auto& combo = static_cast<TCustomComboBox&>(component);
            // An editable drop-down stays editable: owner-drawn combo boxes take no typing, and the
            // interface draws every script without drawing items itself.
            if (combo.Style() != csDropDownList) return;
            const int itemIndex = combo.ItemIndex();
            combo.SetStyle(csOwnerDrawFixed);
            combo.SetItemIndex(itemIndex);
        } else if (groups.listBox) {
            auto& list = static_cast<TCustomListBox&>(component);
            if (list.Style() == lbStandard) list.SetStyle(lbOwnerDrawFixed);
        }
    }

    void PanelsProperty(TComponent& component, const TClassGroups& groups) {
        auto* panels = groups.panels ? dynamic_cast<TStatusPanels*>(groups.panels->GetObject(component)) : nullptr;
        if (!panels) return;
        for (int i = 0; i < panels->Count(); ++i) StringProperty(*panels->Items(i), "Text");
    }

    void MenuItems(TMenuItem& parent) {
        for (int i = 0; i < parent.Count(); ++i) {
            TMenuItem* item = parent.Items(i);
            // Items the window owns had their captions converted with the window's components.
            if (item->Owner() != &window_) StringProperty(*item, GroupsOf(*item).caption);
            MenuItems(*item);
        }
    }

    void ClassTexts(TComponent& component, const TClassGroups& groups) {
        switch (groups.textClass) {
            case TTextClass::ListView: {
                auto& view = static_cast<TListView&>(component);
                for (int i = 0; i < view.Columns()->Count(); ++i) StringProperty(*view.Columns()->Items(i), "Caption");
                for (int i = 0; i < view.Items()->Count(); ++i) {
                    TListItem* item = view.Items()->Item(i);
                    StringProperty(*item, "Caption");
                    Lines(*item->SubItems());
                }
                break;
            }
            case TTextClass::ComboBox:
                if (!groups.items) Lines(*static_cast<TCustomComboBox&>(component).Items());
                break;
            case TTextClass::Menu: MenuItems(*static_cast<TMenu&>(component).Items()); break;
            case TTextClass::TreeView: {
                TTreeNodes& nodes = *static_cast<TTreeView&>(component).Items();
                for (int i = 0; i < nodes.Count(); ++i) StringProperty(*nodes.Item(i), "Text");
                break;
            }
            case TTextClass::StringGrid: {
                auto& grid = static_cast<TStringGrid&>(component);
                for (int row = 0; row < grid.RowCount(); ++row)
                    for (int col = 0; col < grid.ColCount(); ++col) {
                        const std::string text = grid.Cells(col, row);
                        const std::string converted = Text(text);
                        if (converted != text) grid.SetCells(col, row, converted);
                    }
                break;
            }
            case TTextClass::Other: break;
        }
        if (Rules().empty()) return;
        const TTextConversion convert = [this](const std::string& text) { return Text(text); };
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
