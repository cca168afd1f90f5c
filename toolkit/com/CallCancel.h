#pragma once
// Cancelling the work of a served session from another thread. The listener gives each session thread
// one TCallCancel (Current()); whatever does long work on that thread (a database statement) registers
// how to interrupt itself, and checks Cancelled() where it can. The listener cancels when the client
// has gone or the server stops; once cancelled, a session stays cancelled.
#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>

class TCallCancel {
public:
    bool Cancelled() const { return cancelled_.load(std::memory_order_relaxed); }
    std::string Reason() const;
    // Any thread: marks the session cancelled and runs every registered interrupter once.
    void Cancel(const std::string& reason);

    // Registers an interrupter for as long as the returned id is not removed. An interrupter may run
    // on any thread and must be safe to call while its owner works.
    std::uint64_t Add(std::function<void()> interrupt);
    void Remove(std::uint64_t id);

    // The session of the calling thread; null outside served sessions (in-process servers).
    static TCallCancel* Current();
    static void SetCurrent(TCallCancel* cancel);

private:
    std::atomic<bool> cancelled_{false};
    mutable std::mutex mutex_;
    std::string reason_;
    std::map<std::uint64_t, std::function<void()>> interrupters_;
    std::uint64_t next_ = 1;
};

// Registers an interrupter with the current session (if any) for the lifetime of this object.
class TCallInterrupt {
public:
    explicit TCallInterrupt(std::function<void()> interrupt);
    ~TCallInterrupt();
    TCallInterrupt(const TCallInterrupt&) = delete;
    TCallInterrupt& operator=(const TCallInterrupt&) = delete;
    TCallCancel* Session() const { return cancel_; }

private:
    TCallCancel* cancel_;
    std::uint64_t id_ = 0;
};
