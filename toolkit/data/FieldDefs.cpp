#include "toolkit/data/FieldDefs.h"

#include "toolkit/rtl/SysUtils.h"

TFieldDef FieldDef(const std::string& name, TFieldType type, int size, bool required) {
    TFieldDef def;
    def.Name = name;
    def.DataType = type;
    def.Size = size;
    def.Required = required;
    return def;
}

TFieldDef& TFieldDefs::Add(const std::string& name, TFieldType type, int size, bool required) {
    TFieldDef def;
    def.Name = name;
    def.DataType = type;
    def.Size = size;
    def.Required = required;
    items_.push_back(def);
    return items_.back();
}

int TFieldDefs::IndexOf(const std::string& name) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (SameText(items_[i].Name, name)) return static_cast<int>(i);
    return -1;
}

const TFieldDef* TFieldDefs::Find(const std::string& name) const {
    int i = IndexOf(name);
    return i < 0 ? nullptr : &items_[static_cast<std::size_t>(i)];
}

TIndexDef& TIndexDefs::Add(const std::string& name, const std::string& fields, TIndexOptions options) {
    TIndexDef def;
    def.Name = name;
    def.Fields = fields;
    def.Options = std::move(options);
    items_.push_back(def);
    return items_.back();
}

int TIndexDefs::IndexOf(const std::string& name) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (SameText(items_[i].Name, name)) return static_cast<int>(i);
    return -1;
}

TIndexDef* TIndexDefs::Find(const std::string& name) {
    int i = IndexOf(name);
    return i < 0 ? nullptr : &items_[static_cast<std::size_t>(i)];
}

const TIndexDef* TIndexDefs::Find(const std::string& name) const {
    int i = IndexOf(name);
    return i < 0 ? nullptr : &items_[static_cast<std::size_t>(i)];
}

std::vector<std::string> SplitFieldNames(const std::string& list) {
    std::vector<std::string> out;
    std::string cur;
    for (char c : list) {
        if (c == ';' || c == ',') {
            cur = Trim(cur);
            if (!cur.empty()) out.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    cur = Trim(cur);
    if (!cur.empty()) out.push_back(cur);
    return out;
}
