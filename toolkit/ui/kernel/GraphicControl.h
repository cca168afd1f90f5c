#pragma once
// Controls without a window of their own (labels, speed buttons, images, splitters): they cannot
// take the focus and are painted by their parent's renderer through PaintTo.
#include "toolkit/ui/kernel/Controls.h"

class TGraphicControl : public TControl {
    TK_CLASS(TGraphicControl, TControl)
public:
    explicit TGraphicControl(TComponent* owner) : TControl(owner) {}
};

// Paints a control and, inside it, its visible children at their places (for whole-window
// snapshots in headless runs and tests).
void PaintControlTree(TControl& control, TCanvas& canvas);
