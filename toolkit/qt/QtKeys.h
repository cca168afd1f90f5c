#pragma once
// Qt key events as the toolkit's virtual keys, shift states and typed characters.
#include <QKeyEvent>

#include <string>
#include <vector>

#include "toolkit/ui/kernel/Keys.h"

// Punctuation keys of the US layout, as the desktop numbers them.
constexpr WORD VK_OEM_1 = 0xBA;       // ;:
constexpr WORD VK_OEM_PLUS = 0xBB;    // =+
constexpr WORD VK_OEM_COMMA = 0xBC;   // ,<
constexpr WORD VK_OEM_MINUS = 0xBD;   // -_
constexpr WORD VK_OEM_PERIOD = 0xBE;  // .>
constexpr WORD VK_OEM_2 = 0xBF;       // /?
constexpr WORD VK_OEM_3 = 0xC0;       // `~
constexpr WORD VK_OEM_4 = 0xDB;       // [{
constexpr WORD VK_OEM_5 = 0xDC;       // \|
constexpr WORD VK_OEM_6 = 0xDD;       // ]}
constexpr WORD VK_OEM_7 = 0xDE;       // '"

// The virtual key of a Qt key (0 when the toolkit has none); keypad digits give VK_NUMPAD0..9.
WORD VirtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers);
TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers);
TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);
// The characters a key event types: its text (control characters as the desktop types them), or
// what the key types by itself when the event carries no text; none while Ctrl or Alt is held.
std::vector<char32_t> TypedCharacters(const QKeyEvent& event);

// The Qt key and modifiers of a key name as scripts write it: "F5", "Enter", "Ctrl+Tab",
// "Ctrl+Delete", "Shift+F2", "A", "Esc". False for an unknown name.
bool ParseKeyName(const std::string& name, int& qtKey, Qt::KeyboardModifiers& modifiers);
