#pragma once
// Keyboard input as the desktop delivers it, for the renderer, scripts and tests.
#include <string>

#include "toolkit/ui/kernel/Controls.h"

// The control keys go to: the active form's active control, or the active form itself.
TWinControl* KeyboardTarget();
// One keystroke to target (nullptr: KeyboardTarget()): WM_KEYDOWN (menu shortcuts, dialog keys such
// as Tab and default buttons, then the key events with the form's key preview), WM_CHAR when the
// key types a character and the key-down was not consumed, then WM_KEYUP. Returns false when there
// is no target.
bool SimulateKeystroke(TWinControl* target, WORD key, TShiftState shift = {});
// Types text as characters (WM_CHAR each, key events and key preview included).
bool SimulateTyping(TWinControl* target, const std::string& text);
