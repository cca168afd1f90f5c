#include "i18n/LangPropertyPath.h"

#include <strings.h>

#include "toolkit/classes/Component.h"
#include "toolkit/classes/Properties.h"
#include "toolkit/rtl/Strings.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

struct TSegment {
    std::string name;
    int index = -1;
};

// "Items_3" is Items with index 3; the text after the first "_" must be a number to be an index.
TSegment SplitSegment(const std::string& segment) {
    const std::size_t bar = segment.find('_');
    if (bar == std::string::npos) return {segment, -1};
    int index = 0;
    if (!TryStrToInt(segment.substr(bar + 1), index) || index < 0) return {segment, -1};
    return {segment.substr(0, bar), index};
}

bool SameText(const std::string& a, const char* b) { return strcasecmp(a.c_str(), b) == 0; }

// The object an inner segment leads to; nullptr stops the walk (the attribute is skipped).
TObject* WalkInto(TObject* current, const TSegment& segment) {
    const TPropInfo* info = current->ClassType().FindProperty(segment.name);
    if (!info || info->Kind() != tkClass) return nullptr;
    TObject* next = info->GetObject(*current);
    if (!next || segment.index < 0) return next;
    auto* items = dynamic_cast<IIndexedItems*>(next);
    if (!items) {
        // Items and Columns that are no list of items are walked into with the index dropped.
        const bool listName = SameText(segment.name, "Items") || SameText(segment.name, "Columns");
        return listName ? next : nullptr;
    }
    // An index beyond the items changes nothing.
    return segment.index < items->IndexedItemCount() ? items->IndexedItem(segment.index) : nullptr;
}

bool SetLine(TStrings& lines, int index, const std::string& value) {
    if (index < 0) return false;
    lines.BeginUpdate();
    while (lines.Count() <= index) lines.Add("");
    lines.SetStrings(index, value);
    lines.EndUpdate();
    return true;
}

bool SetProperty(TObject& target, const std::string& name, const std::string& value) {
    const TPropInfo* info = GetPropInfo(&target, name);
    if (!info || !info->IsWritable() || info->Kind() == tkMethod || info->Kind() == tkClass) return false;
    try {
        // Named integers (colours, cursors), trimmed enumerations and sets: the property knows how.
        SetPropValue(&target, name, Variant(value));
        return true;
    } catch (const std::exception&) {
        return false;  // a value that does not fit
    }
}

}  // namespace

bool ApplyLangAttribute(TComponent& component, const std::string& path, const std::string& value) {
    TObject* target = &component;
    std::string rest = path;
    for (std::size_t dot = rest.find('.'); dot != std::string::npos; dot = rest.find('.')) {
        target = WalkInto(target, SplitSegment(rest.substr(0, dot)));
        rest = rest.substr(dot + 1);
        if (!target || Trim(rest).empty()) return false;
    }
    const TSegment last = SplitSegment(rest);
    if (target == &component && last.index >= 0) {
        const TPropInfo* info = component.ClassType().FindProperty(last.name);
        if (!info || info->Kind() != tkStrings) return false;
        TStrings* lines = info->GetStrings(component);
        return lines && SetLine(*lines, last.index, value);
    }
    if (const TPropInfo* info = target->ClassType().FindProperty(rest); info && info->Kind() == tkStrings)
        return false;  // a whole string list is only written line by line
    return SetProperty(*target, rest, value);
}
