#include "toolkit/qt/QtCanvas.h"

#include <QFontMetrics>

#include "toolkit/qt/QtConvert.h"
#include "toolkit/ui/graphics/Bitmap.h"

namespace {

QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

Qt::PenStyle ToQtPenStyle(TPenStyle style) {
    switch (style) {
        case psDash: return Qt::DashLine;
        case psDot: return Qt::DotLine;
        case psDashDot: return Qt::DashDotLine;
        case psDashDotDot: return Qt::DashDotDotLine;
        case psClear: return Qt::NoPen;
        default: return Qt::SolidLine;
    }
}

Qt::BrushStyle ToQtBrushStyle(TBrushStyle style) {
    switch (style) {
        case bsClear: return Qt::NoBrush;
        case bsHorizontal: return Qt::HorPattern;
        case bsVertical: return Qt::VerPattern;
        case bsFDiagonal: return Qt::FDiagPattern;
        case bsBDiagonal: return Qt::BDiagPattern;
        case bsCross: return Qt::CrossPattern;
        case bsDiagCross: return Qt::DiagCrossPattern;
        default: return Qt::SolidPattern;
    }
}

// Restores the painter's state after one drawing call.
struct Saved {
    QPainter* painter;
    explicit Saved(QPainter* p) : painter(p) { painter->save(); }
    ~Saved() { painter->restore(); }
};

}  // namespace

QImage ToQImage(const TBitmap& bitmap) {
    QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_ARGB32);
    TColor transparent = bitmap.Transparent() ? bitmap.EffectiveTransparentColor() : clNone;
    for (int y = 0; y < bitmap.Height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < bitmap.Width(); ++x) {
            TColor c = bitmap.Pixel(x, y);
            std::int32_t rgb = ColorToRGB(c);
            int alpha = (transparent != clNone && ColorToRGB(transparent) == rgb) ? 0 : 255;
            line[x] = qRgba(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF, alpha);
        }
    }
    return image;
}

QColor TQtCanvas::BrushColor() const {
    QColor color = ToQColor(Brush()->Color());
    return color.isValid() ? color : QColor(Qt::white);
}

bool TQtCanvas::BeginDrawing(const TRect* extra) {
    if (!painter_) return false;
    TRect clip = ClipRect();
    if (extra) clip = clip.IsEmpty() ? *extra : clip.Intersect(*extra);
    if (!clip.IsEmpty() || extra) painter_->setClipRect(ToQRect(clip), Qt::IntersectClip);
    return true;
}

void TQtCanvas::DoFillRect(const TRect& rect) {
    if (!painter_) return;
    Saved saved(painter_);
    BeginDrawing();
    painter_->fillRect(ToQRect(rect), QBrush(BrushColor(), ToQtBrushStyle(Brush()->Style())));
}

void TQtCanvas::DoFrameRect(const TRect& rect) {
    if (!painter_ || rect.IsEmpty()) return;
    Saved saved(painter_);
    BeginDrawing();
    QColor color = BrushColor();
    QRect r = ToQRect(rect);
    painter_->fillRect(QRect(r.left(), r.top(), r.width(), 1), color);
    painter_->fillRect(QRect(r.left(), r.bottom(), r.width(), 1), color);
    painter_->fillRect(QRect(r.left(), r.top(), 1, r.height()), color);
    painter_->fillRect(QRect(r.right(), r.top(), 1, r.height()), color);
}

void TQtCanvas::DoRectangle(const TRect& rect) {
    if (!painter_ || rect.IsEmpty()) return;
    Saved saved(painter_);
    BeginDrawing();
    if (Brush()->Style() != bsClear) painter_->fillRect(ToQRect(rect), QBrush(BrushColor(), ToQtBrushStyle(Brush()->Style())));
    if (Pen()->Style() == psClear) return;
    QPen pen(ToQColor(Pen()->Color()), Pen()->Width(), ToQtPenStyle(Pen()->Style()));
    pen.setJoinStyle(Qt::MiterJoin);
    painter_->setPen(pen);
    painter_->setBrush(Qt::NoBrush);
    // The outline lies inside the rectangle, whose right and bottom edges are outside it.
    double inset = Pen()->Width() / 2.0;
    painter_->drawRect(QRectF(rect.Left + inset, rect.Top + inset, rect.Width() - 2 * inset, rect.Height() - 2 * inset));
}

void TQtCanvas::DoEllipse(const TRect& rect) {
    if (!painter_ || rect.IsEmpty()) return;
    Saved saved(painter_);
    BeginDrawing();
    painter_->setRenderHint(QPainter::Antialiasing, true);
    painter_->setBrush(Brush()->Style() == bsClear ? QBrush(Qt::NoBrush)
                                                   : QBrush(BrushColor(), ToQtBrushStyle(Brush()->Style())));
    if (Pen()->Style() == psClear)
        painter_->setPen(Qt::NoPen);
    else
        painter_->setPen(QPen(ToQColor(Pen()->Color()), Pen()->Width(), ToQtPenStyle(Pen()->Style())));
    const double inset = Pen()->Width() / 2.0;
    painter_->drawEllipse(QRectF(rect.Left + inset, rect.Top + inset, rect.Width() - 2 * inset, rect.Height() - 2 * inset));
}

void TQtCanvas::DoLine(TPoint from, TPoint to) {
    if (!painter_) return;
    Saved saved(painter_);
    BeginDrawing();
    painter_->setPen(QPen(ToQColor(Pen()->Color()), Pen()->Width(), ToQtPenStyle(Pen()->Style())));
    // The end point is not drawn.
    painter_->drawLine(QPointF(from.X + 0.5, from.Y + 0.5), QPointF(to.X + 0.5, to.Y + 0.5));
}

void TQtCanvas::DoTextOut(int x, int y, const std::string& text, const TRect* clip, bool opaque) {
    if (!painter_) return;
    Saved saved(painter_);
    BeginDrawing(clip);
    QFont font = ToQFont(*Font());
    QFontMetrics metrics(font);
    QString s = ToQString(text);
    if (opaque) painter_->fillRect(QRect(x, y, metrics.horizontalAdvance(s), metrics.height()), BrushColor());
    painter_->setFont(font);
    QColor color = ToQColor(Font()->Color());
    painter_->setPen(color.isValid() ? color : QColor(Qt::black));
    painter_->drawText(QPoint(x, y + metrics.ascent()), s);
}

TSize TQtCanvas::DoTextExtent(const std::string& text) {
    QFontMetrics metrics(ToQFont(*Font()));
    return {metrics.horizontalAdvance(ToQString(text)), metrics.height()};
}

void TQtCanvas::DoDraw(const TRect& dest, const TBitmap& bitmap) {
    if (!painter_) return;
    Saved saved(painter_);
    BeginDrawing();
    painter_->drawImage(ToQRect(dest), ToQImage(bitmap));
}

void TQtCanvas::DoSetPixel(int x, int y, TColor color) {
    if (!painter_) return;
    Saved saved(painter_);
    BeginDrawing();
    painter_->fillRect(QRect(x, y, 1, 1), ToQColor(color));
}
