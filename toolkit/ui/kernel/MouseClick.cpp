#include "toolkit/ui/kernel/MouseClick.h"

void FocusOnPress(TWinControl& control, TMouseButton button) {
    if (button == mbLeft && control.CanFocus() && GetParentForm(&control) && !control.Focused()) control.SetFocus();
}

bool ClickOnRelease(TWinControl& control, TMouseButton button, int x, int y) {
    if (button != mbLeft || !control.Enabled() || !Bounds(0, 0, control.Width(), control.Height()).Contains({x, y})) return false;
    FocusOnPress(control, button);
    return true;
}
