#include "outside/appserver/SqliteGuard.h"

#include <sqlite3.h>

#include <cctype>
#include <chrono>
#include <set>
#include <thread>

#include "outside/appserver/ServerLimits.h"
#include "outside/appserver/SqlTokens.h"
#include "toolkit/rtl/Exception.h"

namespace {

long long NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// Pragmas that only describe; those naming an object take it as their argument.
const std::set<std::string> kDescribingPragmas{"TABLE_INFO", "TABLE_XINFO", "INDEX_LIST",
                                               "INDEX_INFO", "INDEX_XINFO", "FOREIGN_KEY_LIST"};
// Pragmas that may be read but not set.
const std::set<std::string> kReadablePragmas{"JOURNAL_MODE", "FOREIGN_KEYS", "USER_VERSION", "INTEGRITY_CHECK",
                                             "QUICK_CHECK",  "PAGE_COUNT",   "PAGE_SIZE",    "ENCODING"};
const std::set<std::string> kForbiddenFunctions{"LOAD_EXTENSION", "FTS3_TOKENIZER"};

constexpr const char* kRuleText = " is not allowed in SQL sent to the server";

std::string Upper(const char* s) { return s ? SqlUpper(s) : std::string(); }

bool StartsWithWord(const std::string& sql, const char* word) {
    for (const Token& t : Tokenize(sql)) {
        if (IsBlank(t)) continue;
        return IsWord(t, word);
    }
    return false;
}

}  // namespace

SqliteGuard::SqliteGuard(sqlite3* db) : db_(db) {
    sqlite3_limit(db_, SQLITE_LIMIT_LENGTH, static_cast<int>(Limits().maxValueBytes));
    sqlite3_limit(db_, SQLITE_LIMIT_ATTACHED, 0);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION, 0, nullptr);
    sqlite3_set_authorizer(db_, Authorize, this);
    sqlite3_progress_handler(db_, 1000, Progress, this);
    sqlite3_busy_handler(db_, Busy, this);
    interrupt_ = std::make_unique<TCallInterrupt>([db] { sqlite3_interrupt(db); });
}

SqliteGuard::~SqliteGuard() {
    interrupt_.reset();
    sqlite3_set_authorizer(db_, nullptr, nullptr);
    sqlite3_progress_handler(db_, 0, nullptr, nullptr);
    sqlite3_busy_handler(db_, nullptr, nullptr);
}

void SqliteGuard::Arm() {
    int limit = Limits().statementMs;
    deadline_ = limit > 0 ? NowMs() + limit : 0;
    timedOut_ = busyExpired_ = false;
    refused_.clear();
}

std::string SqliteGuard::Refusal(int action, const char* a1, const char* a2) const {
    switch (action) {
        case SQLITE_DELETE:
        case SQLITE_INSERT:
        case SQLITE_READ:
        case SQLITE_SELECT:
        case SQLITE_UPDATE:
        case SQLITE_RECURSIVE: return "";
        case SQLITE_FUNCTION: return kForbiddenFunctions.count(Upper(a2)) ? "The function " + std::string(a2) + kRuleText : "";
        case SQLITE_PRAGMA: {
            std::string name = Upper(a1);
            if (kDescribingPragmas.count(name) || (kReadablePragmas.count(name) && !a2)) return "";
            return "PRAGMA " + std::string(a1 ? a1 : "") + (a2 ? " with a value" : "") + kRuleText;
        }
        case SQLITE_ATTACH:
        case SQLITE_DETACH: return std::string("ATTACH, DETACH and VACUUM") + kRuleText;
        case SQLITE_TRANSACTION:
        case SQLITE_SAVEPOINT: return std::string("Transaction control") + kRuleText + ": each call is a transaction of its own";
        default: return std::string("Changing tables, indexes, views or triggers") + kRuleText;
    }
}

int SqliteGuard::Authorize(void* self, int action, const char* a1, const char* a2, const char*, const char*) {
    auto* guard = static_cast<SqliteGuard*>(self);
    if (guard->trusted_ > 0) return SQLITE_OK;
    std::string refusal = guard->Refusal(action, a1, a2);
    if (refusal.empty()) return SQLITE_OK;
    guard->refused_ = refusal;
    return SQLITE_DENY;
}

int SqliteGuard::Progress(void* self) {
    auto* guard = static_cast<SqliteGuard*>(self);
    if (TCallCancel* session = guard->interrupt_->Session(); session && session->Cancelled()) return 1;
    if (guard->deadline_ > 0 && NowMs() > guard->deadline_) {
        guard->timedOut_ = true;
        return 1;
    }
    return 0;
}

// Waits for another session's write lock in real time, whatever the sleeps cost, and gives up at once
// when the session is cancelled.
int SqliteGuard::Busy(void* self, int count) {
    auto* guard = static_cast<SqliteGuard*>(self);
    if (count == 0) guard->busySince_ = NowMs();
    if (TCallCancel* session = guard->interrupt_->Session(); session && session->Cancelled()) return 0;
    if (NowMs() - guard->busySince_ >= Limits().busyMs) {
        guard->busyExpired_ = true;
        return 0;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(count < 4 ? 1 << count : 10));
    return 1;
}

sqlite3_stmt* SqliteGuard::PrepareOne(const std::string& sql) {
    if (trusted_ == 0 && StartsWithWord(sql, "VACUUM"))
        throw EDatabaseError(std::string("ATTACH, DETACH and VACUUM") + kRuleText);
    refused_.clear();
    sqlite3_stmt* stmt = nullptr;
    const char* tail = nullptr;
    int rc = sqlite3_prepare_v2(db_, sql.c_str(), static_cast<int>(sql.size()), &stmt, &tail);
    if (rc != SQLITE_OK) throw EDatabaseError(Explain(rc));
    if (!stmt) throw EDatabaseError("No statement in: " + sql);
    // Only blanks, comments and semicolons may follow: a second statement would run unseen.
    for (const char* p = tail; p && *p; ++p) {
        if (std::isspace(static_cast<unsigned char>(*p)) || *p == ';') continue;
        sqlite3_stmt* extra = nullptr;
        const char* rest = nullptr;
        bool more = sqlite3_prepare_v2(db_, p, -1, &extra, &rest) != SQLITE_OK || extra != nullptr;
        sqlite3_finalize(extra);
        if (more) {
            sqlite3_finalize(stmt);
            throw EDatabaseError("Only one statement is allowed here: " + sql);
        }
        break;
    }
    return stmt;
}

std::string SqliteGuard::Explain(int rc) const {
    int primary = rc & 0xFF;
    // A refused function call comes back as a plain error.
    if ((primary == SQLITE_AUTH || primary == SQLITE_ERROR) && !refused_.empty()) return refused_;
    if (primary == SQLITE_INTERRUPT) {
        if (TCallCancel* session = interrupt_->Session(); session && session->Cancelled())
            return "The statement was stopped: " + session->Reason();
        if (timedOut_) return Limits().StatementTooLong();
    }
    if (primary == SQLITE_TOOBIG) return Limits().ValueTooLarge();
    if ((primary == SQLITE_BUSY || primary == SQLITE_LOCKED) && busyExpired_) return Limits().LockedTooLong();
    return sqlite3_errmsg(db_);
}
