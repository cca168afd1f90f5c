#include "toolkit/data/DataSet.h"

#include <algorithm>

#include "toolkit/data/DataSetField.h"
#include "toolkit/data/DataSource.h"
#include "toolkit/data/Fields.h"
#include "toolkit/data/FilterExpr.h"
#include "toolkit/rtl/ScopeExit.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/rtl/ValueRollback.h"

namespace {
const Variant& NullVariant() {
    static const Variant null = Variant::Null();
    return null;
}
bool EditModes(TDataSetState s) { return s == dsEdit || s == dsInsert; }
}  // namespace

TDataSet::TDataSet(TComponent* owner) : TComponent(owner) {}

TDataSet::~TDataSet() {
    for (TDataSource* s : std::vector<TDataSource*>(sources_)) s->DataSetDestroyed(this);
    if (dataSetField_) dataSetField_->nested_ = nullptr;
    for (auto& f : fields_)
        if (auto* dsf = AsDataSetField(f.get()); dsf && dsf->nested_) {
            dsf->nested_->dataSetField_ = nullptr;
            dsf->nested_ = nullptr;
        }
}

// --- Structure ------------------------------------------------------------------------------------

TField* TDataSet::Fields(int index) const {
    if (index < 0 || index >= FieldCount()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return fieldOrder_[static_cast<std::size_t>(index)];
}

TField* TDataSet::FindField(const std::string& name) const {
    for (TField* f : fieldOrder_)
        if (SameText(f->FieldName(), name)) return f;
    return nullptr;
}

TField* TDataSet::FieldByName(const std::string& name) const {
    TField* f = FindField(name);
    if (!f) DatabaseError(DataMessages::FieldNotFound(name));
    return f;
}

TField* TDataSet::CreateField(TFieldType type, const std::string& name, TFieldKind kind, int size) {
    auto f = CreateFieldOfType(type);
    TField* raw = f.get();
    raw->SetFieldName(name);
    raw->SetFieldKind(kind);
    raw->SetSize(size);
    AdoptField(std::move(f));
    return raw;
}

void TDataSet::AdoptField(std::unique_ptr<TField> field) {
    if (Active()) DatabaseError(DataMessages::DataSetOpen);
    if (FindField(field->FieldName())) DatabaseError("Duplicate field name '" + field->FieldName() + "'");
    field->Bind(this, -1, 0);
    fieldOrder_.push_back(field.get());
    fields_.push_back(std::move(field));
    persistent_.push_back(true);
}

void TDataSet::MoveField(TField* field, int newIndex) {
    auto it = std::find(fieldOrder_.begin(), fieldOrder_.end(), field);
    if (it == fieldOrder_.end()) return;
    fieldOrder_.erase(it);
    newIndex = std::clamp(newIndex, 0, static_cast<int>(fieldOrder_.size()));
    fieldOrder_.insert(fieldOrder_.begin() + newIndex, field);
    if (Active()) {
        DataEvent(deLayoutChange);
        return;
    }
    // Kept for the next open, which lays data fields out in definition order first.
    std::erase_if(requestedIndex_, [field](const auto& r) { return r.first == field; });
    requestedIndex_.emplace_back(field, newIndex);
}

Variant TDataSet::FieldValues(const std::string& names) const {
    std::vector<std::string> list = SplitFieldNames(names);
    if (list.size() == 1) return FieldByName(list[0])->Value();
    std::vector<Variant> values;
    for (const auto& n : list) values.push_back(FieldByName(n)->Value());
    return VarArrayOf(values);
}

void TDataSet::SetFieldValues(const std::string& name, const Variant& value) { FieldByName(name)->SetValue(value); }

int TDataSet::BindFields() {
    // A reopened dataset's fields usually keep the definitions they had: look where each stood first
    // (a field bound before knows its definition's number), by name only when that misses.
    const int defined = fieldDefs_.Count();
    std::vector<TField*> atDefinition(static_cast<std::size_t>(defined), nullptr);
    for (TField* f : fieldOrder_)
        if (f->FieldKind() == fkData && f->FieldNo() >= 1 && f->FieldNo() <= defined)
            atDefinition[static_cast<std::size_t>(f->FieldNo() - 1)] = f;
    auto stillDefined = [&](TField* f) {
        const int d = f->FieldNo() - 1;
        return (d >= 0 && d < defined && SameText(fieldDefs_[d].Name, f->FieldName())) || fieldDefs_.IndexOf(f->FieldName()) >= 0;
    };
    // Fields of an earlier open that the new definitions no longer have go, unless the caller made them.
    for (std::size_t i = fields_.size(); i-- > 0;) {
        TField* f = fields_[i].get();
        if (persistent_[i] || f->FieldKind() != fkData || stillDefined(f)) continue;
        fieldOrder_.erase(std::find(fieldOrder_.begin(), fieldOrder_.end(), f));
        std::erase_if(requestedIndex_, [f](const auto& r) { return r.first == f; });
        std::replace(atDefinition.begin(), atDefinition.end(), f, static_cast<TField*>(nullptr));
        fields_.erase(fields_.begin() + static_cast<std::ptrdiff_t>(i));
        persistent_.erase(persistent_.begin() + static_cast<std::ptrdiff_t>(i));
    }
    int nestedOrdinal = 0;
    for (int d = 0; d < defined; ++d) {
        const TFieldDef& def = fieldDefs_[d];
        TField* hint = atDefinition[static_cast<std::size_t>(d)];
        TField* f = hint && SameText(hint->FieldName(), def.Name) ? hint : FindField(def.Name);
        if (!f) {
            auto made = CreateFieldOfType(def.DataType);
            made->SetFieldName(def.Name);
            made->SetSize(def.DataType == ftBCD ? def.Scale : def.Size);
            made->SetRequired(def.Required);
            made->SetReadOnly(def.ReadOnly);
            if (auto* bcd = dynamic_cast<TBCDField*>(made.get())) bcd->BCDPrecision = def.Precision;
            f = made.get();
            fieldOrder_.push_back(f);
            fields_.push_back(std::move(made));
            persistent_.push_back(false);
        } else if (f->FieldKind() != fkData) {
            DatabaseError("Field '" + def.Name + "' is a calculated field and a column of the data");
        }
        f->Bind(this, d, d + 1);
        if (auto* dsf = AsDataSetField(f)) dsf->SetNestedIndex(nestedOrdinal++);
    }
    // Data fields in definition order, then the others; then positions asked for while closed.
    std::stable_sort(fieldOrder_.begin(), fieldOrder_.end(), [](TField* a, TField* b) {
        int ka = a->FieldKind() == fkData ? a->FieldNo() : 1 << 30, kb = b->FieldKind() == fkData ? b->FieldNo() : 1 << 30;
        return ka < kb;
    });
    auto requests = requestedIndex_;
    std::stable_sort(requests.begin(), requests.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
    for (const auto& [field, index] : requests) {
        auto it = std::find(fieldOrder_.begin(), fieldOrder_.end(), field);
        if (it == fieldOrder_.end()) continue;
        fieldOrder_.erase(it);
        fieldOrder_.insert(fieldOrder_.begin() + std::clamp(index, 0, static_cast<int>(fieldOrder_.size())), field);
    }
    int slot = fieldDefs_.Count();
    int calc = 0;
    for (TField* f : fieldOrder_) {
        switch (f->FieldKind()) {
            case fkData:
                if (!stillDefined(f)) DatabaseError(DataMessages::FieldNotFound(f->FieldName()));
                break;
            case fkInternalCalc: f->Bind(this, slot++, 0); break;
            case fkCalculated:
            case fkLookup: f->Bind(this, calc++, 0); break;
        }
    }
    slotCount_ = slot;
    calcCount_ = calc;
    calcBuffer_.assign(static_cast<std::size_t>(calc), Variant::Null());
    if (filterExpr_) filterExpr_->Bind(*this);
    return slot;
}

void TDataSet::DestroyDefaultFields() {
    for (std::size_t i = fields_.size(); i-- > 0;) {
        if (persistent_[i]) continue;
        TField* f = fields_[i].get();
        fieldOrder_.erase(std::find(fieldOrder_.begin(), fieldOrder_.end(), f));
        fields_.erase(fields_.begin() + static_cast<std::ptrdiff_t>(i));
        persistent_.erase(persistent_.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

// --- State ----------------------------------------------------------------------------------------

void TDataSet::CheckActive() const {
    if (!Active()) DatabaseError(DataMessages::DataSetClosed);
}

void TDataSet::CheckCanModify() const {
    if (!CanModify()) DatabaseError(DataMessages::DataSetReadOnly);
}

void TDataSet::SetState(TDataSetState state) {
    if (state_ == state) return;
    state_ = state;
    modified_ = false;
    DataEvent(deUpdateState);
}

void TDataSet::SetActive(bool active) {
    if (active == Active()) return;
    if (active) {
        Fire(BeforeOpen, this);
        try {
            InternalOpen();
        } catch (...) {
            InternalClose();
            throw;
        }
        int n = InternalCount();
        InternalSetPosition(n > 0 ? 0 : -1);
        bof_ = true;
        eof_ = n == 0;
        SetState(dsBrowse);
        CalculateFields();
        CurrentRecordChanged();
        for (auto& f : fields_)
            if (auto* dsf = AsDataSetField(f.get()); dsf && dsf->nested_ && !dsf->nested_->Active()) dsf->nested_->Open();
        Fire(AfterOpen, this);
        if (!IsEmpty()) Fire(AfterScroll, this);
    } else {
        Fire(BeforeClose, this);
        for (auto& f : fields_)
            if (auto* dsf = AsDataSetField(f.get()); dsf && dsf->nested_) dsf->nested_->Close();
        if (EditModes(state_)) InternalCancel();
        InternalClose();
        bof_ = eof_ = true;
        SetState(dsInactive);
        Fire(AfterClose, this);
    }
}

bool TDataSet::IsLinkedTo(const TDataSource* source) const {
    return std::find(sources_.begin(), sources_.end(), source) != sources_.end();
}

// --- Navigation -----------------------------------------------------------------------------------

int TDataSet::RecordCount() const { return Active() ? InternalCount() : 0; }

bool TDataSet::IsEmpty() const { return !Active() || (InternalCount() == 0 && state_ != dsInsert); }

int TDataSet::RecNo() const {
    if (!Active()) return 0;
    int pos = InternalPosition();
    return pos < 0 ? 0 : pos + 1;
}

void TDataSet::SetRecNo(int recNo) {
    CheckBrowseMode();
    int n = InternalCount();
    if (n == 0) return;
    int pos = std::clamp(recNo, 1, n) - 1;
    if (pos != InternalPosition()) DoScrollTo(pos);
}

void TDataSet::DoScrollTo(int position) {
    Fire(BeforeScroll, this);
    InternalSetPosition(position);
    bof_ = eof_ = false;
    CalculateFields();
    CurrentRecordChanged();
    DataEvent(deDataSetChange);
    Fire(AfterScroll, this);
}

void TDataSet::First() {
    CheckBrowseMode();
    Fire(BeforeScroll, this);
    int n = InternalCount();
    InternalSetPosition(n > 0 ? 0 : -1);
    bof_ = true;
    eof_ = n == 0;
    CalculateFields();
    CurrentRecordChanged();
    DataEvent(deDataSetChange);
    Fire(AfterScroll, this);
}

void TDataSet::Last() {
    CheckBrowseMode();
    Fire(BeforeScroll, this);
    InternalFetchAll();
    int n = InternalCount();
    InternalSetPosition(n - 1);
    eof_ = true;
    bof_ = n == 0;
    CalculateFields();
    CurrentRecordChanged();
    DataEvent(deDataSetChange);
    Fire(AfterScroll, this);
}

void TDataSet::Next() { MoveBy(1); }
void TDataSet::Prior() { MoveBy(-1); }

int TDataSet::MoveBy(int distance) {
    CheckBrowseMode();
    int before = InternalCount();
    Fire(BeforeScroll, this);
    if (InternalCount() > before) eof_ = false;  // the handler fetched more rows
    int moved = 0;
    if ((distance > 0 && !eof_) || (distance < 0 && !bof_)) {
        bof_ = eof_ = false;
        int pos = InternalPosition();
        while (distance > 0) {
            if (pos + 1 < InternalCount()) {
                ++pos;
                ++moved;
                --distance;
            } else if (!InternalFetchMore()) {
                eof_ = true;
                break;
            }
        }
        while (distance < 0) {
            if (pos > 0) {
                --pos;
                --moved;
                ++distance;
            } else {
                bof_ = true;
                break;
            }
        }
        if (InternalCount() == 0) bof_ = eof_ = true;
        InternalSetPosition(pos);
        if (moved != 0) {
            CalculateFields();
            CurrentRecordChanged();
            DataEvent(deDataSetScroll, &moved);
        }
        Fire(AfterScroll, this);
    }
    return moved;
}

// --- Editing --------------------------------------------------------------------------------------

void TDataSet::CheckParentState() {
    TDataSet* parent = ParentDataSet();
    if (parent && parent->State() == dsBrowse) parent->Edit();
}

void TDataSet::BeginInsertAppend(bool append) {
    CheckBrowseMode();
    CheckCanModify();
    Fire(BeforeInsert, this);
    CheckParentState();
    Fire(BeforeScroll, this);
    InternalInsert(append);
    bof_ = eof_ = false;
    SetState(dsInsert);
    CalculateFields();
    CurrentRecordChanged();
    try {
        Fire(OnNewRecord, this);
    } catch (...) {
        if (state_ == dsInsert) {
            InternalCancel();
            SetState(dsBrowse);
            CalculateFields();
            CurrentRecordChanged();
            DataEvent(deDataSetChange);
        }
        throw;
    }
    if (state_ != dsInsert) return;  // the handler cancelled the new record
    modified_ = false;
    DataEvent(deDataSetChange);
    Fire(AfterInsert, this);
    Fire(AfterScroll, this);
}

void TDataSet::Insert() { BeginInsertAppend(false); }
void TDataSet::Append() { BeginInsertAppend(true); }

void TDataSet::Edit() {
    if (EditModes(state_)) return;
    CheckActive();
    if (InternalCount() == 0) {
        Insert();
        return;
    }
    CheckBrowseMode();
    CheckCanModify();
    Fire(BeforeEdit, this);
    CheckParentState();
    RunChecked([this] { InternalEdit(); }, OnEditError);
    SetState(dsEdit);
    DataEvent(deRecordChange);
    Fire(AfterEdit, this);
}

void TDataSet::UpdateRecord() {
    if (!EditModes(state_) && state_ != dsSetKey) DatabaseError(DataMessages::NotEditing);
    DataEvent(deUpdateRecord);
}

void TDataSet::Post() {
    UpdateRecord();
    if (!EditModes(state_)) return;
    DataEvent(deCheckBrowseMode);
    Fire(BeforePost, this);
    RunChecked(
        [this] {
            CheckRequiredFields();
            InternalCheckConstraints();
            InternalPost();
        },
        OnPostError);
    SetState(dsBrowse);
    CalculateFields();
    CurrentRecordChanged();
    DataEvent(deDataSetChange);
    Fire(AfterPost, this);
    if (TDataSet* parent = ParentDataSet(); parent && EditModes(parent->State())) parent->modified_ = true;
}

void TDataSet::Cancel() {
    if (!EditModes(state_)) return;
    DataEvent(deCheckBrowseMode);
    Fire(BeforeCancel, this);
    InternalCancel();
    SetState(dsBrowse);
    int n = InternalCount();
    if (n == 0) bof_ = eof_ = true;
    CalculateFields();
    CurrentRecordChanged();
    DataEvent(deDataSetChange);
    Fire(AfterCancel, this);
}

void TDataSet::Delete() {
    CheckActive();
    if (state_ == dsInsert) {
        Cancel();
        return;
    }
    if (InternalCount() == 0) DatabaseError(DataMessages::DataSetEmpty);
    CheckCanModify();
    DataEvent(deCheckBrowseMode);
    Fire(BeforeDelete, this);
    Fire(BeforeScroll, this);
    CheckParentState();
    RunChecked([this] { InternalDelete(); }, OnDeleteError);
    state_ = dsBrowse;  // a deleted edit needs no cancel
    modified_ = false;
    DataEvent(deUpdateState);
    if (InternalCount() == 0) bof_ = eof_ = true;
    CalculateFields();
    CurrentRecordChanged();
    DataEvent(deDataSetChange);
    Fire(AfterDelete, this);
    Fire(AfterScroll, this);
    if (TDataSet* parent = ParentDataSet(); parent && EditModes(parent->State())) parent->modified_ = true;
}

void TDataSet::CheckBrowseMode() {
    CheckActive();
    DataEvent(deCheckBrowseMode);
    if (EditModes(state_)) {
        UpdateRecord();
        if (modified_)
            Post();
        else
            Cancel();
    }
}

void TDataSet::AppendRecord(const std::vector<Variant>& values) {
    Append();
    for (std::size_t i = 0; i < values.size() && i < fieldOrder_.size(); ++i)
        if (!values[i].IsEmpty()) fieldOrder_[i]->SetValue(values[i]);
    Post();
}

void TDataSet::InsertRecord(const std::vector<Variant>& values) {
    Insert();
    for (std::size_t i = 0; i < values.size() && i < fieldOrder_.size(); ++i)
        if (!values[i].IsEmpty()) fieldOrder_[i]->SetValue(values[i]);
    Post();
}

void TDataSet::ClearFields() {
    if (!EditModes(state_)) DatabaseError(DataMessages::NotEditing);
    std::vector<Variant>* buf = InternalBuffer();
    for (TField* f : fieldOrder_)
        if (f->FieldKind() == fkData && f->DataType() != ftDataSet && f->Slot() < static_cast<int>(buf->size()))
            (*buf)[static_cast<std::size_t>(f->Slot())] = Variant::Null();
    modified_ = true;
    CalculateFields();
    DataEvent(deDataSetChange);
}

void TDataSet::CheckRequiredFields() {
    for (TField* f : fieldOrder_) {
        if (f->Required() && !f->ReadOnly() && f->FieldKind() == fkData && f->DataType() != ftDataSet && f->IsNull()) {
            f->FocusControl();
            DatabaseError(DataMessages::FieldRequired(f->DisplayLabel()));
        }
    }
}

void TDataSet::RunChecked(const std::function<void()>& operation, const TDataSetErrorEvent& onError) {
    for (;;) {
        try {
            operation();
            return;
        } catch (EDatabaseError& e) {
            if (!onError) throw;
            TDataAction action = daFail;
            onError(this, e, action);
            if (action == daFail) throw;
            if (action == daAbort) throw EAbort();
        }
    }
}

// --- Field data -----------------------------------------------------------------------------------

const std::vector<Variant>* TDataSet::ActiveRow() const {
    if (peeking_) return peekRow_;
    TDataSetState st = calculating_ ? calcSavedState_ : state_;
    if (st == dsInactive) return nullptr;
    if (EditModes(st)) return const_cast<TDataSet*>(this)->InternalBuffer();
    int pos = InternalPosition();
    return pos < 0 ? nullptr : InternalRow(pos);
}

const Variant& TDataSet::GetFieldData(const TField* field) const {
    if (!Active()) return NullVariant();
    auto slot = static_cast<std::size_t>(field->Slot());
    if (field->Calculated()) return slot < calcBuffer_.size() ? calcBuffer_[slot] : NullVariant();
    const std::vector<Variant>* row = ActiveRow();
    if (!row || slot >= row->size()) return NullVariant();
    return (*row)[slot];
}

Variant TDataSet::GetOldFieldData(const TField* field) const {
    if (!Active() || field->Calculated()) return GetFieldData(field);
    if (state_ == dsInsert) return Variant::Null();
    int pos = InternalPosition();
    const std::vector<Variant>* row = pos < 0 ? nullptr : InternalRow(pos);
    auto slot = static_cast<std::size_t>(field->Slot());
    if (!row || slot >= row->size() || (*row)[slot].IsEmpty()) return Variant::Null();
    return (*row)[slot];
}

Variant TDataSet::GetFetchedFieldData(const TField* field) const { return GetOldFieldData(field); }

void TDataSet::SetFieldData(TField* field, Variant value) {
    auto slot = static_cast<std::size_t>(field->Slot());
    if (calculating_) {
        if (field->Calculated()) {
            if (slot < calcBuffer_.size()) calcBuffer_[slot] = std::move(value);
            return;
        }
        if (field->FieldKind() == fkInternalCalc) {
            auto* row = const_cast<std::vector<Variant>*>(ActiveRow());
            if (row) {
                if (row->size() <= slot) row->resize(slot + 1);
                (*row)[slot] = std::move(value);
            }
            return;
        }
        DatabaseError(DataMessages::NotEditing);
    }
    if (!EditModes(state_)) DatabaseError(DataMessages::NotEditing);
    if (field->ReadOnly() || field->Calculated()) DatabaseError(DataMessages::FieldReadOnly(field->DisplayName()));
    std::vector<Variant>* buf = InternalBuffer();
    if (buf->size() <= slot) buf->resize(slot + 1);
    Variant old = (*buf)[slot];
    (*buf)[slot] = std::move(value);
    if (field->OnValidate) {
        try {
            field->OnValidate(field);
        } catch (...) {
            std::vector<Variant>* again = InternalBuffer();
            if (again && again->size() > slot) (*again)[slot] = old;
            throw;
        }
    }
    modified_ = true;
    NotifyFieldChange(field);
}

void TDataSet::RestoreFieldData(TField* field, Variant value) {
    if (!EditModes(state_) || field->Calculated()) return;
    std::vector<Variant>* buf = InternalBuffer();
    auto slot = static_cast<std::size_t>(field->Slot());
    if (buf->size() <= slot) buf->resize(slot + 1);
    (*buf)[slot] = std::move(value);
    CalculateFields();
    DataEvent(deFieldChange, field);
}

void TDataSet::NotifyFieldChange(TField* field) {
    CalculateFields();
    if (field->OnChange) field->OnChange(field);
    DataEvent(deFieldChange, field);
}

void TDataSet::CalculateFields() {
    if (calculating_ || (calcCount_ == 0 && !OnCalcFields)) return;
    calcBuffer_.assign(static_cast<std::size_t>(calcCount_), Variant::Null());
    if (!ActiveRow()) return;
    for (TField* f : fieldOrder_) {
        if (f->FieldKind() != fkLookup || !f->LookupDataSet || !f->LookupDataSet->Active()) continue;
        Variant key = FieldValues(f->KeyFields);
        calcBuffer_[static_cast<std::size_t>(f->Slot())] =
            f->LookupDataSet->Lookup(f->LookupKeyFields, key, f->LookupResultField);
    }
    if (!OnCalcFields) return;
    TValueRollback calculating(calculating_, true);
    calcSavedState_ = state_;
    TValueRollback state(state_, dsCalcFields);
    OnCalcFields(this);
}

void TDataSet::CurrentRecordChanged() {
    for (auto& f : fields_)
        if (auto* dsf = AsDataSetField(f.get()); dsf && dsf->nested_ && dsf->nested_->Active())
            dsf->nested_->ParentRecordChanged();
}

// --- Bookmarks ------------------------------------------------------------------------------------

TBookmark TDataSet::GetBookmark() const {
    if (peeking_ && peekBookmark_) return peekBookmark_;
    if (!Active() || state_ == dsInsert) return 0;
    int pos = InternalPosition();
    return pos < 0 ? 0 : InternalBookmark(pos);
}

TBookmark TDataSet::BookmarkAt(int recNo) const {
    if (!Active() || recNo < 1 || recNo > InternalCount()) return 0;
    return InternalBookmark(recNo - 1);
}

void TDataSet::GotoBookmark(TBookmark bookmark) {
    CheckBrowseMode();
    int pos = InternalFindBookmark(bookmark);
    if (pos < 0) DatabaseError(DataMessages::BookmarkNotFound);
    DoScrollTo(pos);
}

bool TDataSet::BookmarkValid(TBookmark bookmark) const {
    return Active() && bookmark != 0 && InternalFindBookmark(bookmark) >= 0;
}

int TDataSet::CompareBookmarks(TBookmark a, TBookmark b) const {
    if (a == b) return 0;
    if (a == 0) return -1;
    if (b == 0) return 1;
    int pa = InternalFindBookmark(a), pb = InternalFindBookmark(b);
    return pa < pb ? -1 : (pa > pb ? 1 : 0);
}

// --- Searching ------------------------------------------------------------------------------------

bool TDataSet::MatchRow(const std::vector<TField*>& fields, const Variant& values, const TLocateOptions& options,
                        const std::vector<Variant>& row) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const Variant& want = fields.size() == 1 && !values.IsArray() ? values : values[static_cast<int>(i)];
        auto slot = static_cast<std::size_t>(fields[i]->Slot());
        const Variant& have = slot < row.size() ? row[slot] : NullVariant();
        if (want.IsEmptyOrNull() || have.IsEmptyOrNull()) {
            if (want.IsEmptyOrNull() != have.IsEmptyOrNull()) return false;
            continue;
        }
        if (have.IsString() || want.IsString()) {
            std::string a = have.AsString(), b = want.AsString();
            if (options.count(loCaseInsensitive)) {
                a = LowerCase(a);
                b = LowerCase(b);
            }
            if (options.count(loPartialKey) ? a.compare(0, b.size(), b) != 0 : a != b) {
                if (!(have.IsNumeric() || want.IsNumeric()) || VarCompare(have, want) != 0) return false;
            }
        } else if (VarCompare(have, want) != 0) {
            return false;
        }
    }
    return true;
}

bool TDataSet::Locate(const std::string& keyFields, const Variant& keyValues, TLocateOptions options) {
    CheckBrowseMode();
    std::vector<TField*> fields;
    for (const auto& n : SplitFieldNames(keyFields)) fields.push_back(FieldByName(n));
    Fire(BeforeScroll, this);
    InternalLocateFetch();
    bool calc = std::any_of(fields.begin(), fields.end(), [](TField* f) { return f->Calculated(); });
    int n = InternalCount();
    for (int pos = 0; pos < n; ++pos) {
        bool match;
        if (calc) {
            TRecordPeek peek(*this, pos + 1);
            match = true;
            for (std::size_t i = 0; i < fields.size() && match; ++i) {
                const Variant& want = fields.size() == 1 && !keyValues.IsArray() ? keyValues : keyValues[static_cast<int>(i)];
                match = VarCompare(fields[i]->Value(), want) == 0;
            }
        } else {
            match = MatchRow(fields, keyValues, options, *InternalRow(pos));
        }
        if (match) {
            InternalSetPosition(pos);
            bof_ = eof_ = false;
            CalculateFields();
            CurrentRecordChanged();
            DataEvent(deDataSetChange);
            Fire(AfterScroll, this);
            return true;
        }
    }
    return false;
}

Variant TDataSet::Lookup(const std::string& keyFields, const Variant& keyValues, const std::string& resultFields) {
    if (!Active()) return Variant::Null();
    std::vector<TField*> fields;
    for (const auto& n : SplitFieldNames(keyFields)) fields.push_back(FieldByName(n));
    InternalLocateFetch();
    int n = InternalCount();
    for (int pos = 0; pos < n; ++pos) {
        if (!MatchRow(fields, keyValues, {}, *InternalRow(pos))) continue;
        TRecordPeek peek(*this, pos + 1);
        return FieldValues(resultFields);
    }
    return Variant::Null();
}

// --- Filtering ------------------------------------------------------------------------------------

void TDataSet::SetFilter(const std::string& filter) {
    filterExpr_ = Trim(filter).empty() ? nullptr : TFilterExpression::Parse(filter);
    filter_ = filter;
    if (filterExpr_ && Active()) filterExpr_->Bind(*this);
    if (Active() && filtered_) {
        InternalFilterChanged();
        First();
    }
}

void TDataSet::SetFiltered(bool filtered) {
    filtered_ = filtered;
    if (Active()) {
        CheckBrowseMode();
        InternalFilterChanged();
        First();
    }
}

bool TDataSet::RecordAccepted(const std::vector<Variant>& row) {
    if (!filtered_) return true;
    if (filterExpr_ && !filterExpr_->Evaluate(row)) return false;
    if (!OnFilterRecord) return true;
    TValueRollback peekRow(peekRow_, &row);
    TValueRollback peeking(peeking_, true);
    bool accept = true;
    OnFilterRecord(this, accept);
    return accept;
}

// --- Data sources ---------------------------------------------------------------------------------

void TDataSet::AttachDataSource(TDataSource* source) {
    if (!IsLinkedTo(source)) sources_.push_back(source);
}

void TDataSet::DetachDataSource(TDataSource* source) {
    sources_.erase(std::remove(sources_.begin(), sources_.end(), source), sources_.end());
}

void TDataSet::DisableControls() {
    if (disableCount_++ == 0) stateAtDisable_ = state_;
}

void TDataSet::EnableControls() {
    if (disableCount_ == 0) return;
    if (--disableCount_ > 0) return;
    if (state_ != stateAtDisable_) DataEvent(deUpdateState);
    DataEvent(deDataSetChange);
}

void TDataSet::DataEvent(TDataEvent event, const void* info) {
    if (event == deCheckBrowseMode) {
        // Pending edits of nested datasets are part of this record.
        for (auto& f : fields_)
            if (auto* dsf = AsDataSetField(f.get()); dsf && dsf->nested_ && EditModes(dsf->nested_->State()))
                dsf->nested_->CheckBrowseMode();
    }
    if (ControlsDisabled()) return;
    ++dataEventDepth_;
    TScopeExit depth([this] { --dataEventDepth_; });
    for (TDataSource* s : std::vector<TDataSource*>(sources_))
        if (IsLinkedTo(s)) s->DataEvent(event, info);
}

void TDataSet::Resync() {
    CalculateFields();
    DataEvent(deDataSetChange);
}

// --- Nesting --------------------------------------------------------------------------------------

void TDataSet::SetDataSetField(TDataSetField* field) {
    if (dataSetField_ == field) return;
    if (Active()) Close();
    if (field && field->nested_ && field->nested_ != this)
        DatabaseError("Field '" + field->FieldName() + "' already has a nested dataset");
    if (dataSetField_) dataSetField_->nested_ = nullptr;
    dataSetField_ = field;
    if (field) {
        field->nested_ = this;
        if (field->DataSet() && field->DataSet()->Active()) Open();
    }
}

TDataSet* TDataSet::ParentDataSet() const { return dataSetField_ ? dataSetField_->DataSet() : nullptr; }

// --- Peeking --------------------------------------------------------------------------------------

TDataSet::TRecordPeek::TRecordPeek(TDataSet& dataSet, int recNo)
    : ds_(dataSet), savedRow_(dataSet.peekRow_), savedBookmark_(dataSet.peekBookmark_), savedCalc_(dataSet.calcBuffer_),
      savedPeeking_(dataSet.peeking_) {
    if (!ds_.Active() || recNo < 1 || recNo > ds_.InternalCount()) return;
    ds_.peekRow_ = ds_.InternalRow(recNo - 1);
    ds_.peekBookmark_ = ds_.InternalBookmark(recNo - 1);
    ds_.peeking_ = true;
    valid_ = true;
    ds_.CalculateFields();
}

TDataSet::TRecordPeek::~TRecordPeek() {
    ds_.peekRow_ = savedRow_;
    ds_.peekBookmark_ = savedBookmark_;
    ds_.peeking_ = savedPeeking_;
    ds_.calcBuffer_ = std::move(savedCalc_);
}
