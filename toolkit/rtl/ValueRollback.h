#pragma once
// A variable put back when the scope ends: a busy flag set for a call, or settings that stay only
// when the change behind them succeeds (Dismiss).
#include <utility>

#include "toolkit/rtl/ScopeExit.h"

template <class T>
class TValueRollback : public TScopeGuardBase {
public:
    // Restores the value target has now.
    explicit TValueRollback(T& target) : target_(target), saved_(target) {}
    // Sets target to value for the scope and restores the value it had.
    TValueRollback(T& target, T value) : target_(target), saved_(std::exchange(target, std::move(value))) {}
    ~TValueRollback() noexcept(false) {
        Finish([this] { target_ = std::move(saved_); });
    }
    const T& Saved() const { return saved_; }

private:
    T& target_;
    T saved_;
};
