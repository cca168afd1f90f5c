#pragma once
// Buttons with pictures. A glyph bitmap holds NumGlyphs images side by side: up, disabled, pressed
// and down (a missing image falls back to the up one). Bit buttons are push buttons (modal result,
// default, cancel); a Kind gives the standard caption, glyph-less look and modal result at once.
// Speed buttons do not take the focus; with a GroupIndex they stay down, one per group of the
// same parent, and a click on a down button releases it only when AllowAllUp.
#include <algorithm>

#include "toolkit/ui/graphics/Bitmap.h"
#include "toolkit/ui/kernel/GraphicControl.h"
#include "toolkit/ui/widgets/Button.h"

enum TButtonLayout {
    blGlyphLeft,
    blGlyphRight,
    blGlyphTop,
    blGlyphBottom
};
TK_ENUM_TYPE(TButtonLayout, "blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom")
enum TBitBtnKind {
    bkCustom,
    bkOK,
    bkCancel,
    bkHelp,
    bkYes,
    bkNo,
    bkClose,
    bkAbort,
    bkRetry,
    bkIgnore,
    bkAll
};
TK_ENUM_TYPE(TBitBtnKind, "bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo", "bkClose", "bkAbort", "bkRetry", "bkIgnore",
             "bkAll")
enum TButtonState {
    bsUp,
    bsDisabled,
    bsDown,
    bsExclusive
};
TK_ENUM_TYPE(TButtonState, "bsUp", "bsDisabled", "bsDown", "bsExclusive")

// A glyph with its images and its place beside a caption.
class TButtonGlyph {
public:
    TButtonGlyph();
    TBitmap* Glyph() const { return glyph_.get(); }
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int value);  // 1 to 4
    // Copies the image shown in a state (up, disabled, pressed, exclusive/down) into image.
    void Image(TButtonState state, TBitmap& image) const;
    int ImageWidth() const;
    // Draws glyph and caption centred in rect.
    void Draw(TCanvas& canvas, const TRect& rect, const std::string& caption, TButtonLayout layout, int margin, int spacing,
              TButtonState state) const;

private:
    TOwnedPtr<TBitmap> glyph_;
    int numGlyphs_ = 1;
};

// The glyph properties of a button class: the picture, how many images it holds, and where it
// stands beside the caption (Margin -1 centres glyph and caption together).
template <class Base>
class TGlyphButton : public Base {
public:
    TBitmap* Glyph() const { return glyph_.Glyph(); }
    // A glyph whose width is a whole multiple (up to 4) of its height holds that many images.
    void SetGlyph(const TBitmap* glyph) {
        Glyph()->Assign(glyph);
        if (glyph && !glyph->Empty() && glyph->Height() > 0 && glyph->Width() % glyph->Height() == 0)
            SetNumGlyphs(std::clamp(glyph->Width() / glyph->Height(), 1, 4));
    }
    int NumGlyphs() const { return glyph_.NumGlyphs(); }
    void SetNumGlyphs(int value) {
        glyph_.SetNumGlyphs(value);
        this->Changed(TPropertyId::Glyph);
    }
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout value) {
        layout_ = value;
        this->Changed(TPropertyId::Layout);
    }
    int Margin() const { return margin_; }
    void SetMargin(int value) {
        margin_ = std::max(value, -1);
        this->Changed(TPropertyId::Layout);
    }
    int Spacing() const { return spacing_; }
    void SetSpacing(int value) {
        spacing_ = value;
        this->Changed(TPropertyId::Layout);
    }

protected:
    explicit TGlyphButton(TComponent* owner) : Base(owner) {
        Glyph()->OnChange = [this](TObject*) { this->Changed(TPropertyId::Glyph); };
    }
    // Draws glyph and caption in rect as the button's layout says.
    void DrawGlyph(TCanvas& canvas, const TRect& rect, TButtonState state) const {
        glyph_.Draw(canvas, rect, this->Caption(), layout_, margin_, spacing_, state);
    }

private:
    TButtonGlyph glyph_;
    TButtonLayout layout_ = blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 4;
};

class TBitBtn : public TGlyphButton<TButton> {
    TK_CLASS_PUBLISHED(TBitBtn, TButton)
public:
    explicit TBitBtn(TComponent* owner) : TGlyphButton<TButton>(owner) {}

    TBitBtnKind Kind() const { return kind_; }
    // Sets caption, modal result, default or cancel as the kind says (bkCustom changes nothing).
    void SetKind(TBitBtnKind kind);

    // bkClose closes the form; the others act as push buttons.
    void Click() override;

protected:
    void Paint() override;

private:
    TBitBtnKind kind_ = bkCustom;
};

class TSpeedButton : public TGlyphButton<TGraphicControl> {
    TK_CLASS_PUBLISHED(TSpeedButton, TGraphicControl)
public:
    explicit TSpeedButton(TComponent* owner);

    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value);
    bool Down() const { return down_; }
    // Only buttons with a group stay down; putting one down releases the others of its group.
    void SetDown(bool value);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool value);
    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);

    // Presses the button as the user would: a grouped button goes down (or up), then OnClick.
    void Click() override;

protected:
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Paint() override;

private:
    void ReleaseGroup();
    int groupIndex_ = 0;
    bool down_ = false;
    bool allowAllUp_ = false;
    bool flat_ = false;
    bool transparent_ = true;
};
