#include "toolkit/qt/QtFormPeer.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QTimer>

#include "toolkit/qt/QtCanvas.h"
#include "toolkit/qt/QtConvert.h"
#include "toolkit/qt/QtMenus.h"
#include "toolkit/qt/QtModalLoop.h"
#include "toolkit/ui/kernel/Application.h"
#include "toolkit/ui/kernel/Screen.h"

TQtFormPeer::TQtFormPeer(TCustomForm& form) : TQtPeer(form, new QWidget(nullptr, Qt::Window)) {
    layout_ = new QVBoxLayout(Widget());
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(0);
    client_ = new TQtPaintBox;
    client_->setFocusPolicy(Qt::StrongFocus);
    client_->OnPaint = [this](QPainter& painter, const QRect& area) { PaintClient(painter, area); };
    layout_->addWidget(client_, 1);
    Widget()->setAttribute(Qt::WA_DeleteOnClose, false);
    ShowWindowFlags();
    ShowMenu();
}

void TQtFormPeer::ShowMenu() {
    QWidget* old = menuWidget_;
    auto* menu = dynamic_cast<TMainMenu*>(Form().Menu());
    SetMenuWidget(menu ? new TQtMenuBar(*menu) : nullptr);
    delete old;
}

TQtFormPeer::~TQtFormPeer() { TQtModalLoop::FormGone(Form()); }

void TQtFormPeer::SetMenuWidget(QWidget* widget) {
    if (menuWidget_ == widget) return;
    if (menuWidget_) {
        layout_->removeWidget(menuWidget_);
        menuWidget_->hide();
    }
    menuWidget_ = widget;
    if (widget) {
        layout_->insertWidget(0, widget);
        widget->show();
    }
    ShowBounds();
}

void TQtFormPeer::Update(TPropertyId property) {
    if (property == TPropertyId::ActiveControl)
        ShowFocus();
    else if (property == TPropertyId::Menu)
        ShowMenu();
    else if (property == TPropertyId::WindowState)
        ShowWindowState();
    else if (property == TPropertyId::BringToFront)
        Activate();
    else if (property == TPropertyId::BorderStyle || property == TPropertyId::FormStyle || property == TPropertyId::BorderIcons)
        ShowWindowFlags();
    else if (property == TPropertyId::Parent) {
        // Placed in a control or back on the desktop: a window again needs its flags.
        TQtPeer::Update(property);
        if (TopLevel()) {
            ShowWindowFlags();
            ShowBounds();
            ShowVisible();
        }
    } else {
        TQtPeer::Update(property);
    }
}

void TQtFormPeer::ShowCaption() { Widget()->setWindowTitle(ToQString(Form().Caption())); }

void TQtFormPeer::ShowBounds() {
    if (!TopLevel()) {
        TQtPeer::ShowBounds();
        return;
    }
    int menuHeight = menuWidget_ ? menuWidget_->sizeHint().height() : 0;
    Widget()->move(Form().Left(), Form().Top());
    const QSize size(Form().Width(), Form().Height() + menuHeight);
    // Only sizeable borders let the user resize the window.
    const TFormBorderStyle border = Form().BorderStyle();
    if (border == bsSizeable || border == bsSizeToolWin) {
        Widget()->setMinimumSize(0, 0);
        Widget()->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        Widget()->resize(size);
    } else {
        Widget()->setFixedSize(size);
    }
}

void TQtFormPeer::ShowVisible() {
    if (!TopLevel()) {
        TQtPeer::ShowVisible();
        return;
    }
    QWidget* window = Widget();
    if (!Form().Visible()) {
        window->hide();
        return;
    }
    if (!window->isVisible()) window->setWindowModality(Form().Modal() ? Qt::ApplicationModal : Qt::NonModal);
    ShowWindowState();
    Activate();
    ShowFocus();
}

void TQtFormPeer::ShowWindowState() {
    if (!TopLevel() || !Form().Visible()) return;
    switch (Form().WindowState()) {
        case wsMinimized: Widget()->showMinimized(); break;
        case wsMaximized: Widget()->showMaximized(); break;
        default: Widget()->showNormal(); break;
    }
}

void TQtFormPeer::ShowWindowFlags() {
    if (!TopLevel()) return;
    Qt::WindowFlags flags = Qt::Window;
    switch (Form().BorderStyle()) {
        case bsDialog: flags = Qt::Dialog; break;
        case bsToolWindow:
        case bsSizeToolWin: flags = Qt::Tool; break;
        case bsNone: flags |= Qt::FramelessWindowHint; break;
        default: break;
    }
    if (Form().FormStyle() == fsStayOnTop) flags |= Qt::WindowStaysOnTopHint;
    TBorderIcons icons = Form().BorderIcons();
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (icons.Contains(biSystemMenu)) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    // Dialogs and tool windows are neither minimised nor maximised.
    const bool sizable = flags == Qt::Window || flags == (Qt::Window | Qt::FramelessWindowHint);
    if (sizable && icons.Contains(biMinimize)) flags |= Qt::WindowMinimizeButtonHint;
    if (sizable && icons.Contains(biMaximize)) flags |= Qt::WindowMaximizeButtonHint;
    if (icons.Contains(biHelp)) flags |= Qt::WindowContextHelpButtonHint;
    bool wasVisible = Widget()->isVisible();
    if (Widget()->windowFlags() == flags) return;
    Widget()->setWindowFlags(flags);  // hides the window
    ShowBounds();
    if (wasVisible) ShowVisible();
}

void TQtFormPeer::ShowColor() {
    QColor color = ToQColor(Form().Color());
    if (!color.isValid()) return;
    QPalette palette = client_->palette();
    palette.setColor(QPalette::Window, color);
    client_->setPalette(palette);
    client_->setAutoFillBackground(true);
}

void TQtFormPeer::ShowFocus() {
    TQtPeer* active = Of(Form().ActiveControl());
    QWidget* target = active && active->FocusWidget() ? active->FocusWidget() : client_;
    EchoScope echo(*this);
    // The toolkit moves the focus for the keyboard (Tab, Enter, accelerators), so the style shows it
    // as it shows a focus the keyboard moved.
    Widget()->window()->setAttribute(Qt::WA_KeyboardFocusChange, true);
    target->setFocus(Qt::OtherFocusReason);
}

void TQtFormPeer::Activate() {
    if (!TopLevel() || !Widget()->isVisible()) return;
    // The offscreen platform keeps no stacking order (and complains when asked).
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) Widget()->raise();
    Widget()->activateWindow();
}

void TQtFormPeer::PaintClient(QPainter& painter, const QRect&) {
    TQtCanvas canvas(&painter);
    RunGuarded([&] { Form().PaintTo(canvas); });
}

bool TQtFormPeer::OtherModalShowing() {
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TCustomForm* other = Screen->Forms(i);
        if (other != &Form() && other->Modal() && other->Visible()) return true;
    }
    return false;
}

bool TQtFormPeer::eventFilter(QObject* watched, QEvent* event) {
    // The menu bar takes its own clicks: they are not clicks on the form.
    if (menuWidget_ && watched->isWidgetType() &&
        (watched == menuWidget_ || menuWidget_->isAncestorOf(static_cast<QWidget*>(watched))))
        return false;
    if (watched == Widget() && TopLevel()) {
        switch (event->type()) {
            case QEvent::Close: {
                // The form decides (hide, free, refuse, cancel a modal loop); after this event.
                event->ignore();
                TComponentRef<TCustomForm> form(&Form());
                QTimer::singleShot(0, qApp, [form] {
                    if (form) RunGuarded([&] { form->Close(); });
                });
                return true;
            }
            case QEvent::Resize:
                if (event->spontaneous() && !Echoing()) {
                    EchoScope echo(*this);
                    int menuHeight = menuWidget_ ? menuWidget_->sizeHint().height() : 0;
                    QSize size = Widget()->size();
                    Form().SetBounds(Form().Left(), Form().Top(), size.width(), std::max(0, size.height() - menuHeight));
                }
                break;
            case QEvent::Move:
                if (event->spontaneous() && !Echoing()) {
                    EchoScope echo(*this);
                    Form().SetBounds(Widget()->x(), Widget()->y(), Form().Width(), Form().Height());
                }
                break;
            case QEvent::WindowActivate:
                // While another window is modal it keeps the focus: taking it here would have the two
                // windows hand the activation back and forth for ever.
                if (Form().Visible() && Form().Enabled() && Screen->ActiveForm() != &Form() && !OtherModalShowing()) {
                    EchoScope echo(*this);
                    RunGuarded([this] { Form().SetFocus(); });
                }
                break;
            case QEvent::WindowStateChange:
                if (!Echoing()) {
                    EchoScope echo(*this);
                    Qt::WindowStates state = Widget()->windowState();
                    Form().SetWindowState(state & Qt::WindowMinimized   ? wsMinimized
                                          : state & Qt::WindowMaximized ? wsMaximized
                                                                        : wsNormal);
                }
                break;
            default: break;
        }
    }
    return TQtPeer::eventFilter(watched, event);
}

namespace {
const TQtPeerRegistration registration("TCustomForm", [](TControl& control) {
    return std::make_unique<TQtFormPeer>(static_cast<TCustomForm&>(control));
});
}  // namespace
