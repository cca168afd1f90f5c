#include "toolkit/data/ClientDataSet.h"

#include <algorithm>

#include "toolkit/data/DataSetField.h"
#include "toolkit/data/NumericFields.h"
#include "toolkit/data/Packets.h"
#include "toolkit/rtl/Dispatch.h"

namespace {
// Whether the row at the position sorts where it stands: after its predecessor and before its
// successor (a row equal to its successor would be placed after it, as a new row is).
template <class Compare>
bool StillInOrderAt(const std::vector<TRowPtr>& view, std::size_t position, const Compare& compare) {
    const TRow& row = *view[position];
    if (position > 0 && compare(*view[position - 1], row) > 0) return false;
    return position + 1 >= view.size() || compare(row, *view[position + 1]) < 0;
}
}  // namespace

TClientDataSet::TClientDataSet(TComponent* owner) : TDataSet(owner) {}

TClientDataSet::~TClientDataSet() {
    CloseSilently();
    if (cloneSource_) {
        auto& list = cloneSource_->clones_;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
    for (TClientDataSet* c : clones_) c->cloneSource_ = nullptr;
}

void TClientDataSet::CloseSilently() {
    if (!Active()) return;
    buffer_.reset();
    inserting_ = false;
    InternalClose();
    SetState(dsInactive);
}

// --- Provider ---------------------------------------------------------------------------------------

Variant TClientDataSet::AppServer() const {
    if (provider_.IsDispatch()) return provider_;
    if (RemoteServer) return RemoteServer->AppServer();
    return Variant();
}

void TClientDataSet::FetchFromProvider(bool reset) {
    Variant server = AppServer();
    if (!server.IsDispatch()) DatabaseError(DataMessages::NoDataProvider);
    Variant recsOut, params = Params.ToVariant(), owner = reset ? Variant() : ownerData_;
    VarArgs args{
        Variant(ProviderName), Variant(PacketRecords), Variant::Ref(&recsOut), Variant(static_cast<int>(grMetaData | grReset)),
        Variant(CommandText),  Variant::Ref(&params),  Variant::Ref(&owner)};
    TDataPacket p = TDataPacket::Read(OleCall(server, "AS_GetRecords", args));
    Params.AssignValues(params);
    ownerData_ = owner;
    FieldDefs().Assign(p.fields);
    store_ = TRowStore::Create(p.fields);
    store_->AppendPacketRows(std::move(p.rows));
    moreRows_ = p.moreRows;
}

int TClientDataSet::GetNextPacket() {
    if (!Active() || !moreRows_ || DataSetField()) return 0;
    Variant server = AppServer();
    if (!server.IsDispatch()) DatabaseError(DataMessages::NoDataProvider);
    Variant recsOut, params = Params.ToVariant(), owner = ownerData_;
    VarArgs args{Variant(ProviderName), Variant(PacketRecords), Variant::Ref(&recsOut), Variant(0),
                 Variant(CommandText),  Variant::Ref(&params),  Variant::Ref(&owner)};
    TDataPacket p = TDataPacket::Read(OleCall(server, "AS_GetRecords", args));
    ownerData_ = owner;
    moreRows_ = p.moreRows;
    int n = p.RowCount();
    if (n > 0) {
        AppendFetched(std::move(p.rows));
        DataEvent(deDataSetChange);
    }
    return n;
}

void TClientDataSet::AppendFetched(Variant rows) {
    EnsureView();
    bool synced = viewStore_ == store_.get() && viewVersion_ == store_->version;
    std::size_t before = store_->Rows().size();
    store_->AppendPacketRows(std::move(rows));
    if (synced && sortKeys_.empty() && !Filtered()) {
        // Unsorted and unfiltered: the new rows simply follow.
        view_.insert(view_.end(), store_->Rows().begin() + static_cast<std::ptrdiff_t>(before), store_->Rows().end());
        viewVersion_ = store_->version;
        idIndexValid_ = false;
    } else {
        EnsureView();
    }
}

bool TClientDataSet::InternalFetchMore() {
    if (!FetchOnDemand || !moreRows_ || DataSetField()) return false;
    return GetNextPacket() > 0;
}

void TClientDataSet::InternalFetchAll() {
    if (!FetchOnDemand) return;
    while (moreRows_ && GetNextPacket() > 0) {}
}

void TClientDataSet::InternalLocateFetch() { InternalFetchAll(); }

Variant TClientDataSet::DataRequest(const Variant& data) {
    Variant server = AppServer();
    if (!server.IsDispatch()) DatabaseError(DataMessages::NoDataProvider);
    VarArgs args{Variant(ProviderName), data};
    return OleCall(server, "AS_DataRequest", args);
}

// --- Open and close ---------------------------------------------------------------------------------

std::shared_ptr<TRowStore> TClientDataSet::NestedStore(int nestedIndex) const {
    TRowPtr row = ActiveRowPtr();
    if (!row || nestedIndex < 0 || nestedIndex >= static_cast<int>(row->nested.size())) return nullptr;
    return row->nested[static_cast<std::size_t>(nestedIndex)];
}

std::shared_ptr<TRowStore> TClientDataSet::ParentStore() const {
    auto* parent = dynamic_cast<TClientDataSet*>(ParentDataSet());
    if (!parent || !DataSetField()) return nullptr;
    return parent->NestedStore(DataSetField()->NestedIndex());
}

void TClientDataSet::InternalOpen() {
    if (DataSetField()) {
        TDataSet* parent = ParentDataSet();
        if (!parent || !parent->Active()) DatabaseError(DataMessages::DataSetClosed);
        const TFieldDef* def = parent->FieldDefs().Find(DataSetField()->FieldName());
        if (!def) DatabaseError(DataMessages::FieldNotFound(DataSetField()->FieldName()));
        FieldDefs().Assign(def->ChildDefs);
        store_ = ParentStore();
        if (!store_) store_ = TRowStore::Create(def->ChildDefs);
    } else if (pendingStore_) {
        store_ = std::move(pendingStore_);
        FieldDefs().Assign(store_->Fields());
        if (!isClone_) store_->logChanges = logChanges_;
    } else {
        FetchFromProvider(true);
        store_->logChanges = logChanges_;
    }
    BindFields();
    ComputeSortKeys();
    curId_ = 0;
    pos_ = -1;
    viewStore_ = nullptr;
    RebuildView();
}

void TClientDataSet::InternalClose() {
    store_.reset();
    pendingStore_.reset();
    view_.clear();
    viewStore_ = nullptr;
    pos_ = -1;
    curId_ = 0;
    buffer_.reset();
    inserting_ = false;
    insertBefore_.reset();
    ownerData_ = Variant();
    moreRows_ = false;
    idIndexValid_ = false;
}

void TClientDataSet::CreateDataSet() {
    if (Active()) Close();
    if (FieldDefs().Count() == 0) {
        for (TField* f : FieldList()) {
            if (f->FieldKind() != fkData) continue;
            TFieldDef& d = FieldDefs().Add(f->FieldName(), f->DataType(), f->DataType() == ftBCD ? 0 : f->Size(), f->Required());
            if (auto* bcd = dynamic_cast<TBCDField*>(f)) {
                d.Precision = bcd->BCDPrecision;
                d.Scale = bcd->Scale();
            }
            if (auto* dsf = AsDataSetField(f); dsf && dsf->NestedDataSet())
                d.ChildDefs = dsf->NestedDataSet()->FieldDefs().Items();
        }
    }
    if (FieldDefs().Count() == 0) DatabaseError(DataMessages::NoFieldDefs);
    pendingStore_ = TRowStore::Create(FieldDefs().Items());
    Open();
}

void TClientDataSet::SetData(const Variant& packet) {
    Close();
    TDataPacket p = TDataPacket::Read(packet);
    auto store = TRowStore::Create(p.fields);
    store->AppendPacketRows(p.rows);
    pendingStore_ = store;
    Open();
}

Variant TClientDataSet::Data() const {
    if (!Active() || !store_) return Variant();
    return VarArrayOf({Variant(kPacketTag), MetadataFromDefs(store_->Fields()), store_->PacketRows(), Variant(false)});
}

Variant TClientDataSet::Delta() const {
    if (!Active() || !store_) return Variant();
    return TDeltaBuilder::Build(store_->Fields(), store_->DeltaChanges());
}

void TClientDataSet::EmptyDataSet() {
    CheckActive();
    if (State() == dsEdit || State() == dsInsert) Cancel();
    store_->Clear();
    curId_ = 0;
    EnsureView();
    AfterViewChange();
}

void TClientDataSet::Refresh() {
    CheckBrowseMode();
    if (ChangeCount() > 0) DatabaseError(DataMessages::ApplyBeforeRefresh);
    if (DataSetField()) {
        Resync();
        return;
    }
    if (!AppServer().IsDispatch()) DatabaseError(DataMessages::NoDataProvider);
    Fire(BeforeRefresh, this);
    int recNo = RecNo();
    FetchFromProvider(true);
    store_->logChanges = logChanges_;
    BindFields();
    ComputeSortKeys();
    curId_ = 0;
    pos_ = recNo - 1;
    viewStore_ = nullptr;
    RebuildView();
    AfterViewChange();
    Fire(AfterRefresh, this);
}

void TClientDataSet::ParentRecordChanged() {
    auto s = ParentStore();
    if (s && s == store_) {
        // Same rows; tell the controls when the master changed them (cancel, reconcile).
        if (!buffer_ && (viewStore_ != store_.get() || viewVersion_ != store_->version)) AfterViewChange();
        return;
    }
    if (!s) s = TRowStore::Create(FieldDefs().Items());
    if (buffer_) {
        buffer_.reset();
        inserting_ = false;
        SetState(dsBrowse);
    }
    store_ = s;
    curId_ = 0;
    pos_ = -1;
    viewStore_ = nullptr;
    RebuildView();
    AfterViewChange();
    if (!view_.empty()) Fire(AfterScroll, this);
}

void TClientDataSet::AfterViewChange() {
    EnsureView();
    if (view_.empty())
        SetBofEof(true, true);
    else
        SetBofEof(pos_ <= 0, false);
    CalculateFields();
    CurrentRecordChanged();
    DataEvent(deDataSetChange);
}

// --- The view: visible rows in the current order ------------------------------------------------------

void TClientDataSet::EnsureView() const {
    if (cloneSource_ && cloneSource_->store_ && cloneSource_->store_ != store_) {
        const_cast<TClientDataSet*>(this)->store_ = cloneSource_->store_;
        viewStore_ = nullptr;
        curId_ = 0;
        pos_ = -1;
    }
    if (!store_) {
        view_.clear();
        idIndexValid_ = false;
        pos_ = -1;
        return;
    }
    if (viewStore_ == store_.get() && viewVersion_ == store_->version) return;
    RebuildView();
}

void TClientDataSet::RebuildView() const {
    auto* self = const_cast<TClientDataSet*>(this);
    view_.clear();
    idIndexValid_ = false;
    if (!store_) {
        pos_ = -1;
        return;
    }
    view_.reserve(store_->Rows().size());
    for (const auto& r : store_->Rows())
        if (!Filtered() || self->RecordAccepted(r->values)) view_.push_back(r);
    // Rows are mostly stored in their index order already (fetched sorted, lines appended in order):
    // checking costs one comparison a row where sorting costs a dozen.
    auto before = [this](const TRowPtr& a, const TRowPtr& b) { return CompareRows(*a, *b) < 0; };
    if (!sortKeys_.empty() && !std::is_sorted(view_.begin(), view_.end(), before))
        std::stable_sort(view_.begin(), view_.end(), before);
    viewVersion_ = store_->version;
    viewStore_ = store_.get();
    if (view_.empty()) {
        pos_ = -1;
        curId_ = 0;
        return;
    }
    int found = -1;
    if (curId_ != 0)
        for (std::size_t i = 0; i < view_.size(); ++i)
            if (view_[i]->id == curId_) {
                found = static_cast<int>(i);
                break;
            }
    pos_ = found >= 0 ? found : std::clamp(pos_, 0, static_cast<int>(view_.size()) - 1);
    curId_ = view_[static_cast<std::size_t>(pos_)]->id;
}

int TClientDataSet::InternalCount() const {
    EnsureView();
    return static_cast<int>(view_.size());
}

int TClientDataSet::InternalPosition() const {
    EnsureView();
    return inserting_ ? insertPos_ : pos_;
}

void TClientDataSet::InternalSetPosition(int position) {
    EnsureView();
    pos_ = position;
    curId_ = (position >= 0 && position < static_cast<int>(view_.size())) ? view_[static_cast<std::size_t>(position)]->id : 0;
}

const std::vector<Variant>* TClientDataSet::InternalRow(int position) const {
    EnsureView();
    if (position < 0 || position >= static_cast<int>(view_.size())) return nullptr;
    return &view_[static_cast<std::size_t>(position)]->values;
}

TBookmark TClientDataSet::InternalBookmark(int position) const {
    EnsureView();
    if (position < 0 || position >= static_cast<int>(view_.size())) return 0;
    return view_[static_cast<std::size_t>(position)]->id;
}

int TClientDataSet::InternalFindBookmark(TBookmark bookmark) const {
    EnsureView();
    // After posts and deletes the index may be stale; a position it gives still holds when the view
    // has the row there (rows keep their place while keys are filled in line by line), so the index
    // is rebuilt only on a miss.
    auto it = idIndex_.find(bookmark);
    if (it != idIndex_.end() && static_cast<std::size_t>(it->second) < view_.size() &&
        view_[static_cast<std::size_t>(it->second)]->id == bookmark)
        return it->second;
    if (idIndexValid_) return -1;
    idIndex_.clear();
    for (std::size_t i = 0; i < view_.size(); ++i) idIndex_[view_[i]->id] = static_cast<int>(i);
    idIndexValid_ = true;
    it = idIndex_.find(bookmark);
    return it == idIndex_.end() ? -1 : it->second;
}

TRowPtr TClientDataSet::ActiveRowPtr() const {
    if (!Active()) return nullptr;
    if (buffer_) return buffer_;
    EnsureView();
    return pos_ >= 0 && pos_ < static_cast<int>(view_.size()) ? view_[static_cast<std::size_t>(pos_)] : nullptr;
}

// --- Editing ----------------------------------------------------------------------------------------

void TClientDataSet::InternalInsert(bool append) {
    EnsureView();
    buffer_ = store_->NewRow();
    buffer_->values.resize(static_cast<std::size_t>(std::max(CurrentSlotCount(), 0)), Variant::Null());
    inserting_ = true;
    appending_ = append || pos_ < 0;
    insertBefore_ = appending_ ? nullptr : view_[static_cast<std::size_t>(pos_)];
    insertPos_ = appending_ ? static_cast<int>(view_.size()) : pos_;
}

void TClientDataSet::InternalEdit() {
    EnsureView();
    if (pos_ < 0) DatabaseError(DataMessages::DataSetEmpty);
    buffer_ = std::make_shared<TRow>(*view_[static_cast<std::size_t>(pos_)]);
    if (buffer_->values.size() < static_cast<std::size_t>(CurrentSlotCount()))
        buffer_->values.resize(static_cast<std::size_t>(CurrentSlotCount()), Variant::Null());
}

std::vector<Variant>* TClientDataSet::InternalBuffer() { return buffer_ ? &buffer_->values : nullptr; }

bool TClientDataSet::InView(const TRow& row) { return !Filtered() || RecordAccepted(row.values); }

void TClientDataSet::PlaceInView(const TRowPtr& row) {
    if (!InView(*row)) {
        if (view_.empty()) {
            pos_ = -1;
            curId_ = 0;
        } else {
            pos_ = std::clamp(pos_, 0, static_cast<int>(view_.size()) - 1);
            curId_ = view_[static_cast<std::size_t>(pos_)]->id;
        }
        return;
    }
    std::size_t at;
    if (!sortKeys_.empty()) {
        auto it = std::upper_bound(view_.begin(), view_.end(), row,
                                   [this](const TRowPtr& a, const TRowPtr& b) { return CompareRows(*a, *b) < 0; });
        at = static_cast<std::size_t>(it - view_.begin());
    } else {
        at = std::min(static_cast<std::size_t>(std::max(insertPos_, 0)), view_.size());
    }
    view_.insert(view_.begin() + static_cast<std::ptrdiff_t>(at), row);
    pos_ = static_cast<int>(at);
    curId_ = row->id;
}

void TClientDataSet::InternalPost() {
    EnsureView();
    bool synced = viewStore_ == store_.get() && viewVersion_ == store_->version;
    idIndexValid_ = false;
    if (inserting_) {
        TRowPtr row = buffer_;
        std::size_t at = appending_ || !insertBefore_ ? store_->Rows().size() : store_->PositionOf(insertBefore_.get());
        store_->Insert(row, at);
        buffer_.reset();
        inserting_ = false;
        insertBefore_.reset();
        if (synced) {
            viewVersion_ = store_->version;
            PlaceInView(row);
        } else {
            curId_ = row->id;
            RebuildView();
        }
        return;
    }
    TRowPtr row = view_[static_cast<std::size_t>(pos_)];
    std::vector<Variant> values = std::move(buffer_->values);
    buffer_.reset();
    store_->Modify(row, std::move(values));
    if (!synced) {
        curId_ = row->id;
        RebuildView();
        return;
    }
    viewVersion_ = store_->version;
    auto compare = [this](const TRow& a, const TRow& b) { return CompareRows(a, b); };
    if (Filtered() || (!sortKeys_.empty() && !StillInOrderAt(view_, static_cast<std::size_t>(pos_), compare))) {
        view_.erase(view_.begin() + pos_);
        insertPos_ = pos_;
        PlaceInView(row);
    }
}

void TClientDataSet::InternalCancel() {
    buffer_.reset();
    inserting_ = false;
    insertBefore_.reset();
}

void TClientDataSet::InternalDelete() {
    EnsureView();
    if (pos_ < 0) DatabaseError(DataMessages::DataSetEmpty);
    bool synced = viewStore_ == store_.get() && viewVersion_ == store_->version;
    TRowPtr row = view_[static_cast<std::size_t>(pos_)];
    buffer_.reset();
    store_->Remove(row);
    idIndexValid_ = false;
    if (synced) {
        view_.erase(view_.begin() + pos_);
        viewVersion_ = store_->version;
    } else {
        RebuildView();
    }
    if (pos_ >= static_cast<int>(view_.size())) pos_ = static_cast<int>(view_.size()) - 1;
    curId_ = pos_ >= 0 ? view_[static_cast<std::size_t>(pos_)]->id : 0;
}

void TClientDataSet::InternalFilterChanged() {
    viewStore_ = nullptr;
    EnsureView();
}
