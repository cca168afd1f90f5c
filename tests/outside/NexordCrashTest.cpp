// nexord killed while it applies a document of 1,000 body rows: the database keeps the whole document
// or none of it. The test watches the database (SQLite's write lock, PostgreSQL's sessions) and kills the
// daemon the moment it sees the apply's transaction write; a fixed seed adds a small delay so that kills land at different
// points of the transaction.
#include <gtest/gtest.h>
#include <libpq-fe.h>
#include <sqlite3.h>
#include <unistd.h>

#include <memory>
#include <random>
#include <thread>

#include "DataPathFixture.h"
#include "NexordProcess.h"

namespace {

constexpr int kLines = 1000;

// A connection of the test's own that can tell whether another one is inside a write transaction.
class WriteProbe {
public:
    virtual ~WriteProbe() = default;
    virtual bool WriterActive() = 0;
};

// SQLite: someone holds the write lock.
class LockProbe : public WriteProbe {
public:
    explicit LockProbe(const std::string& path) { sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr); }
    ~LockProbe() override { sqlite3_close(db_); }
    bool WriterActive() override {
        int rc = sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        if (rc == SQLITE_OK) {
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
            return false;
        }
        return rc == SQLITE_BUSY;
    }

private:
    sqlite3* db_ = nullptr;
};

// PostgreSQL: a session of the daemon (known by its application name) has written in its transaction.
class SessionProbe : public WriteProbe {
public:
    SessionProbe(const std::string& connection, std::string application)
        : conn_(PQconnectdb(connection.c_str())), application_(std::move(application)) {}
    ~SessionProbe() override { PQfinish(conn_); }
    bool WriterActive() override {
        const char* values[] = {application_.c_str()};
        PGresult* r =
            PQexecParams(conn_, "SELECT count(*) FROM pg_stat_activity WHERE application_name = $1 AND backend_xid IS NOT NULL",
                         1, nullptr, values, nullptr, nullptr, 0);
        bool active = PQresultStatus(r) == PGRES_TUPLES_OK && std::string(PQgetvalue(r, 0, 0)) != "0";
        PQclear(r);
        return active;
    }

private:
    PGconn* conn_;
    std::string application_;
};

void FillDocument(DocumentClient& c, const std::string& key) {
    c.Open("1=2");
    c.main.Append();
    c.main.FieldByName("MC001")->SetAsString(key);
    c.main.FieldByName("MC002")->SetAsString("崩溃测试");
    c.main.FieldByName("FLAG")->SetAsInteger(1);
    for (int l = 1; l <= kLines; ++l) {
        char line[16];
        std::snprintf(line, sizeof line, "%04d", l);
        c.body.Append();
        c.body.FieldByName("MD001")->SetAsString(key);
        c.body.FieldByName("MD002")->SetAsString(line);
        c.body.FieldByName("MD003")->SetAsString("F" + std::string(line));
        c.body.FieldByName("MD004")->SetAsString("字段说明" + std::string(line));
        c.body.FieldByName("FLAG")->SetAsInteger(1);
        c.body.Post();
    }
    c.main.Post();
}

}  // namespace

class NexordCrash : public OnEveryBackend<DataPathFixture> {};
TDEF_ON_EVERY_BACKEND(NexordCrash);

TEST_P(NexordCrash, KilledWhileApplyingLeavesTheWholeDocumentOrNone) {
    Db();  // the database exists before the daemon starts
    // The daemon's PostgreSQL sessions carry a name the probe looks for.
    std::string application = "crash_" + std::to_string(getpid());
    bool postgres = Backend() == TestBackend::PostgreSQL;
    std::string connection = postgres ? std::string(getenv("TDEF_POSTGRESQL")) : "";
    if (postgres) setenv("TDEF_POSTGRESQL", (connection + " application_name=" + application).c_str(), 1);
    auto probeFor = [&]() -> std::unique_ptr<WriteProbe> {
        if (postgres) return std::make_unique<SessionProbe>(connection, application);
        return std::make_unique<LockProbe>(dbPath_);
    };
    std::mt19937 rng(20240601);
    std::uniform_int_distribution<int> extraMicros(0, 3000);
    int none = 0, whole = 0;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(40);
    for (int attempt = 0; attempt < 8 && std::chrono::steady_clock::now() < deadline && (none < 2 || whole + none < 3);
         ++attempt) {
        std::string key = "CRASH" + std::to_string(attempt);
        NexordProcess daemon(dbPath_);
        ASSERT_GT(daemon.Port(), 0) << daemon.Log();
        DocumentClient client("127.0.0.2", daemon.Port());
        FillDocument(client, key);

        std::atomic<bool> finished{false};
        std::string outcome;
        std::thread saver([&] {
            try {
                client.main.ApplyUpdates(0);
                outcome = "applied";
            } catch (const Exception& e) {
                outcome = e.Message();
            }
            finished = true;
        });
        auto probe = probeFor();
        bool caught = false;
        while (!finished) {
            if (probe->WriterActive()) {
                std::this_thread::sleep_for(std::chrono::microseconds(extraMicros(rng)));
                daemon.Signal(SIGKILL);
                caught = true;
                break;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(50));
        }
        saver.join();
        daemon.Wait(10000);

        long long headers = Count("SELECT COUNT(*) FROM ADMMC WHERE MC001 = ?", {key});
        long long lines = Count("SELECT COUNT(*) FROM ADMMD WHERE MD001 = ?", {key});
        EXPECT_EQ(lines, headers * kLines) << "attempt " << attempt << ": " << headers << " header(s), " << lines
                                           << " line(s) after " << outcome;
        if (!caught) {
            EXPECT_EQ(outcome, "applied");
            EXPECT_EQ(headers, 1);
            continue;
        }
        (headers == 0 ? none : whole) += 1;
    }
    RecordProperty("kills_before_commit", none);
    RecordProperty("kills_after_commit", whole);
    // At least one kill landed inside the transaction and undid it.
    EXPECT_GE(none, 1) << whole << " kill(s) came after the commit";
    // The database is sound after the kills.
    if (!postgres) {
        EXPECT_EQ(Value("PRAGMA integrity_check").AsString(), "ok");
    }
}
