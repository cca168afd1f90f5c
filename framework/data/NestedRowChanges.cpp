#include "framework/data/NestedRowChanges.h"

#include "toolkit/data/ClientDataSet.h"

int ModifyNestedRows(TClientDataSet* rows, const std::function<bool(std::vector<Variant>& values)>& change) {
    auto* master = dynamic_cast<TClientDataSet*>(rows->ParentDataSet());
    if (!master || !rows->LogChanges() || master->UpdateStatus() != usInserted) return rows->ModifyRows(change);
    rows->SetLogChanges(false);
    int changed = 0;
    try {
        changed = rows->ModifyRows(change);
    } catch (...) {
        rows->SetLogChanges(true);
        throw;
    }
    rows->SetLogChanges(true);
    return changed;
}
