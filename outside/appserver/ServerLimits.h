#pragma once
// The limits one session's work must stay within, the same for every session of the process: how long
// a statement may run, how many rows one answer may hold, how long a write waits for another session's
// lock, how large one value may grow. The daemon sets them from its options before it serves; an
// in-process server (one user on his own machine) runs without the first two.
#include <cstddef>
#include <string>
#include "toolkit/rtl/Visibility.h"

struct ServerLimits {
    int statementMs = 0;                              // 0: no limit
    long long maxRows = 0;                            // 0: no limit
    int busyMs = 10000;                               // real time, however the waiting goes
    std::size_t maxValueBytes = 64u * 1024u * 1024u;  // one text or binary value

    // The texts a user reads when a limit stops his work.
    std::string StatementTooLong() const;
    std::string TooManyRows() const;
    std::string LockedTooLong() const;
    std::string ValueTooLarge() const;
};

// The process-wide limits (set once at start-up, read by every session).
TK_EXPORT ServerLimits& Limits();
