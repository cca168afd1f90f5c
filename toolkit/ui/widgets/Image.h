#pragma once
// Pictures, bevels and free painting areas.
#include "toolkit/ui/graphics/Bitmap.h"
#include "toolkit/ui/graphics/TextAlign.h"
#include "toolkit/ui/kernel/GraphicControl.h"

// Shows a bitmap: at its size, centred, or stretched; transparently when asked.
class TImage : public TGraphicControl {
    TK_CLASS_PUBLISHED(TImage, TGraphicControl)
public:
    explicit TImage(TComponent* owner);

    TBitmap* Picture() const { return picture_.get(); }
    void SetPicture(const TBitmap* picture) { picture_->Assign(picture); }
    bool Stretch() const { return stretch_; }
    void SetStretch(bool value);
    bool Center() const { return center_; }
    void SetCenter(bool value);
    bool Transparent() const { return picture_->Transparent(); }
    void SetTransparent(bool value) { picture_->SetTransparent(value); }
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    // Where the picture is drawn in the client area.
    TRect DestRect() const;

protected:
    void Paint() override;

private:
    void PictureChanged();
    TOwnedPtr<TBitmap> picture_;
    bool stretch_ = false;
    bool center_ = false;
    bool autoSize_ = false;
};

enum TBevelShape {
    bsBox,
    bsFrame,
    bsTopLine,
    bsBottomLine,
    bsLeftLine,
    bsRightLine,
    bsSpacer
};
TK_ENUM_TYPE(TBevelShape, "bsBox", "bsFrame", "bsTopLine", "bsBottomLine", "bsLeftLine", "bsRightLine", "bsSpacer")
enum TBevelStyle {
    bsLowered,
    bsRaised
};
TK_ENUM_TYPE(TBevelStyle, "bsLowered", "bsRaised")

class TBevel : public TGraphicControl {
    TK_CLASS_PUBLISHED(TBevel, TGraphicControl)
public:
    explicit TBevel(TComponent* owner);
    TBevelShape Shape() const { return shape_; }
    void SetShape(TBevelShape value);
    TBevelStyle Style() const { return style_; }
    void SetStyle(TBevelStyle value);

protected:
    void Paint() override;

private:
    TBevelShape shape_ = bsBox;
    TBevelStyle style_ = bsLowered;
};

// A control that only raises OnPaint: the handler draws on Canvas().
class TPaintBox : public TGraphicControl {
    TK_CLASS_PUBLISHED(TPaintBox, TGraphicControl)
public:
    explicit TPaintBox(TComponent* owner);
    TNotifyEvent OnPaint;

protected:
    void Paint() override;
};
