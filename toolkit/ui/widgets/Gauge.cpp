#include "toolkit/ui/widgets/Gauge.h"

#include <algorithm>

#include "toolkit/ui/graphics/Canvas.h"

void TGauge::Publish(TPublisher<TGauge>& p) {
    p.Property("Align", &TGauge::Align, &TGauge::SetAlign);
    p.Property("BackColor", &TGauge::BackColor, &TGauge::SetBackColor);
    p.Property("Font", &TGauge::Font, &TGauge::SetFont);
    p.Property("ForeColor", &TGauge::ForeColor, &TGauge::SetForeColor);
    p.Property("MaxValue", &TGauge::MaxValue, &TGauge::SetMaxValue);
    p.Property("MinValue", &TGauge::MinValue, &TGauge::SetMinValue);
    p.Property("Progress", &TGauge::Progress, &TGauge::SetProgress);
    p.Property("ShowText", &TGauge::ShowText, &TGauge::SetShowText);
    p.Property("Visible", &TGauge::Visible, &TGauge::SetVisible);
}

TGauge::TGauge(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 100, 20); }

void TGauge::SetMinValue(int value) {
    if (value == minValue_) return;
    minValue_ = value;
    maxValue_ = std::max(maxValue_, minValue_);
    progress_ = std::clamp(progress_, minValue_, maxValue_);
    Changed(TPropertyId::MinValue);
}

void TGauge::SetMaxValue(int value) {
    if (value == maxValue_) return;
    maxValue_ = value;
    minValue_ = std::min(minValue_, maxValue_);
    progress_ = std::clamp(progress_, minValue_, maxValue_);
    Changed(TPropertyId::MaxValue);
}

void TGauge::SetProgress(int value) {
    value = std::clamp(value, minValue_, maxValue_);
    SetProperty(progress_, value, TPropertyId::Progress);
}

int TGauge::PercentDone() const {
    const long long range = static_cast<long long>(maxValue_) - minValue_;
    if (range <= 0) return 0;
    return static_cast<int>((static_cast<long long>(progress_) - minValue_) * 100 / range);
}

void TGauge::SetForeColor(TColor value) { SetProperty(foreColor_, value, TPropertyId::ForeColor); }

void TGauge::SetBackColor(TColor value) { SetProperty(backColor_, value, TPropertyId::BackColor); }

void TGauge::SetShowText(bool value) { SetProperty(showText_, value, TPropertyId::ShowText); }

void TGauge::Paint() {
    TCanvas* canvas = Canvas();
    const TRect all = Bounds(0, 0, Width(), Height());
    canvas->Brush()->SetColor(backColor_);
    canvas->FillRect(all);
    const TRect inside = all.Inflate(-1, -1);
    const int filled = inside.Width() * PercentDone() / 100;
    if (filled > 0) {
        canvas->Brush()->SetColor(foreColor_);
        canvas->FillRect(TRect{inside.Left, inside.Top, inside.Left + filled, inside.Bottom});
    }
    canvas->Brush()->SetColor(clBtnShadow);
    canvas->FrameRect(all);
    if (showText_) {
        canvas->Brush()->SetStyle(bsClear);
        canvas->TextRect(inside, std::to_string(PercentDone()) + "%", TTextFormat{tfCenter, tfVerticalCenter});
    }
}
