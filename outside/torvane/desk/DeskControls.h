#pragma once
// Small helpers the work center's windows are built with: a control placed on a parent with its
// name, caption and bounds, and the windows' common font.
#include <string>

#include "toolkit/ui/kernel/Forms.h"

template <class T>
T* Place(TCustomForm* owner, TWinControl* parent, const std::string& name, int left, int top, int width, int height) {
    T* control = CreateComponent<T>(owner);
    control->SetName(name);
    control->SetBounds(left, top, width, height);
    control->SetParent(parent);
    return control;
}

// The font of the work center's windows (Chinese texts; the renderer draws it with its CJK UI face).
void UseDeskFont(TCustomForm* form);
