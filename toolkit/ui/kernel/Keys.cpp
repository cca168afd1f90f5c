#include "toolkit/ui/kernel/Keys.h"

TShortCut ShortCut(WORD key, TShiftState shift) {
    if ((key & 0xFF00) != 0) return scNone;
    TShortCut result = key;
    if (shift.Contains(ssShift)) result |= scShift;
    if (shift.Contains(ssCtrl)) result |= scCtrl;
    if (shift.Contains(ssAlt)) result |= scAlt;
    return result;
}

void ShortCutToKey(TShortCut shortCut, WORD& key, TShiftState& shift) {
    key = shortCut & 0x00FF;
    shift = {};
    if (shortCut & scShift) shift.Include(ssShift);
    if (shortCut & scCtrl) shift.Include(ssCtrl);
    if (shortCut & scAlt) shift.Include(ssAlt);
}

char32_t KeyToChar(WORD key, TShiftState shift) {
    if (shift.Contains(ssCtrl) || shift.Contains(ssAlt)) return 0;
    bool upper = shift.Contains(ssShift);
    if (key >= 'A' && key <= 'Z') return upper ? key : key - 'A' + 'a';
    if (key >= '0' && key <= '9' && !upper) return key;
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) return U'0' + (key - VK_NUMPAD0);
    switch (key) {
        case VK_RETURN: return U'\r';
        case VK_ESCAPE: return 0x1B;
        case VK_BACK: return 0x08;
        case VK_TAB: return U'\t';
        case VK_SPACE: return U' ';
        case VK_MULTIPLY: return U'*';
        case VK_ADD: return U'+';
        case VK_SUBTRACT: return U'-';
        case VK_DECIMAL: return U'.';
        case VK_DIVIDE: return U'/';
        default: return 0;
    }
}
