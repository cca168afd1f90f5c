#include "toolkit/data/MemTable.h"

#include "toolkit/rtl/SysUtils.h"

bool TMemTable::KeyLess::operator()(const Key& a, const Key& b) const {
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        int c = VarCompare(a[i], b[i]);
        if (c != 0) return c < 0;
    }
    return a.size() < b.size();
}

TMemTable::TMemTable(std::string name, std::vector<TFieldDef> fields, std::vector<std::string> keyFields)
    : name_(std::move(name)), fields_(std::move(fields)) {
    for (const auto& k : keyFields) keyPositions_.push_back(FieldIndex(k));
}

int TMemTable::FieldIndex(const std::string& name) const {
    for (std::size_t i = 0; i < fields_.size(); ++i)
        if (SameText(fields_[i].Name, name)) return static_cast<int>(i);
    throw EDatabaseError("Field '" + name + "' not found in table " + name_);
}

TMemTable::Key TMemTable::KeyOf(const std::vector<Variant>& values) const {
    Key k;
    for (int p : keyPositions_)
        k.push_back(static_cast<std::size_t>(p) < values.size() ? values[static_cast<std::size_t>(p)] : Variant::Null());
    return k;
}

void TMemTable::AddRow(std::vector<Variant> values) {
    values.resize(fields_.size(), Variant::Null());
    Key k = KeyOf(values);
    if (!rows_.emplace(std::move(k), std::move(values)).second) throw EDatabaseError("Key violation.");
}

const std::vector<Variant>* TMemTable::Find(const Key& key) const {
    auto it = rows_.find(key);
    return it == rows_.end() ? nullptr : &it->second;
}

Variant TMemTable::Value(const Key& key, const std::string& field) const {
    const auto* row = Find(key);
    if (!row) return Variant();
    return (*row)[static_cast<std::size_t>(FieldIndex(field))];
}
