#pragma once
// Building and reading the variants of the provider protocol (see Provider.h): data packets,
// deltas and error packets. Servers use the builders and TDeltaReader; client datasets use the
// readers and TDeltaBuilder.
#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/data/Provider.h"

// A 0-based array that takes the items over, without copying them.
Variant ArrayOfMoved(std::vector<Variant>&& items);

// Builds a data packet. Rows are arrays with one value per field; a nested dataset field's value is
// the Rows() of a child builder made from that field's ChildDefs.
class TPacketBuilder {
public:
    explicit TPacketBuilder(std::vector<TFieldDef> fields);
    const std::vector<TFieldDef>& Fields() const { return fields_; }
    void AddRow(std::vector<Variant> values);  // missing trailing values are Null
    int RowCount() const { return static_cast<int>(rows_.size()); }
    Variant Rows() const;
    Variant Build(bool moreRows = false, bool withMetadata = true) const;

private:
    std::vector<TFieldDef> fields_;
    std::vector<Variant> rows_;
};

// Reads a data packet (raises EDatabaseError for a variant that is not one).
struct TDataPacket {
    std::vector<TFieldDef> fields;  // empty when the packet came without metadata
    Variant rows;                   // array of rows, or Empty
    bool moreRows = false;
    int RowCount() const { return rows.IsArray() ? rows.Count() : 0; }
    static TDataPacket Read(const Variant& packet);
};

// One changed row of a delta.
class TDeltaRow {
public:
    TDeltaRow(const std::vector<TFieldDef>* fields, const Variant* change);
    std::int64_t Id() const;
    TUpdateKind Kind() const;                       // raises EDatabaseError for a kind the protocol does not know
    int FieldIndex(const std::string& name) const;  // raises for an unknown field
    Variant OldValue(int field) const;              // Null for inserts
    Variant OldValue(const std::string& name) const { return OldValue(FieldIndex(name)); }
    bool Changed(int field) const;  // inserts: every non-null value
    bool Changed(const std::string& name) const { return Changed(FieldIndex(name)); }
    bool HasChangedValues() const;
    // The value after the change: the new value when changed, else the original one.
    Variant NewValue(int field) const;
    // NewValue without the copy, valid as long as the delta.
    const Variant& NewValueRef(int field) const;
    Variant NewValue(const std::string& name) const { return NewValue(FieldIndex(name)); }
    // The changes of a nested dataset field (by field index or name) inside this row.
    class TDeltaReader Details(int field) const;
    class TDeltaReader Details(const std::string& name) const;

private:
    const std::vector<TFieldDef>* fields_;
    const Variant* change_;
    // The original and current values' arrays, looked up once: the server reads every field of a row.
    const Variant* original_ = nullptr;
    const Variant* current_ = nullptr;
    int originalHigh_ = -1;
    int currentHigh_ = -1;
    mutable int kind_ = -1;  // read on first use
};

// Iterates the changed rows of a delta (or of a nested part of one).
class TDeltaReader {
public:
    explicit TDeltaReader(const Variant& delta);
    TDeltaReader(std::vector<TFieldDef> fields, Variant changes);
    const std::vector<TFieldDef>& Fields() const { return fields_; }
    int Count() const { return changes_.IsArray() ? changes_.Count() : 0; }
    TDeltaRow Row(int i) const { return TDeltaRow(&fields_, &changes_[i]); }

private:
    std::vector<TFieldDef> fields_;
    Variant changes_;
};

// Builds a delta (client side).
class TDeltaBuilder {
public:
    // One change; originals Empty for inserts; current: the row's current values.
    static Variant Change(std::int64_t id, TUpdateKind kind, std::vector<Variant> original, std::vector<Variant> current,
                          std::vector<Variant> nested);
    static Variant Build(const std::vector<TFieldDef>& fields, std::vector<Variant> changes);
};

struct TErrorEntry {
    std::int64_t id = 0;
    std::string message;
    int errorCode = 0;
    std::string context;
    Variant currentValues;  // array or Empty
};

class TErrorPacketBuilder {
public:
    void AddError(std::int64_t id, const std::string& message, int errorCode = 0, const std::string& context = {},
                  const Variant& currentValues = {});
    void SetCommitted(bool committed) { committed_ = committed; }
    int Count() const { return static_cast<int>(errors_.size()); }
    Variant Build() const;

private:
    bool committed_ = true;
    std::vector<Variant> errors_;
};

struct TErrorPacket {
    bool committed = true;
    std::vector<TErrorEntry> errors;
    static TErrorPacket Read(const Variant& packet);  // Empty reads as committed without errors
};
