#pragma once
// Keyboard input from Qt into the toolkit. Every key event for a window of a form is translated to
// a virtual key and shift state and goes through the form's key handling exactly as
// SimulateKeystroke does headless: WM_KEYDOWN to the form's active control (menu shortcuts, dialog
// keys, key preview, OnKeyDown), WM_CHAR for the characters it types unless the key-down was
// consumed, WM_KEYUP on release. Widgets never handle keys themselves: the controls do. The window's
// menu bar keeps its own keys; F10 and Alt pressed and released alone select it, as on the desktop.
#include <QObject>

class QKeyEvent;
class QWidget;
class QInputMethodEvent;
class TCustomForm;

class TQtInputRouter : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // F10 and a lone Alt: true when they selected the window's menu bar.
    bool MenuBarKey(QWidget& window, const QKeyEvent& event);
    void KeyDown(TCustomForm& form, const QKeyEvent& event);
    void KeyUp(TCustomForm& form, const QKeyEvent& event);
    void InputMethod(TCustomForm& form, const QInputMethodEvent& event);

    bool altAlone_ = false;  // Alt is down and nothing else happened since
};
