#include "toolkit/qt/QtConvert.h"

#include <algorithm>
#include <cstdlib>

QColor ToQColor(TColor color) {
    if (color == clNone || color == clDefault) return {};
    std::int32_t rgb = ColorToRGB(color);
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

QFont ToQFont(const TFont& font) {
    QFont result(ToQString(font.Name()));
    // Negative heights are the character height, positive ones the cell height; both in pixels.
    int height = std::abs(font.Height());
    result.setPixelSize(font.Height() > 0 ? std::max(1, height * 4 / 5) : std::max(1, height));
    TFontStyles style = font.Style();
    result.setBold(style.Contains(fsBold));
    result.setItalic(style.Contains(fsItalic));
    result.setUnderline(style.Contains(fsUnderline));
    result.setStrikeOut(style.Contains(fsStrikeOut));
    if (font.Pitch() == fpFixed) {
        result.setFixedPitch(true);
        result.setStyleHint(QFont::Monospace);
    }
    return result;
}

Qt::CursorShape ToQtCursorShape(TCursor cursor) {
    switch (cursor) {
        case crNone: return Qt::BlankCursor;
        case crCross: return Qt::CrossCursor;
        case crIBeam: return Qt::IBeamCursor;
        case crSizeNESW: return Qt::SizeBDiagCursor;
        case crSizeNS: return Qt::SizeVerCursor;
        case crSizeNWSE: return Qt::SizeFDiagCursor;
        case crSizeWE: return Qt::SizeHorCursor;
        case crUpArrow: return Qt::UpArrowCursor;
        case crHourGlass:
        case crSQLWait: return Qt::WaitCursor;
        case crDrag:
        case crMultiDrag: return Qt::DragCopyCursor;
        case crNoDrop:
        case crNo: return Qt::ForbiddenCursor;
        case crHSplit: return Qt::SplitHCursor;
        case crVSplit: return Qt::SplitVCursor;
        case crAppStart: return Qt::BusyCursor;
        case crHelp: return Qt::WhatsThisCursor;
        case crHandPoint: return Qt::PointingHandCursor;
        case crSizeAll: return Qt::SizeAllCursor;
        default: return Qt::ArrowCursor;
    }
}

QCursor ToQCursor(TCursor cursor) { return QCursor(ToQtCursorShape(cursor)); }
