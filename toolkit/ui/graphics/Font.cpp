#include "toolkit/ui/graphics/Font.h"

#include <cmath>

#include "toolkit/rtl/ChangeValue.h"

const TTypeInfo& FontCharsetType() {
    static const TTypeInfo info = TTypeInfo::NamedInteger("TFontCharset", {{ANSI_CHARSET, "ANSI_CHARSET"},
                                                                           {DEFAULT_CHARSET, "DEFAULT_CHARSET"},
                                                                           {SYMBOL_CHARSET, "SYMBOL_CHARSET"},
                                                                           {SHIFTJIS_CHARSET, "SHIFTJIS_CHARSET"},
                                                                           {HANGEUL_CHARSET, "HANGEUL_CHARSET"},
                                                                           {GB2312_CHARSET, "GB2312_CHARSET"},
                                                                           {CHINESEBIG5_CHARSET, "CHINESEBIG5_CHARSET"},
                                                                           {OEM_CHARSET, "OEM_CHARSET"}});
    return info;
}

void TFont::Publish(TPublisher<TFont>& p) {
    p.Property("Charset", &TFont::Charset, &TFont::SetCharset, &FontCharsetType());
    p.Property("Color", &TFont::Color, &TFont::SetColor);
    p.Property("Height", &TFont::Height, &TFont::SetHeight);
    p.Property("Name", &TFont::Name, &TFont::SetName);
    p.Property("Pitch", &TFont::Pitch, &TFont::SetPitch);
    p.Property("Size", &TFont::Size, &TFont::SetSize);
    p.Property("Style", &TFont::Style, &TFont::SetStyle);
}

TFont::TFont() = default;

namespace {
// a * b / c rounded half away from zero, as the classic MulDiv.
int MulDiv(int a, int b, int c) {
    double v = static_cast<double>(a) * b / c;
    return static_cast<int>(v < 0 ? -std::floor(-v + 0.5) : std::floor(v + 0.5));
}
}  // namespace

void TFont::Assign(const TPersistent* source) {
    if (auto* font = dynamic_cast<const TFont*>(source)) {
        if (SameAs(*font)) return;
        name_ = font->name_;
        height_ = MulDiv(font->height_, pixelsPerInch_, font->pixelsPerInch_);
        color_ = font->color_;
        style_ = font->style_;
        charset_ = font->charset_;
        pitch_ = font->pitch_;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

bool TFont::SameAs(const TFont& other) const {
    return name_ == other.name_ && height_ == other.height_ && color_ == other.color_ && style_ == other.style_ &&
           charset_ == other.charset_ && pitch_ == other.pitch_;
}

void TFont::SetName(const std::string& name) {
    if (name.empty() || name == name_) return;
    name_ = name;
    Changed();
}

int TFont::Size() const { return -MulDiv(height_, 72, pixelsPerInch_); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, pixelsPerInch_, 72)); }

void TFont::SetHeight(int pixels) {
    if (ChangeValue(height_, pixels)) Changed();
}

void TFont::SetColor(TColor color) {
    if (ChangeValue(color_, color)) Changed();
}

void TFont::SetStyle(TFontStyles style) {
    if (ChangeValue(style_, style)) Changed();
}

void TFont::SetCharset(TFontCharset charset) {
    if (ChangeValue(charset_, charset)) Changed();
}

void TFont::SetPitch(TFontPitch pitch) {
    if (ChangeValue(pitch_, pitch)) Changed();
}

void TFont::Changed() {
    if (OnChange) OnChange(this);
}
