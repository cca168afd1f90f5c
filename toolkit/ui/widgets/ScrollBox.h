#pragma once
// Scroll boxes: a container whose content may be larger than itself. The scroll position is kept
// here; the renderer shows the content moved by it.
#include "toolkit/ui/graphics/Geometry.h"
#include "toolkit/ui/kernel/Forms.h"

class TScrollBox : public TWinControl {
    TK_CLASS_PUBLISHED(TScrollBox, TWinControl)
public:
    explicit TScrollBox(TComponent* owner);

    bool AutoScroll() const { return autoScroll_; }
    void SetAutoScroll(bool value) { autoScroll_ = value; }
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle value);
    // The size the children need (right and bottom edges of the furthest ones).
    TSize ContentSize() const;
    TPoint ScrollPosition() const { return position_; }
    // Clamped to the content.
    void SetScrollPosition(TPoint position);
    // Scrolls so that the control (inside this box) is fully visible.
    void ScrollInView(const TControl* control);

private:
    bool autoScroll_ = true;
    TFormBorderStyle borderStyle_ = bsSingle;
    TPoint position_;
};
