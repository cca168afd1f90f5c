#include "toolkit/data/RowStore.h"

#include <algorithm>
#include <atomic>
#include <utility>

#include "toolkit/data/Packets.h"

namespace {
// The rows a change log deletes, in the order they were fetched (row ids grow with the fetch).
std::vector<const TChange*> DeletedInFetchOrder(const std::unordered_map<std::int64_t, TChange>& log) {
    std::vector<const TChange*> deleted;
    for (const auto& [id, c] : log)
        if (c.status == usDeleted) deleted.push_back(&c);
    std::sort(deleted.begin(), deleted.end(),
              [](const TChange* a, const TChange* b) { return a->deletedRow->id < b->deletedRow->id; });
    return deleted;
}
}  // namespace

std::shared_ptr<const TStoreShape> TStoreShape::Of(std::vector<TFieldDef> fields) {
    auto shape = std::make_shared<TStoreShape>();
    shape->fields = std::move(fields);
    shape->nestedPositions = NestedFieldPositions(shape->fields);
    for (int pos : shape->nestedPositions) shape->nested.push_back(Of(shape->fields[static_cast<std::size_t>(pos)].ChildDefs));
    return shape;
}

TRowStore::TRowStore(std::shared_ptr<const TStoreShape> shape, std::shared_ptr<std::int64_t> idCounter)
    : shape_(std::move(shape)), fields_(shape_->fields), nestedPositions_(shape_->nestedPositions),
      idCounter_(std::move(idCounter)) {}

std::shared_ptr<TRowStore> TRowStore::Create(std::vector<TFieldDef> fields) {
    return std::make_shared<TRowStore>(TStoreShape::Of(std::move(fields)), std::make_shared<std::int64_t>(0));
}

TRowPtr TRowStore::NewRow() {
    auto row = std::make_shared<TRow>();
    row->id = ++*idCounter_;
    row->values.assign(fields_.size(), Variant::Null());
    for (const auto& nested : shape_->nested) row->nested.push_back(std::make_shared<TRowStore>(nested, idCounter_));
    return row;
}

TRowPtr TRowStore::MakeRow(Variant packetRow) {
    auto row = std::make_shared<TRow>();
    row->id = ++*idCounter_;
    const std::size_t n = fields_.size();
    // The packet row's values become the row's own, taken whole when nothing else shares them.
    std::vector<Variant>& values = row->values;
    if (packetRow.IsArray() && packetRow.DimCount() == 1) values = packetRow.TakeItems();
    values.resize(n);
    row->nested.reserve(nestedPositions_.size());
    for (std::size_t k = 0; k < nestedPositions_.size(); ++k) {
        auto child = std::make_shared<TRowStore>(shape_->nested[k], idCounter_);
        // The nested rows go to the child store; the field's own slot stays Empty.
        child->KeepPacketRows(std::move(values[static_cast<std::size_t>(nestedPositions_[k])]));
        row->nested.push_back(std::move(child));
    }
    for (std::size_t i = 0; i < n; ++i)
        if (values[i].IsEmpty() && fields_[i].DataType != ftDataSet) values[i] = Variant::Null();
    return row;
}

void TRowStore::AppendPacketRows(Variant packetRows) {
    if (!packetRows.IsArray() || packetRows.DimCount() != 1) return;
    Materialize();
    std::vector<Variant> items = packetRows.TakeItems();  // copied when the packet is shared
    rows_.reserve(rows_.size() + items.size());
    for (Variant& item : items) rows_.push_back(MakeRow(std::move(item)));
    Touch();
}

void TRowStore::KeepPacketRows(Variant packetRows) {
    if (!packetRows.IsArray() || packetRows.DimCount() != 1) return;
    if (!rows_.empty() || Pending()) {
        AppendPacketRows(std::move(packetRows));
        return;
    }
    pending_ = std::move(packetRows);
    Touch();
}

void TRowStore::Materialize() const {
    if (!Pending()) return;
    // Making rows changes no value anyone has seen: the version stays.
    auto* self = const_cast<TRowStore*>(this);
    std::vector<Variant> items = std::exchange(self->pending_, Variant()).TakeItems();
    rows_.reserve(items.size());
    for (Variant& item : items) rows_.push_back(self->MakeRow(std::move(item)));
}

Variant TRowStore::PacketRows() const {
    Materialize();
    Variant out = Variant::MakeArray({{0, static_cast<int>(rows_.size()) - 1}});
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        std::vector<Variant> values = DataValues(rows_[r]->values);
        for (std::size_t k = 0; k < nestedPositions_.size(); ++k)
            values[static_cast<std::size_t>(nestedPositions_[k])] = rows_[r]->nested[k]->PacketRows();
        out[static_cast<int>(r)] = VarArrayOf(values);
    }
    return out;
}

std::vector<Variant> TRowStore::DeltaValues(const std::vector<Variant>& values) const {
    // Up to the last value that says anything: a delta's reader takes those beyond as null.
    std::size_t end = std::min(values.size(), fields_.size());
    while (end > 0 && values[end - 1].IsEmptyOrNull()) --end;
    std::vector<Variant> out(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(end));
    for (int pos : nestedPositions_)
        if (static_cast<std::size_t>(pos) < end) out[static_cast<std::size_t>(pos)] = Variant();
    return out;
}

std::vector<Variant> TRowStore::DataValues(const std::vector<Variant>& values) const {
    std::vector<Variant> out(values.begin(),
                             values.begin() + static_cast<std::ptrdiff_t>(std::min(values.size(), fields_.size())));
    out.resize(fields_.size(), Variant::Null());
    for (int pos : nestedPositions_) out[static_cast<std::size_t>(pos)] = Variant();
    return out;
}

std::size_t TRowStore::PositionOf(const TRow* row) const {
    Materialize();
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].get() == row) return i;
    return rows_.size();
}

std::optional<TChange> TRowStore::TakeEntry(std::int64_t id) const {
    auto it = log_.find(id);
    if (it == log_.end()) return std::nullopt;
    return it->second;
}

void TRowStore::RestoreEntry(std::int64_t id, const std::optional<TChange>& entry) {
    if (entry)
        log_[id] = *entry;
    else
        log_.erase(id);
}

std::uint64_t TRowStore::NextVersion() {
    static std::atomic<std::uint64_t> last{0};
    return ++last;
}

void TRowStore::Insert(const TRowPtr& row, std::size_t position) {
    Materialize();
    position = std::min(position, rows_.size());
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(position), row);
    if (logChanges) {
        undo_.push_back({TUndoStep::Inserted, row, {}, TakeEntry(row->id), position});
        TChange c;
        c.status = usInserted;
        log_[row->id] = std::move(c);
    }
    Touch();
}

void TRowStore::ModifySwapped(const TRowPtr& row, std::vector<Variant>& values) {
    if (logChanges) {
        Modify(row, std::exchange(values, {}));
        return;
    }
    row->values.swap(values);
    Touch();
}

void TRowStore::Modify(const TRowPtr& row, std::vector<Variant> values) {
    if (logChanges) {
        std::optional<TChange> before = TakeEntry(row->id);
        if (!before) {
            TChange c;
            c.status = usModified;
            c.original = row->values;
            log_[row->id] = std::move(c);
        }
        // The values replaced move to the undo step rather than being copied there.
        undo_.push_back({TUndoStep::Modified, row, std::exchange(row->values, std::move(values)), std::move(before), 0});
    } else {
        row->values = std::move(values);
    }
    Touch();
}

void TRowStore::Remove(const TRowPtr& row) {
    std::size_t position = PositionOf(row.get());
    if (position < rows_.size()) rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(position));
    if (logChanges) {
        auto before = TakeEntry(row->id);
        undo_.push_back({TUndoStep::Deleted, row, {}, before, position});
        if (before && before->status == usInserted) {
            log_.erase(row->id);  // never reached the server: nothing to send
        } else {
            TChange c;
            c.status = usDeleted;
            c.original = before && before->status == usModified ? before->original : row->values;
            c.deletedRow = row;
            c.position = position;
            log_[row->id] = std::move(c);
        }
    }
    Touch();
}

TUpdateStatus TRowStore::Status(const TRow& row) const {
    auto it = log_.find(row.id);
    if (it != log_.end()) return it->second.status;
    for (const auto& n : row.nested)
        if (n->HasChanges()) return usModified;
    return usUnmodified;
}

const TChange* TRowStore::LogEntry(std::int64_t id) const {
    auto it = log_.find(id);
    return it == log_.end() ? nullptr : &it->second;
}

int TRowStore::ChangeCount() const {
    int n = static_cast<int>(log_.size());
    if (!nestedPositions_.empty() && !Pending())
        for (const auto& r : rows_)
            for (const auto& s : r->nested) n += s->ChangeCount();
    return n;
}

bool TRowStore::HasChanges() const {
    if (!log_.empty()) return true;
    if (!nestedPositions_.empty() && !Pending())
        for (const auto& r : rows_)
            for (const auto& s : r->nested)
                if (s->HasChanges()) return true;
    return false;
}

std::vector<Variant> TRowStore::DeletesOfAll() const {
    // Every row of this store as it was fetched, as deletes (its master is being deleted).
    Materialize();
    std::vector<Variant> out;
    for (const auto& r : rows_) {
        auto it = log_.find(r->id);
        if (it != log_.end() && it->second.status == usInserted) continue;
        const std::vector<Variant>& orig = it != log_.end() ? it->second.original : r->values;
        out.push_back(TDeltaBuilder::Change(r->id, ukDelete, DeltaValues(orig), {}, NestedDeletes(*r)));
    }
    for (const TChange* c : DeletedInFetchOrder(log_))
        out.push_back(
            TDeltaBuilder::Change(c->deletedRow->id, ukDelete, DeltaValues(c->original), {}, NestedDeletes(*c->deletedRow)));
    return out;
}

std::vector<Variant> TRowStore::NestedDeletes(const TRow& row) const {
    std::vector<Variant> out;
    for (const auto& s : row.nested) out.push_back(VarArrayOf(s->DeletesOfAll()));
    return out;
}

std::vector<Variant> TRowStore::DeltaChanges() const {
    std::vector<Variant> out;
    // Deletes first, so that a key deleted and added again reaches the server in a workable order.
    for (const TChange* c : DeletedInFetchOrder(log_))
        out.push_back(
            TDeltaBuilder::Change(c->deletedRow->id, ukDelete, DeltaValues(c->original), {}, NestedDeletes(*c->deletedRow)));

    for (const auto& r : rows_) {
        std::vector<Variant> nested;
        bool nestedChanged = false;
        for (const auto& s : r->nested) {
            std::vector<Variant> changes = s->DeltaChanges();
            nestedChanged = nestedChanged || !changes.empty();
            nested.push_back(ArrayOfMoved(std::move(changes)));
        }
        auto it = log_.find(r->id);
        const bool logged = it != log_.end() && (it->second.status == usInserted || it->second.status == usModified);
        if (!logged && !nestedChanged) continue;  // neither the row nor its details changed
        if (it != log_.end() && it->second.status == usInserted) {
            out.push_back(TDeltaBuilder::Change(r->id, ukInsert, {}, DeltaValues(r->values),
                                                nestedChanged ? std::move(nested) : std::vector<Variant>{}));
            continue;
        }
        std::vector<Variant> current = DataValues(r->values);
        if (it != log_.end() && it->second.status == usModified) {
            std::vector<Variant> original = DataValues(it->second.original);
            std::vector<Variant> changed(current.size());
            for (std::size_t i = 0; i < current.size(); ++i)
                if (fields_[i].DataType != ftDataSet && !(current[i] == original[i]) &&
                    !(current[i].IsNull() && original[i].IsNull()))
                    changed[i] = std::move(current[i]);  // current is not sent for a modify
            out.push_back(TDeltaBuilder::Change(r->id, ukModify, std::move(original), std::move(changed),
                                                nestedChanged ? std::move(nested) : std::vector<Variant>{}));
        } else if (nestedChanged) {
            std::vector<Variant> unchanged(current.size());
            out.push_back(TDeltaBuilder::Change(r->id, ukModify, std::move(current), std::move(unchanged), std::move(nested)));
        }
    }
    return out;
}

void TRowStore::MergeChangeLog() { MergeExcept({}); }

void TRowStore::MergeExcept(const std::set<std::int64_t>& refused) {
    for (auto it = log_.begin(); it != log_.end();) {
        if (refused.count(it->first))
            ++it;
        else
            it = log_.erase(it);
    }
    if (!nestedPositions_.empty())
        for (const auto& r : rows_) {
            if (refused.count(r->id)) continue;  // a refused master keeps its details pending
            for (const auto& s : r->nested) s->MergeExcept(refused);
        }
    undo_.clear();
    Touch();
}

void TRowStore::CancelUpdates() {
    std::vector<const TChange*> deleted;
    for (auto& [id, c] : log_) {
        if (c.status == usInserted) {
            std::size_t p = 0;
            for (; p < rows_.size() && rows_[p]->id != id; ++p) {}
            if (p < rows_.size()) rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(p));
        } else if (c.status == usDeleted) {
            deleted.push_back(&c);
        }
    }
    for (auto& [id, c] : log_) {
        if (c.status != usModified) continue;
        for (auto& r : rows_)
            if (r->id == id) {
                r->values = c.original;
                break;
            }
    }
    std::sort(deleted.begin(), deleted.end(), [](const TChange* a, const TChange* b) { return a->position < b->position; });
    for (const TChange* c : deleted) {
        c->deletedRow->values = c->original;
        rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(std::min(c->position, rows_.size())), c->deletedRow);
    }
    log_.clear();
    undo_.clear();
    for (const auto& r : rows_)
        for (const auto& s : r->nested) s->CancelUpdates();
    Touch();
}

bool TRowStore::RevertRow(std::int64_t id) {
    Materialize();
    auto it = log_.find(id);
    TRowPtr row;
    for (const auto& r : rows_)
        if (r->id == id) row = r;
    if (it == log_.end()) {
        if (!row) return false;
        bool any = false;
        for (const auto& s : row->nested)
            if (s->HasChanges()) {
                s->CancelUpdates();
                any = true;
            }
        if (any) Touch();
        return any;
    }
    TChange c = it->second;
    log_.erase(it);
    if (c.status == usInserted && row) {
        rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(PositionOf(row.get())));
    } else if (c.status == usModified && row) {
        row->values = c.original;
    } else if (c.status == usDeleted) {
        row = c.deletedRow;
        row->values = c.original;
        rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(std::min(c.position, rows_.size())), row);
    }
    if (row && c.status != usInserted)
        for (const auto& s : row->nested) s->CancelUpdates();
    undo_.erase(std::remove_if(undo_.begin(), undo_.end(), [id](const TUndoStep& u) { return u.row->id == id; }), undo_.end());
    Touch();
    return true;
}

void TRowStore::ForgetChange(std::int64_t id) {
    log_.erase(id);
    Touch();
}

std::int64_t TRowStore::UndoLastChange() {
    if (undo_.empty()) return 0;
    TUndoStep step = std::move(undo_.back());
    undo_.pop_back();
    switch (step.kind) {
        case TUndoStep::Inserted: {
            std::size_t p = PositionOf(step.row.get());
            if (p < rows_.size()) rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(p));
            break;
        }
        case TUndoStep::Modified: step.row->values = step.previousValues; break;
        case TUndoStep::Deleted:
            rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(std::min(step.position, rows_.size())), step.row);
            break;
    }
    RestoreEntry(step.row->id, step.previousChange);
    Touch();
    return step.row->id;
}

void TRowStore::Clear() {
    rows_.clear();
    pending_ = Variant();
    log_.clear();
    undo_.clear();
    Touch();
}

void TRowStore::ReplaceValues(std::int64_t id, const Variant& values) {
    log_.erase(id);
    for (auto& r : rows_) {
        if (r->id != id) continue;
        for (std::size_t i = 0; i < fields_.size() && values.IsArray() && values.Low() + static_cast<int>(i) <= values.High();
             ++i)
            if (fields_[i].DataType != ftDataSet) r->values[i] = values[values.Low() + static_cast<int>(i)];
    }
    Touch();
}

void TRowStore::SetLastError(std::int64_t id, int code) {
    auto it = log_.find(id);
    if (it != log_.end()) it->second.lastErrorCode = code;
}

bool TRowStore::FindPath(std::int64_t id, std::vector<TPathStep>& path) {
    for (const auto& r : rows_) {
        if (r->id == id) {
            path.push_back({this, r, false});
            return true;
        }
    }
    auto it = log_.find(id);
    if (it != log_.end() && it->second.status == usDeleted) {
        path.push_back({this, it->second.deletedRow, true});
        return true;
    }
    if (nestedPositions_.empty()) return false;
    for (const auto& r : rows_) {
        for (const auto& s : r->nested) {
            path.push_back({this, r, false});
            if (s->FindPath(id, path)) return true;
            path.pop_back();
        }
    }
    return false;
}
