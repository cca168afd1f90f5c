#pragma once
// Runs the toolkit's message queue (posted messages, deferred Release) from Qt's event loops:
// whenever a loop is about to wait, queued toolkit messages are delivered first, and a terminated
// application ends every loop. Loops register themselves so that Terminate can end them.
#include <QEventLoop>
#include <QObject>
#include <QTimer>

#include <deque>
#include <functional>
#include <vector>

class TQtEventPump : public QObject {
public:
    TQtEventPump();
    ~TQtEventPump() override;

    // The loops running now, innermost last (the main loop and modal loops).
    void Enter(QEventLoop* loop);
    void Leave(QEventLoop* loop);

    // Delivers the toolkit's queued messages now.
    void Pump();
    // Runs task once a loop has nothing left to do (every event and toolkit message handled) and is
    // about to wait: inside a modal loop too. Tasks run one per idle moment, in order.
    void RunWhenIdle(std::function<void()> task);

private:
    void AboutToBlock();
    void Poll();
    void RunIdleTask();

    std::vector<QEventLoop*> loops_;
    std::deque<std::function<void()>> idle_;
    QTimer poll_;
    bool scheduled_ = false;
    bool idleScheduled_ = false;
};

// The pump of the installed renderer (nullptr when none).
TQtEventPump* EventPump();
void SetEventPump(TQtEventPump* pump);
