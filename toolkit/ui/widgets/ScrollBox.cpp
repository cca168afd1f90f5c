#include "toolkit/ui/widgets/ScrollBox.h"

void TScrollBox::Publish(TPublisher<TScrollBox>& p) {
    PublishStandardWin(p);
    p.Property("AutoScroll", &TScrollBox::AutoScroll, &TScrollBox::SetAutoScroll);
    p.Property("BorderStyle", &TScrollBox::BorderStyle, &TScrollBox::SetBorderStyle);
}

TScrollBox::TScrollBox(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
}

void TScrollBox::SetBorderStyle(TFormBorderStyle value) { SetProperty(borderStyle_, value, TPropertyId::BorderStyle); }

TSize TScrollBox::ContentSize() const {
    TSize size;
    for (TControl* c : ControlList()) {
        if (!c->Visible()) continue;
        size.cx = std::max(size.cx, c->Left() + c->Width());
        size.cy = std::max(size.cy, c->Top() + c->Height());
    }
    return size;
}

void TScrollBox::SetScrollPosition(TPoint position) {
    TSize content = ContentSize();
    position.X = std::clamp(position.X, 0, std::max(content.cx - Width(), 0));
    position.Y = std::clamp(position.Y, 0, std::max(content.cy - Height(), 0));
    SetProperty(position_, position, TPropertyId::ScrollPosition);
}

void TScrollBox::ScrollInView(const TControl* control) {
    if (!control) return;
    TPoint offset;
    for (const TControl* c = control; c && c != this; c = c->Parent()) {
        offset.X += c->Left();
        offset.Y += c->Top();
    }
    TPoint p = position_;
    if (offset.X < p.X)
        p.X = offset.X;
    else if (offset.X + control->Width() > p.X + Width())
        p.X = offset.X + control->Width() - Width();
    if (offset.Y < p.Y)
        p.Y = offset.Y;
    else if (offset.Y + control->Height() > p.Y + Height())
        p.Y = offset.Y + control->Height() - Height();
    SetScrollPosition(p);
}
