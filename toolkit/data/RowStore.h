#pragma once
// The rows of a client dataset and their change log, shared by the dataset and its clone cursors.
// Rows are addressed by a stable id (never by position): the log, bookmarks, deltas and reconcile
// errors all use it. Nested detail rows live in per-row child stores.
#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <unordered_map>
#include <vector>

#include "toolkit/data/FieldDefs.h"
#include "toolkit/rtl/Variant.h"

class TRowStore;

struct TRow {
    std::int64_t id = 0;
    std::vector<Variant> values;                     // one per field (+ internal-calc slots)
    std::vector<std::shared_ptr<TRowStore>> nested;  // one per nested dataset field
};
using TRowPtr = std::shared_ptr<TRow>;

// The log entry of a row: what it was when fetched.
struct TChange {
    TUpdateStatus status = usUnmodified;
    std::vector<Variant> original;  // modified and deleted rows
    TRowPtr deletedRow;             // deleted rows (with their nested stores)
    std::size_t position = 0;       // deleted rows: where they stood
    int lastErrorCode = 0;
};

// The fields of a store and of its nested stores, made once and shared by every nested store of a
// field (a packet of many headers does not copy its body's field definitions per header).
struct TStoreShape {
    std::vector<TFieldDef> fields;
    std::vector<int> nestedPositions;
    std::vector<std::shared_ptr<const TStoreShape>> nested;  // per nested position
    static std::shared_ptr<const TStoreShape> Of(std::vector<TFieldDef> fields);
};

class TRowStore {
public:
    TRowStore(std::shared_ptr<const TStoreShape> shape, std::shared_ptr<std::int64_t> idCounter);
    static std::shared_ptr<TRowStore> Create(std::vector<TFieldDef> fields);

    const std::vector<TFieldDef>& Fields() const { return fields_; }
    // Natural order: as fetched or inserted.
    const std::vector<TRowPtr>& Rows() const {
        Materialize();
        return rows_;
    }
    // New on every change, and never the same for two stores: cursors rebuild their views from it,
    // and a value computed over the rows stays true while the version is the one it was computed at.
    std::uint64_t version = NextVersion();
    bool logChanges = true;

    TRowPtr NewRow();  // fresh id, empty nested stores, values Null
    // Takes the rows over (moved out of the packet when nothing else shares it).
    void AppendPacketRows(Variant packetRows);
    // The same, made into rows only when first looked at: a packet's details under headers nobody
    // shows are never made into rows.
    void KeepPacketRows(Variant packetRows);
    Variant PacketRows() const;  // current values, nested rows inside

    std::size_t PositionOf(const TRow* row) const;  // rows.size() when absent
    void Insert(const TRowPtr& row, std::size_t position);
    void Modify(const TRowPtr& row, std::vector<Variant> values);
    // The same with the values swapped in: values then holds the replaced ones (or nothing when logged).
    void ModifySwapped(const TRowPtr& row, std::vector<Variant>& values);
    void Remove(const TRowPtr& row);

    TUpdateStatus Status(const TRow& row) const;  // nested changes count as modified
    int ChangeCount() const;
    bool HasChanges() const;
    const TChange* LogEntry(std::int64_t id) const;
    std::vector<Variant> DeltaChanges() const;

    void MergeChangeLog();
    void MergeExcept(const std::set<std::int64_t>& refused);
    void CancelUpdates();
    bool RevertRow(std::int64_t id);                             // back to the fetched values; false when not logged
    std::int64_t UndoLastChange();                               // id of the row put back; 0 when nothing to undo
    void ForgetChange(std::int64_t id);                          // the change counts as applied
    void Clear();                                                // no rows, no log
    void ReplaceValues(std::int64_t id, const Variant& values);  // server's values, change forgotten
    void SetLastError(std::int64_t id, int code);

    // The path of stores and rows from this store down to the row with the id (deleted rows too).
    struct TPathStep {
        TRowStore* store;
        TRowPtr row;
        bool deleted;
    };
    bool FindPath(std::int64_t id, std::vector<TPathStep>& path);

private:
    struct TUndoStep {
        enum Kind {
            Inserted,
            Modified,
            Deleted
        } kind;
        TRowPtr row;
        std::vector<Variant> previousValues;
        std::optional<TChange> previousChange;
        std::size_t position = 0;
    };
    TRowPtr MakeRow(Variant packetRow);
    // Rows kept as a packet become rows; a store still holding them has no changes and no ids.
    void Materialize() const;
    bool Pending() const { return !pending_.IsEmpty(); }
    std::optional<TChange> TakeEntry(std::int64_t id) const;
    void RestoreEntry(std::int64_t id, const std::optional<TChange>& entry);
    std::vector<Variant> DataValues(const std::vector<Variant>& values) const;
    std::vector<Variant> DeltaValues(const std::vector<Variant>& values) const;  // without the trailing nulls
    std::vector<Variant> NestedDeletes(const TRow& row) const;
    std::vector<Variant> DeletesOfAll() const;
    void Touch() { version = NextVersion(); }
    static std::uint64_t NextVersion();

    std::shared_ptr<const TStoreShape> shape_;
    const std::vector<TFieldDef>& fields_;     // shape_'s
    const std::vector<int>& nestedPositions_;  // shape_'s
    std::shared_ptr<std::int64_t> idCounter_;
    mutable std::vector<TRowPtr> rows_;
    mutable Variant pending_;  // packet rows not made into rows yet
    std::unordered_map<std::int64_t, TChange> log_;
    std::vector<TUndoStep> undo_;
};
