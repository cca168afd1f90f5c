#pragma once
// A canvas that records what is drawn on it, with the headless font model (Canvas.h), so that tests
// and headless runs can see what a control painted: texts, where, in which colours. Given a
// bitmap, it also draws rectangles, lines and bitmaps into the bitmap's pixels (text is recorded
// only): every TBitmap's own canvas is such a one.
#include <string>
#include <vector>

#include "toolkit/ui/graphics/Canvas.h"

struct TCanvasOp {
    enum TKind {
        opFillRect,
        opFrameRect,
        opRectangle,
        opLine,
        opText,
        opDraw,
        opPixel,
        opEllipse
    };
    TKind Kind = opFillRect;
    TRect Rect;       // fills, frames, rectangles, bitmaps; for text its extent at its place
    TPoint From, To;  // lines; text position in From
    std::string Text;
    TRect Clip;  // text clipped to a rectangle (TextRect); empty otherwise
    TColor BrushColor = clWhite;
    TBrushStyle BrushStyle = bsSolid;
    TColor PenColor = clBlack;
    int PenWidth = 1;
    TPenStyle PenStyle = psSolid;
    TColor FontColor = clBlack;
    TFontStyles FontStyle;
    std::string FontName;
    int FontSize = 0;
    int BitmapWidth = 0;  // Draw: the bitmap's size and whether it was drawn transparently
    int BitmapHeight = 0;
    bool Transparent = false;
};

class TRecordingCanvas : public TCanvas {
public:
    // target: a bitmap whose pixels the drawing also changes (nullptr: record only).
    explicit TRecordingCanvas(TBitmap* target = nullptr) : target_(target) {}

    const std::vector<TCanvasOp>& Ops() const { return ops_; }
    void Clear() { ops_.clear(); }
    void SetRecording(bool on) { recording_ = on; }
    // The texts drawn, in order.
    std::vector<std::string> Texts() const;
    // The last text op with exactly this text (nullptr when none).
    const TCanvasOp* FindText(const std::string& text) const;
    // Texts whose position lies inside rect, in order.
    std::vector<std::string> TextsIn(const TRect& rect) const;
    // The last fill that covers the point (nullptr when none): the background painted there.
    const TCanvasOp* FillAt(TPoint p) const;

protected:
    void DoFillRect(const TRect& rect) override;
    void DoFrameRect(const TRect& rect) override;
    void DoRectangle(const TRect& rect) override;
    void DoEllipse(const TRect& rect) override;
    void DoLine(TPoint from, TPoint to) override;
    void DoTextOut(int x, int y, const std::string& text, const TRect* clip, bool opaque) override;
    TSize DoTextExtent(const std::string& text) override { return HeadlessTextExtent(*Font(), text); }
    void DoDraw(const TRect& dest, const TBitmap& bitmap) override;
    TColor DoGetPixel(int x, int y) const override;
    void DoSetPixel(int x, int y, TColor color) override;

private:
    TCanvasOp Make(TCanvasOp::TKind kind) const;
    void Record(TCanvasOp op);
    void FillPixels(const TRect& rect, TColor color);
    bool Clipped(int x, int y) const;

    TBitmap* target_;
    std::vector<TCanvasOp> ops_;
    bool recording_ = true;
};
