#include "toolkit/qt/QtInputRouter.h"

#include <QCoreApplication>

#include <utility>

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QWidget>

#include "toolkit/qt/QtHints.h"
#include "toolkit/qt/QtKeys.h"
#include "toolkit/qt/QtMenus.h"
#include "toolkit/qt/QtPeer.h"
#include "toolkit/ui/kernel/Forms.h"

namespace {

TWinControl* Target(TCustomForm& form) { return form.ActiveControl() ? form.ActiveControl() : &form; }

LPARAM Bits(TShiftState shift) { return static_cast<LPARAM>(ShiftStateToWParam(shift)); }

}  // namespace

bool TQtInputRouter::MenuBarKey(QWidget& window, const QKeyEvent& event) {
    const bool press = event.type() == QEvent::KeyPress;
    bool select = false;
    if (event.key() == Qt::Key_Alt) {
        if (press && !event.isAutoRepeat())
            altAlone_ = true;
        else if (!press)
            select = std::exchange(altAlone_, false);
    } else {
        altAlone_ = false;
        select = press && event.key() == Qt::Key_F10 && event.modifiers() == Qt::NoModifier;
    }
    if (!select) return false;
    auto* bar = window.findChild<TQtMenuBar*>();
    return bar && bar->OpenFirstMenu();
}

bool TQtInputRouter::eventFilter(QObject* watched, QEvent* event) {
    QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonPress) altAlone_ = false;
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride && type != QEvent::InputMethod)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    TQtPeer* peer = TQtPeer::FromWidget(widget);
    // Pop-ups (menus, drop-down lists) are windows of their own and handle their keys natively, and
    // so does the menu bar (an open menu hands it Left and Right).
    if (!widget || !peer || !peer->Widget() || widget->window() != peer->Widget()->window()) return false;
    if (qobject_cast<QMenuBar*>(widget)) return false;
    TCustomForm* form = GetParentForm(&peer->Control());
    if (!form) return false;
    switch (type) {
        case QEvent::ShortcutOverride: {
            // Alt+letter stays with the menu bar's mnemonics; every other key comes as a key press.
            auto* key = static_cast<QKeyEvent*>(event);
            if ((key->modifiers() & Qt::AltModifier) && !(key->modifiers() & Qt::ControlModifier)) return false;
            event->accept();
            return true;
        }
        case QEvent::KeyPress:
            // A key acts at once (a dialog may open): the hint of the control under the mouse goes first.
            QtHintLeave();
            if (MenuBarKey(*widget->window(), *static_cast<QKeyEvent*>(event))) break;
            RunGuarded([&] { KeyDown(*form, *static_cast<QKeyEvent*>(event)); });
            break;
        case QEvent::KeyRelease:
            if (MenuBarKey(*widget->window(), *static_cast<QKeyEvent*>(event))) break;
            RunGuarded([&] { KeyUp(*form, *static_cast<QKeyEvent*>(event)); });
            break;
        default: RunGuarded([&] { InputMethod(*form, *static_cast<QInputMethodEvent*>(event)); }); break;
    }
    event->accept();
    return true;
}

void TQtInputRouter::KeyDown(TCustomForm& form, const QKeyEvent& event) {
    TWinControl* target = Target(form);
    TComponentRef<TWinControl> alive(target);
    WORD key = VirtualKeyOf(event.key(), event.modifiers());
    TShiftState shift = ShiftStateOf(event.modifiers());
    std::vector<char32_t> chars = TypedCharacters(event);
    bool consumed = key != 0 && target->Perform(WM_KEYDOWN, key, Bits(shift)) != 0;
    if (!alive || consumed) return;
    TQtPeer* peer = TQtPeer::Of(target);
    if (!chars.empty()) {
        for (char32_t ch : chars) {
            if (peer)
                peer->TypeCharacter(*target, ch, shift);
            else
                target->Perform(WM_CHAR, ch, Bits(shift));
            if (!alive) return;
            peer = TQtPeer::Of(target);
        }
    } else if (peer) {
        peer->UnhandledKey(*target, event);
    }
}

void TQtInputRouter::KeyUp(TCustomForm& form, const QKeyEvent& event) {
    WORD key = VirtualKeyOf(event.key(), event.modifiers());
    if (key == 0) return;
    TWinControl* target = Target(form);
    target->Perform(WM_KEYUP, key, Bits(ShiftStateOf(event.modifiers())));
}

void TQtInputRouter::InputMethod(TCustomForm& form, const QInputMethodEvent& event) {
    // Characters an input method commits arrive as typed characters (Chinese text).
    TWinControl* target = Target(form);
    TComponentRef<TWinControl> alive(target);
    for (char32_t ch : event.commitString().toUcs4()) {
        TQtPeer* peer = TQtPeer::Of(target);
        if (peer)
            peer->TypeCharacter(*target, ch, {});
        else
            target->Perform(WM_CHAR, ch, 0);
        if (!alive) return;
    }
}
