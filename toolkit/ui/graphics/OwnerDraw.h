#pragma once
// What owner-drawn items (combo boxes, list boxes, menus) are told about the item being drawn.
#include <functional>

#include "toolkit/classes/Sets.h"
#include "toolkit/classes/TypeInfo.h"
#include "toolkit/ui/graphics/Geometry.h"

class TWinControl;
class TCanvas;

enum TOwnerDrawStateItem {
    odSelected,
    odGrayed,
    odDisabled,
    odChecked,
    odFocused,
    odDefault,
    odComboBoxEdit
};
TK_ENUM_TYPE(TOwnerDrawStateItem, "odSelected", "odGrayed", "odDisabled", "odChecked", "odFocused", "odDefault", "odComboBoxEdit")
using TOwnerDrawState = TSet<TOwnerDrawStateItem>;

using TDrawItemEvent = std::function<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = std::function<void(TWinControl* Control, int Index, int& Height)>;

// The standard look of an item before its text: the highlight colours when selected, and the
// item's rectangle filled.
void FillItemBackground(TCanvas& canvas, const TRect& rect, TOwnerDrawState state);
