#include "toolkit/ui/widgets/GroupBox.h"

#include "toolkit/ui/graphics/Canvas.h"
#include "toolkit/ui/kernel/Hotkey.h"

void TGroupBox::Publish(TPublisher<TGroupBox>& p) {
    PublishStandardWin(p);
    p.Property("Caption", &TGroupBox::Caption, &TGroupBox::SetCaption);
}

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 185, 105);
    SetColor(clBtnFace);
    SetParentColor(true);
}

void TCustomGroupBox::Paint() {
    TCanvas* canvas = Canvas();
    canvas->FillRect(Bounds(0, 0, Width(), Height()));
    int textHeight = canvas->TextHeight("0");
    TColor face = canvas->Brush()->Color();
    canvas->Brush()->SetColor(clBtnShadow);
    canvas->FrameRect({0, textHeight / 2, Width(), Height()});
    canvas->Brush()->SetColor(face);
    std::string caption = StripHotkey(Caption());
    if (!caption.empty()) canvas->TextOut(8, 0, caption);
}
