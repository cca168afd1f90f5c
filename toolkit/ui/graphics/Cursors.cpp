#include "toolkit/ui/graphics/Cursors.h"

#include "toolkit/rtl/SysUtils.h"

const TTypeInfo& TypeInfoOf(const TCursor*) {
    static const TTypeInfo info = TTypeInfo::NamedInteger("TCursor", {{crDefault, "crDefault"},
                                                                      {crArrow, "crArrow"},
                                                                      {crCross, "crCross"},
                                                                      {crIBeam, "crIBeam"},
                                                                      {crSizeNESW, "crSizeNESW"},
                                                                      {crSizeNS, "crSizeNS"},
                                                                      {crSizeNWSE, "crSizeNWSE"},
                                                                      {crSizeWE, "crSizeWE"},
                                                                      {crUpArrow, "crUpArrow"},
                                                                      {crHourGlass, "crHourGlass"},
                                                                      {crDrag, "crDrag"},
                                                                      {crNoDrop, "crNoDrop"},
                                                                      {crHSplit, "crHSplit"},
                                                                      {crVSplit, "crVSplit"},
                                                                      {crMultiDrag, "crMultiDrag"},
                                                                      {crSQLWait, "crSQLWait"},
                                                                      {crNo, "crNo"},
                                                                      {crAppStart, "crAppStart"},
                                                                      {crHelp, "crHelp"},
                                                                      {crHandPoint, "crHandPoint"},
                                                                      {crSizeAll, "crSizeAll"},
                                                                      {crNone, "crNone"},
                                                                      {crSize, "crSize"}});
    return info;
}

bool IdentToCursor(std::string_view ident, TCursor& cursor) {
    std::int64_t v = 0;
    if (!TypeInfoOf(static_cast<const TCursor*>(nullptr)).IdentToInt(ident, v)) return false;
    cursor = static_cast<TCursor>(v);
    return true;
}

bool CursorToIdent(TCursor cursor, std::string& ident) {
    return TypeInfoOf(static_cast<const TCursor*>(nullptr)).IntToIdent(cursor, ident);
}

std::string CursorToString(TCursor cursor) {
    std::string ident;
    if (CursorToIdent(cursor, ident)) return ident;
    return IntToStr(cursor);
}

TCursor StringToCursor(const std::string& text) {
    TCursor cursor;
    if (IdentToCursor(Trim(text), cursor)) return cursor;
    int v = StrToInt(text);
    if (v < -32768 || v > 32767) throw EConvertError("'" + text + "' is not a valid integer value");
    return static_cast<TCursor>(v);
}
