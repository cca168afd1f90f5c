#pragma once
// Panels: containers with bevels and an optional caption.
#include "toolkit/ui/graphics/Geometry.h"
#include "toolkit/ui/graphics/TextAlign.h"
#include "toolkit/ui/kernel/Forms.h"

class TCustomPanel : public TWinControl {
    TK_CLASS(TCustomPanel, TWinControl)
public:
    explicit TCustomPanel(TComponent* owner);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut value);
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut value);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int value);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value);
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle value);

protected:
    void Paint() override;

private:
    TAlignment alignment_ = taCenter;
    TBevelCut bevelInner_ = bvNone;
    TBevelCut bevelOuter_ = bvRaised;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TFormBorderStyle borderStyle_ = bsNone;
};

class TPanel : public TCustomPanel {
    TK_CLASS_PUBLISHED(TPanel, TCustomPanel)
public:
    explicit TPanel(TComponent* owner) : TCustomPanel(owner) {}
};

// Draws a bevel frame of width pixels inside rect and returns the rectangle inside it.
TRect DrawBevel(TCanvas& canvas, const TRect& rect, TBevelCut cut, int width);
