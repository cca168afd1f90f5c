#include "toolkit/qt/QtHints.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QPointF>
#include <QTimer>

#include "toolkit/qt/QtPaintPeer.h"
#include "toolkit/ui/widgets/HintTracker.h"
#include "toolkit/ui/widgets/HintWindow.h"

namespace {

constexpr int kTickMs = 25;

long long Now() {
    static QElapsedTimer clock = [] {
        QElapsedTimer started;
        started.start();
        return started;
    }();
    return clock.elapsed();
}

// Ticks the tracker while the application runs; made on the first mouse event.
void EnsureTicking() {
    static QTimer* timer = nullptr;
    if (timer) return;
    timer = new QTimer;
    timer->setInterval(kTickMs);
    QObject::connect(timer, &QTimer::timeout, [] { RunGuarded([] { ApplicationHints().Tick(Now()); }); });
    timer->start();
}

// The hint window: a top-level tool window at screen coordinates, shown without activation.
class TQtHintPeer : public TQtPaintPeer {
public:
    explicit TQtHintPeer(TControl& control) : TQtPaintPeer(control) {}

protected:
    void ShowBounds() override {
        // The flags once, after the start has placed the widget (placing resets them).
        if (!flagged_) {
            flagged_ = true;
            Widget()->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
            Widget()->setAttribute(Qt::WA_ShowWithoutActivating);
            Widget()->setAttribute(Qt::WA_TransparentForMouseEvents);
            Widget()->setFocusPolicy(Qt::NoFocus);
        }
        TQtPeer::ShowBounds();
    }
    void ShowVisible() override {
        Widget()->setVisible(Control().Visible());
        if (Control().Visible()) Widget()->raise();
    }

private:
    bool flagged_ = false;
};

const TQtPeerRegistration registration("THintWindow", [](TControl& control) -> std::unique_ptr<TQtPeer> {
    return std::make_unique<TQtHintPeer>(control);
});

}  // namespace

void QtHintMouse(TControl& control, const QEvent& event, const QPointF& globalPosition) {
    if (dynamic_cast<THintWindow*>(&control)) return;
    EnsureTicking();
    if (event.type() == QEvent::MouseMove) {
        TPoint at{static_cast<int>(globalPosition.x()), static_cast<int>(globalPosition.y())};
        ApplicationHints().MouseMove(&control, at, Now());
    } else if (event.type() == QEvent::MouseButtonPress || event.type() == QEvent::MouseButtonDblClick ||
               event.type() == QEvent::Wheel) {
        ApplicationHints().Cancel();
    }
}

void QtHintLeave() { ApplicationHints().Cancel(); }
