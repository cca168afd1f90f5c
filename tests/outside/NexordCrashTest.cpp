// nexord killed while it applies a document of 1,000 body rows: the database keeps the whole document
// or none of it. The test watches the write lock of the database and kills the daemon the moment it
// sees the apply's transaction open; a fixed seed adds a small delay so that kills land at different
// points of the transaction.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <random>
#include <thread>

#include "DataPathFixture.h"
#include "NexordProcess.h"

namespace {

constexpr int kLines = 1000;

// A connection of the test's own that can tell whether someone holds the write lock.
class LockProbe {
public:
    explicit LockProbe(const std::string& path) { sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr); }
    ~LockProbe() { sqlite3_close(db_); }
    // True while another connection is inside a write transaction.
    bool WriterActive() {
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

using NexordCrash = DataPathFixture;

TEST_F(NexordCrash, KilledWhileApplyingLeavesTheWholeDocumentOrNone) {
    Db();   // the file exists before the daemon starts
    std::mt19937 rng(20240601);
    std::uniform_int_distribution<int> extraMicros(0, 3000);
    int none = 0, whole = 0;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(40);
    for (int attempt = 0; attempt < 8 && std::chrono::steady_clock::now() < deadline && (none < 2 || whole + none < 3); ++attempt) {
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
        LockProbe probe(dbPath_);
        bool caught = false;
        while (!finished) {
            if (probe.WriterActive()) {
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
    EXPECT_EQ(Value("PRAGMA integrity_check").AsString(), "ok");
}
