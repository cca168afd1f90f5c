#pragma once
// Changing every row of a nested dataset in one pass, as the save of a document does with its lines.
#include <functional>
#include <vector>

#include "toolkit/rtl/Variant.h"

class TClientDataSet;

// TClientDataSet::ModifyRows on a nested dataset. Under a master row that is new, every row is new too
// and the server takes it as it stands: the pass is then made without a logged step per row (an undo
// step and a copy of its log entry that nothing uses); anywhere else each change is logged.
int ModifyNestedRows(TClientDataSet* rows, const std::function<bool(std::vector<Variant>& values)>& change);
