#pragma once
// The standard controls in one include: buttons, labels, edits, memos, combo boxes, list boxes,
// check boxes, radio buttons and group boxes.
#include "toolkit/ui/widgets/Button.h"
#include "toolkit/ui/widgets/CheckBox.h"
#include "toolkit/ui/widgets/ComboBox.h"
#include "toolkit/ui/widgets/Edit.h"
#include "toolkit/ui/widgets/GroupBox.h"
#include "toolkit/ui/widgets/Label.h"
#include "toolkit/ui/widgets/ListBox.h"
#include "toolkit/ui/widgets/Memo.h"
