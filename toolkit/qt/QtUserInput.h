#pragma once
// Input as a person gives it, for scripts and tests: real mouse and key events on the windows,
// through Qt and the renderer into the controls. No Qt in this header.
#include <string>

class TControl;
class TCustomForm;

// Left-clicks the middle of a control's widget (or the point x, y of it); false when the control
// is not showing on a window.
bool ClickControl(TControl* control);
bool ClickControlAt(TControl* control, int x, int y);
// Moves the mouse onto the middle of a control's widget and rests there past the application's hint
// pause (its hint shows); false when the control is not showing on a window.
bool HoverControl(TControl* control);
// Drags with the left button from the point x, y of one control to the point tx, ty of another
// (the same one for a move inside it), in a few steps, and releases there.
bool DragControl(TControl* from, int x, int y, TControl* to, int tx, int ty);
// Presses and releases a key combination ("F5", "Ctrl+Tab", "Shift+F2", "Enter", "Esc", "A") on a
// form's window (the active form when none is given); false for an unknown key name or no window.
bool PressKeys(const std::string& keys, TCustomForm* form = nullptr);
// Closes a form's window as the user does with its close button (the form decides what happens).
bool CloseWindow(TCustomForm* form);
// Types text, character by character, on a form's window (any characters, Chinese too).
bool TypeText(const std::string& text, TCustomForm* form = nullptr);
