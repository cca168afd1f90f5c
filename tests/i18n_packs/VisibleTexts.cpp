#include "tests/i18n_packs/VisibleTexts.h"

#include "toolkit/classes/Properties.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/grids/DBGrids.h"
#include "toolkit/ui/kernel/DataModule.h"
#include "toolkit/ui/kernel/Forms.h"
#include "toolkit/ui/widgets/ListView.h"
#include "toolkit/ui/widgets/StatusBar.h"

namespace {

class TTextWalk {
public:
    std::vector<TNamedText> texts;

    void Component(TComponent& component, const std::string& prefix) {
        Strings(component, prefix, {"Caption", "Hint", "ButtonHint"});
        if (!component.ClassType().FindProperty("DataField")) Strings(component, prefix, {"Text"});
        Lines(component, prefix, {"Items", "Lines"});
        if (auto* view = dynamic_cast<TListView*>(&component)) {
            for (int i = 0; i < view->Columns()->Count(); ++i)
                Add(prefix + "Columns_" + std::to_string(i) + ".Caption", view->Columns()->Items(i)->Caption());
            for (int i = 0; i < view->Items()->Count(); ++i)
                Add(prefix + "Items_" + std::to_string(i) + ".Caption", view->Items()->Item(i)->Caption());
        }
        if (auto* grid = dynamic_cast<TDBGrid*>(&component)) {
            for (int i = 0; i < grid->Columns()->Count(); ++i)
                if (grid->Columns()->Items(i)->Title()->CaptionAssigned())
                    Add(prefix + "Columns_" + std::to_string(i) + ".Title.Caption",
                        grid->Columns()->Items(i)->Title()->Caption());
        }
        if (auto* status = dynamic_cast<TStatusBar*>(&component)) {
            for (int i = 0; i < status->Panels()->Count(); ++i)
                Add(prefix + "Panels_" + std::to_string(i) + ".Text", status->Panels()->Items(i)->Text());
        }
        // Windows and data modules a window owns are entries of their own.
        for (TComponent* owned : component.ComponentList())
            if (!owned->Name().empty() && !dynamic_cast<TCustomForm*>(owned) && !dynamic_cast<TDataModule*>(owned))
                Component(*owned, owned->Name() + ".");
    }

private:
    void Add(const std::string& path, const std::string& text) {
        if (!Trim(text).empty()) texts.emplace_back(path, text);
    }

    void Strings(TComponent& component, const std::string& prefix, std::initializer_list<const char*> names) {
        for (const char* name : names) {
            const TPropInfo* info = component.ClassType().FindProperty(name);
            if (info && info->Kind() == tkString) Add(prefix + name, info->GetStr(component));
        }
    }

    void Lines(TComponent& component, const std::string& prefix, std::initializer_list<const char*> names) {
        for (const char* name : names) {
            const TPropInfo* info = component.ClassType().FindProperty(name);
            TStrings* lines = info && info->Kind() == tkStrings ? info->GetStrings(component) : nullptr;
            if (!lines) continue;
            for (int i = 0; i < lines->Count(); ++i) Add(prefix + name + "_" + std::to_string(i), lines->Strings(i));
        }
    }
};

char32_t DecodeAt(const std::string& text, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const int length = Utf8CharLength(lead);
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (int k = 1; k < length && i + k < text.size(); ++k) code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    i += static_cast<std::size_t>(length);
    return code;
}

}  // namespace

std::vector<TNamedText> VisibleTexts(TComponent& root) {
    TTextWalk walk;
    walk.Component(root, "");
    return walk.texts;
}

bool HasChineseText(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        const char32_t c = DecodeAt(text, i);
        if ((c >= 0x3000 && c <= 0x303F) || (c >= 0x3400 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
            (c >= 0xFF00 && c <= 0xFFEF) || (c >= 0x20000 && c <= 0x2FFFF))
            return true;
    }
    return false;
}
