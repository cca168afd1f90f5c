#include "toolkit/ui/graphics/OwnerDraw.h"

#include "toolkit/ui/graphics/Canvas.h"

void FillItemBackground(TCanvas& canvas, const TRect& rect, TOwnerDrawState state) {
    if (state.Contains(odSelected)) {
        canvas.Brush()->SetColor(clHighlight);
        canvas.Font()->SetColor(clHighlightText);
    }
    canvas.FillRect(rect);
}
