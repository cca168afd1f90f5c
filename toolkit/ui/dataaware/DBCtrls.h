#pragma once
// The data-aware controls in one include: edits, memos, combo boxes, labels, check boxes, radio
// groups and the data grid.
#include "toolkit/ui/dataaware/DBCheckBox.h"
#include "toolkit/ui/dataaware/DBComboBox.h"
#include "toolkit/ui/dataaware/DBEdit.h"
#include "toolkit/ui/dataaware/DBText.h"
#include "toolkit/ui/grids/DBGrids.h"
