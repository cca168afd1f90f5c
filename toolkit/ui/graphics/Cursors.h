#pragma once
// Mouse cursors: the standard shapes by number, readable and writable by name ("crHourGlass").
#include <cstdint>
#include <string>
#include <string_view>

#include "toolkit/classes/TypeInfo.h"

enum TCursor : std::int16_t {
    crDefault = 0,
    crNone = -1,
    crArrow = -2,
    crCross = -3,
    crIBeam = -4,
    crSizeNESW = -6,
    crSizeNS = -7,
    crSizeNWSE = -8,
    crSizeWE = -9,
    crUpArrow = -10,
    crHourGlass = -11,
    crDrag = -12,
    crNoDrop = -13,
    crHSplit = -14,
    crVSplit = -15,
    crMultiDrag = -16,
    crSQLWait = -17,
    crNo = -18,
    crAppStart = -19,
    crHelp = -20,
    crHandPoint = -21,
    crSizeAll = -22,
    crSize = crSizeAll,
};

std::string CursorToString(TCursor cursor);       // name, or the number as text
TCursor StringToCursor(const std::string& text);  // name or number; EConvertError otherwise
bool IdentToCursor(std::string_view ident, TCursor& cursor);
bool CursorToIdent(TCursor cursor, std::string& ident);

const TTypeInfo& TypeInfoOf(const TCursor*);
