#pragma once
// An in-memory table keyed by its key fields, for the in-process test provider.
#include <map>
#include <string>
#include <vector>

#include "toolkit/data/FieldDefs.h"
#include "toolkit/rtl/Variant.h"

class TMemTable {
public:
    using Key = std::vector<Variant>;
    struct KeyLess {
        bool operator()(const Key& a, const Key& b) const;
    };
    using Rows = std::map<Key, std::vector<Variant>, KeyLess>;

    TMemTable(std::string name, std::vector<TFieldDef> fields, std::vector<std::string> keyFields);
    const std::string& Name() const { return name_; }
    const std::vector<TFieldDef>& Fields() const { return fields_; }
    const std::vector<int>& KeyPositions() const { return keyPositions_; }
    int FieldIndex(const std::string& name) const;  // raises for an unknown field

    // Adds a row (values in field order); a duplicate key raises EDatabaseError "Key violation.".
    void AddRow(std::vector<Variant> values);
    int RowCount() const { return static_cast<int>(rows_.size()); }
    Key KeyOf(const std::vector<Variant>& values) const;
    const std::vector<Variant>* Find(const Key& key) const;
    // One value of the row with the key; Empty when there is no such row.
    Variant Value(const Key& key, const std::string& field) const;
    const Rows& AllRows() const { return rows_; }
    Rows& MutableRows() { return rows_; }

private:
    std::string name_;
    std::vector<TFieldDef> fields_;
    std::vector<int> keyPositions_;
    Rows rows_;
};
