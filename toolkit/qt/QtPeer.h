#pragma once
// The Qt side of a control: a widget that shows what the headless control holds and feeds the
// user's mouse, focus and geometry changes back into it. Peers are made by the factory registered
// per class (the nearest class in a control's class chain wins) when a form is shown or a handle
// is asked for; the control owns its peer, the peer owns its widget.
#include <QObject>
#include <QPalette>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "toolkit/ui/kernel/Application.h"
#include "toolkit/ui/kernel/Controls.h"

class QKeyEvent;

class TQtPeer : public QObject, public IControlPeer {
public:
    TQtPeer(TControl& control, QWidget* widget);
    ~TQtPeer() override;

    TControl& Control() const { return control_; }
    // The widget placed in the parent's container.
    QWidget* Widget() const { return widget_; }
    // Where the widgets of child controls go.
    virtual QWidget* Container() const { return widget_; }
    // The widget that takes the keyboard focus.
    virtual QWidget* FocusWidget() const { return widget_; }

    // Places the widget and shows the control's whole state; the factory calls it once.
    void Start();

    void PropertyChanged(TControl& control, TPropertyId property) override;
    void Invalidate(TControl& control) override;
    void Repaint(TControl& control) override;

    // The peer of the nearest widget up the parent chain that belongs to one; nullptr when none.
    static TQtPeer* FromWidget(const QObject* object);
    static TQtPeer* Of(const TControl* control);

    // Keyboard, as the input router uses it. A character typed into the control (the toolkit's
    // WM_CHAR unless the widget edits text natively).
    virtual void TypeCharacter(TWinControl& target, char32_t ch, TShiftState shift);
    // A key the toolkit left alone (its key-down not consumed, no character typed): the peer may
    // still act on it (the clipboard keys of edits).
    virtual void UnhandledKey(TWinControl& target, const QKeyEvent& event) {}

protected:
    // Reacts to one changed property; peers add their own and call the base for the rest.
    virtual void Update(TPropertyId property);
    virtual void ShowCaption() {}
    virtual void ShowBounds();
    virtual void ShowVisible();
    virtual void ShowEnabled();
    virtual void ShowFont();
    virtual void ShowColor();
    virtual void ShowHint();
    virtual void ShowCursor();
    // The palette roles the control's colour and font colour fill.
    virtual QPalette::ColorRole BackgroundRole() const { return QPalette::Window; }
    virtual QPalette::ColorRole ForegroundRole() const { return QPalette::WindowText; }
    // Mouse events given to the control are kept from the widget (the control does what a click
    // means); widgets that place a caret or scroll themselves let them through.
    virtual bool ConsumesMouse() const { return true; }
    // A mouse or wheel event was given to the control (buttons show themselves pressed, lists
    // scroll).
    virtual void MouseRouted(const QEvent& event) {}
    // Mouse, focus and geometry events of the widget and its inner parts.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Routes the events of an inner widget too (viewports, embedded editors).
    void Watch(QWidget* widget);
    // The widget of the parent control's container (nullptr when the parent has no peer yet).
    QWidget* ParentContainer() const;
    // True while the peer itself writes into the control, so its echo is not shown back.
    bool Echoing() const { return echo_ > 0; }
    struct EchoScope {
        explicit EchoScope(TQtPeer& p) : peer(p) { ++peer.echo_; }
        ~EchoScope() { --peer.echo_; }
        TQtPeer& peer;
    };
    // Moves the toolkit's focus to the control after the user focused its widget.
    void FocusFromUser();

private:
    void AdoptChildren();
    void PopupMenuAt(int x, int y);
    bool RouteMouse(QWidget* watched, QEvent* event);

    TControl& control_;
    QPointer<QWidget> widget_;
    int echo_ = 0;
};

using TQtPeerMaker = std::function<std::unique_ptr<TQtPeer>(TControl& control)>;
// Registers the peer of a class (and of the classes derived from it without their own).
void RegisterQtPeer(const std::string& className, TQtPeerMaker maker);
// The factory the renderer installs: the registered peer of the nearest class, else a plain one.
std::unique_ptr<IControlPeer> MakeQtPeer(TControl& control);
// The peer of controls that paint themselves (the toolkit's Paint on a Qt canvas).
std::unique_ptr<TQtPeer> MakeQtPaintPeer(TControl& control);
// Registers a peer maker while the library loads.
struct TQtPeerRegistration {
    TQtPeerRegistration(const char* className, TQtPeerMaker maker) { RegisterQtPeer(className, std::move(maker)); }
};

// Runs toolkit code for a Qt event: an exception is shown as the desktop's loop shows it (Qt
// cannot let it pass).
template <class F>
void RunGuarded(F&& code) {
    try {
        code();
    } catch (...) {
        Application->HandleException(Application);
    }
}

// Makes the peers of a control and of every control inside it (for pictures of hidden windows).
void EnsureQtPeers(TControl& control);
// The widget of a control (its peer made when needed); the window's widget for a form.
QWidget* QtWidgetOf(TControl* control);
