#pragma once
// Horizontal and vertical placement of text, and the bevels of panels and frames.
#include "toolkit/classes/TypeInfo.h"
#include "toolkit/data/DataTypes.h"  // TAlignment: fields and controls share it

TK_ENUM_TYPE(TAlignment, "taLeftJustify", "taRightJustify", "taCenter")

enum TTextLayout {
    tlTop,
    tlCenter,
    tlBottom
};
TK_ENUM_TYPE(TTextLayout, "tlTop", "tlCenter", "tlBottom")

enum TBevelCut {
    bvNone,
    bvLowered,
    bvRaised,
    bvSpace
};
TK_ENUM_TYPE(TBevelCut, "bvNone", "bvLowered", "bvRaised", "bvSpace")
