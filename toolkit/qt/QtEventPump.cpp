#include "toolkit/qt/QtEventPump.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>

#include <algorithm>

#include "toolkit/qt/QtPeer.h"
#include "toolkit/ui/kernel/Application.h"

namespace {
TQtEventPump* thePump = nullptr;
// Messages posted from other threads do not wake Qt's loop; look for them now and then.
constexpr int kPollMilliseconds = 50;
}  // namespace

TQtEventPump* EventPump() { return thePump; }
void SetEventPump(TQtEventPump* pump) { thePump = pump; }

TQtEventPump::TQtEventPump() {
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &TQtEventPump::AboutToBlock);
    poll_.setInterval(kPollMilliseconds);
    connect(&poll_, &QTimer::timeout, this, &TQtEventPump::Poll);
    poll_.start();
}

TQtEventPump::~TQtEventPump() {
    if (thePump == this) thePump = nullptr;
}

void TQtEventPump::Enter(QEventLoop* loop) { loops_.push_back(loop); }

void TQtEventPump::Leave(QEventLoop* loop) { std::erase(loops_, loop); }

void TQtEventPump::AboutToBlock() {
    if (Application->Terminated()) {
        for (QEventLoop* loop : loops_) loop->quit();
        return;
    }
    if (Application->HasPendingMessages()) {
        if (!scheduled_) {
            // Delivered from the loop itself, not from inside the dispatcher's wait.
            scheduled_ = true;
            QMetaObject::invokeMethod(this, &TQtEventPump::Pump, Qt::QueuedConnection);
        }
        return;
    }
    if (!idle_.empty() && !idleScheduled_) {
        idleScheduled_ = true;
        QMetaObject::invokeMethod(this, &TQtEventPump::RunIdleTask, Qt::QueuedConnection);
    }
}

void TQtEventPump::Poll() {
    // Only messages and termination: idle tasks wait for a loop that really has nothing to do.
    if (Application->Terminated()) {
        for (QEventLoop* loop : loops_) loop->quit();
    } else if (Application->HasPendingMessages() && !scheduled_) {
        scheduled_ = true;
        QMetaObject::invokeMethod(this, &TQtEventPump::Pump, Qt::QueuedConnection);
    }
}

void TQtEventPump::RunWhenIdle(std::function<void()> task) { idle_.push_back(std::move(task)); }

void TQtEventPump::RunIdleTask() {
    idleScheduled_ = false;
    if (idle_.empty()) return;
    std::function<void()> task = std::move(idle_.front());
    idle_.pop_front();
    RunGuarded(task);
}

void TQtEventPump::Pump() {
    scheduled_ = false;
    RunGuarded([] { Application->ProcessMessages(); });
    if (Application->Terminated())
        for (QEventLoop* loop : loops_) loop->quit();
}
