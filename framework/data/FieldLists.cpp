#include "framework/data/FieldLists.h"

#include <algorithm>

#include "toolkit/rtl/SysUtils.h"

namespace {

bool Contains(const std::vector<std::string>& names, const std::string& name) {
    return std::any_of(names.begin(), names.end(), [&](const std::string& n) { return SameText(n, name); });
}

}  // namespace

std::vector<TFieldListGroup> ParseFieldList(const std::string& list) {
    std::vector<TFieldListGroup> groups;
    for (const std::string& part : SplitString(list, ';')) {
        std::size_t colon = part.find(':');
        if (colon == std::string::npos) continue;
        TFieldListGroup group{Trim(part.substr(0, colon)), {}};
        if (group.DataSet.empty()) continue;
        for (const std::string& name : SplitString(part.substr(colon + 1), ','))
            if (std::string field = Trim(name); !field.empty()) group.Fields.push_back(field);
        groups.push_back(std::move(group));
    }
    return groups;
}

std::string FieldListText(const std::vector<TFieldListGroup>& groups) {
    std::string text;
    for (const TFieldListGroup& group : groups) {
        if (!text.empty()) text += ";";
        text += group.DataSet + ":";
        for (std::size_t i = 0; i < group.Fields.size(); ++i) text += (i ? "," : "") + group.Fields[i];
    }
    return text;
}

std::vector<std::string> FieldListFields(const std::string& list, const std::string& dataSet) {
    std::vector<std::string> fields;
    for (const TFieldListGroup& group : ParseFieldList(list))
        if (SameText(group.DataSet, dataSet)) fields.insert(fields.end(), group.Fields.begin(), group.Fields.end());
    return fields;
}

const std::vector<std::string>& TFieldListCache::Fields(const std::string& list, const std::string& dataSet) {
    auto entry = std::find_if(entries_.begin(), entries_.end(), [&](const TEntry& e) { return e.dataSet == dataSet; });
    if (entry == entries_.end())
        return entries_.insert(entries_.end(), TEntry{list, dataSet, FieldListFields(list, dataSet)})->fields;
    if (entry->list != list) {
        entry->list = list;
        entry->fields = FieldListFields(list, dataSet);
    }
    return entry->fields;
}

std::string MergeFieldLists(const std::string& current, const std::string& added) {
    std::vector<TFieldListGroup> merged;
    auto mergeGroup = [&merged](const TFieldListGroup& group) {
        auto same = std::find_if(merged.begin(), merged.end(),
                                 [&](const TFieldListGroup& g) { return SameText(g.DataSet, group.DataSet); });
        if (same == merged.end()) same = merged.insert(merged.end(), TFieldListGroup{group.DataSet, {}});
        for (const std::string& field : group.Fields)
            if (!Contains(same->Fields, field)) same->Fields.push_back(field);
    };
    for (const TFieldListGroup& group : ParseFieldList(current)) mergeGroup(group);
    for (const TFieldListGroup& group : ParseFieldList(added)) mergeGroup(group);
    return FieldListText(merged);
}
