#pragma once
// Conversions between the toolkit's values and Qt's: texts, colours, fonts, cursors.
#include <QColor>
#include <QCursor>
#include <QFont>
#include <QString>

#include <string>

#include "toolkit/ui/graphics/Graphics.h"

inline QString ToQString(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
inline std::string FromQString(const QString& text) { return text.toStdString(); }

// System colours resolved to the standard scheme; clNone and clDefault give an invalid colour.
QColor ToQColor(TColor color);
// Name, pixel height, style and pitch. Names the system does not have fall back through fontconfig
// (Chinese text to the installed CJK font).
QFont ToQFont(const TFont& font);
QCursor ToQCursor(TCursor cursor);
Qt::CursorShape ToQtCursorShape(TCursor cursor);
