#pragma once
// Creating a control of a hand-built window in one call.

#include <string>

#include "toolkit/ui/kernel/WinControl.h"

// A control owned by `owner`, named, placed on `parent` (none: left unparented) at the given bounds.
template <class T>
T* CreateControl(TComponent* owner, TWinControl* parent, const std::string& name, int left, int top, int width, int height) {
    auto* control = CreateComponent<T>(owner);
    control->SetName(name);
    control->SetBounds(left, top, width, height);
    if (parent) control->SetParent(parent);
    return control;
}
