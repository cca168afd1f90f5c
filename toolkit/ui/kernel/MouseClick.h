#pragma once
// How the mouse moves the focus and clicks, for the controls that act on it themselves.
#include "toolkit/ui/kernel/Controls.h"

// The left button pressed on a control gives it the focus, when it can take it and sits on a form.
void FocusOnPress(TWinControl& control, TMouseButton button);
// The left button released over an enabled control is a click: true then, and the control has
// taken the focus where it could.
bool ClickOnRelease(TWinControl& control, TMouseButton button, int x, int y);
