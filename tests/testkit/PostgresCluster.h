#pragma once
// A throwaway PostgreSQL cluster for tests: initdb and pg_ctl in a fresh folder under /tmp (run as the
// postgres user through runuser when the tests run as root), the socket in that folder, a free port on
// 127.0.0.1, trust authentication. Stopped and removed by Stop() or the destructor. The server programs
// are the newest under /usr/lib/postgresql, or those in the folder TDEF_TEST_POSTGRES_BIN names.
//
// The database tests run against SQLite always and against PostgreSQL too when TDEF_TEST_POSTGRES=1.
// Under ctest one cluster serves the whole run (the postgres_cluster_start/stop fixture writes its
// connection to <build>/postgres-test-cluster); a test executable run by hand starts its own once.
// A cluster that was asked for and cannot start fails the tests with the reason.
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

class TPostgresCluster {
public:
    // Raises Exception with the reason (and the tail of the server's log) when it cannot start.
    static std::unique_ptr<TPostgresCluster> Start();
    // The cluster recorded in an information file by Record(); nullptr when there is none.
    static std::unique_ptr<TPostgresCluster> Recorded(const std::string& file);
    ~TPostgresCluster();
    TPostgresCluster(const TPostgresCluster&) = delete;
    TPostgresCluster& operator=(const TPostgresCluster&) = delete;

    // A libpq connection string for the superuser's database "postgres".
    std::string Connection() const;
    const std::string& Folder() const { return folder_; }
    int Port() const { return port_; }
    // Writes the cluster to an information file; the cluster then outlives this object (Stop() ends it).
    void Record(const std::string& file);
    void Stop();

private:
    TPostgresCluster() = default;
    std::string folder_, binaries_;
    int port_ = 0;
    bool running_ = false;
    bool keep_ = false;
};

enum class TestBackend {
    SQLite,
    PostgreSQL
};

// Both backends: the test list is made when the tests are built, whether PostgreSQL is wanted or not;
// a PostgreSQL test that is not wanted (TDEF_TEST_POSTGRES unset) reports itself skipped.
std::vector<TestBackend> TestBackends();
std::string TestBackendName(const ::testing::TestParamInfo<TestBackend>& info);
void PrintTo(TestBackend backend, std::ostream* out);
bool PostgresTestsWanted();

// The connection string of the cluster for this test process (see above); raises Exception with the
// reason when it cannot start. Started once per process at most.
std::string TestPostgresConnection();
// A schema name no other test of this cluster uses.
std::string NewTestSchema();

// Instantiates a parameterised database test suite for every backend of TestBackends().
#define TDEF_ON_EVERY_BACKEND(Suite) INSTANTIATE_TEST_SUITE_P(On, Suite, ::testing::ValuesIn(TestBackends()), TestBackendName)
