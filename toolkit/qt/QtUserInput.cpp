#include "toolkit/qt/QtUserInput.h"

#include <QTest>
#include <QWindow>

#include "toolkit/qt/QtConvert.h"
#include "toolkit/qt/QtKeys.h"
#include "toolkit/qt/QtPeer.h"
#include "toolkit/qt/QtRenderer.h"
#include "toolkit/ui/kernel/Application.h"
#include "toolkit/ui/kernel/Forms.h"
#include "toolkit/ui/kernel/Screen.h"

namespace {

QWidget* WindowOf(TCustomForm* form) {
    if (!form) form = Screen->ActiveForm();
    if (!form) return nullptr;
    QWidget* widget = QtWidgetOf(form);
    return widget && widget->isVisible() ? widget : nullptr;
}

// The Qt key that types an ASCII character (its upper-case code for letters), 0 for others.
int KeyOfCharacter(char32_t ch) {
    if (ch >= U'a' && ch <= U'z') return static_cast<int>(ch - U'a' + U'A');
    if (ch >= 0x20 && ch < 0x7F) return static_cast<int>(ch);
    return 0;
}

}  // namespace

bool ClickControl(TControl* control) {
    if (!control) return false;
    return ClickControlAt(control, control->Width() / 2, control->Height() / 2);
}

bool ClickControlAt(TControl* control, int x, int y) {
    if (!control || !control->Showing()) return false;
    QWidget* widget = QtWidgetOf(control);
    if (!widget || !widget->isVisible()) return false;
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
    ProcessQtEvents();
    return true;
}

bool HoverControl(TControl* control) {
    if (!control || !control->Showing()) return false;
    QWidget* widget = QtWidgetOf(control);
    if (!widget || !widget->isVisible()) return false;
    // Through the control's own window, wherever other windows are.
    QWidget* top = widget->window();
    QWindow* window = top->windowHandle();
    if (!window) return false;
    const QPoint middle = widget->mapTo(top, QPoint(control->Width() / 2, control->Height() / 2));
    // Two moves, as a hand comes to rest: the first starts the pause, the second is over the same control.
    QTest::mouseMove(window, middle - QPoint(1, 0));
    ProcessQtEvents();
    QTest::mouseMove(window, middle);
    constexpr int kTicks = 100;  // past the hint tracker's clock ticks
    QTest::qWait(Application->HintPause() + kTicks);
    ProcessQtEvents();
    return true;
}

bool DragControl(TControl* from, int x, int y, TControl* to, int tx, int ty) {
    if (!from || !to || !from->Showing() || !to->Showing()) return false;
    QWidget* source = QtWidgetOf(from);
    QWidget* target = QtWidgetOf(to);
    if (!source || !target || !source->isVisible() || !target->isVisible()) return false;
    // Through the source's window, as the desktop delivers it: the pressed button keeps every move
    // and the release with the source (Qt's implicit grab).
    QWidget* top = source->window();
    QWindow* window = top->windowHandle();
    if (!window) return false;
    QPoint start = source->mapTo(top, QPoint(x, y));
    QPoint end = top->mapFromGlobal(target->mapToGlobal(QPoint(tx, ty)));
    QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, start);
    ProcessQtEvents();
    constexpr int kSteps = 4;
    for (int step = 1; step <= kSteps; ++step) {
        QTest::mouseMove(window, start + (end - start) * step / kSteps);
        ProcessQtEvents();
    }
    QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, end);
    ProcessQtEvents();
    return true;
}

bool PressKeys(const std::string& keys, TCustomForm* form) {
    int key = 0;
    Qt::KeyboardModifiers modifiers;
    if (!ParseKeyName(keys, key, modifiers)) return false;
    QWidget* window = WindowOf(form);
    if (!window) return false;
    QTest::keyClick(window, static_cast<Qt::Key>(key), modifiers);
    ProcessQtEvents();
    return true;
}

bool CloseWindow(TCustomForm* form) {
    QWidget* window = WindowOf(form);
    if (!window || !form) return false;
    window->close();
    ProcessQtEvents();
    return true;
}

bool TypeText(const std::string& text, TCustomForm* form) {
    QWidget* window = WindowOf(form);
    if (!window) return false;
    for (char32_t ch : ToQString(text).toUcs4()) {
        QString typed = QString::fromUcs4(&ch, 1);
        int key = KeyOfCharacter(ch);
        Qt::KeyboardModifiers modifiers = (ch >= U'A' && ch <= U'Z') ? Qt::ShiftModifier : Qt::NoModifier;
        QTest::sendKeyEvent(QTest::Press, window, static_cast<Qt::Key>(key), typed, modifiers);
        QTest::sendKeyEvent(QTest::Release, window, static_cast<Qt::Key>(key), typed, modifiers);
        // The window may be gone (a key that closed it).
        window = WindowOf(form);
        if (!window) break;
    }
    ProcessQtEvents();
    return true;
}
