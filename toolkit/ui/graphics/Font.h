#pragma once
// Fonts of controls: name, size (points) or height (pixels, negative for the character height at
// 96 pixels per inch), colour, style and character set. Every change raises OnChange.
#include <cstdint>
#include <string>

#include "toolkit/classes/Component.h"
#include "toolkit/ui/graphics/Colors.h"

enum TFontStyle {
    fsBold,
    fsItalic,
    fsUnderline,
    fsStrikeOut
};
TK_ENUM_TYPE(TFontStyle, "fsBold", "fsItalic", "fsUnderline", "fsStrikeOut")
using TFontStyles = TSet<TFontStyle>;

enum TFontPitch {
    fpDefault,
    fpVariable,
    fpFixed
};
TK_ENUM_TYPE(TFontPitch, "fpDefault", "fpVariable", "fpFixed")

using TFontCharset = std::uint8_t;
constexpr TFontCharset ANSI_CHARSET = 0;
constexpr TFontCharset DEFAULT_CHARSET = 1;
constexpr TFontCharset SYMBOL_CHARSET = 2;
constexpr TFontCharset SHIFTJIS_CHARSET = 128;
constexpr TFontCharset HANGEUL_CHARSET = 129;
constexpr TFontCharset GB2312_CHARSET = 134;
constexpr TFontCharset CHINESEBIG5_CHARSET = 136;
constexpr TFontCharset OEM_CHARSET = 255;
// Character sets by name ("GB2312_CHARSET") or number.
const TTypeInfo& FontCharsetType();

class TFont : public TPersistent {
    TK_CLASS_PUBLISHED(TFont, TPersistent)
public:
    TFont();

    void Assign(const TPersistent* source) override;
    bool SameAs(const TFont& other) const;

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);  // an empty name is ignored
    int Size() const;
    void SetSize(int points);
    int Height() const { return height_; }
    void SetHeight(int pixels);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    TFontCharset Charset() const { return charset_; }
    void SetCharset(TFontCharset charset);
    TFontPitch Pitch() const { return pitch_; }
    void SetPitch(TFontPitch pitch);
    int PixelsPerInch() const { return pixelsPerInch_; }

    TNotifyEvent OnChange;

protected:
    virtual void Changed();

private:
    std::string name_ = "MS Sans Serif";
    int height_ = -11;  // 8 points
    TColor color_ = clWindowText;
    TFontStyles style_;
    TFontCharset charset_ = DEFAULT_CHARSET;
    TFontPitch pitch_ = fpDefault;
    int pixelsPerInch_ = 96;
};
