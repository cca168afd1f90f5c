#pragma once
// The data-aware controls in one include: edits, memos, combo boxes, labels, check boxes, radio
// groups and the data grid.
#include "toolkit/ui/DBCheckBox.h"
#include "toolkit/ui/DBComboBox.h"
#include "toolkit/ui/DBEdit.h"
#include "toolkit/ui/DBGrids.h"
#include "toolkit/ui/DBText.h"
