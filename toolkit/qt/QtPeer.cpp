#include "toolkit/qt/QtPeer.h"

#include <QContextMenuEvent>
#include <QEvent>
#include <QFocusEvent>
#include <QHash>
#include <QMouseEvent>
#include <QWheelEvent>

#include <map>

#include "toolkit/qt/QtConvert.h"
#include "toolkit/qt/QtHints.h"
#include "toolkit/qt/QtKeys.h"
#include "toolkit/ui/kernel/Application.h"
#include "toolkit/ui/kernel/Forms.h"
#include "toolkit/ui/widgets/Menus.h"

namespace {

QHash<const QObject*, TQtPeer*>& PeersByWidget() {
    static auto* peers = new QHash<const QObject*, TQtPeer*>;
    return *peers;
}

std::map<std::string, TQtPeerMaker>& Makers() {
    static auto* makers = new std::map<std::string, TQtPeerMaker>;
    return *makers;
}

LPARAM Position(const QPointF& point) { return MakeLParam(static_cast<int>(point.x()), static_cast<int>(point.y())); }

}  // namespace

TQtPeer::TQtPeer(TControl& control, QWidget* widget) : control_(control), widget_(widget) {
    PeersByWidget().insert(widget, this);
    widget->setObjectName(ToQString(control.Name()));
}

TQtPeer::~TQtPeer() {
    PeersByWidget().remove(widget_.data());
    if (widget_) {
        // The widget may be inside one of its own event handlers (a click that frees the form).
        widget_->removeEventFilter(this);
        widget_->hide();
        widget_->setParent(nullptr);
        widget_->deleteLater();
    }
}

TQtPeer* TQtPeer::FromWidget(const QObject* object) {
    for (; object; object = object->parent()) {
        auto it = PeersByWidget().constFind(object);
        if (it != PeersByWidget().constEnd()) return it.value();
    }
    return nullptr;
}

TQtPeer* TQtPeer::Of(const TControl* control) { return control ? dynamic_cast<TQtPeer*>(control->Peer()) : nullptr; }

QWidget* TQtPeer::ParentContainer() const {
    TQtPeer* parent = Of(control_.Parent());
    return parent ? parent->Container() : nullptr;
}

void TQtPeer::Start() {
    if (!dynamic_cast<TCustomForm*>(&control_) || control_.Parent()) widget_->setParent(ParentContainer());
    widget_->setMouseTracking(true);
    widget_->setAttribute(Qt::WA_Hover);
    Watch(widget_);
    for (QWidget* inner : widget_->findChildren<QWidget*>()) Watch(inner);
    if (dynamic_cast<TWinControl*>(&control_))
        widget_->setFocusPolicy(Qt::StrongFocus);
    else
        widget_->setFocusPolicy(Qt::NoFocus);
    ShowFont();
    ShowColor();
    ShowCaption();
    ShowEnabled();
    ShowHint();
    ShowCursor();
    ShowBounds();
    AdoptChildren();
    ShowVisible();
    // The form's active control may get its widget after the window was shown.
    TCustomForm* form = GetParentForm(&control_);
    if (form && form != &control_ && form->ActiveControl() == &control_ && FocusWidget()) {
        EchoScope echo(*this);
        FocusWidget()->setFocus(Qt::OtherFocusReason);
    }
}

void TQtPeer::AdoptChildren() {
    auto* win = dynamic_cast<TWinControl*>(&control_);
    if (!win) return;
    for (TControl* child : win->ControlList()) {
        if (TQtPeer* peer = Of(child)) {
            peer->widget_->setParent(Container());
            peer->ShowBounds();
            peer->ShowVisible();
        }
    }
}

void TQtPeer::Watch(QWidget* widget) {
    if (widget) widget->installEventFilter(this);
}

void TQtPeer::PropertyChanged(TControl&, TPropertyId property) {
    if (!widget_ || Echoing()) return;
    Update(property);
}

void TQtPeer::Invalidate(TControl&) {
    if (widget_) widget_->update();
}

void TQtPeer::Repaint(TControl&) {
    if (widget_) widget_->repaint();
}

void TQtPeer::Update(TPropertyId property) {
    switch (property) {
        case TPropertyId::Caption:
        case TPropertyId::Text: ShowCaption(); break;
        case TPropertyId::Bounds: ShowBounds(); break;
        case TPropertyId::Visible: ShowVisible(); break;
        case TPropertyId::Enabled: ShowEnabled(); break;
        case TPropertyId::Font: ShowFont(); break;
        case TPropertyId::Color: ShowColor(); break;
        case TPropertyId::Hint:
        case TPropertyId::ShowHint: ShowHint(); break;
        case TPropertyId::Cursor: ShowCursor(); break;
        case TPropertyId::BringToFront: widget_->raise(); break;
        case TPropertyId::SendToBack: widget_->lower(); break;
        case TPropertyId::Parent:
            widget_->setParent(ParentContainer());
            ShowBounds();
            ShowVisible();
            break;
        default: break;
    }
}

void TQtPeer::ShowBounds() { widget_->setGeometry(control_.Left(), control_.Top(), control_.Width(), control_.Height()); }

void TQtPeer::ShowVisible() {
    // A control whose parent has no widget yet waits for it (AdoptChildren).
    widget_->setVisible(control_.Visible() && widget_->parentWidget() != nullptr);
}

void TQtPeer::ShowEnabled() { widget_->setEnabled(control_.Enabled()); }

void TQtPeer::ShowFont() {
    widget_->setFont(ToQFont(*control_.Font()));
    QPalette palette = widget_->palette();
    QColor text = ToQColor(control_.Font()->Color());
    if (text.isValid()) {
        palette.setColor(ForegroundRole(), text);
        palette.setColor(QPalette::Text, text);
        palette.setColor(QPalette::ButtonText, text);
    }
    widget_->setPalette(palette);
}

void TQtPeer::ShowColor() {
    QColor color = ToQColor(control_.Color());
    if (!color.isValid()) return;
    QPalette palette = widget_->palette();
    palette.setColor(BackgroundRole(), color);
    widget_->setPalette(palette);
    widget_->setAutoFillBackground(BackgroundRole() == QPalette::Window);
}

void TQtPeer::ShowHint() {
    // Hints show in the application's hint window (QtHints.h), never as the desktop's tool tips.
    widget_->setToolTip(QString());
}

void TQtPeer::ShowCursor() {
    if (control_.Cursor() == crDefault)
        widget_->unsetCursor();
    else
        widget_->setCursor(ToQCursor(control_.Cursor()));
}

void TQtPeer::TypeCharacter(TWinControl& target, char32_t ch, TShiftState shift) {
    target.Perform(WM_CHAR, ch, static_cast<LPARAM>(ShiftStateToWParam(shift)));
}

void TQtPeer::FocusFromUser() {
    auto* win = dynamic_cast<TWinControl*>(&control_);
    TCustomForm* form = GetParentForm(&control_);
    if (!win || !form || form == win || form->ActiveControl() == win) return;
    EchoScope echo(*this);
    RunGuarded([win] {
        if (win->CanFocus()) win->SetFocus();
    });
}

bool TQtPeer::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget) return false;
    switch (event->type()) {
        case QEvent::FocusIn: FocusFromUser(); return false;
        case QEvent::Leave:
            if (widget == widget_ && widget->isWindow()) RunGuarded([] { QtHintLeave(); });
            return false;
        case QEvent::ContextMenu: {
            // The toolkit decides: the control's pop-up menu (or its parent's), or nothing.
            QPoint at = static_cast<QContextMenuEvent*>(event)->globalPos();
            RunGuarded([&] { PopupMenuAt(at.x(), at.y()); });
            return true;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel: {
            bool consumed = false;
            RunGuarded([&] { consumed = RouteMouse(widget, event); });
            return consumed;
        }
        default: return false;
    }
}

void TQtPeer::PopupMenuAt(int x, int y) {
    for (TControl* c = &control_; c; c = c->Parent()) {
        auto* menu = dynamic_cast<TPopupMenu*>(c->PopupMenu());
        if (!menu) continue;
        if (menu->AutoPopup()) {
            menu->SetPopupComponent(&control_);
            menu->Popup(x, y);
        }
        return;
    }
}

bool TQtPeer::RouteMouse(QWidget* watched, QEvent* event) {
    // Only the peer owning the innermost widget under the mouse hears it (Qt hands unaccepted
    // events on to the parents).
    QPointF local;
    if (event->type() == QEvent::Wheel)
        local = static_cast<QWheelEvent*>(event)->position();
    else
        local = static_cast<QMouseEvent*>(event)->position();
    QWidget* inner = watched->childAt(local.toPoint());
    if (FromWidget(inner ? inner : watched) != this) return false;
    QPointF at = watched->mapTo(widget_, local);
    TComponentRef<TControl> alive(&control_);
    QtHintMouse(control_, *event, watched->mapToGlobal(local));
    if (event->type() == QEvent::Wheel) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        TShiftState shift = ShiftStateOf(wheel->modifiers(), wheel->buttons());
        auto delta = static_cast<std::uint16_t>(static_cast<std::int16_t>(wheel->angleDelta().y()));
        WPARAM w = (static_cast<WPARAM>(delta) << 16) | ShiftStateToWParam(shift);
        const bool handled = control_.Perform(WM_MOUSEWHEEL, w, Position(wheel->globalPosition())) != 0;
        if (!alive) return true;
        if (handled) return true;
        MouseRouted(*event);
        return !alive || ConsumesMouse();
    }
    auto* mouse = static_cast<QMouseEvent*>(event);
    TShiftState shift = ShiftStateOf(mouse->modifiers(), mouse->buttons());
    WPARAM w = ShiftStateToWParam(shift);
    LPARAM l = Position(at);
    UINT msg = 0;
    switch (event->type()) {
        case QEvent::MouseMove: msg = WM_MOUSEMOVE; break;
        case QEvent::MouseButtonDblClick: msg = mouse->button() == Qt::LeftButton ? WM_LBUTTONDBLCLK : 0; break;
        case QEvent::MouseButtonPress:
            msg = mouse->button() == Qt::LeftButton     ? WM_LBUTTONDOWN
                  : mouse->button() == Qt::RightButton  ? WM_RBUTTONDOWN
                  : mouse->button() == Qt::MiddleButton ? WM_MBUTTONDOWN
                                                        : 0;
            break;
        default:
            msg = mouse->button() == Qt::LeftButton     ? WM_LBUTTONUP
                  : mouse->button() == Qt::RightButton  ? WM_RBUTTONUP
                  : mouse->button() == Qt::MiddleButton ? WM_MBUTTONUP
                                                        : 0;
            break;
    }
    if (msg) control_.Perform(msg, w, l);
    if (!alive) return true;
    MouseRouted(*event);
    return ConsumesMouse();
}

void RegisterQtPeer(const std::string& className, TQtPeerMaker maker) { Makers()[className] = std::move(maker); }

std::unique_ptr<IControlPeer> MakeQtPeer(TControl& control) {
    std::unique_ptr<TQtPeer> peer;
    // The most derived class with a registered peer wins.
    const TClassInfo* cls = &control.ClassType();
    for (; cls && !peer; cls = cls->ClassParent()) {
        auto it = Makers().find(cls->ClassName());
        if (it != Makers().end()) peer = it->second(control);
    }
    if (!peer) peer = MakeQtPaintPeer(control);
    peer->Start();
    return peer;
}

void EnsureQtPeers(TControl& control) {
    control.CreatePeer();
    if (auto* win = dynamic_cast<TWinControl*>(&control))
        for (TControl* child : win->ControlList()) EnsureQtPeers(*child);
}

QWidget* QtWidgetOf(TControl* control) {
    if (!control) return nullptr;
    control->CreatePeer();
    TQtPeer* peer = TQtPeer::Of(control);
    return peer ? peer->Widget() : nullptr;
}
