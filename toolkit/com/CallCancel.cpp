#include "toolkit/com/CallCancel.h"

namespace {
thread_local TCallCancel* current = nullptr;
}  // namespace

TCallCancel* TCallCancel::Current() { return current; }
void TCallCancel::SetCurrent(TCallCancel* cancel) { current = cancel; }

std::string TCallCancel::Reason() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return reason_;
}

void TCallCancel::Cancel(const std::string& reason) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (cancelled_) return;
    reason_ = reason;
    cancelled_ = true;
    // Under the lock: an owner that removes its interrupter waits until it has run.
    for (auto& [id, interrupt] : interrupters_) interrupt();
}

std::uint64_t TCallCancel::Add(std::function<void()> interrupt) {
    std::lock_guard<std::mutex> lock(mutex_);
    std::uint64_t id = next_++;
    interrupters_[id] = std::move(interrupt);
    return id;
}

void TCallCancel::Remove(std::uint64_t id) {
    std::lock_guard<std::mutex> lock(mutex_);
    interrupters_.erase(id);
}

TCallInterrupt::TCallInterrupt(std::function<void()> interrupt) : cancel_(TCallCancel::Current()) {
    if (cancel_) id_ = cancel_->Add(std::move(interrupt));
}

TCallInterrupt::~TCallInterrupt() {
    if (cancel_) cancel_->Remove(id_);
}
