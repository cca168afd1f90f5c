#include "toolkit/ui/widgets/Panel.h"

#include "toolkit/ui/graphics/Canvas.h"

void TPanel::Publish(TPublisher<TPanel>& p) {
    PublishStandardWin(p);
    p.Property("Alignment", &TPanel::Alignment, &TPanel::SetAlignment);
    p.Property("BevelInner", &TPanel::BevelInner, &TPanel::SetBevelInner);
    p.Property("BevelOuter", &TPanel::BevelOuter, &TPanel::SetBevelOuter);
    p.Property("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth);
    p.Property("BorderStyle", &TPanel::BorderStyle, &TPanel::SetBorderStyle);
    p.Property("BorderWidth", &TPanel::BorderWidth, &TPanel::SetBorderWidth);
    p.Property("Caption", &TPanel::Caption, &TPanel::SetCaption);
    p.Property("OnResize", &TPanel::OnResize);
}

TCustomPanel::TCustomPanel(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
}

void TCustomPanel::SetAlignment(TAlignment value) { SetProperty(alignment_, value, TPropertyId::Alignment); }

void TCustomPanel::SetBevelInner(TBevelCut value) { SetProperty(bevelInner_, value, TPropertyId::Bevel); }

void TCustomPanel::SetBevelOuter(TBevelCut value) { SetProperty(bevelOuter_, value, TPropertyId::Bevel); }

void TCustomPanel::SetBevelWidth(int value) {
    if (value < 1 || value == bevelWidth_) return;
    bevelWidth_ = value;
    Changed(TPropertyId::Bevel);
}

void TCustomPanel::SetBorderWidth(int value) {
    if (value < 0 || value == borderWidth_) return;
    borderWidth_ = value;
    Changed(TPropertyId::Bevel);
}

void TCustomPanel::SetBorderStyle(TFormBorderStyle value) { SetProperty(borderStyle_, value, TPropertyId::BorderStyle); }

TRect DrawBevel(TCanvas& canvas, const TRect& rect, TBevelCut cut, int width) {
    if (cut == bvNone) return rect;
    TRect r = rect;
    TColor saved = canvas.Pen()->Color();
    TColor topLeft = cut == bvLowered ? clBtnShadow : clBtnHighlight;
    TColor bottomRight = cut == bvLowered ? clBtnHighlight : clBtnShadow;
    for (int i = 0; i < width; ++i) {
        if (cut != bvSpace) {
            canvas.Pen()->SetColor(topLeft);
            canvas.MoveTo(r.Left, r.Bottom - 1);
            canvas.LineTo(r.Left, r.Top);
            canvas.LineTo(r.Right - 1, r.Top);
            canvas.Pen()->SetColor(bottomRight);
            canvas.LineTo(r.Right - 1, r.Bottom - 1);
            canvas.LineTo(r.Left, r.Bottom - 1);
        }
        r = r.Inflate(-1, -1);
    }
    canvas.Pen()->SetColor(saved);
    return r;
}

void TCustomPanel::Paint() {
    TCanvas* canvas = Canvas();
    TRect r = Bounds(0, 0, Width(), Height());
    canvas->FillRect(r);
    if (borderStyle_ == bsSingle) {
        TColor face = canvas->Brush()->Color();
        canvas->Brush()->SetColor(clWindowFrame);
        canvas->FrameRect(r);
        canvas->Brush()->SetColor(face);
        r = r.Inflate(-1, -1);
    }
    r = DrawBevel(*canvas, r, bevelOuter_, bevelWidth_);
    r = r.Inflate(-borderWidth_, -borderWidth_);
    r = DrawBevel(*canvas, r, bevelInner_, bevelWidth_);
    if (Caption().empty()) return;
    canvas->Brush()->SetStyle(bsClear);
    TTextFormat format{tfVerticalCenter};
    format.Include(alignment_ == taLeftJustify ? tfLeft : alignment_ == taRightJustify ? tfRight : tfCenter);
    canvas->TextRect(r, Caption(), format);
}
