#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <thread>

#include "outside/appserver/CompanyDatabase.h"
#include "tests/outside/CompanyFixture.h"

// A fixture whose company database is not there yet.
class NewCompanyFixture : public CompanyFixture {
protected:
    bool CreateCompany() const override { return false; }
};
using CompanyDatabaseFile = NewCompanyFixture;

TEST_F(CompanyDatabaseFile, IsCreatedOnlyWhenAskedAsAnSqliteFileInWalModeWithForeignKeys) {
    ASSERT_FALSE(std::filesystem::exists(dbPath_));
    EXPECT_THROW(CompanyDatabase missing(dbPath_), EDatabaseMissing);
    EXPECT_THROW(CompanyDatabase missing(dbPath_, CompanyDatabase::Role::Reader), EDatabaseMissing);
    EXPECT_FALSE(std::filesystem::exists(dbPath_)) << "opening a missing company makes no file";
    // An empty file is no company either.
    { std::ofstream(dbPath_).flush(); }
    EXPECT_THROW(CompanyDatabase empty(dbPath_), EDatabaseMissing);
    std::filesystem::remove(dbPath_);

    EXPECT_TRUE(CompanyDatabase::Create(dbPath_));
    CompanyDatabase db(dbPath_);
    EXPECT_TRUE(std::filesystem::exists(dbPath_));
    EXPECT_EQ(db.Dialect(), SqlDialect::SQLite);
    EXPECT_EQ(db.Query("PRAGMA journal_mode").rows[0][0].AsString(), "wal");
    EXPECT_EQ(db.Query("PRAGMA foreign_keys").rows[0][0].AsInteger(), 1);
}

TEST_F(CompanyDatabaseFile, PathComesFromTheServerFolder) {
    std::string registry = (folder_ / "registry.ini").string();
    FILE* f = fopen(registry.c_str(), "w");
    ASSERT_NE(f, nullptr);
    fprintf(f, "[HKEY_LOCAL_MACHINE\\Software\\RKT\\Vandril]\nServerPath=%s\\server\n", folder_.string().c_str());
    fclose(f);
    setenv("VANDRIL_REGISTRY", registry.c_str(), 1);
    EXPECT_EQ(CompanyDatabase::PathFor("DEMO"), folder_.string() + "/server/Data/DEMO.db");
    EXPECT_THROW(CompanyDatabase::PathFor("../etc/passwd"), EDatabaseError);
    EXPECT_THROW(CompanyDatabase::PathFor(""), EDatabaseError);
    EXPECT_TRUE(CompanyDatabase::Create(CompanyDatabase::PathFor("DEMO")));  // with the missing Data folder
    EXPECT_TRUE(std::filesystem::exists(folder_ / "server" / "Data" / "DEMO.db"));
    EXPECT_EQ(CompanyDatabase::PathFor("demo"), folder_.string() + "/server/Data/DEMO.db")
        << "names compare without regard to case";
    EXPECT_EQ(CompanyDatabase::PathFor("OTHER"), folder_.string() + "/server/Data/OTHER.db");
    // A configured PostgreSQL connection puts every company in a schema of its own.
    setenv("TDEF_POSTGRESQL", "host=/nowhere", 1);
    EXPECT_EQ(CompanyDatabase::PathFor("DEMO"), "postgresql:demo");
    EXPECT_THROW(CompanyDatabase::PathFor("../etc/passwd"), EDatabaseError);
    unsetenv("TDEF_POSTGRESQL");
    unsetenv("VANDRIL_REGISTRY");
    EXPECT_THROW(CompanyDatabase::PathFor("DEMO"), EDatabaseError);
}

TEST_F(CompanyDatabaseFile, PostgresLocationsNeedAConnectionAndAPlainSchemaName) {
    auto reason = [](const std::string& location) -> std::string {
        try {
            CompanyDatabase db(location);
        } catch (const EDatabaseError& e) {
            return e.Message();
        }
        return "opened";
    };
    unsetenv("TDEF_POSTGRESQL");
    EXPECT_NE(reason("postgresql:demo").find("No PostgreSQL connection"), std::string::npos);
    setenv("TDEF_POSTGRESQL", "host=/nowhere port=1 connect_timeout=2", 1);
    EXPECT_NE(reason("postgresql:demo; DROP TABLE x").find("Invalid PostgreSQL schema name"), std::string::npos);
    EXPECT_NE(reason("postgresql:demo").find("Cannot connect to PostgreSQL"), std::string::npos);
}

class CompanyCreation : public OnEveryBackend<NewCompanyFixture> {};
TDEF_ON_EVERY_BACKEND(CompanyCreation);

TEST_P(CompanyCreation, IsCreatedAndSeededOnceWhenAsked) {
    EXPECT_THROW(CompanyDatabase missing(dbPath_), EDatabaseMissing);
    ASSERT_TRUE(CompanyDatabase::Create(dbPath_));
    {
        CompanyDatabase db(dbPath_);
        EXPECT_EQ(db.Dialect(), Backend() == TestBackend::SQLite ? SqlDialect::SQLite : SqlDialect::PostgreSQL);
        SqlResult program = db.Query("SELECT MB002 FROM ADMMB WHERE MB001 = ?", {"TDEF05"});
        ASSERT_EQ(program.rows.size(), 1u);
        EXPECT_EQ(program.rows[0][0].AsString(), "文档信息录入作业");
        db.Query("INSERT INTO ADMMA (MA001, MA002) VALUES ('NEW', '新系统')");
    }
    // Asking again keeps what is there and does not seed again.
    EXPECT_FALSE(CompanyDatabase::Create(dbPath_));
    CompanyDatabase again(dbPath_);
    EXPECT_EQ(again.Query("SELECT COUNT(*) FROM ADMMA WHERE MA001 = 'NEW'").rows[0][0].AsInteger(), 1);
    EXPECT_EQ(again.Query("SELECT COUNT(*) FROM ADMMB WHERE MB001 = 'TDEF05'").rows[0][0].AsInteger(), 1);
}

TEST_P(CompanyCreation, ServersCreatingANewCompanyAtOnceCreateItOnce) {
    std::vector<std::thread> servers;
    std::vector<std::string> outcomes(4);
    std::atomic<int> creators{0};
    for (std::size_t i = 0; i < outcomes.size(); ++i)
        servers.emplace_back([&, i] {
            try {
                CompanyDatabase db(dbPath_, CompanyDatabase::Role::Creator);
                if (db.Created()) ++creators;
                outcomes[i] = VarToStr(db.Query("SELECT COUNT(*) FROM ADMMB WHERE MB001 = 'TDEF05'").rows[0][0]);
            } catch (const Exception& e) {
                outcomes[i] = e.Message();
            }
        });
    for (auto& t : servers) t.join();
    for (const auto& outcome : outcomes) EXPECT_EQ(outcome, "1");
    EXPECT_EQ(creators.load(), 1);
}

class CompanyDatabaseTest : public OnEveryBackend<CompanyFixture> {};
TDEF_ON_EVERY_BACKEND(CompanyDatabaseTest);

TEST_P(CompanyDatabaseTest, BindsParametersAndReturnsTypedValues) {
    CompanyDatabase db(dbPath_);
    SqlResult r =
        db.Query("SELECT MF001, MF004, MF002 AS NOTE, MA003 FROM CMSMF, ADMMA WHERE MF001 = ? AND MA001 = ? AND MF004 = ?",
                 {"RMB", "COP", 2});
    ASSERT_EQ(r.rows.size(), 1u);
    EXPECT_EQ(r.columns, (std::vector<std::string>{"MF001", "MF004", "NOTE", "MA003"}));
    EXPECT_EQ(r.ColumnIndex("cmsmf.mf004"), 1);
    EXPECT_EQ(r.ColumnIndex("nothing"), -1);
    EXPECT_EQ(r.rows[0][0].Type(), VarType::String);
    EXPECT_EQ(r.rows[0][1].Type(), VarType::Integer);
    EXPECT_EQ(r.rows[0][1].AsInteger(), 2);
    EXPECT_EQ(r.rows[0][2].AsString(), "人民币");
    EXPECT_TRUE(r.rows[0][3].IsNull());
    // Numbers keep their kind: whole numbers are integers, others doubles; a null binds as null.
    db.Query("UPDATE ADMMD SET MD006 = ?, MD007 = ? WHERE MD001 = 'ADMMA' AND MD002 = '0001'", {2.5, Variant::Null()});
    SqlResult md = db.Query("SELECT MD006, MD007, MD005 FROM ADMMD WHERE MD001 = ? ORDER BY MD002", {"ADMMA"});
    ASSERT_EQ(md.rows.size(), db.Columns("ADMMA").size());
    EXPECT_EQ(md.rows[0][0].Type(), VarType::Double);
    EXPECT_DOUBLE_EQ(md.rows[0][0].AsDouble(), 2.5);
    EXPECT_TRUE(md.rows[0][1].IsNull());
    EXPECT_EQ(md.rows[1][0].Type(), VarType::Integer);
    EXPECT_EQ(md.rows[1][0].AsInteger(), 24);
    EXPECT_EQ(md.rows[1][2].AsString(), "V");  // char(1): no padding blanks
    EXPECT_EQ(db.Query("SELECT MC001 FROM ADMMC WHERE MC001 = ?", {"' OR '1'='1"}).rows.size(), 0u);
    // Values beyond the markers are ignored; missing ones are null.
    EXPECT_EQ(db.Query("SELECT MF002 FROM CMSMF WHERE MF001 = ?", {"USD", "extra", 3}).rows.size(), 1u);
    EXPECT_EQ(db.Query("SELECT MF002 FROM CMSMF WHERE MF001 = ? AND (MF003 = ? OR MF004 = 2)", {"USD"}).rows.size(), 1u);
    EXPECT_EQ(db.Query("SELECT MF002 FROM CMSMF WHERE MF001 = ? AND MF003 IS NULL", {}).rows.size(), 0u);
    EXPECT_THROW(db.Query("SELECT * FROM NO_SUCH_TABLE"), EDatabaseError);
}

TEST_P(CompanyDatabaseTest, TransactionsAreAllOrNothingAndNest) {
    CompanyDatabase db(dbPath_);
    auto count = [&] { return db.Query("SELECT COUNT(*) FROM ADMMA").rows[0][0].AsInteger(); };
    int before = count();
    EXPECT_THROW(db.InTransaction([&] {
        db.Query("INSERT INTO ADMMA (MA001) VALUES ('T1')");
        db.Query("INSERT INTO ADMMA (MA001) VALUES ('T1')");  // duplicate key
    }),
                 EDatabaseError);
    EXPECT_EQ(count(), before);
    db.InTransaction([&] {
        db.Query("INSERT INTO ADMMA (MA001) VALUES ('T2')");
        EXPECT_THROW(db.InTransaction([&] {
            db.Query("INSERT INTO ADMMA (MA001) VALUES ('T3')");
            db.Query("INSERT INTO ADMMA (MA001) VALUES ('T3')");  // fails inside the savepoint
        }),
                     EDatabaseError);
        db.Query("INSERT INTO ADMMA (MA001) VALUES ('T4')");  // the outer transaction goes on
    });
    EXPECT_EQ(count(), before + 2);  // T2 and T4 kept, T3 rolled back with its savepoint
    // Deferred foreign keys: a body row without its header is refused at commit.
    EXPECT_THROW(db.InTransaction([&] { db.Query("INSERT INTO ADMMD (MD001, MD002) VALUES ('NOHEAD', '0001')"); }),
                 EDatabaseError);
    EXPECT_EQ(db.Query("SELECT COUNT(*) FROM ADMMD WHERE MD001 = 'NOHEAD'").rows[0][0].AsInteger(), 0);
    EXPECT_EQ(db.Query("UPDATE ADMMA SET FLAG = 2 WHERE MA001 IN ('T2', 'T4')").changes, 2);
    // One statement per text: a second one is refused and nothing of the text runs.
    EXPECT_THROW(db.Query("DELETE FROM ADMMA WHERE MA001 = 'T2'; DELETE FROM ADMMA WHERE MA001 = 'T4'"), EDatabaseError);
    EXPECT_EQ(count(), before + 2);
}

TEST_P(CompanyDatabaseTest, OffersTheSuitesStringFunctionsThroughTheTranslator) {
    CompanyDatabase db(dbPath_);
    SqlResult r = db.Query(db.Translator().Translate(
        "SELECT LEN('ab  '), LEN(N'文档'), RPAD('ab', 4), RPAD(N'文档', 3, '*'), RPAD('abcdef', 3), LEN(NULL), "
        "ISNULL(MA003, N'无') + '-' + MA001, SUBSTRING(MA002, 1, 2) FROM DEMO..ADMMA (nolock) WHERE MA001 = 'COP'"));
    ASSERT_EQ(r.rows.size(), 1u);
    EXPECT_EQ(r.rows[0][0].AsInteger(), 2);
    EXPECT_EQ(r.rows[0][1].AsInteger(), 2);
    EXPECT_EQ(r.rows[0][2].AsString(), "ab  ");
    EXPECT_EQ(r.rows[0][3].AsString(), "文档*");
    EXPECT_EQ(r.rows[0][4].AsString(), "abc");
    EXPECT_TRUE(r.rows[0][5].IsNull());
    EXPECT_EQ(r.rows[0][6].AsString(), "无-COP");
    EXPECT_EQ(r.rows[0][7].AsString(), "订单");
    // The server's clock, as text of the same shape on every backend.
    std::string now = VarToStr(db.Query(db.Translator().Translate("SELECT GETDATE() AS NOW")).rows[0][0]);
    EXPECT_EQ(now.size(), 19u) << now;
    EXPECT_EQ(now[10], ' ') << now;
}

TEST_P(CompanyDatabaseTest, TranslatedStatementsSortAndMatchAlikeOnEveryBackend) {
    CompanyDatabase db(dbPath_);
    auto keys = [&](const std::string& sql) {
        std::vector<std::string> out;
        for (const SqlRow& row : db.Query(db.Translator().Translate(sql)).rows) out.push_back(VarToStr(row[0]));
        return out;
    };
    // Nulls sort before every value, and after them when descending.
    EXPECT_EQ(keys("SELECT MA001 FROM ADMMA ORDER BY MA003, MA001"),
              (std::vector<std::string>{"ACT", "COP", "INV", "PUR", "ADM", "CMS"}));
    EXPECT_EQ(keys("SELECT MA001 FROM ADMMA ORDER BY MA003 DESC, MA001"),
              (std::vector<std::string>{"CMS", "ADM", "ACT", "COP", "INV", "PUR"}));
    // LIKE ignores ASCII case.
    EXPECT_EQ(keys("SELECT MA001 FROM ADMMA WHERE MA001 LIKE 'a%' ORDER BY MA001"), (std::vector<std::string>{"ACT", "ADM"}));
    EXPECT_EQ(keys("SELECT MA001 FROM ADMMA WHERE MA001 NOT LIKE '%m%' ORDER BY MA001"),
              (std::vector<std::string>{"ACT", "COP", "INV", "PUR"}));
}

TEST_P(CompanyDatabaseTest, CachedStatementsStepAgainAndDescribeTheirColumns) {
    CompanyDatabase db(dbPath_);
    SqlStatement& st = db.Cached("SELECT MD001, MD002, MD006, MD002 || '!' AS MARK FROM ADMMD WHERE MD001 = ? ORDER BY MD002");
    EXPECT_EQ(&st, &db.Cached(st.Sql()));
    EXPECT_EQ(db.CachedCount(), 1u);
    EXPECT_TRUE(st.ReadOnly());
    ASSERT_EQ(st.ColumnCount(), 4);
    EXPECT_EQ(st.ColumnName(1), "MD002");
    EXPECT_EQ(st.ColumnName(3), "MARK");
    EXPECT_EQ(st.DeclaredType(1), "varchar(4)");
    EXPECT_EQ(st.DeclaredType(2), "numeric");
    EXPECT_EQ(st.DeclaredType(3), "");  // an expression
    for (const char* document : {"ADMMC", "CMSMF"}) {
        st.Bind({document});
        std::vector<std::string> lines;
        while (st.Step()) lines.push_back(st.Column(1).AsString() + st.Column(3).AsString());
        EXPECT_EQ(lines.size(), db.Columns(document).size()) << document;
        EXPECT_EQ(lines.front(), "0001" + std::string("0001!"));
    }
    st.Reset();
    // A whole row at once gives what the columns give one by one: texts, numbers and nulls.
    SqlStatement& kinds =
        db.Cached("SELECT MD002, MD006, 6 * 7 AS ANSWER, 2.5 AS HALF, NULL AS MISSING FROM ADMMD WHERE MD001 = ? ORDER BY MD002");
    kinds.Bind({"ADMMC"});
    ASSERT_TRUE(kinds.Step());
    std::vector<Variant> row(6, Variant("untouched"));
    kinds.ReadColumns(row.data(), 5);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(VarDebugText(row[static_cast<std::size_t>(i)]), VarDebugText(kinds.Column(i))) << i;
    EXPECT_EQ(row[0].AsString(), "0001");
    EXPECT_EQ(row[2].AsInteger(), 42);
    EXPECT_DOUBLE_EQ(row[3].AsDouble(), 2.5);
    EXPECT_TRUE(row[4].IsNull());
    EXPECT_EQ(row[5].AsString(), "untouched");  // only the columns asked for
    kinds.Reset();
    EXPECT_EQ(db.Cached("UPDATE ADMMD SET FLAG = FLAG + 1 WHERE MD001 = ?").Execute({"ADMMC"}),
              static_cast<int>(db.Columns("ADMMC").size()));
    EXPECT_FALSE(db.Cached("DELETE FROM ADMMD WHERE MD001 = ?").ReadOnly());
    EXPECT_THROW(db.Cached("SELECT 1; SELECT 2"), EDatabaseError);
    EXPECT_EQ(db.CachedCount(), 4u);  // the refused one is not kept
}

TEST_P(CompanyDatabaseTest, StatementsRunOnValuesTheCallerKeeps) {
    CompanyDatabase db(dbPath_);
    SqlStatement& update = db.Cached("UPDATE ADMMD SET MD007 = ?, MD006 = ?, MD003 = ? WHERE MD001 = ? AND MD002 = ?");
    const Variant text(std::string(40, 'x') + "长文本"), number(7), null = Variant::Null(), document("ADMMC");
    const Variant first("0001"), second("0002"), code("short");
    // Row after row with the same room: each run takes its own values; markers beyond them are null.
    EXPECT_EQ(update.ExecuteInPlace({&text, &number, &null, &document, &first}), 1);
    EXPECT_EQ(update.ExecuteInPlace({&document, &null, &code, &document, &second}), 1);
    EXPECT_EQ(update.ExecuteInPlace({&text, &number}), 0);  // no key: nothing matches null
    SqlResult r =
        db.Query("SELECT MD007, MD006, MD003 FROM ADMMD WHERE MD001 = ? AND MD002 IN ('0001', '0002') ORDER BY MD002", {"ADMMC"});
    ASSERT_EQ(r.rows.size(), 2u);
    EXPECT_EQ(r.rows[0][0].AsString(), text.AsString());
    EXPECT_EQ(r.rows[0][1].AsInteger(), 7);
    EXPECT_TRUE(r.rows[0][2].IsNull());
    EXPECT_EQ(r.rows[1][0].AsString(), "ADMMC");
    EXPECT_TRUE(r.rows[1][1].IsNull());
    EXPECT_EQ(r.rows[1][2].AsString(), "short");

    // A passing list of parameters (texts by reference among them) serves a run, a query and a cursor.
    Variant remark(std::string(30, 'y'));
    EXPECT_EQ(update.Execute({Variant::Ref(&remark), Variant(3), Variant(std::string(15, 'z')), document, first}), 1);
    r = db.Query("SELECT MD003, MD002 FROM ADMMD WHERE MD007 = ?", {Variant::Ref(&remark)});
    ASSERT_EQ(r.rows.size(), 1u);
    EXPECT_EQ(r.rows[0][0].AsString(), std::string(15, 'z'));
    SqlStatement& byRemark = db.Cached("SELECT MD002 FROM ADMMD WHERE MD007 = ?");
    byRemark.Bind({Variant(std::string(30, 'y'))});
    const Variant other(std::string(30, 'q'));  // may take the place of the list's text
    ASSERT_TRUE(byRemark.Step());
    EXPECT_EQ(byRemark.Column(0).AsString(), "0001");
    EXPECT_FALSE(byRemark.Step());
    byRemark.Reset();
    EXPECT_EQ(other.StringRef().size(), 30u);
}

TEST_P(CompanyDatabaseTest, ColumnsGiveTypesAndKeyPositions) {
    CompanyDatabase db(dbPath_);
    const auto& columns = db.Columns("admmd");
    ASSERT_GT(columns.size(), 10u);
    EXPECT_EQ(columns[0].name, "MD001");
    EXPECT_EQ(columns[0].type, "varchar(10)");
    EXPECT_TRUE(columns[0].notNull);
    EXPECT_EQ(columns[0].keyPosition, 1);
    EXPECT_EQ(columns[1].keyPosition, 2);
    EXPECT_EQ(columns[2].keyPosition, 0);
    auto flag = std::find_if(columns.begin(), columns.end(), [](const SqlColumnInfo& c) { return c.name == "FLAG"; });
    ASSERT_NE(flag, columns.end());
    EXPECT_EQ(flag->type, "numeric");
    EXPECT_TRUE(flag->hasDefault);
    EXPECT_FALSE(flag->notNull);
    const auto& schemes = db.Columns("DOCUS");
    EXPECT_TRUE(std::any_of(schemes.begin(), schemes.end(), [](const SqlColumnInfo& c) { return c.name == "ActivePage"; }));
    EXPECT_TRUE(db.Columns("NO_SUCH_TABLE").empty());
}

TEST_P(CompanyDatabaseTest, ReaderConnectionsReadButNeverWrite) {
    CompanyDatabase owner(dbPath_);
    CompanyDatabase reader(dbPath_, CompanyDatabase::Role::Reader);
    // A reader that has stepped into a result keeps its rows while the owner writes.
    SqlStatement& rows = reader.Cached("SELECT MC001 FROM ADMMC WHERE MC001 BETWEEN 'ADMMA' AND 'ADMMD' ORDER BY MC001");
    rows.Bind({});
    ASSERT_TRUE(rows.Step());
    EXPECT_EQ(rows.Column(0).AsString(), "ADMMA");
    const long long before = owner.Query("SELECT COUNT(*) FROM ADMMC").rows[0][0].AsInteger();
    owner.Query("DELETE FROM ADMMC WHERE MC001 = 'ADMMB'");
    std::vector<std::string> rest;
    while (rows.Step()) rest.push_back(rows.Column(0).AsString());
    EXPECT_EQ(rest, (std::vector<std::string>{"ADMMB", "ADMMC", "ADMMD"}));
    rows.Reset();
    EXPECT_EQ(reader.Query("SELECT COUNT(*) FROM ADMMC").rows[0][0].AsInteger(), before - 1);
    EXPECT_THROW(reader.Query("DELETE FROM ADMMC"), EDatabaseError);
    EXPECT_EQ(owner.Query("SELECT COUNT(*) FROM ADMMC").rows[0][0].AsInteger(), before - 1);
}

TEST_P(CompanyDatabaseTest, ARememberedCountFollowsEveryWrite) {
    CompanyDatabase db(dbPath_);
    CompanyDatabase other(dbPath_);
    const std::string sql = "SELECT COUNT(*) FROM ADMMA WHERE MA001 LIKE ?";
    const long long all = db.CountOf(sql, {"%"});
    EXPECT_EQ(all, db.Query("SELECT COUNT(*) FROM ADMMA").rows[0][0].AsInteger());
    EXPECT_EQ(db.CountOf(sql, {"ZZ%"}), 0) << "other parameters count anew";
    EXPECT_EQ(db.CountOf(sql, {"%"}), all);
    // Written through this connection, through another, inside a transaction and rolled back.
    db.Query("INSERT INTO ADMMA (MA001) VALUES ('ZZ1')");
    EXPECT_EQ(db.CountOf(sql, {"%"}), all + 1);
    other.Query("INSERT INTO ADMMA (MA001) VALUES ('ZZ2')");
    EXPECT_EQ(db.CountOf(sql, {"%"}), all + 2);
    EXPECT_EQ(db.CountOf(sql, {"ZZ%"}), 2);
    other.Query("DELETE FROM ADMMA WHERE MA001 = 'ZZ1'");
    EXPECT_EQ(db.CountOf(sql, {"ZZ%"}), 1);
    EXPECT_THROW(db.InTransaction([&] {
        db.Query("INSERT INTO ADMMA (MA001) VALUES ('ZZ3')");
        EXPECT_EQ(db.CountOf(sql, {"ZZ%"}), 2);
        throw EDatabaseError("undone");
    }),
                 EDatabaseError);
    EXPECT_EQ(db.CountOf(sql, {"ZZ%"}), 1);
}
