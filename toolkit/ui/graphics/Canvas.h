#pragma once
// Drawing surfaces. TCanvas keeps the drawing state (pen, brush, font, pen position, origin and
// clip) and turns the classic drawing calls into a few primitives that an implementation supplies:
// the recording canvas (RecordingCanvas.h) for headless runs and tests, a raster canvas inside
// every TBitmap, and the Qt canvas over a painter in the renderer.
//
// Coordinates given to the drawing calls are relative to the origin (SetOrigin); primitives receive
// them already moved by it. Controls paint on a canvas through TControl::PaintTo.
#include <functional>
#include <memory>
#include <string>

#include "toolkit/ui/graphics/Font.h"
#include "toolkit/ui/graphics/Geometry.h"

class TBitmap;

enum TPenStyle {
    psSolid,
    psDash,
    psDot,
    psDashDot,
    psDashDotDot,
    psClear,
    psInsideFrame
};
TK_ENUM_TYPE(TPenStyle, "psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame")
enum TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};
TK_ENUM_TYPE(TBrushStyle, "bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal", "bsBDiagonal", "bsCross",
             "bsDiagCross")

class TPen : public TPersistent {
    TK_CLASS_PUBLISHED(TPen, TPersistent)
public:
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    int Width() const { return width_; }
    void SetWidth(int width);  // at least 1
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle style);
    void Assign(const TPersistent* source) override;
    TNotifyEvent OnChange;

private:
    void Changed();
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = psSolid;
};

class TBrush : public TPersistent {
    TK_CLASS_PUBLISHED(TBrush, TPersistent)
public:
    TColor Color() const { return color_; }
    void SetColor(TColor color);  // a colour on a clear brush makes it solid again
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle style);
    void Assign(const TPersistent* source) override;
    TNotifyEvent OnChange;

private:
    void Changed();
    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
};

// How TextRect places text in its rectangle (the clip is always the rectangle).
enum TTextFormatItem {
    tfLeft,
    tfRight,
    tfCenter,
    tfTop,
    tfVerticalCenter,
    tfBottom,
    tfSingleLine,
    tfEndEllipsis,
    tfExpandTabs
};
using TTextFormat = TSet<TTextFormatItem>;

class TCanvas {
public:
    TCanvas();
    virtual ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TFont* Font() const { return font_.get(); }
    TPen* Pen() const { return pen_.get(); }
    TBrush* Brush() const { return brush_.get(); }
    void SetFont(const TFont* font) { font_->Assign(font); }
    void SetPen(const TPen* pen) { pen_->Assign(pen); }
    void SetBrush(const TBrush* brush) { brush_->Assign(brush); }

    TPoint PenPos() const { return penPos_; }
    void SetPenPos(TPoint p) { penPos_ = p; }
    // Where (0, 0) of the drawing calls lies on the surface; painting a child control moves it.
    TPoint Origin() const { return origin_; }
    void SetOrigin(TPoint origin) { origin_ = origin; }
    // Drawing outside the clip (in surface coordinates) is dropped; empty means no clip.
    TRect ClipRect() const { return clip_; }
    void SetClipRect(const TRect& clip) { clip_ = clip; }

    // Fills with the brush (nothing for a clear brush).
    void FillRect(const TRect& rect);
    // A one-pixel frame in the brush colour.
    void FrameRect(const TRect& rect);
    // Outline with the pen, inside filled with the brush.
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const TRect& rect) { Rectangle(rect.Left, rect.Top, rect.Right, rect.Bottom); }
    // The ellipse inside the rectangle: outline with the pen, inside filled with the brush.
    void Ellipse(const TRect& rect) { DoEllipse(ToSurface(rect)); }
    void MoveTo(int x, int y) { penPos_ = {x, y}; }
    // A line with the pen from the pen position to (x, y), which becomes the pen position.
    void LineTo(int x, int y);
    // Text with its top-left corner at (x, y) in the font's colour, on the brush unless it is clear.
    void TextOut(int x, int y, const std::string& text);
    // Text at (x, y), clipped to rect (filled with the brush first).
    void TextRect(const TRect& rect, int x, int y, const std::string& text);
    // Text placed in rect as format says, clipped to it (not filled).
    void TextRect(const TRect& rect, const std::string& text, TTextFormat format);
    TSize TextExtent(const std::string& text) { return MeasureText(text); }
    int TextWidth(const std::string& text) { return MeasureText(text).cx; }
    int TextHeight(const std::string& text) { return MeasureText(text).cy; }
    // The bitmap with its top-left corner at (x, y); transparent when the bitmap says so.
    void Draw(int x, int y, const TBitmap* bitmap);
    // The bitmap scaled to rect.
    void StretchDraw(const TRect& rect, const TBitmap* bitmap);
    TColor Pixels(int x, int y) const;
    void SetPixels(int x, int y, TColor color);

protected:
    // The primitives, in surface coordinates, with the current pen, brush and font.
    virtual void DoFillRect(const TRect& rect) = 0;
    virtual void DoFrameRect(const TRect& rect) = 0;
    virtual void DoRectangle(const TRect& rect) = 0;
    // Surfaces that cannot draw curves draw the rectangle.
    virtual void DoEllipse(const TRect& rect) { DoRectangle(rect); }
    virtual void DoLine(TPoint from, TPoint to) = 0;
    virtual void DoTextOut(int x, int y, const std::string& text, const TRect* clip, bool opaque) = 0;
    virtual TSize DoTextExtent(const std::string& text) = 0;
    // Draw (dest the size of the bitmap) and StretchDraw.
    virtual void DoDraw(const TRect& dest, const TBitmap& bitmap) = 0;
    virtual TColor DoGetPixel(int x, int y) const { return clNone; }
    virtual void DoSetPixel(int x, int y, TColor color) {}

    TRect ToSurface(const TRect& r) const { return r.Offset(origin_.X, origin_.Y); }
    TSize MeasureText(const std::string& text) { return DoTextExtent(text); }

private:
    TOwnedPtr<TFont> font_;
    TOwnedPtr<TPen> pen_;
    TOwnedPtr<TBrush> brush_;
    TPoint penPos_;
    TPoint origin_;
    TRect clip_;
};

// The headless font model: at font size S (points) an ASCII character is (7 * S + 4) / 9 pixels
// wide, any other character twice that, and a line (16 * S + 4) / 9 pixels high. At size 9 that is
// 7, 14 and 16 pixels. Styles do not change the metrics.
TSize HeadlessTextExtent(const TFont& font, const std::string& text);

// The canvas a control measures text with outside painting. The renderer installs one with real
// font metrics; the default is a recording canvas with the headless font model.
using TCanvasFactory = std::function<std::unique_ptr<TCanvas>()>;
void SetMeasureCanvasFactory(TCanvasFactory factory);
std::unique_ptr<TCanvas> CreateMeasureCanvas();
