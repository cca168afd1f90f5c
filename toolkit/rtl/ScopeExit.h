#pragma once
// Scope guards: what a function changes for a while is put back however it leaves, instead of a
// catch block that repeats the restore and rethrows.
#include <exception>
#include <utility>

// Runs the restore of a guard. Leaving by an exception, a failing restore is swallowed so the first
// failure is the one reported (and a destructor never throws during unwinding); leaving normally, it
// reaches the caller as it would from a plain call.
class TScopeGuardBase {
public:
    TScopeGuardBase(const TScopeGuardBase&) = delete;
    TScopeGuardBase& operator=(const TScopeGuardBase&) = delete;
    // The scope's change stays: nothing is restored.
    void Dismiss() { armed_ = false; }

protected:
    TScopeGuardBase() = default;
    ~TScopeGuardBase() = default;
    template <class F>
    void Finish(F&& restore) {
        if (!armed_) return;
        armed_ = false;
        if (std::uncaught_exceptions() <= exceptions_) {
            restore();
            return;
        }
        try {
            restore();
        } catch (...) {}
    }

private:
    int exceptions_ = std::uncaught_exceptions();
    bool armed_ = true;
};

// Runs an action when the scope ends, by return or by an exception, unless dismissed.
template <class F>
class TScopeExit : public TScopeGuardBase {
public:
    explicit TScopeExit(F action) : action_(std::move(action)) {}
    ~TScopeExit() noexcept(false) { Finish(action_); }

private:
    F action_;
};
