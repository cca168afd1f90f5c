#pragma once
// The standard controls in one include: buttons, labels, edits, memos, combo boxes, list boxes,
// check boxes, radio buttons and group boxes.
#include "toolkit/ui/Button.h"
#include "toolkit/ui/CheckBox.h"
#include "toolkit/ui/ComboBox.h"
#include "toolkit/ui/Edit.h"
#include "toolkit/ui/GroupBox.h"
#include "toolkit/ui/Label.h"
#include "toolkit/ui/ListBox.h"
#include "toolkit/ui/Memo.h"
