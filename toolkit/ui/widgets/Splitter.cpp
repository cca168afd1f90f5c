#include "toolkit/ui/widgets/Splitter.h"

#include "toolkit/ui/graphics/Canvas.h"
#include "toolkit/ui/widgets/Panel.h"

void TSplitter::Publish(TPublisher<TSplitter>& p) {
    p.Property("Align", &TSplitter::Align, &TSplitter::SetAlign);
    p.Property("Beveled", &TSplitter::Beveled, &TSplitter::SetBeveled);
    p.Property("Color", &TSplitter::Color, &TSplitter::SetColor);
    p.Property("MinSize", &TSplitter::MinSize, &TSplitter::SetMinSize);
    p.Property("ParentColor", &TSplitter::ParentColor, &TSplitter::SetParentColor);
    p.Property("ResizeStyle", &TSplitter::ResizeStyle, &TSplitter::SetResizeStyle);
    p.Property("Visible", &TSplitter::Visible, &TSplitter::SetVisible);
    p.Property("OnMoved", &TSplitter::OnMoved);
}

TSplitter::TSplitter(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 3, 100);
    SetAlign(alLeft);
    SetCursor(crHSplit);
    SetColor(clBtnFace);
    SetParentColor(true);
}

void TSplitter::SetBeveled(bool value) { SetProperty(beveled_, value, TPropertyId::Beveled); }

TControl* TSplitter::ResizeControl() const {
    if (!Parent()) return nullptr;
    TControl* best = nullptr;
    for (TControl* c : Parent()->ControlList()) {
        if (c == this || !c->Visible() || c->Align() != Align()) continue;
        bool before = false;
        switch (Align()) {
            case alLeft: before = c->Left() + c->Width() == Left(); break;
            case alRight: before = c->Left() == Left() + Width(); break;
            case alTop: before = c->Top() + c->Height() == Top(); break;
            case alBottom: before = c->Top() == Top() + Height(); break;
            default: break;
        }
        if (before) best = c;
    }
    return best;
}

int TSplitter::MoveSplitter(int delta) {
    TControl* target = ResizeControl();
    if (!target || delta == 0) return 0;
    // Growing the control means moving away from its side.
    int sign = (Align() == alLeft || Align() == alTop) ? 1 : -1;
    int size = Horizontal() ? target->Height() : target->Width();
    int wanted = std::max(size + sign * delta, minSize_);
    if (wanted == size) return 0;
    if (Horizontal())
        target->SetHeight(wanted);
    else
        target->SetWidth(wanted);
    if (OnMoved) OnMoved(this);
    return sign * (wanted - size);
}

void TSplitter::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button == mbLeft) {
        dragging_ = true;
        dragStart_ = {x, y};
    }
}

void TSplitter::MouseMove(TShiftState shift, int x, int y) {
    TGraphicControl::MouseMove(shift, x, y);
    if (dragging_) {
        int moved = MoveSplitter(Horizontal() ? y - dragStart_.Y : x - dragStart_.X);
        (void)moved;
    }
}

void TSplitter::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseUp(button, shift, x, y);
    dragging_ = false;
}

void TSplitter::Paint() {
    TCanvas* canvas = Canvas();
    TRect r = Bounds(0, 0, Width(), Height());
    canvas->FillRect(r);
    if (beveled_) DrawBevel(*canvas, r, bvRaised, 1);
}
