#pragma once
// The disabled image of a one-image button glyph, as framework windows give their buttons.
#include <vector>

class TBitmap;

// Pixels of the glyph that the disabled image draws: not the transparent colour, and either dark
// (red + green + blue below 384) or lighter with a transparent pixel among its four neighbours
// (borders clamped). Row by row, width * height entries.
std::vector<bool> DisabledMask(const TBitmap& glyph);

// Widens the glyph to two images: itself on the left and, on the right, its mask drawn once offset
// by one pixel in the highlight colour and once in place in the shadow colour, the rest in the
// glyph's transparent colour. An empty glyph stays empty.
void AddDisabledImage(TBitmap& glyph);
