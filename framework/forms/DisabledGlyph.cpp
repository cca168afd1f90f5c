#include "framework/forms/DisabledGlyph.h"

#include <algorithm>

#include "toolkit/ui/graphics/Bitmap.h"

namespace {

int Brightness(TColor color) {
    const std::int32_t rgb = ColorToRGB(color);
    return (rgb & 0xFF) + ((rgb >> 8) & 0xFF) + ((rgb >> 16) & 0xFF);
}

}  // namespace

std::vector<bool> DisabledMask(const TBitmap& glyph) {
    const int w = glyph.Width(), h = glyph.Height();
    std::vector<bool> mask(static_cast<std::size_t>(w) * h, false);
    if (glyph.Empty()) return mask;
    const std::int32_t transparent = ColorToRGB(glyph.EffectiveTransparentColor());
    auto isTransparent = [&](int x, int y) {
        return ColorToRGB(glyph.Pixel(std::clamp(x, 0, w - 1), std::clamp(y, 0, h - 1))) == transparent;
    };
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (isTransparent(x, y)) continue;
            mask[static_cast<std::size_t>(y) * w + x] = Brightness(glyph.Pixel(x, y)) < 384 || isTransparent(x - 1, y) ||
                                                        isTransparent(x + 1, y) || isTransparent(x, y - 1) ||
                                                        isTransparent(x, y + 1);
        }
    }
    return mask;
}

void AddDisabledImage(TBitmap& glyph) {
    if (glyph.Empty()) return;
    const int w = glyph.Width(), h = glyph.Height();
    const std::vector<bool> mask = DisabledMask(glyph);
    const TColor transparent = glyph.EffectiveTransparentColor();
    glyph.SetSize(2 * w, h);
    for (int y = 0; y < h; ++y)
        for (int x = w; x < 2 * w; ++x) glyph.SetPixel(x, y, transparent);
    // The disabled image: the mask in highlight one pixel down and right, then in shadow; its
    // button-face background stays transparent so that it sits on any button colour.
    auto drawMask = [&](int dx, int dy, TColor color) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (mask[static_cast<std::size_t>(y) * w + x] && x + dx < w && y + dy < h)
                    glyph.SetPixel(w + x + dx, y + dy, color);
    };
    drawMask(1, 1, clBtnHighlight);
    drawMask(0, 0, clBtnShadow);
}
