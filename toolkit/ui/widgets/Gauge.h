#pragma once
// A horizontal progress gauge: the part from MinValue to Progress filled in ForeColor over BackColor,
// with the percentage in the middle. Long operations step it while their window stays responsive.
#include "toolkit/ui/kernel/GraphicControl.h"

class TGauge : public TGraphicControl {
    TK_CLASS_PUBLISHED(TGauge, TGraphicControl)
public:
    explicit TGauge(TComponent* owner);

    int MinValue() const { return minValue_; }
    void SetMinValue(int value);
    int MaxValue() const { return maxValue_; }
    void SetMaxValue(int value);
    // Kept between MinValue and MaxValue.
    int Progress() const { return progress_; }
    void SetProgress(int value);
    void AddProgress(int value) { SetProgress(progress_ + value); }
    // Whole percent done (0 when the range is empty).
    int PercentDone() const;
    TColor ForeColor() const { return foreColor_; }
    void SetForeColor(TColor value);
    TColor BackColor() const { return backColor_; }
    void SetBackColor(TColor value);
    bool ShowText() const { return showText_; }
    void SetShowText(bool value);

protected:
    void Paint() override;

private:
    int minValue_ = 0;
    int maxValue_ = 100;
    int progress_ = 0;
    TColor foreColor_ = clBlack;
    TColor backColor_ = clWhite;
    bool showText_ = true;
};
