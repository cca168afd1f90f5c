#pragma once
// What statements on an SQLite company connection may do, and how long they may take. Every statement
// that reaches a connection from outside its backend runs under these rules (the server's own
// statements need nothing they forbid); the backend lifts them only for its own housekeeping
// (transactions, configuration, creating a new company) inside a Trusted scope.
//   refused: ATTACH and DETACH (and with them VACUUM), transaction control, pragmas that change
//            anything, changes to tables, indexes, views and triggers, loading extensions
//   bounded: a statement's running time, a value's size, the wait for another session's write lock;
//            the session's cancellation (the client left, the server stops) interrupts the statement
// Failures come back as EDatabaseError with the text the user reads.
#include <memory>
#include <string>

#include "toolkit/com/CallCancel.h"

struct sqlite3;
struct sqlite3_stmt;

class SqliteGuard {
public:
    explicit SqliteGuard(sqlite3* db);  // installs itself on the connection
    ~SqliteGuard();                     // before the connection closes
    SqliteGuard(const SqliteGuard&) = delete;
    SqliteGuard& operator=(const SqliteGuard&) = delete;

    // The backend's own statements, free of the rules while the scope lives.
    class Trusted {
    public:
        explicit Trusted(SqliteGuard& guard) : guard_(guard) { ++guard_.trusted_; }
        ~Trusted() { --guard_.trusted_; }
        Trusted(const Trusted&) = delete;
        Trusted& operator=(const Trusted&) = delete;

    private:
        SqliteGuard& guard_;
    };

    // Starts the clock of a statement (each step of a cursor counts on its own).
    void Arm();
    // Prepares exactly one statement: a second one in the text is refused. Raises EDatabaseError.
    sqlite3_stmt* PrepareOne(const std::string& sql);
    // The error of a failed SQLite call as the user reads it (the limit or rule that stopped it); read
    // it before the statement is reset.
    std::string Explain(int rc) const;

private:
    static int Authorize(void* self, int action, const char* a1, const char* a2, const char* db, const char* trigger);
    static int Progress(void* self);
    static int Busy(void* self, int count);
    std::string Refusal(int action, const char* a1, const char* a2) const;

    sqlite3* db_;
    int trusted_ = 0;
    long long deadline_ = 0;  // 0: none
    long long busySince_ = 0;
    bool timedOut_ = false, busyExpired_ = false;
    std::string refused_;  // why the authorizer said no
    std::unique_ptr<TCallInterrupt> interrupt_;
};
