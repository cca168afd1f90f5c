#pragma once
// Field and index definitions: the shape of a dataset's rows, as a client dataset builds it for
// CreateDataSet and as the provider protocol carries it in packets (nested datasets in ChildDefs).
#include <string>
#include <vector>

#include "toolkit/data/DataTypes.h"

struct TFieldDef {
    std::string Name;
    TFieldType DataType = ftUnknown;
    int Size = 0;  // strings: bytes in the database code page; BCD: decimals (= Scale)
    bool Required = false;
    bool ReadOnly = false;
    int Precision = 0;                 // BCD: total digits
    int Scale = 0;                     // BCD: decimals
    std::vector<TFieldDef> ChildDefs;  // ftDataSet: the nested dataset's fields
};

// A definition in one expression (servers and tests describe their tables this way).
TFieldDef FieldDef(const std::string& name, TFieldType type, int size = 0, bool required = false);

class TFieldDefs {
public:
    TFieldDef& Add(const std::string& name, TFieldType type, int size = 0, bool required = false);
    void Add(const TFieldDef& def) { items_.push_back(def); }
    void Clear() { items_.clear(); }
    int Count() const { return static_cast<int>(items_.size()); }
    TFieldDef& operator[](int i) { return items_.at(static_cast<std::size_t>(i)); }
    const TFieldDef& operator[](int i) const { return items_.at(static_cast<std::size_t>(i)); }
    int IndexOf(const std::string& name) const;  // case-insensitive; -1 when absent
    const TFieldDef* Find(const std::string& name) const;
    const std::vector<TFieldDef>& Items() const { return items_; }
    std::vector<TFieldDef>& Items() { return items_; }
    void Assign(const std::vector<TFieldDef>& defs) { items_ = defs; }

private:
    std::vector<TFieldDef> items_;
};

struct TIndexDef {
    std::string Name;
    std::string Fields;         // "A;B"
    std::string DescFields;     // fields among Fields sorted descending
    std::string CaseInsFields;  // string fields among Fields compared without case
    TIndexOptions Options;      // ixDescending: every field descending; ixCaseInsensitive: every field
};

class TIndexDefs {
public:
    TIndexDef& Add(const std::string& name, const std::string& fields, TIndexOptions options = {});
    void Clear() { items_.clear(); }
    int Count() const { return static_cast<int>(items_.size()); }
    TIndexDef& operator[](int i) { return items_.at(static_cast<std::size_t>(i)); }
    const TIndexDef& operator[](int i) const { return items_.at(static_cast<std::size_t>(i)); }
    int IndexOf(const std::string& name) const;  // case-insensitive; -1 when absent
    TIndexDef* Find(const std::string& name);
    const TIndexDef* Find(const std::string& name) const;

private:
    std::vector<TIndexDef> items_;
};

// Splits a field list "A;B" (also accepts ",") into trimmed names; empty items are dropped.
std::vector<std::string> SplitFieldNames(const std::string& list);
