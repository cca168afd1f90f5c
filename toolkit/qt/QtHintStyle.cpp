#include "toolkit/qt/QtHintStyle.h"

#include "toolkit/ui/kernel/Application.h"

int TQtHintStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget, QStyleHintReturn* data) const {
    if (hint == QStyle::SH_ToolTip_WakeUpDelay) return Application->HintPause();
    return QProxyStyle::styleHint(hint, option, widget, data);
}
