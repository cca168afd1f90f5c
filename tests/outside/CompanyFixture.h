#pragma once
// A fresh company database (created), with the outside servers registered in process on it under
// their program ids: an SQLite file in a temporary folder, or for suites made with OnEveryBackend a new
// schema on the PostgreSQL test cluster too (tests/testkit/PostgresCluster.h).
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <functional>
#include <string>

#include "outside/appserver/AppServer.h"
#include "outside/appserver/CompanyDatabase.h"
#include "outside/pickvu/LookupService.h"
#include "tests/testkit/PostgresCluster.h"
#include "toolkit/com/ComObj.h"

// The message of the exception the work raises; "no error" when it raises none.
inline std::string ErrorOf(const std::function<void()>& work) {
    try {
        work();
    } catch (const Exception& e) {
        return e.Message();
    }
    return "no error";
}

class CompanyFixture : public ::testing::Test {
protected:
    virtual TestBackend Backend() const { return TestBackend::SQLite; }
    // Whether SetUp creates the company database (suites about creating it say no).
    virtual bool CreateCompany() const { return true; }

    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "tdef-outside-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        dbPath_ = (folder_ / "company.db").string();
        if (Backend() == TestBackend::PostgreSQL) {
            if (!PostgresTestsWanted()) GTEST_SKIP() << "PostgreSQL runs only with TDEF_TEST_POSTGRES=1";
            std::string connection;
            try {
                connection = TestPostgresConnection();
            } catch (const Exception& e) {
                FAIL() << e.Message();
            }
            setenv("TDEF_POSTGRESQL", connection.c_str(), 1);
            dbPath_ = kPostgresPrefix + NewTestSchema();
        }
        if (CreateCompany()) CompanyDatabase::Create(dbPath_);
        RegisterOleClass("Nexor01S.Class1", [this](const std::string&) { return CreateAppServer(dbPath_); });
        RegisterOleClass("PickvuS.Class1", [](const std::string&) { return CreateLookupService(); });
    }
    void TearDown() override {
        UnregisterOleClass("Nexor01S.Class1");
        UnregisterOleClass("PickvuS.Class1");
        unsetenv("TDEF_POSTGRESQL");
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    // A connected application server object for the demo company.
    Variant ConnectedServer(const std::string& user = "DS", const std::string& program = "TDEF05") {
        Variant server = CreateOleObject("Nexor01S.Class1");
        EXPECT_EQ(OleCall(server, "Connect", {VarArrayOf({program, user, "DEMO", "DEMO", true, false})}).AsInteger(), 0);
        return server;
    }

    std::filesystem::path folder_;
    std::string dbPath_;
};

// A suite of Fixture run once per backend of TestBackends(): declare it as
// "class Suite : public OnEveryBackend<Fixture> {};", write its tests with TEST_P and add
// TDEF_ON_EVERY_BACKEND(Suite).
template <class Fixture>
class OnEveryBackend : public Fixture, public ::testing::WithParamInterface<TestBackend> {
protected:
    TestBackend Backend() const override { return this->GetParam(); }
};
