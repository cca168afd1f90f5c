#include "toolkit/ui/widgets/GlyphButton.h"

#include "toolkit/ui/graphics/Canvas.h"
#include "toolkit/ui/kernel/Forms.h"
#include "toolkit/ui/kernel/Hotkey.h"

// --- TButtonGlyph --------------------------------------------------------------------------------------

TButtonGlyph::TButtonGlyph() : glyph_(new TBitmap) {}

void TButtonGlyph::SetNumGlyphs(int value) { numGlyphs_ = std::clamp(value, 1, 4); }

int TButtonGlyph::ImageWidth() const { return glyph_->Empty() ? 0 : glyph_->Width() / numGlyphs_; }

void TButtonGlyph::Image(TButtonState state, TBitmap& image) const {
    int index = 0;
    switch (state) {
        case bsDisabled: index = numGlyphs_ >= 2 ? 1 : 0; break;
        case bsDown: index = numGlyphs_ >= 3 ? 2 : 0; break;
        case bsExclusive: index = numGlyphs_ >= 4 ? 3 : (numGlyphs_ >= 3 ? 2 : 0); break;
        case bsUp: break;
    }
    int w = ImageWidth();
    image.SetSize(0, 0);
    if (w == 0) return;
    image.SetSize(w, glyph_->Height());
    for (int y = 0; y < glyph_->Height(); ++y)
        for (int x = 0; x < w; ++x) image.SetPixel(x, y, glyph_->Pixel(index * w + x, y));
    // Glyphs are drawn with their bottom-left colour transparent, as on the desktop.
    image.SetTransparent(true);
    if (glyph_->TransparentMode() == tmFixed) image.SetTransparentColor(glyph_->TransparentColor());
}

void TButtonGlyph::Draw(TCanvas& canvas, const TRect& rect, const std::string& caption, TButtonLayout layout, int margin,
                        int spacing, TButtonState state) const {
    std::string text = StripHotkey(caption);
    TSize textSize = text.empty() ? TSize{} : canvas.TextExtent(text);
    TBitmap image;
    Image(state, image);
    TSize glyphSize{image.Width(), image.Height()};
    bool vertical = layout == blGlyphTop || layout == blGlyphBottom;
    int gap = (glyphSize.cx > 0 && !text.empty()) ? spacing : 0;
    int total = vertical ? glyphSize.cy + gap + textSize.cy : glyphSize.cx + gap + textSize.cx;
    int extent = vertical ? rect.Height() : rect.Width();
    int start = margin >= 0 ? margin : (extent - total) / 2;
    TPoint glyphAt, textAt;
    switch (layout) {
        case blGlyphLeft:
            glyphAt = {rect.Left + start, rect.Top + (rect.Height() - glyphSize.cy) / 2};
            textAt = {glyphAt.X + glyphSize.cx + gap, rect.Top + (rect.Height() - textSize.cy) / 2};
            break;
        case blGlyphRight:
            textAt = {rect.Left + start, rect.Top + (rect.Height() - textSize.cy) / 2};
            glyphAt = {textAt.X + textSize.cx + gap, rect.Top + (rect.Height() - glyphSize.cy) / 2};
            break;
        case blGlyphTop:
            glyphAt = {rect.Left + (rect.Width() - glyphSize.cx) / 2, rect.Top + start};
            textAt = {rect.Left + (rect.Width() - textSize.cx) / 2, glyphAt.Y + glyphSize.cy + gap};
            break;
        case blGlyphBottom:
            textAt = {rect.Left + (rect.Width() - textSize.cx) / 2, rect.Top + start};
            glyphAt = {rect.Left + (rect.Width() - glyphSize.cx) / 2, textAt.Y + textSize.cy + gap};
            break;
    }
    if (!image.Empty()) canvas.Draw(glyphAt.X, glyphAt.Y, &image);
    if (!text.empty()) {
        if (state == bsDisabled) canvas.Font()->SetColor(clGrayText);
        canvas.Brush()->SetStyle(bsClear);
        canvas.TextOut(textAt.X, textAt.Y, text);
    }
}

// --- TBitBtn -------------------------------------------------------------------------------------------

void TBitBtn::Publish(TPublisher<TBitBtn>& p) {
    p.Property("Glyph", &TBitBtn::Glyph, &TBitBtn::SetGlyph);
    p.Property("Kind", &TBitBtn::Kind, &TBitBtn::SetKind);
    p.Property("Layout", &TBitBtn::Layout, &TBitBtn::SetLayout);
    p.Property("Margin", &TBitBtn::Margin, &TBitBtn::SetMargin);
    p.Property("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs);
    p.Property("Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing);
}

void TBitBtn::SetKind(TBitBtnKind kind) {
    kind_ = kind;
    struct KindInfo {
        const char* caption;
        int result;
    };
    static const KindInfo kinds[] = {{"", mrNone},        {"OK", mrOk},          {"Cancel", mrCancel}, {"&Help", mrNone},
                                     {"&Yes", mrYes},     {"&No", mrNo},         {"&Close", mrNone},   {"Abort", mrAbort},
                                     {"&Retry", mrRetry}, {"&Ignore", mrIgnore}, {"&All", mrAll}};
    if (kind == bkCustom) return;
    const KindInfo& info = kinds[kind];
    SetCaption(info.caption);
    SetModalResult(info.result);
    if (kind == bkOK || kind == bkYes) SetDefault(true);
    if (kind == bkCancel || kind == bkNo) SetCancel(true);
}

void TBitBtn::Click() {
    if (kind_ == bkClose) {
        if (TCustomForm* form = GetParentForm(this)) {
            TWinControl::Click();
            form->Close();
            return;
        }
    }
    TButton::Click();
}

void TBitBtn::Paint() {
    TCanvas* canvas = Canvas();
    TRect client = Bounds(0, 0, Width(), Height());
    canvas->FillRect(client);
    canvas->Brush()->SetColor(Default() ? clWindowFrame : clBtnShadow);
    canvas->FrameRect(client);
    DrawGlyph(*canvas, client.Inflate(-2, -2), Enabled() ? bsUp : bsDisabled);
}

// --- TSpeedButton --------------------------------------------------------------------------------------

void TSpeedButton::Publish(TPublisher<TSpeedButton>& p) {
    PublishStandard(p);
    p.Property("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp);
    p.Property("Caption", &TSpeedButton::Caption, &TSpeedButton::SetCaption);
    p.Property("Down", &TSpeedButton::Down, &TSpeedButton::SetDown);
    p.Property("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat);
    p.Property("Glyph", &TSpeedButton::Glyph, &TSpeedButton::SetGlyph);
    p.Property("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex);
    p.Property("Layout", &TSpeedButton::Layout, &TSpeedButton::SetLayout);
    p.Property("Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin);
    p.Property("NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs);
    p.Property("Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing);
    p.Property("Transparent", &TSpeedButton::Transparent, &TSpeedButton::SetTransparent);
}

TSpeedButton::TSpeedButton(TComponent* owner) : TGlyphButton<TGraphicControl>(owner) {
    SetBounds(0, 0, 23, 22);
    SetColor(clBtnFace);
    SetParentColor(true);
}

void TSpeedButton::SetGroupIndex(int value) {
    if (value == groupIndex_) return;
    groupIndex_ = value;
    if (groupIndex_ == 0) SetDown(false);
}

void TSpeedButton::SetDown(bool value) {
    if (groupIndex_ == 0) value = false;
    if (value == down_) return;
    if (!value && !allowAllUp_) {
        // A group must keep one button down unless all may be up.
        bool otherDown = false;
        if (Parent())
            for (TControl* c : Parent()->ControlList())
                if (auto* b = dynamic_cast<TSpeedButton*>(c); b && b != this && b->groupIndex_ == groupIndex_ && b->down_)
                    otherDown = true;
        if (!otherDown) return;
    }
    down_ = value;
    if (value) ReleaseGroup();
    Changed(TPropertyId::Down);
}

void TSpeedButton::ReleaseGroup() {
    if (!Parent() || groupIndex_ == 0) return;
    for (TControl* c : std::vector<TControl*>(Parent()->ControlList())) {
        auto* b = dynamic_cast<TSpeedButton*>(c);
        if (b && b != this && b->groupIndex_ == groupIndex_ && b->down_) {
            b->down_ = false;
            b->Changed(TPropertyId::Down);
        }
    }
}

void TSpeedButton::SetAllowAllUp(bool value) { allowAllUp_ = value; }

void TSpeedButton::SetFlat(bool value) { SetProperty(flat_, value, TPropertyId::Flat); }

void TSpeedButton::SetTransparent(bool value) { SetProperty(transparent_, value, TPropertyId::Transparent); }

void TSpeedButton::Click() {
    if (!Enabled()) return;
    if (groupIndex_ != 0) {
        if (!down_)
            SetDown(true);
        else if (allowAllUp_)
            SetDown(false);
    }
    TGraphicControl::Click();
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseUp(button, shift, x, y);
    if (button == mbLeft && Bounds(0, 0, Width(), Height()).Contains({x, y})) Click();
}

void TSpeedButton::Paint() {
    TCanvas* canvas = Canvas();
    TRect client = Bounds(0, 0, Width(), Height());
    if (!transparent_ || down_) {
        if (down_) canvas->Brush()->SetColor(clBtnHighlight);
        canvas->FillRect(client);
    }
    if (!flat_ || down_) {
        canvas->Brush()->SetColor(down_ ? clBtnShadow : clBtnHighlight);
        canvas->FrameRect(client);
    }
    TButtonState state = !Enabled() ? bsDisabled : down_ ? bsExclusive : bsUp;
    DrawGlyph(*canvas, client.Inflate(-1, -1), state);
}
