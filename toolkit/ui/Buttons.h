#pragma once
// Buttons with pictures. A glyph bitmap holds NumGlyphs images side by side: up, disabled, pressed
// and down (a missing image falls back to the up one). Bit buttons are push buttons (modal result,
// default, cancel); a Kind gives the standard caption, glyph-less look and modal result at once.
// Speed buttons do not take the focus; with a GroupIndex they stay down, one per group of the
// same parent, and a click on a down button releases it only when AllowAllUp.
#include "toolkit/ui/Bitmap.h"
#include "toolkit/ui/Button.h"
#include "toolkit/ui/GraphicControl.h"

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
TK_ENUM_TYPE(TButtonLayout, "blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom")
enum TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
TK_ENUM_TYPE(TBitBtnKind, "bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo", "bkClose", "bkAbort", "bkRetry",
             "bkIgnore", "bkAll")
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
TK_ENUM_TYPE(TButtonState, "bsUp", "bsDisabled", "bsDown", "bsExclusive")

// A glyph with its images and its place beside a caption.
class TButtonGlyph {
public:
    TButtonGlyph();
    TBitmap* Glyph() const { return glyph_.get(); }
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int value);   // 1 to 4
    // Copies the image shown in a state (up, disabled, pressed, exclusive/down) into image.
    void Image(TButtonState state, TBitmap& image) const;
    int ImageWidth() const;
    // Draws glyph and caption centred in rect.
    void Draw(TCanvas& canvas, const TRect& rect, const std::string& caption, TButtonLayout layout, int margin,
              int spacing, TButtonState state) const;

private:
    TOwnedPtr<TBitmap> glyph_;
    int numGlyphs_ = 1;
};

class TBitBtn : public TButton {
    TK_CLASS_PUBLISHED(TBitBtn, TButton)
public:
    explicit TBitBtn(TComponent* owner);

    TBitmap* Glyph() const { return glyph_.Glyph(); }
    void SetGlyph(const TBitmap* glyph);
    int NumGlyphs() const { return glyph_.NumGlyphs(); }
    void SetNumGlyphs(int value);
    TBitBtnKind Kind() const { return kind_; }
    // Sets caption, modal result, default or cancel as the kind says (bkCustom changes nothing).
    void SetKind(TBitBtnKind kind);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout value);
    int Margin() const { return margin_; }
    void SetMargin(int value);
    int Spacing() const { return spacing_; }
    void SetSpacing(int value);

    // bkClose closes the form; the others act as push buttons.
    void Click() override;

protected:
    void Paint() override;

private:
    TButtonGlyph glyph_;
    TBitBtnKind kind_ = bkCustom;
    TButtonLayout layout_ = blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 4;
};

class TSpeedButton : public TGraphicControl {
    TK_CLASS_PUBLISHED(TSpeedButton, TGraphicControl)
public:
    explicit TSpeedButton(TComponent* owner);

    TBitmap* Glyph() const { return glyph_.Glyph(); }
    void SetGlyph(const TBitmap* glyph);
    int NumGlyphs() const { return glyph_.NumGlyphs(); }
    void SetNumGlyphs(int value);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value);
    bool Down() const { return down_; }
    // Only buttons with a group stay down; putting one down releases the others of its group.
    void SetDown(bool value);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool value);
    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout value);
    int Margin() const { return margin_; }
    void SetMargin(int value);
    int Spacing() const { return spacing_; }
    void SetSpacing(int value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);

    // Presses the button as the user would: a grouped button goes down (or up), then OnClick.
    void Click() override;

protected:
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Paint() override;

private:
    void ReleaseGroup();
    TButtonGlyph glyph_;
    int groupIndex_ = 0;
    bool down_ = false;
    bool allowAllUp_ = false;
    bool flat_ = false;
    TButtonLayout layout_ = blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 4;
    bool transparent_ = true;
};
