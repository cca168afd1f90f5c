#include <gtest/gtest.h>
#include <sqlite3.h>

#include "outside/appserver/CompanyDatabase.h"
#include "tests/outside/CompanyFixture.h"

using CompanyDatabaseTest = CompanyFixture;

TEST_F(CompanyDatabaseTest, IsCreatedAndSeededOnceOnFirstOpen) {
    ASSERT_FALSE(std::filesystem::exists(dbPath_));
    {
        CompanyDatabase db(dbPath_);
        EXPECT_TRUE(std::filesystem::exists(dbPath_));
        EXPECT_EQ(db.Query("PRAGMA journal_mode").rows[0][0].AsString(), "wal");
        EXPECT_EQ(db.Query("PRAGMA foreign_keys").rows[0][0].AsInteger(), 1);
        SqlResult program = db.Query("SELECT MB002 FROM ADMMB WHERE MB001 = ?", {"TDEF05"});
        ASSERT_EQ(program.rows.size(), 1u);
        EXPECT_EQ(program.rows[0][0].AsString(), "文档信息录入作业");
        db.Query("INSERT INTO ADMMA (MA001, MA002) VALUES ('NEW', '新系统')");
    }
    // A second open keeps what is there and does not seed again.
    CompanyDatabase again(dbPath_);
    EXPECT_EQ(again.Query("SELECT COUNT(*) FROM ADMMA WHERE MA001 = 'NEW'").rows[0][0].AsInteger(), 1);
    EXPECT_EQ(again.Query("SELECT COUNT(*) FROM ADMMB WHERE MB001 = 'TDEF05'").rows[0][0].AsInteger(), 1);
}

TEST_F(CompanyDatabaseTest, BindsParametersAndReturnsTypedValues) {
    CompanyDatabase db(dbPath_);
    SqlResult r = db.Query("SELECT MF001, MF004, ? AS NOTE, ? AS MISSING FROM CMSMF WHERE MF001 = ?", {1.5, Variant(), "RMB"});
    ASSERT_EQ(r.rows.size(), 1u);
    EXPECT_EQ(r.ColumnIndex("cmsmf.mf004"), 1);
    EXPECT_EQ(r.ColumnIndex("NOTE"), 2);
    EXPECT_EQ(r.ColumnIndex("nothing"), -1);
    EXPECT_EQ(r.rows[0][0].Type(), VarType::String);
    EXPECT_EQ(r.rows[0][1].Type(), VarType::Integer);
    EXPECT_EQ(r.rows[0][1].AsInteger(), 2);
    EXPECT_DOUBLE_EQ(r.rows[0][2].AsDouble(), 1.5);
    EXPECT_TRUE(r.rows[0][3].IsNull());
    EXPECT_THROW(db.Query("SELECT * FROM NO_SUCH_TABLE"), EDatabaseError);
}

TEST_F(CompanyDatabaseTest, TransactionsAreAllOrNothingAndNest) {
    CompanyDatabase db(dbPath_);
    auto count = [&] { return db.Query("SELECT COUNT(*) FROM ADMMA").rows[0][0].AsInteger(); };
    int before = count();
    EXPECT_THROW(db.InTransaction([&] {
        db.Query("INSERT INTO ADMMA (MA001) VALUES ('T1')");
        db.Query("INSERT INTO ADMMA (MA001) VALUES ('T1')");   // duplicate key
    }), EDatabaseError);
    EXPECT_EQ(count(), before);
    db.InTransaction([&] {
        db.Query("INSERT INTO ADMMA (MA001) VALUES ('T2')");
        EXPECT_THROW(db.InTransaction([&] {
            db.Query("INSERT INTO ADMMA (MA001) VALUES ('T3')");
            throw EDatabaseError("inner work failed");
        }), EDatabaseError);
    });
    EXPECT_EQ(count(), before + 1);   // T2 kept, T3 rolled back with its savepoint
    // Deferred foreign keys: a body row without its header is refused at commit.
    EXPECT_THROW(db.InTransaction([&] { db.Query("INSERT INTO ADMMD (MD001, MD002) VALUES ('NOHEAD', '0001')"); }),
                 EDatabaseError);
    EXPECT_EQ(db.Query("SELECT COUNT(*) FROM ADMMD WHERE MD001 = 'NOHEAD'").rows[0][0].AsInteger(), 0);
}

TEST_F(CompanyDatabaseTest, OffersTheSuitesStringFunctions) {
    CompanyDatabase db(dbPath_);
    SqlResult r = db.Query("SELECT LEN('ab  '), LEN('文档'), RPAD('ab', 4), RPAD('文档', 3, '*'), RPAD('abcdef', 3), LEN(NULL)");
    EXPECT_EQ(r.rows[0][0].AsInteger(), 2);
    EXPECT_EQ(r.rows[0][1].AsInteger(), 2);
    EXPECT_EQ(r.rows[0][2].AsString(), "ab  ");
    EXPECT_EQ(r.rows[0][3].AsString(), "文档*");
    EXPECT_EQ(r.rows[0][4].AsString(), "abc");
    EXPECT_TRUE(r.rows[0][5].IsNull());
}

TEST_F(CompanyDatabaseTest, PathComesFromTheEnvironmentOrTheServerFolder) {
    EXPECT_EQ(CompanyDatabase::PathFor("DEMO"), dbPath_);
    unsetenv("TDEF_COMPANY_DB");
    std::string registry = (folder_ / "registry.ini").string();
    FILE* f = fopen(registry.c_str(), "w");
    ASSERT_NE(f, nullptr);
    fprintf(f, "[HKEY_LOCAL_MACHINE\\Software\\RKT\\Vandril]\nServerPath=%s\\server\n", folder_.string().c_str());
    fclose(f);
    setenv("VANDRIL_REGISTRY", registry.c_str(), 1);
    EXPECT_EQ(CompanyDatabase::PathFor("DEMO"), folder_.string() + "/server/Data/DEMO.db");
    EXPECT_THROW(CompanyDatabase::PathFor("../etc/passwd"), EDatabaseError);
    EXPECT_THROW(CompanyDatabase::PathFor(""), EDatabaseError);
    {
        CompanyDatabase db(CompanyDatabase::PathFor("DEMO"));   // creates the missing Data folder
        EXPECT_TRUE(std::filesystem::exists(folder_ / "server" / "Data" / "DEMO.db"));
    }
    unsetenv("VANDRIL_REGISTRY");
    EXPECT_THROW(CompanyDatabase::PathFor("DEMO"), EDatabaseError);
}
