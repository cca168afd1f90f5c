#include "toolkit/ui/graphics/Canvas.h"

#include "toolkit/rtl/ChangeValue.h"
#include "toolkit/ui/graphics/Bitmap.h"
#include "toolkit/ui/graphics/RecordingCanvas.h"

void TPen::Publish(TPublisher<TPen>& p) {
    p.Property("Color", &TPen::Color, &TPen::SetColor);
    p.Property("Style", &TPen::Style, &TPen::SetStyle);
    p.Property("Width", &TPen::Width, &TPen::SetWidth);
}

void TPen::SetColor(TColor color) {
    if (ChangeValue(color_, color)) Changed();
}

void TPen::SetWidth(int width) {
    width = std::max(width, 1);
    if (ChangeValue(width_, width)) Changed();
}

void TPen::SetStyle(TPenStyle style) {
    if (ChangeValue(style_, style)) Changed();
}

void TPen::Assign(const TPersistent* source) {
    if (auto* pen = dynamic_cast<const TPen*>(source)) {
        color_ = pen->color_;
        width_ = pen->width_;
        style_ = pen->style_;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

void TPen::Changed() {
    if (OnChange) OnChange(this);
}

void TBrush::Publish(TPublisher<TBrush>& p) {
    p.Property("Color", &TBrush::Color, &TBrush::SetColor);
    p.Property("Style", &TBrush::Style, &TBrush::SetStyle);
}

void TBrush::SetColor(TColor color) {
    if (color == color_ && style_ != bsClear) return;
    color_ = color;
    if (style_ == bsClear) style_ = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
    if (ChangeValue(style_, style)) Changed();
}

void TBrush::Assign(const TPersistent* source) {
    if (auto* brush = dynamic_cast<const TBrush*>(source)) {
        color_ = brush->color_;
        style_ = brush->style_;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

void TBrush::Changed() {
    if (OnChange) OnChange(this);
}

TCanvas::TCanvas() : font_(new TFont), pen_(new TPen), brush_(new TBrush) {}

TCanvas::~TCanvas() = default;

void TCanvas::FillRect(const TRect& rect) {
    if (brush_->Style() != bsClear) DoFillRect(ToSurface(rect));
}

void TCanvas::FrameRect(const TRect& rect) { DoFrameRect(ToSurface(rect)); }

void TCanvas::Rectangle(int left, int top, int right, int bottom) { DoRectangle(ToSurface({left, top, right, bottom})); }

void TCanvas::LineTo(int x, int y) {
    if (pen_->Style() != psClear) DoLine({penPos_.X + origin_.X, penPos_.Y + origin_.Y}, {x + origin_.X, y + origin_.Y});
    penPos_ = {x, y};
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
    DoTextOut(x + origin_.X, y + origin_.Y, text, nullptr, brush_->Style() != bsClear);
    penPos_ = {x + MeasureText(text).cx, y};
}

void TCanvas::TextRect(const TRect& rect, int x, int y, const std::string& text) {
    TRect clip = ToSurface(rect);
    if (brush_->Style() != bsClear) DoFillRect(clip);
    DoTextOut(x + origin_.X, y + origin_.Y, text, &clip, false);
}

void TCanvas::TextRect(const TRect& rect, const std::string& text, TTextFormat format) {
    TSize size = MeasureText(text);
    int x = rect.Left;
    if (format.Contains(tfRight))
        x = rect.Right - size.cx;
    else if (format.Contains(tfCenter))
        x = rect.Left + (rect.Width() - size.cx) / 2;
    int y = rect.Top;
    if (format.Contains(tfBottom))
        y = rect.Bottom - size.cy;
    else if (format.Contains(tfVerticalCenter))
        y = rect.Top + (rect.Height() - size.cy) / 2;
    TRect clip = ToSurface(rect);
    DoTextOut(x + origin_.X, y + origin_.Y, text, &clip, false);
}

void TCanvas::Draw(int x, int y, const TBitmap* bitmap) {
    if (!bitmap || bitmap->Empty()) return;
    DoDraw(ToSurface(Bounds(x, y, bitmap->Width(), bitmap->Height())), *bitmap);
}

void TCanvas::StretchDraw(const TRect& rect, const TBitmap* bitmap) {
    if (!bitmap || bitmap->Empty() || rect.IsEmpty()) return;
    DoDraw(ToSurface(rect), *bitmap);
}

TColor TCanvas::Pixels(int x, int y) const { return DoGetPixel(x + origin_.X, y + origin_.Y); }

void TCanvas::SetPixels(int x, int y, TColor color) { DoSetPixel(x + origin_.X, y + origin_.Y, color); }

TSize HeadlessTextExtent(const TFont& font, const std::string& text) {
    int size = std::max(font.Size(), 1);
    int narrow = (7 * size + 4) / 9;
    int width = 0;
    for (unsigned char c : text) {
        if (c < 0x80)
            width += narrow;
        else if ((c & 0xC0) == 0xC0)
            width += 2 * narrow;  // the lead byte of a wide character
    }
    return {width, (16 * size + 4) / 9};
}

namespace {
TCanvasFactory& MeasureFactory() {
    static auto* factory = new TCanvasFactory;
    return *factory;
}
}  // namespace

void SetMeasureCanvasFactory(TCanvasFactory factory) { MeasureFactory() = std::move(factory); }

std::unique_ptr<TCanvas> CreateMeasureCanvas() {
    if (MeasureFactory()) return MeasureFactory()();
    return std::make_unique<TRecordingCanvas>();
}
