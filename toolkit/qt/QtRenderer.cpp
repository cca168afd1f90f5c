#include "toolkit/qt/QtRenderer.h"

#include "toolkit/qt/QtFonts.h"

#include <QApplication>
#include <QEventLoop>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>

#include <cstdio>
#include <memory>

#include "toolkit/qt/QtBeepService.h"
#include "toolkit/qt/QtCanvas.h"
#include "toolkit/qt/QtConvert.h"
#include "toolkit/qt/QtEventPump.h"
#include "toolkit/qt/QtFileDialogService.h"
#include "toolkit/qt/QtFormPeer.h"
#include "toolkit/qt/QtHintStyle.h"
#include "toolkit/qt/QtInputRouter.h"
#include "toolkit/qt/QtMenus.h"
#include "toolkit/qt/QtMessageService.h"
#include "toolkit/qt/QtModalLoop.h"
#include "toolkit/qt/QtPeer.h"
#include "toolkit/ui/kernel/Application.h"
#include "toolkit/ui/kernel/Screen.h"

namespace {

struct Installed {
    std::shared_ptr<IModalLoop> savedLoop;
    std::shared_ptr<IMessageService> savedMessages;
    std::shared_ptr<IBeepService> savedBeeps;
    std::shared_ptr<TQtMessageService> messages;
    TQtInputRouter* router = nullptr;
    TQtEventPump* pump = nullptr;
    TNotifyEvent savedCursorChange, savedActiveFormChange, savedShowHintChange;
    TPopupHandler savedPopup;
    std::shared_ptr<IFileDialogService> savedFileDialogs;
    TCanvasFactory savedMeasure;
};
Installed* installed = nullptr;

// Notes of platforms without a window system (offscreen runs) are not worth showing.
QtMessageHandler previousHandler = nullptr;
void FilterQtMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg || type == QtDebugMsg || type == QtInfoMsg) {
        if (message.startsWith(QLatin1String("This plugin does not support")) ||
            message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
            return;
    }
    if (previousHandler)
        previousHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

QApplication* EnsureQApplication() {
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) return app;
    static int argc = 1;
    static char name[] = "torvane";
    static char* argv[] = {name, nullptr};
    return new QApplication(argc, argv);
}

void ShowHintsAgain(TControl& control) {
    if (TQtPeer* peer = TQtPeer::Of(&control)) peer->PropertyChanged(control, TPropertyId::ShowHint);
    if (auto* win = dynamic_cast<TWinControl*>(&control))
        for (TControl* child : win->ControlList()) ShowHintsAgain(*child);
}

}  // namespace

void InstallQtRenderer() {
    if (installed) return;
    static bool filtering = false;
    if (!filtering) {
        filtering = true;
        previousHandler = qInstallMessageHandler(FilterQtMessages);
    }
    QApplication* app = EnsureQApplication();
    app->setQuitOnLastWindowClosed(false);  // the toolkit's Terminate ends the session
    app->setStyle(new TQtHintStyle);
    InstallUiFace();
    installed = new Installed;
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->availableGeometry();
        Screen->SetSize(area.width(), area.height());
    }
    installed->messages = std::make_shared<TQtMessageService>();
    installed->savedLoop = Application->SetModalLoop(std::make_shared<TQtModalLoop>());
    installed->savedMessages = Application->SetMessageService(installed->messages);
    installed->savedBeeps = Application->SetBeepService(std::make_shared<TQtBeepService>());
    installed->pump = new TQtEventPump;
    SetEventPump(installed->pump);
    installed->router = new TQtInputRouter;
    app->installEventFilter(installed->router);
    SetPeerFactory(MakeQtPeer);
    installed->savedPopup = SetPopupHandler(PopupQtMenu);
    installed->savedFileDialogs = SetFileDialogService(std::make_shared<TQtFileDialogService>());
    Screen->Fonts()->Clear();
    for (const QString& family : QFontDatabase::families()) Screen->Fonts()->Add(FromQString(family));
    SetMeasureCanvasFactory([] { return std::make_unique<TQtCanvas>(); });

    installed->savedCursorChange = Screen->OnCursorChange;
    Screen->OnCursorChange = [](TObject* sender) {
        QApplication::restoreOverrideCursor();
        if (Screen->Cursor() != crDefault) QApplication::setOverrideCursor(ToQCursor(Screen->Cursor()));
        if (installed && installed->savedCursorChange) installed->savedCursorChange(sender);
    };
    installed->savedActiveFormChange = Screen->OnActiveFormChange;
    Screen->OnActiveFormChange = [](TObject* sender) {
        if (auto* peer = dynamic_cast<TQtFormPeer*>(TQtPeer::Of(Screen->ActiveForm()))) peer->Activate();
        if (installed && installed->savedActiveFormChange) installed->savedActiveFormChange(sender);
    };
    installed->savedShowHintChange = Application->OnShowHintChange;
    Application->OnShowHintChange = [](TObject* sender) {
        for (TCustomForm* form : Screen->FormList()) ShowHintsAgain(*form);
        if (installed && installed->savedShowHintChange) installed->savedShowHintChange(sender);
    };
}

void UninstallQtRenderer() {
    if (!installed) return;
    SetPeerFactory(nullptr);
    SetPopupHandler(installed->savedPopup);
    SetFileDialogService(installed->savedFileDialogs);
    SetMeasureCanvasFactory(nullptr);
    Application->SetModalLoop(installed->savedLoop);
    Application->SetMessageService(installed->savedMessages);
    Application->SetBeepService(installed->savedBeeps);
    Screen->OnCursorChange = installed->savedCursorChange;
    Screen->OnActiveFormChange = installed->savedActiveFormChange;
    Application->OnShowHintChange = installed->savedShowHintChange;
    qApp->removeEventFilter(installed->router);
    delete installed->router;
    SetEventPump(nullptr);
    delete installed->pump;
    delete installed;
    installed = nullptr;
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

bool QtRendererInstalled() { return installed != nullptr; }

TQtMessageService* QtMessageService() { return installed ? installed->messages.get() : nullptr; }

int RunQtApplication() {
    InstallQtRenderer();
    while (!Application->Terminated()) {
        QEventLoop loop;
        EventPump()->Enter(&loop);
        loop.exec();
        if (EventPump()) EventPump()->Leave(&loop);
    }
    return 0;
}

void ProcessQtEvents() {
    // Several rounds: toolkit messages may make Qt events and the other way round.
    for (int round = 0; round < 4; ++round) {
        QApplication::sendPostedEvents();
        QApplication::processEvents(QEventLoop::AllEvents);
        Application->ProcessMessages();
    }
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void RunWhenIdle(std::function<void()> task) {
    InstallQtRenderer();
    EventPump()->RunWhenIdle(std::move(task));
}

bool GrabWindowToPng(TControl* control, const std::string& file) {
    if (!control || !installed) return false;
    EnsureQtPeers(*control);
    ProcessQtEvents();
    QWidget* widget = QtWidgetOf(control);
    if (!widget) return false;
    widget->ensurePolished();
    QPixmap picture = widget->grab();
    if (picture.isNull()) return false;
    // Tool windows floating over it (the hint window) are in the picture where the screen shows them.
    QPainter painter(&picture);
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top == widget || !top->isVisible() || top->windowType() != Qt::ToolTip) continue;
        const QPoint at = widget->mapFromGlobal(top->geometry().topLeft());
        if (QRect(QPoint(0, 0), widget->size()).intersects(QRect(at, top->size()))) painter.drawPixmap(at, top->grab());
    }
    painter.end();
    return picture.save(ToQString(file), "PNG");
}
