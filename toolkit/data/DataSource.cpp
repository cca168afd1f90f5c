#include "toolkit/data/DataSource.h"

#include <algorithm>

#include "toolkit/data/DataSet.h"
#include "toolkit/rtl/ValueRollback.h"

TDataSource::~TDataSource() {
    if (dataSet_) dataSet_->DetachDataSource(this);
    for (TDataLink* l : std::vector<TDataLink*>(links_)) l->SourceGone();
}

void TDataSource::SetDataSet(TDataSet* dataSet) {
    if (dataSet_ == dataSet) return;
    if (dataSet_) dataSet_->DetachDataSource(this);
    dataSet_ = dataSet;
    if (dataSet_) dataSet_->AttachDataSource(this);
    DataEvent(deUpdateState, nullptr);
}

void TDataSource::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    DataEvent(deUpdateState, nullptr);
}

TDataSetState TDataSource::State() const { return (dataSet_ && enabled_) ? dataSet_->State() : dsInactive; }

void TDataSource::Edit() {
    if (AutoEdit && State() == dsBrowse) dataSet_->Edit();
}

bool TDataSource::IsLinkedTo(const TDataSet* dataSet) const {
    // Walks parents: a source is linked to a dataset it shows directly or through nesting.
    for (const TDataSet* d = dataSet_; d; d = d->ParentDataSet())
        if (d == dataSet) return true;
    return false;
}

void TDataSource::DataSetDestroyed(TDataSet* dataSet) {
    if (dataSet_ != dataSet) return;
    dataSet_ = nullptr;
    DataEvent(deUpdateState, nullptr);
}

void TDataSource::AddLink(TDataLink* link) {
    if (std::find(links_.begin(), links_.end(), link) == links_.end()) links_.push_back(link);
}

void TDataSource::RemoveLink(TDataLink* link) { links_.erase(std::remove(links_.begin(), links_.end(), link), links_.end()); }

void TDataSource::NotifyLinks(TDataEvent event, const void* info) {
    for (TDataLink* l : std::vector<TDataLink*>(links_))
        if (std::find(links_.begin(), links_.end(), l) != links_.end()) l->DataEvent(event, info);
}

void TDataSource::DataEvent(TDataEvent event, const void* info) {
    if (event == deUpdateState) {
        TDataSetState st = State();
        if (st == lastState_) {
            NotifyLinks(event, info);
            return;
        }
        lastState_ = st;
        NotifyLinks(event, info);
        if (OnStateChange) OnStateChange(this);
        return;
    }
    if (!enabled_) return;
    NotifyLinks(event, info);
    switch (event) {
        case deFieldChange:
            if (OnDataChange) OnDataChange(this, static_cast<TField*>(const_cast<void*>(info)));
            break;
        case deRecordChange:
        case deDataSetChange:
        case deDataSetScroll:
        case deLayoutChange:
            if (OnDataChange) OnDataChange(this, nullptr);
            break;
        case deUpdateRecord:
            if (OnUpdateData) OnUpdateData(this);
            break;
        default: break;
    }
}

// --- TDataLink ------------------------------------------------------------------------------------

TDataLink::~TDataLink() {
    if (dataSource_) dataSource_->RemoveLink(this);
}

void TDataLink::SetDataSource(TDataSource* source) {
    if (dataSource_ == source) return;
    if (dataSource_) dataSource_->RemoveLink(this);
    dataSource_ = source;
    if (dataSource_) dataSource_->AddLink(this);
    UpdateState();
}

TDataSet* TDataLink::DataSet() const { return dataSource_ ? dataSource_->DataSet() : nullptr; }

bool TDataLink::Active() const { return dataSource_ && dataSource_->State() != dsInactive; }

bool TDataLink::Editing() const {
    TDataSetState s = dataSource_ ? dataSource_->State() : dsInactive;
    return s == dsEdit || s == dsInsert;
}

bool TDataLink::Edit() {
    if (!ReadOnly && dataSource_ && !Editing()) dataSource_->Edit();
    return Editing();
}

void TDataLink::UpdateRecord() {
    TValueRollback updating(updating_, true);
    UpdateData();
}

void TDataLink::UpdateState() {
    bool active = Active();
    if (active != active_) {
        active_ = active;
        ActiveChanged();
    }
    bool editing = Editing();
    if (editing != editing_) {
        editing_ = editing;
        EditingChanged();
    }
}

void TDataLink::DataEvent(TDataEvent event, const void* info) {
    switch (event) {
        case deUpdateState: UpdateState(); break;
        case deFieldChange:
        case deRecordChange:
            if (!updating_) RecordChanged(static_cast<TField*>(const_cast<void*>(info)));
            break;
        case deDataSetChange: DataSetChanged(); break;
        case deDataSetScroll: DataSetScrolled(info ? *static_cast<const int*>(info) : 0); break;
        case deLayoutChange: LayoutChanged(); break;
        case deUpdateRecord: UpdateRecord(); break;
        case deCheckBrowseMode: CheckBrowseMode(); break;
        case deFocusControl: FocusControl(static_cast<TField**>(const_cast<void*>(info))); break;
    }
}

// --- TFieldDataLink -------------------------------------------------------------------------------

void TFieldDataLink::SetFieldName(const std::string& name) {
    fieldName_ = name;
    UpdateField();
}

void TFieldDataLink::UpdateField() {
    TField* f = (Active() && !fieldName_.empty()) ? DataSet()->FindField(fieldName_) : nullptr;
    field_ = f;
    modified_ = false;
    if (OnDataChange) OnDataChange();
}

bool TFieldDataLink::CanModify() const { return !ReadOnly && field_ && field_->CanModify(); }

void TFieldDataLink::Reset() {
    modified_ = false;
    if (OnDataChange) OnDataChange();
}

void TFieldDataLink::ActiveChanged() {
    UpdateField();
    if (OnActiveChange) OnActiveChange();
}

void TFieldDataLink::LayoutChanged() { UpdateField(); }

void TFieldDataLink::RecordChanged(TField* field) {
    if (field && field != field_) return;
    modified_ = false;
    if (OnDataChange) OnDataChange();
}

void TFieldDataLink::EditingChanged() {
    if (OnEditingChange) OnEditingChange();
}

void TFieldDataLink::UpdateData() {
    if (!modified_) return;
    if (field_ && OnUpdateData) OnUpdateData();
    modified_ = false;
}

void TFieldDataLink::FocusControl(TField** field) {
    if (field && *field && *field == field_) {
        *field = nullptr;  // handled: later links leave it
        if (OnFocusControl) OnFocusControl();
    }
}
