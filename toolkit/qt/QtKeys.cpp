#include "toolkit/qt/QtKeys.h"

#include <cctype>
#include <cstdlib>
#include <map>

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers) {
    TShiftState shift;
    if (modifiers & Qt::ShiftModifier) shift.Include(ssShift);
    if (modifiers & Qt::ControlModifier) shift.Include(ssCtrl);
    if (modifiers & Qt::AltModifier) shift.Include(ssAlt);
    return shift;
}

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
    TShiftState shift = ShiftStateOf(modifiers);
    if (buttons & Qt::LeftButton) shift.Include(ssLeft);
    if (buttons & Qt::RightButton) shift.Include(ssRight);
    if (buttons & Qt::MiddleButton) shift.Include(ssMiddle);
    return shift;
}

WORD VirtualKeyOf(int key, Qt::KeyboardModifiers modifiers) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<WORD>('A' + (key - Qt::Key_A));
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        if (modifiers & Qt::KeypadModifier) return static_cast<WORD>(VK_NUMPAD0 + (key - Qt::Key_0));
        return static_cast<WORD>('0' + (key - Qt::Key_0));
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return static_cast<WORD>(VK_F1 + (key - Qt::Key_F1));
    bool keypad = (modifiers & Qt::KeypadModifier) != 0;
    switch (key) {
        case Qt::Key_Backspace: return VK_BACK;
        case Qt::Key_Tab:
        case Qt::Key_Backtab: return VK_TAB;
        case Qt::Key_Clear: return VK_CLEAR;
        case Qt::Key_Return:
        case Qt::Key_Enter: return VK_RETURN;
        case Qt::Key_Shift: return VK_SHIFT;
        case Qt::Key_Control: return VK_CONTROL;
        case Qt::Key_Alt: return VK_MENU;
        case Qt::Key_Pause: return VK_PAUSE;
        case Qt::Key_CapsLock: return VK_CAPITAL;
        case Qt::Key_Escape: return VK_ESCAPE;
        case Qt::Key_Space: return VK_SPACE;
        case Qt::Key_PageUp: return VK_PRIOR;
        case Qt::Key_PageDown: return VK_NEXT;
        case Qt::Key_End: return VK_END;
        case Qt::Key_Home: return VK_HOME;
        case Qt::Key_Left: return VK_LEFT;
        case Qt::Key_Up: return VK_UP;
        case Qt::Key_Right: return VK_RIGHT;
        case Qt::Key_Down: return VK_DOWN;
        case Qt::Key_Print: return VK_SNAPSHOT;
        case Qt::Key_Insert: return VK_INSERT;
        case Qt::Key_Delete: return VK_DELETE;
        case Qt::Key_Help: return VK_HELP;
        case Qt::Key_Meta: return VK_LWIN;
        case Qt::Key_Menu: return VK_APPS;
        case Qt::Key_NumLock: return VK_NUMLOCK;
        case Qt::Key_ScrollLock: return VK_SCROLL;
        case Qt::Key_Asterisk: return keypad ? VK_MULTIPLY : static_cast<WORD>('8');
        case Qt::Key_Plus: return keypad ? VK_ADD : VK_OEM_PLUS;
        case Qt::Key_Minus: return keypad ? VK_SUBTRACT : VK_OEM_MINUS;
        case Qt::Key_Period: return keypad ? VK_DECIMAL : VK_OEM_PERIOD;
        case Qt::Key_Slash: return keypad ? VK_DIVIDE : VK_OEM_2;
        case Qt::Key_Semicolon:
        case Qt::Key_Colon: return VK_OEM_1;
        case Qt::Key_Equal: return VK_OEM_PLUS;
        case Qt::Key_Comma:
        case Qt::Key_Less: return VK_OEM_COMMA;
        case Qt::Key_Underscore: return VK_OEM_MINUS;
        case Qt::Key_Greater: return VK_OEM_PERIOD;
        case Qt::Key_Question: return VK_OEM_2;
        case Qt::Key_QuoteLeft:
        case Qt::Key_AsciiTilde: return VK_OEM_3;
        case Qt::Key_BracketLeft:
        case Qt::Key_BraceLeft: return VK_OEM_4;
        case Qt::Key_Backslash:
        case Qt::Key_Bar: return VK_OEM_5;
        case Qt::Key_BracketRight:
        case Qt::Key_BraceRight: return VK_OEM_6;
        case Qt::Key_Apostrophe:
        case Qt::Key_QuoteDbl: return VK_OEM_7;
        case Qt::Key_Exclam: return '1';
        case Qt::Key_At: return '2';
        case Qt::Key_NumberSign: return '3';
        case Qt::Key_Dollar: return '4';
        case Qt::Key_Percent: return '5';
        case Qt::Key_AsciiCircum: return '6';
        case Qt::Key_Ampersand: return '7';
        case Qt::Key_ParenLeft: return '9';
        case Qt::Key_ParenRight: return '0';
        default: return 0;
    }
}

std::vector<char32_t> TypedCharacters(const QKeyEvent& event) {
    std::vector<char32_t> chars;
    Qt::KeyboardModifiers mods = event.modifiers();
    if (mods & (Qt::ControlModifier | Qt::AltModifier)) return chars;
    QString text = event.text();
    for (char32_t ch : text.toUcs4()) {
        if (ch == U'\n') ch = U'\r';
        if (ch == 0x7F || (ch < 0x20 && ch != U'\r' && ch != U'\t' && ch != 0x08 && ch != 0x1B)) continue;
        chars.push_back(ch);
    }
    if (text.isEmpty()) {
        WORD vk = VirtualKeyOf(event.key(), mods);
        if (char32_t ch = KeyToChar(vk, ShiftStateOf(mods))) chars.push_back(ch);
    }
    return chars;
}

namespace {
std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}
}  // namespace

bool ParseKeyName(const std::string& name, int& qtKey, Qt::KeyboardModifiers& modifiers) {
    static const std::map<std::string, int> named = {
        {"ENTER", Qt::Key_Return},      {"RETURN", Qt::Key_Return}, {"ESC", Qt::Key_Escape},          {"ESCAPE", Qt::Key_Escape},
        {"TAB", Qt::Key_Tab},           {"SPACE", Qt::Key_Space},   {"BACKSPACE", Qt::Key_Backspace}, {"DEL", Qt::Key_Delete},
        {"DELETE", Qt::Key_Delete},     {"INS", Qt::Key_Insert},    {"INSERT", Qt::Key_Insert},       {"HOME", Qt::Key_Home},
        {"END", Qt::Key_End},           {"PGUP", Qt::Key_PageUp},   {"PAGEUP", Qt::Key_PageUp},       {"PGDN", Qt::Key_PageDown},
        {"PAGEDOWN", Qt::Key_PageDown}, {"LEFT", Qt::Key_Left},     {"RIGHT", Qt::Key_Right},         {"UP", Qt::Key_Up},
        {"DOWN", Qt::Key_Down}};
    modifiers = Qt::NoModifier;
    qtKey = 0;
    std::string rest = name;
    while (true) {
        std::size_t plus = rest.find('+');
        if (plus == std::string::npos || plus + 1 == rest.size()) break;
        std::string mod = Upper(rest.substr(0, plus));
        if (mod == "CTRL" || mod == "CONTROL")
            modifiers |= Qt::ControlModifier;
        else if (mod == "SHIFT")
            modifiers |= Qt::ShiftModifier;
        else if (mod == "ALT")
            modifiers |= Qt::AltModifier;
        else
            return false;
        rest = rest.substr(plus + 1);
    }
    std::string key = Upper(rest);
    if (auto it = named.find(key); it != named.end()) {
        qtKey = it->second;
        if (qtKey == Qt::Key_Tab && (modifiers & Qt::ShiftModifier)) qtKey = Qt::Key_Backtab;
        return true;
    }
    if (key.size() >= 2 && key[0] == 'F' && std::isdigit(static_cast<unsigned char>(key[1]))) {
        int n = std::atoi(key.c_str() + 1);
        if (n < 1 || n > 24) return false;
        qtKey = Qt::Key_F1 + (n - 1);
        return true;
    }
    if (key.size() == 1 && std::isalnum(static_cast<unsigned char>(key[0]))) {
        qtKey = key[0];  // Qt's letter and digit keys are their upper-case ASCII codes
        return true;
    }
    return false;
}
