#include "framework/data/NestedRowChanges.h"

#include "toolkit/data/ClientDataSet.h"
#include "toolkit/rtl/ScopeExit.h"

int ModifyNestedRows(TClientDataSet* rows, const std::function<bool(std::vector<Variant>& values)>& change) {
    auto* master = dynamic_cast<TClientDataSet*>(rows->ParentDataSet());
    if (!master || !rows->LogChanges() || master->UpdateStatus() != usInserted) return rows->ModifyRows(change);
    rows->SetLogChanges(false);
    TScopeExit logAgain([rows] { rows->SetLogChanges(true); });
    return rows->ModifyRows(change);
}
