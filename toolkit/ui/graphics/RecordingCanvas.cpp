#include "toolkit/ui/graphics/RecordingCanvas.h"

#include <cstdlib>

#include "toolkit/ui/graphics/Bitmap.h"

TCanvasOp TRecordingCanvas::Make(TCanvasOp::TKind kind) const {
    TCanvasOp op;
    op.Kind = kind;
    op.BrushColor = Brush()->Color();
    op.BrushStyle = Brush()->Style();
    op.PenColor = Pen()->Color();
    op.PenWidth = Pen()->Width();
    op.PenStyle = Pen()->Style();
    op.FontColor = Font()->Color();
    op.FontStyle = Font()->Style();
    op.FontName = Font()->Name();
    op.FontSize = Font()->Size();
    return op;
}

void TRecordingCanvas::Record(TCanvasOp op) {
    if (recording_) ops_.push_back(std::move(op));
}

bool TRecordingCanvas::Clipped(int x, int y) const {
    TRect clip = ClipRect();
    return !clip.IsEmpty() && !clip.Contains({x, y});
}

void TRecordingCanvas::FillPixels(const TRect& rect, TColor color) {
    if (!target_) return;
    for (int y = rect.Top; y < rect.Bottom; ++y)
        for (int x = rect.Left; x < rect.Right; ++x)
            if (!Clipped(x, y)) target_->SetPixel(x, y, color);
}

void TRecordingCanvas::DoFillRect(const TRect& rect) {
    TCanvasOp op = Make(TCanvasOp::opFillRect);
    op.Rect = rect;
    Record(op);
    FillPixels(rect, Brush()->Color());
}

void TRecordingCanvas::DoFrameRect(const TRect& rect) {
    TCanvasOp op = Make(TCanvasOp::opFrameRect);
    op.Rect = rect;
    Record(op);
    if (rect.IsEmpty()) return;
    FillPixels({rect.Left, rect.Top, rect.Right, rect.Top + 1}, Brush()->Color());
    FillPixels({rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom}, Brush()->Color());
    FillPixels({rect.Left, rect.Top, rect.Left + 1, rect.Bottom}, Brush()->Color());
    FillPixels({rect.Right - 1, rect.Top, rect.Right, rect.Bottom}, Brush()->Color());
}

void TRecordingCanvas::DoRectangle(const TRect& rect) {
    TCanvasOp op = Make(TCanvasOp::opRectangle);
    op.Rect = rect;
    Record(op);
    if (rect.IsEmpty()) return;
    if (Brush()->Style() != bsClear) FillPixels(rect, Brush()->Color());
    if (Pen()->Style() != psClear) {
        int w = Pen()->Width();
        TColor c = Pen()->Color();
        FillPixels({rect.Left, rect.Top, rect.Right, rect.Top + w}, c);
        FillPixels({rect.Left, rect.Bottom - w, rect.Right, rect.Bottom}, c);
        FillPixels({rect.Left, rect.Top, rect.Left + w, rect.Bottom}, c);
        FillPixels({rect.Right - w, rect.Top, rect.Right, rect.Bottom}, c);
    }
}

void TRecordingCanvas::DoEllipse(const TRect& rect) {
    TCanvasOp op = Make(TCanvasOp::opEllipse);
    op.Rect = rect;
    Record(op);
    // The pixels of a bitmap get the inside filled; the curve itself is not drawn into them.
    if (!rect.IsEmpty() && Brush()->Style() != bsClear)
        FillPixels(rect.Inflate(-rect.Width() / 4, -rect.Height() / 4), Brush()->Color());
}

void TRecordingCanvas::DoLine(TPoint from, TPoint to) {
    TCanvasOp op = Make(TCanvasOp::opLine);
    op.From = from;
    op.To = to;
    Record(op);
    if (!target_) return;
    // Bresenham; the end point itself is not drawn, as on the desktop.
    int dx = std::abs(to.X - from.X), sx = from.X < to.X ? 1 : -1;
    int dy = -std::abs(to.Y - from.Y), sy = from.Y < to.Y ? 1 : -1;
    int err = dx + dy;
    int x = from.X, y = from.Y;
    int w = Pen()->Width();
    while (x != to.X || y != to.Y) {
        FillPixels({x, y, x + w, y + w}, Pen()->Color());
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void TRecordingCanvas::DoTextOut(int x, int y, const std::string& text, const TRect* clip, bool opaque) {
    TCanvasOp op = Make(TCanvasOp::opText);
    TSize size = DoTextExtent(text);
    op.From = {x, y};
    op.Rect = Bounds(x, y, size.cx, size.cy);
    op.Text = text;
    if (clip) op.Clip = *clip;
    if (!opaque) op.BrushStyle = bsClear;
    Record(op);
    if (opaque) FillPixels(clip ? op.Rect.Intersect(*clip) : op.Rect, Brush()->Color());
}

void TRecordingCanvas::DoDraw(const TRect& dest, const TBitmap& bitmap) {
    TCanvasOp op = Make(TCanvasOp::opDraw);
    op.Rect = dest;
    op.BitmapWidth = bitmap.Width();
    op.BitmapHeight = bitmap.Height();
    op.Transparent = bitmap.Transparent();
    Record(op);
    if (!target_ || dest.IsEmpty()) return;
    std::int32_t transparent = bitmap.Transparent() ? ColorToRGB(bitmap.EffectiveTransparentColor()) : -1;
    for (int y = dest.Top; y < dest.Bottom; ++y) {
        int sy = (y - dest.Top) * bitmap.Height() / dest.Height();
        for (int x = dest.Left; x < dest.Right; ++x) {
            int sx = (x - dest.Left) * bitmap.Width() / dest.Width();
            TColor c = bitmap.Pixel(sx, sy);
            if (c == transparent || Clipped(x, y)) continue;
            target_->SetPixel(x, y, c);
        }
    }
}

TColor TRecordingCanvas::DoGetPixel(int x, int y) const { return target_ ? target_->Pixel(x, y) : clNone; }

void TRecordingCanvas::DoSetPixel(int x, int y, TColor color) {
    TCanvasOp op = Make(TCanvasOp::opPixel);
    op.From = {x, y};
    op.PenColor = color;
    Record(op);
    if (target_ && !Clipped(x, y)) target_->SetPixel(x, y, color);
}

std::vector<std::string> TRecordingCanvas::Texts() const {
    std::vector<std::string> texts;
    for (const TCanvasOp& op : ops_)
        if (op.Kind == TCanvasOp::opText) texts.push_back(op.Text);
    return texts;
}

const TCanvasOp* TRecordingCanvas::FindText(const std::string& text) const {
    for (auto it = ops_.rbegin(); it != ops_.rend(); ++it)
        if (it->Kind == TCanvasOp::opText && it->Text == text) return &*it;
    return nullptr;
}

std::vector<std::string> TRecordingCanvas::TextsIn(const TRect& rect) const {
    std::vector<std::string> texts;
    for (const TCanvasOp& op : ops_)
        if (op.Kind == TCanvasOp::opText && rect.Contains(op.From)) texts.push_back(op.Text);
    return texts;
}

const TCanvasOp* TRecordingCanvas::FillAt(TPoint p) const {
    for (auto it = ops_.rbegin(); it != ops_.rend(); ++it)
        if ((it->Kind == TCanvasOp::opFillRect || (it->Kind == TCanvasOp::opRectangle && it->BrushStyle != bsClear)) &&
            it->Rect.Contains(p))
            return &*it;
    return nullptr;
}
