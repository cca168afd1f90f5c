#include "tests/testkit/PostgresCluster.h"

#include <arpa/inet.h>
#include <glob.h>
#include <libpq-fe.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>

#include "toolkit/rtl/Exception.h"

namespace {

// The newest installed server's programs (TDEF_TEST_POSTGRES_BIN names others).
std::string ServerBinaries() {
    if (const char* bin = std::getenv("TDEF_TEST_POSTGRES_BIN"); bin && *bin) return bin;
    glob_t found{};
    std::string dir;
    if (glob("/usr/lib/postgresql/*/bin/initdb", 0, nullptr, &found) == 0 && found.gl_pathc > 0)
        dir = std::filesystem::path(found.gl_pathv[found.gl_pathc - 1]).parent_path().string();
    globfree(&found);
    if (dir.empty()) throw Exception("PostgreSQL server programs not found (/usr/lib/postgresql/*/bin/initdb)");
    return dir;
}

int FreePort() {
    int s = socket(AF_INET, SOCK_STREAM, 0);
    if (s < 0) throw Exception("No socket for a free port");
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof a;
    int port = 0;
    if (bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 && getsockname(s, reinterpret_cast<sockaddr*>(&a), &length) == 0)
        port = ntohs(a.sin_port);
    close(s);
    if (port == 0) throw Exception("No free port on 127.0.0.1");
    return port;
}

std::string Tail(const std::string& file, std::size_t chars = 1500) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    std::string s = text.str();
    return s.size() > chars ? s.substr(s.size() - chars) : s;
}

// Runs a server program as the postgres user when we are root (initdb refuses root).
int Run(const std::string& command, const std::string& log) {
    std::string line = geteuid() == 0 ? "runuser -u postgres -- " + command : command;
    return std::system((line + " >>" + log + " 2>&1 </dev/null").c_str());
}

}  // namespace

std::unique_ptr<TPostgresCluster> TPostgresCluster::Start() {
    std::unique_ptr<TPostgresCluster> c(new TPostgresCluster);
    c->binaries_ = ServerBinaries();
    char pattern[] = "/tmp/tdef-pg-XXXXXX";
    if (!mkdtemp(pattern)) throw Exception("Cannot make a folder under /tmp for PostgreSQL");
    c->folder_ = pattern;
    if (geteuid() == 0) {
        passwd* pg = getpwnam("postgres");
        if (!pg || chown(pattern, pg->pw_uid, pg->pw_gid) != 0)
            throw Exception("The postgres user cannot own " + c->folder_ + " (is the postgresql package installed?)");
    }
    std::string log = c->folder_ + "/setup.log";
    std::string data = c->folder_ + "/data";
    if (Run(c->binaries_ + "/initdb -D " + data + " -A trust -U postgres -E UTF8 --no-locale --no-sync", log) != 0)
        throw Exception("initdb failed:\n" + Tail(log));
    // A port taken between the check and the start is retried with another.
    for (int attempt = 0; attempt < 3 && !c->running_; ++attempt) {
        c->port_ = FreePort();
        std::string options = "-k " + c->folder_ + " -p " + std::to_string(c->port_) +
                              " -c listen_addresses=127.0.0.1 -c fsync=off -c synchronous_commit=off"
                              " -c full_page_writes=off -c max_connections=300";
        c->running_ =
            Run(c->binaries_ + "/pg_ctl -D " + data + " -l " + c->folder_ + "/server.log -w -t 60 -o '" + options + "' start",
                log) == 0;
    }
    if (!c->running_) throw Exception("pg_ctl could not start the server:\n" + Tail(log) + Tail(c->folder_ + "/server.log"));
    return c;
}

std::unique_ptr<TPostgresCluster> TPostgresCluster::Recorded(const std::string& file) {
    std::ifstream in(file);
    std::unique_ptr<TPostgresCluster> c(new TPostgresCluster);
    if (!(in >> c->folder_ >> c->port_ >> c->binaries_)) return nullptr;
    c->running_ = true;
    c->keep_ = true;
    return c;
}

TPostgresCluster::~TPostgresCluster() {
    if (!keep_) Stop();
}

std::string TPostgresCluster::Connection() const {
    return "host=" + folder_ + " port=" + std::to_string(port_) + " user=postgres dbname=postgres connect_timeout=10";
}

void TPostgresCluster::Record(const std::string& file) {
    std::ofstream(file) << folder_ << "\n" << port_ << "\n" << binaries_ << "\n";
    keep_ = true;
}

void TPostgresCluster::Stop() {
    if (folder_.empty()) return;
    if (running_) Run(binaries_ + "/pg_ctl -D " + folder_ + "/data -m immediate -w stop", "/dev/null");
    running_ = false;
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
    folder_.clear();
}

bool PostgresTestsWanted() {
    const char* wanted = std::getenv("TDEF_TEST_POSTGRES");
    return wanted && std::string(wanted) == "1";
}

std::vector<TestBackend> TestBackends() { return {TestBackend::SQLite, TestBackend::PostgreSQL}; }

std::string TestBackendName(const ::testing::TestParamInfo<TestBackend>& info) {
    return info.param == TestBackend::PostgreSQL ? "PostgreSQL" : "SQLite";
}

void PrintTo(TestBackend backend, std::ostream* out) { *out << (backend == TestBackend::PostgreSQL ? "PostgreSQL" : "SQLite"); }

namespace {

bool Answers(const std::string& connection) { return PQping(connection.c_str()) == PQPING_OK; }

// The file the ctest fixture writes (see tests/CMakeLists.txt).
std::string SharedClusterFile() {
    if (const char* file = std::getenv("TDEF_TEST_POSTGRES_CLUSTER"); file && *file) return file;
    if (const char* bin = std::getenv("TDEF_BIN"); bin && *bin)
        return (std::filesystem::path(bin).parent_path() / "postgres-test-cluster").string();
    return "";
}

}  // namespace

std::string TestPostgresConnection() {
    static std::mutex lock;
    static std::unique_ptr<TPostgresCluster> own;
    static std::string connection, failure;
    static bool tried = false;
    std::lock_guard<std::mutex> guard(lock);
    if (!tried) {
        tried = true;
        try {
            std::string shared = SharedClusterFile();
            auto recorded = shared.empty() ? nullptr : TPostgresCluster::Recorded(shared);
            if (recorded && Answers(recorded->Connection())) {
                connection = recorded->Connection();
            } else {
                own = TPostgresCluster::Start();
                connection = own->Connection();
            }
        } catch (const Exception& e) {
            failure = e.Message();
        }
    }
    if (!failure.empty()) throw Exception("The PostgreSQL test cluster cannot start: " + failure);
    return connection;
}

std::string NewTestSchema() {
    static std::atomic<int> next{0};
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count() % 1000000;
    return "t" + std::to_string(getpid()) + "_" + std::to_string(stamp) + "_" + std::to_string(++next);
}
