// The throwaway PostgreSQL cluster of the database tests.
#include <gtest/gtest.h>
#include <libpq-fe.h>
#include <stdlib.h>

#include <filesystem>

#include "tests/testkit/PostgresCluster.h"
#include "toolkit/rtl/Exception.h"

TEST(PostgresCluster, ThatCannotStartSaysWhy) {
    setenv("TDEF_TEST_POSTGRES_BIN", "/nonexistent/bin", 1);
    std::string reason;
    try {
        TPostgresCluster::Start();
    } catch (const Exception& e) {
        reason = e.Message();
    }
    unsetenv("TDEF_TEST_POSTGRES_BIN");
    EXPECT_NE(reason.find("initdb failed"), std::string::npos) << reason;
    EXPECT_EQ(TPostgresCluster::Recorded("/nonexistent/cluster"), nullptr);
}

TEST(PostgresCluster, StartsOnAFreePortAndIsRemovedWhenStopped) {
    if (!PostgresTestsWanted()) GTEST_SKIP() << "PostgreSQL runs only with TDEF_TEST_POSTGRES=1";
    auto cluster = TPostgresCluster::Start();
    std::string folder = cluster->Folder();
    EXPECT_TRUE(std::filesystem::exists(folder + "/data/PG_VERSION"));
    EXPECT_GT(cluster->Port(), 0);
    EXPECT_EQ(PQping(cluster->Connection().c_str()), PQPING_OK);
    // Recorded for another process, the cluster outlives this object until someone stops it.
    std::string file = folder + ".info";
    cluster->Record(file);
    std::string connection = cluster->Connection();
    cluster.reset();
    EXPECT_EQ(PQping(connection.c_str()), PQPING_OK);
    auto again = TPostgresCluster::Recorded(file);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->Connection(), connection);
    again->Stop();
    std::filesystem::remove(file);
    EXPECT_NE(PQping(connection.c_str()), PQPING_OK);
    EXPECT_FALSE(std::filesystem::exists(folder));
}
