#include "toolkit/qt/QtFonts.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

namespace {

// Faces the suite's windows name, by the face that stands in for them here.
constexpr const char* kProportionalFaces[] = {"MS Sans Serif", "MS Shell Dlg", "MS Shell Dlg 2", "SimSun",          "宋体",
                                              "NSimSun",       "新宋体",       "Tahoma",         "Arial",           "新细明体",
                                              "细明体",        "PMingLiU",     "MingLiU",        "Microsoft YaHei", "微软雅黑"};
constexpr const char* kFixedFaces[] = {"Courier New", "Courier", "Fixedsys"};

void StandIn(const char* face, const QString& standIn) {
    // A face that is really installed keeps its own letters.
    if (!QFontDatabase::hasFamily(QString::fromUtf8(face))) QFont::insertSubstitution(QString::fromUtf8(face), standIn);
}

}  // namespace

void InstallUiFace() {
    const QString ui = QString::fromUtf8(kUiFace);
    if (!QFontDatabase::hasFamily(ui)) return;  // without it fontconfig's choice stands
    const QString fixed = QFontDatabase::hasFamily(QString::fromUtf8(kUiFixedFace)) ? QString::fromUtf8(kUiFixedFace) : ui;
    for (const char* face : kProportionalFaces) StandIn(face, ui);
    for (const char* face : kFixedFaces) StandIn(face, fixed);
    QFont font = QApplication::font();
    font.setFamily(ui);
    QApplication::setFont(font);
}
