#pragma once
// The canvas over a QPainter, with real font metrics: controls paint on it when their widgets are
// painted. Without a painter it only measures (the measure canvas the renderer installs).
#include <QFont>
#include <QImage>
#include <QPainter>

#include "toolkit/ui/graphics/Canvas.h"

class TBitmap;

class TQtCanvas : public TCanvas {
public:
    explicit TQtCanvas(QPainter* painter = nullptr) : painter_(painter) {}

protected:
    void DoFillRect(const TRect& rect) override;
    void DoFrameRect(const TRect& rect) override;
    void DoRectangle(const TRect& rect) override;
    void DoEllipse(const TRect& rect) override;
    void DoLine(TPoint from, TPoint to) override;
    void DoTextOut(int x, int y, const std::string& text, const TRect* clip, bool opaque) override;
    TSize DoTextExtent(const std::string& text) override;
    void DoDraw(const TRect& dest, const TBitmap& bitmap) override;
    void DoSetPixel(int x, int y, TColor color) override;

private:
    // Clips the painter to the canvas's clip (and extra, when given) for one drawing call.
    bool BeginDrawing(const TRect* extra = nullptr);
    QColor BrushColor() const;

    QPainter* painter_;
};

// A bitmap's pixels as an image; transparent bitmaps get their transparent colour cleared.
QImage ToQImage(const TBitmap& bitmap);
