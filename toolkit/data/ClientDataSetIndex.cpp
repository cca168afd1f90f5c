// Order, keys, clone cursors and record constraints of the client dataset.
#include <algorithm>

#include "toolkit/data/ClientDataSet.h"
#include "toolkit/data/FilterExpr.h"
#include "toolkit/rtl/SysUtils.h"

namespace {
int CompareValues(const Variant& a, const Variant& b, bool caseInsensitive) {
    bool an = a.IsEmptyOrNull(), bn = b.IsEmptyOrNull();
    if (an || bn) return an == bn ? 0 : (an ? -1 : 1);
    if (a.IsString() && b.IsString()) {
        int c = caseInsensitive ? CompareText(a.AsString(), b.AsString()) : a.AsString().compare(b.AsString());
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    return VarCompare(a, b);
}

const Variant& SlotValue(const TRow& row, int slot) {
    static const Variant null = Variant::Null();
    auto s = static_cast<std::size_t>(slot);
    return s < row.values.size() ? row.values[s] : null;
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
    return std::any_of(names.begin(), names.end(), [&](const std::string& n) { return SameText(n, name); });
}
}  // namespace

int TClientDataSet::CompareRows(const TRow& a, const TRow& b) const {
    for (const TSortKey& k : sortKeys_) {
        int c = CompareValues(SlotValue(a, k.slot), SlotValue(b, k.slot), k.caseInsensitive);
        if (c != 0) return k.descending ? -c : c;
    }
    return 0;
}

void TClientDataSet::ComputeSortKeys() {
    sortKeys_.clear();
    if (FieldCount() == 0) return;
    auto keyFor = [this](const std::string& name, bool desc, bool caseIns) {
        TField* f = FieldByName(name);
        if (f->Calculated() || f->DataType() == ftDataSet || f->IsBlob())
            DatabaseError("Field '" + f->FieldName() + "' cannot be used in an index");
        sortKeys_.push_back({f->Slot(), desc, caseIns});
    };
    if (!indexFieldNames_.empty()) {
        for (const auto& n : SplitFieldNames(indexFieldNames_)) keyFor(n, false, false);
    } else if (!indexName_.empty() && !SameText(indexName_, "DEFAULT_ORDER")) {
        const TIndexDef* def = indexDefs_.Find(indexName_);
        if (!def) DatabaseError(DataMessages::IndexNotFound(indexName_));
        auto desc = SplitFieldNames(def->DescFields);
        auto caseIns = SplitFieldNames(def->CaseInsFields);
        for (const auto& n : SplitFieldNames(def->Fields))
            keyFor(n, def->Options.count(ixDescending) > 0 || Contains(desc, n),
                   def->Options.count(ixCaseInsensitive) > 0 || Contains(caseIns, n));
    }
}

void TClientDataSet::ApplySortKeys() {
    if (!Active()) return;
    CheckBrowseMode();
    ComputeSortKeys();
    viewStore_ = nullptr;
    EnsureView();
    AfterViewChange();
}

void TClientDataSet::SetIndexFieldNames(const std::string& names) {
    std::string oldNames = indexFieldNames_, oldName = indexName_;
    indexFieldNames_ = names;
    indexName_.clear();
    try {
        ApplySortKeys();
    } catch (...) {
        indexFieldNames_ = oldNames;
        indexName_ = oldName;
        if (Active()) ComputeSortKeys();
        throw;
    }
}

void TClientDataSet::SetIndexName(const std::string& name) {
    if (!name.empty() && !SameText(name, "DEFAULT_ORDER") && !indexDefs_.Find(name))
        DatabaseError(DataMessages::IndexNotFound(name));
    indexName_ = name;
    indexFieldNames_.clear();
    ApplySortKeys();
}

void TClientDataSet::AddIndex(const std::string& name, const std::string& fields, TIndexOptions options,
                              const std::string& descFields, const std::string& caseInsFields) {
    if (indexDefs_.Find(name)) DatabaseError("Duplicate index name '" + name + "'");
    TIndexDef& def = indexDefs_.Add(name, fields, std::move(options));
    def.DescFields = descFields;
    def.CaseInsFields = caseInsFields;
}

void TClientDataSet::DeleteIndex(const std::string& name) {
    int i = indexDefs_.IndexOf(name);
    if (i < 0) DatabaseError(DataMessages::IndexNotFound(name));
    TIndexDefs kept;
    for (int k = 0; k < indexDefs_.Count(); ++k)
        if (k != i) {
            TIndexDef& d = kept.Add(indexDefs_[k].Name, indexDefs_[k].Fields, indexDefs_[k].Options);
            d.DescFields = indexDefs_[k].DescFields;
            d.CaseInsFields = indexDefs_[k].CaseInsFields;
        }
    indexDefs_ = kept;
    if (SameText(indexName_, name)) SetIndexName("");
}

bool TClientDataSet::FindKey(const std::vector<Variant>& keyValues) {
    CheckBrowseMode();
    if (sortKeys_.empty()) DatabaseError("No index currently active");
    EnsureView();
    std::size_t n = std::min(keyValues.size(), sortKeys_.size());
    auto cmp = [&](const TRowPtr& row) {
        for (std::size_t i = 0; i < n; ++i) {
            const TSortKey& k = sortKeys_[i];
            int c = CompareValues(SlotValue(*row, k.slot), keyValues[i], k.caseInsensitive);
            if (c != 0) return k.descending ? -c : c;
        }
        return 0;
    };
    auto it = std::partition_point(view_.begin(), view_.end(), [&](const TRowPtr& r) { return cmp(r) < 0; });
    if (it == view_.end() || cmp(*it) != 0) return false;
    DoScrollTo(static_cast<int>(it - view_.begin()));
    return true;
}

void TClientDataSet::FindNearest(const std::vector<Variant>& keyValues) {
    CheckBrowseMode();
    if (sortKeys_.empty()) DatabaseError("No index currently active");
    EnsureView();
    if (view_.empty()) return;
    std::size_t n = std::min(keyValues.size(), sortKeys_.size());
    auto less = [&](const TRowPtr& row) {
        for (std::size_t i = 0; i < n; ++i) {
            const TSortKey& k = sortKeys_[i];
            int c = CompareValues(SlotValue(*row, k.slot), keyValues[i], k.caseInsensitive);
            if (c != 0) return (k.descending ? -c : c) < 0;
        }
        return false;
    };
    auto it = std::partition_point(view_.begin(), view_.end(), less);
    int pos = std::min(static_cast<int>(it - view_.begin()), static_cast<int>(view_.size()) - 1);
    DoScrollTo(pos);
}

void TClientDataSet::CloneCursor(TClientDataSet* source, bool reset, bool keepSettings) {
    if (!source || !source->Active()) DatabaseError(DataMessages::DataSetClosed);
    Close();
    source->EnsureView();
    if (cloneSource_) {
        auto& list = cloneSource_->clones_;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
        cloneSource_ = nullptr;
    }
    if (source->DataSetField()) {
        cloneSource_ = source;
        source->clones_.push_back(this);
    }
    pendingStore_ = source->store_;
    isClone_ = true;
    FieldDefs().Assign(source->FieldDefs().Items());
    if (!reset && !keepSettings) {
        indexDefs_ = source->indexDefs_;
        indexFieldNames_ = source->indexFieldNames_;
        indexName_ = source->indexName_;
        OnFilterRecord = source->OnFilterRecord;
        SetFilter(source->Filter());
        if (source->Filtered()) SetFiltered(true);
    } else if (reset) {
        indexFieldNames_.clear();
        indexName_.clear();
    }
    Open();
}

void TClientDataSet::InternalCheckConstraints() {
    if (ConstraintsDisabled() || Constraints.empty()) return;
    if (constraintExprs_.size() != Constraints.size()) constraintExprs_.assign(Constraints.size(), nullptr);
    for (std::size_t i = 0; i < Constraints.size(); ++i) {
        if (!constraintExprs_[i]) constraintExprs_[i] = TFilterExpression::Parse(Constraints[i].CustomConstraint);
        constraintExprs_[i]->Bind(*this);
        if (!constraintExprs_[i]->Evaluate(*InternalBuffer()))
            DatabaseError(Constraints[i].ErrorMessage.empty() ? "Record or field constraint failed."
                                                              : Constraints[i].ErrorMessage);
    }
}
