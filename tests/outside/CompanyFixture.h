#pragma once
// A fresh company database in a temporary folder (TDEF_COMPANY_DB), with the outside servers registered
// in process under their program ids.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "outside/appserver/AppServer.h"
#include "outside/pickvu/LookupService.h"
#include "toolkit/com/ComObj.h"

class CompanyFixture : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "tdef-outside-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        dbPath_ = (folder_ / "company.db").string();
        setenv("TDEF_COMPANY_DB", dbPath_.c_str(), 1);
        RegisterOleClass("Nexor01S.Class1", [](const std::string&) { return CreateAppServer(); });
        RegisterOleClass("PickvuS.Class1", [](const std::string&) { return CreateLookupService(); });
    }
    void TearDown() override {
        UnregisterOleClass("Nexor01S.Class1");
        UnregisterOleClass("PickvuS.Class1");
        unsetenv("TDEF_COMPANY_DB");
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
