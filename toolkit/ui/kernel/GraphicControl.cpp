#include "toolkit/ui/kernel/GraphicControl.h"

#include "toolkit/ui/graphics/Canvas.h"

void PaintControlTree(TControl& control, TCanvas& canvas) {
    control.PaintTo(canvas);
    auto* win = dynamic_cast<TWinControl*>(&control);
    if (!win) return;
    TPoint origin = canvas.Origin();
    for (TControl* child : std::vector<TControl*>(win->ControlList())) {
        if (!child->Visible()) continue;
        canvas.SetOrigin({origin.X + child->Left(), origin.Y + child->Top()});
        PaintControlTree(*child, canvas);
    }
    canvas.SetOrigin(origin);
}
