#include "toolkit/qt/QtBeepService.h"

#include <QApplication>

void TQtBeepService::MessageBeep(unsigned) { QApplication::beep(); }
