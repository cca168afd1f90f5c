#pragma once
// Bitmaps: a width by height grid of colours (system colours resolved when stored), a canvas that
// draws into the pixels, transparency by one colour (the bottom-left pixel unless fixed), and
// reading and writing Windows BMP files (1, 4, 8, 24 and 32 bits per pixel, uncompressed).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/ui/graphics/Canvas.h"

enum TTransparentMode {
    tmAuto,
    tmFixed
};
TK_ENUM_TYPE(TTransparentMode, "tmAuto", "tmFixed")

class TBitmap : public TPersistent {
    TK_CLASS_PUBLISHED(TBitmap, TPersistent)
public:
    TBitmap();
    TBitmap(int width, int height);
    ~TBitmap() override;

    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetWidth(int width) { SetSize(width, height_); }
    void SetHeight(int height) { SetSize(width_, height); }
    // Keeps the pixels that still fit; new ones are white.
    void SetSize(int width, int height);
    bool Empty() const { return width_ == 0 || height_ == 0; }

    // A pixel's colour as RGB; clNone outside the bitmap. Writing outside does nothing.
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    TColor TransparentColor() const { return transparentColor_; }
    // Setting a colour makes the mode fixed; clDefault returns to automatic.
    void SetTransparentColor(TColor color);
    TTransparentMode TransparentMode() const { return transparentMode_; }
    void SetTransparentMode(TTransparentMode mode);
    // The colour drawn as transparent: the fixed one, or the bottom-left pixel.
    TColor EffectiveTransparentColor() const;

    // Draws into this bitmap's pixels (and records what it drew).
    TCanvas* Canvas();

    void Assign(const TPersistent* source) override;
    bool SameImage(const TBitmap& other) const;

    // EInOutError when the file cannot be read or is not a bitmap of a supported kind.
    void LoadFromFile(const std::string& fileName);
    void LoadFromBytes(const std::vector<std::uint8_t>& bytes);
    // A bitmap the program registered under a name (RegisterBitmapResource); EResNotFound otherwise.
    void LoadFromResourceName(const std::string& name);
    void SaveToFile(const std::string& fileName) const;  // 24 bits per pixel
    std::vector<std::uint8_t> SaveToBytes() const;

    TNotifyEvent OnChange;

private:
    void Changed();

    int width_ = 0;
    int height_ = 0;
    std::vector<std::int32_t> pixels_;
    bool transparent_ = false;
    TColor transparentColor_ = clDefault;
    TTransparentMode transparentMode_ = tmAuto;
    std::unique_ptr<TCanvas> canvas_;
};

// The program's named images (button glyphs, state stamps, check-box cells), registered at start-up
// and loaded by name as bitmaps from resources are. Names compare without regard to case; a later
// registration replaces an earlier one.
void RegisterBitmapResource(const std::string& name, const TBitmap& image);
bool BitmapResourceExists(const std::string& name);
