// Starts or stops the PostgreSQL cluster that one ctest run shares (a ctest fixture):
//   tdef-test-postgres start|stop <information file>
// Does nothing unless TDEF_TEST_POSTGRES=1. Start first stops a cluster an interrupted run left behind.
#include <cstdio>
#include <filesystem>
#include <string>

#include "tests/testkit/PostgresCluster.h"
#include "toolkit/rtl/Exception.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s start|stop <information file>\n", argv[0]);
        return 2;
    }
    std::string action = argv[1], file = argv[2];
    if (auto left = TPostgresCluster::Recorded(file)) left->Stop();
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
    if (action != "start" || !PostgresTestsWanted()) return 0;
    try {
        auto cluster = TPostgresCluster::Start();
        cluster->Record(file);
        std::printf("PostgreSQL test cluster in %s, port %d\n", cluster->Folder().c_str(), cluster->Port());
        return 0;
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s\n", e.Message().c_str());
        return 1;
    }
}
