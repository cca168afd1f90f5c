// The change log of the client dataset and applying it to the provider.
#include <set>

#include "toolkit/data/ClientDataSet.h"
#include "toolkit/data/DataSetField.h"
#include "toolkit/data/Packets.h"
#include "toolkit/rtl/Dispatch.h"

namespace {
bool EditModes(TDataSetState s) { return s == dsEdit || s == dsInsert; }
}  // namespace

int TClientDataSet::ChangeCount() const { return Active() && store_ ? store_->ChangeCount() : 0; }

TUpdateStatus TClientDataSet::UpdateStatus() const {
    if (State() == dsInsert) return usInserted;
    EnsureView();
    if (!store_ || pos_ < 0) return usUnmodified;
    return store_->Status(*view_[static_cast<std::size_t>(pos_)]);
}

Variant TClientDataSet::GetFetchedFieldData(const TField* field) const {
    if (!Active() || field->Calculated() || State() == dsInsert) return TDataSet::GetFetchedFieldData(field);
    EnsureView();
    if (!store_ || pos_ < 0) return Variant::Null();
    const TChange* entry = store_->LogEntry(view_[static_cast<std::size_t>(pos_)]->id);
    if (!entry) return TDataSet::GetFetchedFieldData(field);
    if (entry->status == usInserted) return Variant::Null();
    auto slot = static_cast<std::size_t>(field->Slot());
    return slot < entry->original.size() && !entry->original[slot].IsEmpty() ? entry->original[slot] : Variant::Null();
}

void TClientDataSet::SetLogChanges(bool log) {
    logChanges_ = log;
    if (store_) store_->logChanges = log;
}

void TClientDataSet::CancelUpdates() {
    CheckActive();
    if (EditModes(State())) Cancel();
    store_->CancelUpdates();
    AfterViewChange();
}

void TClientDataSet::MergeChangeLog() {
    CheckActive();
    store_->MergeChangeLog();
    AfterViewChange();
}

void TClientDataSet::RevertRecord() {
    CheckActive();
    if (EditModes(State())) Cancel();
    EnsureView();
    if (pos_ < 0) return;
    store_->RevertRow(view_[static_cast<std::size_t>(pos_)]->id);
    AfterViewChange();
}

bool TClientDataSet::UndoLastChange(bool followChange) {
    CheckActive();
    if (EditModes(State())) Cancel();
    std::int64_t id = store_->UndoLastChange();
    if (id == 0) return false;
    if (followChange) curId_ = id;
    AfterViewChange();
    return true;
}

std::uint64_t TClientDataSet::DataStamp() const {
    if (!Active()) return 0;
    EnsureView();  // a clone of a nested dataset takes its source's current rows
    return store_ ? store_->version : 0;
}

int TClientDataSet::ModifyRows(const std::function<bool(std::vector<Variant>& values)>& change) {
    CheckActive();
    CheckBrowseMode();
    EnsureView();
    // The rows are taken first: a changed sort key moves rows in the view.
    const std::vector<TRowPtr> rows = view_;
    const auto slots = static_cast<std::size_t>(CurrentSlotCount());
    const bool synced = viewStore_ == store_.get() && viewVersion_ == store_->version;
    bool orderKept = !Filtered();  // the view stays as it is while no sort key changes
    std::uint64_t version = store_->version;
    int changed = 0;
    // One buffer for every row: assigning a row's values into it reuses the texts' storage of the
    // row before, and a store that logs nothing hands the replaced values back for the next row.
    std::vector<Variant> values;
    for (const TRowPtr& row : rows) {
        values.assign(row->values.begin(), row->values.end());
        if (values.size() < slots) values.resize(slots, Variant::Null());
        if (!change(values)) continue;
        if (changed++ == 0) {
            CheckCanModify();
            if (TDataSet* parent = ParentDataSet(); parent && parent->State() == dsBrowse) parent->Edit();
        }
        for (const TSortKey& key : sortKeys_) {
            if (!orderKept) break;
            const auto slot = static_cast<std::size_t>(key.slot);
            orderKept =
                slot < row->values.size() && values[slot].Type() == row->values[slot].Type() && values[slot] == row->values[slot];
        }
        orderKept = orderKept && store_->version == version;  // nothing else changed the rows meanwhile
        store_->ModifySwapped(row, values);
        version = store_->version;
    }
    if (changed == 0) return 0;
    if (synced && orderKept) viewVersion_ = store_->version;
    idIndexValid_ = false;
    if (TDataSet* parent = ParentDataSet(); parent && EditModes(parent->State())) parent->SetModified(true);
    AfterViewChange();
    return changed;
}

TClientDataSet* TClientDataSet::RootDataSet() {
    TClientDataSet* ds = this;
    while (auto* parent = dynamic_cast<TClientDataSet*>(ds->ParentDataSet())) ds = parent;
    return ds;
}

int TClientDataSet::ApplyUpdates(int maxErrors) {
    if (DataSetField()) {
        TClientDataSet* root = RootDataSet();
        if (root != this) return root->ApplyUpdates(maxErrors);
    }
    CheckBrowseMode();
    if (!store_ || !store_->HasChanges()) return 0;
    Variant server = AppServer();
    if (!server.IsDispatch()) DatabaseError(DataMessages::NoDataProvider);
    Variant errorCount, owner = ownerData_;
    VarArgs args{Variant(ProviderName), Delta(), Variant(maxErrors), Variant::Ref(&errorCount), Variant::Ref(&owner)};
    Variant result = OleCall(server, "AS_ApplyUpdates", args);
    return Reconcile(TErrorPacket::Read(result));
}

TClientDataSet* TClientDataSet::DataSetForStore(TRowStore* store) {
    EnsureView();
    if (store_.get() == store) return this;
    for (TField* f : FieldList()) {
        auto* dsf = AsDataSetField(f);
        auto* nested = dsf ? dynamic_cast<TClientDataSet*>(dsf->NestedDataSet()) : nullptr;
        if (!nested || !nested->Active()) continue;
        if (TClientDataSet* found = nested->DataSetForStore(store)) return found;
    }
    return nullptr;
}

void TClientDataSet::MoveSilentlyTo(std::int64_t id) {
    int pos = InternalFindBookmark(id);
    if (pos < 0 || pos == pos_) return;
    InternalSetPosition(pos);
    SetBofEof(false, false);
    CalculateFields();
    CurrentRecordChanged();
    DataEvent(deDataSetChange);
}

void TClientDataSet::PositionOn(const std::vector<TRowStore::TPathStep>& path) {
    TClientDataSet* ds = this;
    for (std::size_t i = 0; i < path.size() && ds; ++i) {
        ds->EnsureView();
        if (ds->store_.get() != path[i].store) return;
        if (!path[i].deleted) ds->MoveSilentlyTo(path[i].row->id);
        if (i + 1 < path.size()) ds = ds->DataSetForStore(path[i + 1].store);
    }
}

int TClientDataSet::Reconcile(const TErrorPacket& packet) {
    std::set<std::int64_t> refused;
    for (const auto& e : packet.errors) refused.insert(e.id);
    for (const auto& e : packet.errors) {
        std::vector<TRowStore::TPathStep> path;
        bool found = store_->FindPath(e.id, path);
        TRowStore* st = found ? path.back().store : store_.get();
        const TChange* entry = found ? st->LogEntry(e.id) : nullptr;
        TUpdateKind kind = ukModify;
        if (entry && entry->status == usInserted) kind = ukInsert;
        if (entry && entry->status == usDeleted) kind = ukDelete;
        int previous = entry ? entry->lastErrorCode : 0;
        if (found) {
            st->SetLastError(e.id, e.errorCode);
            PositionOn(path);
        }
        TClientDataSet* target = found ? DataSetForStore(st) : nullptr;
        if (!target) target = this;
        TClientDataSet* handler = target->OnReconcileError ? target : this;
        TReconcileAction action = raSkip;
        EReconcileError error(e.message, e.errorCode, previous, e.context);
        if (handler->OnReconcileError) handler->OnReconcileError(target, error, kind, action);
        if (action == raAbort) break;
        if (!found) continue;
        switch (action) {
            case raMerge: st->ForgetChange(e.id); break;
            case raCancel: st->RevertRow(e.id); break;
            case raRefresh:
                if (e.currentValues.IsArray())
                    st->ReplaceValues(e.id, e.currentValues);
                else
                    st->RevertRow(e.id);
                break;
            default: break;  // skip and correct: the change stays pending
        }
    }
    if (packet.committed) store_->MergeExcept(refused);
    AfterViewChange();
    return static_cast<int>(packet.errors.size());
}
