#pragma once
// The desktop style with the application's hint timing: hints appear after HintPause.
#include <QProxyStyle>

class TQtHintStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget, QStyleHintReturn* data) const override;
};
