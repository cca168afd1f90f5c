// The row count of a provider's select: lookups joined on their whole key are left out of the count,
// everything else is counted as it stands, and the count always equals the rows the select gives.
#include "outside/appserver/CountStatement.h"

#include <gtest/gtest.h>

#include "DataPathFixture.h"
#include "toolkit/rtl/Dispatch.h"

namespace {

// ADMMA keyed by MA001, ADMMB keyed by (MB001, MB002); other tables are not there.
std::vector<SqlColumnInfo> Columns(const std::string& table) {
    if (table == "ADMMA") return {{"MA001", "varchar(3)", true, false, 1}, {"MA002", "varchar(24)", false, false, 0}};
    if (table == "ADMMB")
        return {
            {"MB001", "varchar(3)", true, false, 1}, {"MB002", "varchar(3)", true, false, 2}, {"MB003", "text", false, false, 0}};
    return {};
}

const std::string kLookup =
    "SELECT ADMMC.*, ADMMA.MA002 AS MC004C FROM ADMMC ADMMC LEFT JOIN ADMMA ADMMA ON ADMMC.MC004 = ADMMA.MA001";

std::string Wrapped(const std::string& select) { return "SELECT COUNT(*) FROM (" + select + ") AS tdef_rows"; }

}  // namespace

TEST(CountStatement, LeavesOutOnlyLookupsThatCannotChangeTheCount) {
    EXPECT_EQ(CountStatement(kLookup, Columns), "SELECT COUNT(*) FROM ADMMC ADMMC");
    EXPECT_EQ(CountStatement(kLookup + " WHERE (ADMMC.MC001 LIKE ?)", Columns),
              "SELECT COUNT(*) FROM ADMMC ADMMC WHERE (ADMMC.MC001 LIKE ?)");
    EXPECT_EQ(CountStatement(
                  "SELECT A.*, B.MB003 FROM ADMMC A LEFT OUTER JOIN ADMMB B ON B.MB001 = A.MC004 AND B.MB002 = A.MC003", Columns),
              "SELECT COUNT(*) FROM ADMMC A");

    // Counted whole: the condition names the lookup (qualified, unqualified or quoted), the join is not
    // on the whole key or not on keys alone, the table is unknown, a later join needs it, the select
    // limits, groups, aggregates or has a parameter in its list.
    for (const std::string& select :
         {kLookup + " WHERE ADMMA.MA002 LIKE '系%'", kLookup + " WHERE MA002 IS NULL", kLookup + " WHERE \"MA002\" = 'x'",
          std::string("SELECT A.* FROM ADMMC A LEFT JOIN ADMMB B ON B.MB001 = A.MC004"),
          std::string("SELECT A.* FROM ADMMC A LEFT JOIN ADMMA M ON M.MA001 = A.MC004 AND M.MA002 <> ''"),
          std::string("SELECT A.* FROM ADMMC A LEFT JOIN ADMMA M ON (M.MA001 = A.MC004)"),
          std::string("SELECT A.* FROM ADMMC A LEFT JOIN ADMMX X ON X.X1 = A.MC004"),
          std::string("SELECT A.* FROM ADMMC A LEFT JOIN ADMMA M ON M.MA001 = A.MC004 INNER JOIN ADMMB B ON B.MB001 = M.MA001 "
                      "AND B.MB002 = A.MC003"),
          kLookup + " LIMIT 20",
          std::string("SELECT DISTINCT ADMMC.MC004 FROM ADMMC ADMMC LEFT JOIN ADMMA ADMMA ON ADMMC.MC004 = ADMMA.MA001"),
          std::string("SELECT COUNT(*) FROM ADMMC ADMMC LEFT JOIN ADMMA ADMMA ON ADMMC.MC004 = ADMMA.MA001"),
          std::string("SELECT ADMMC.MC004, ? FROM ADMMC ADMMC LEFT JOIN ADMMA ADMMA ON ADMMC.MC004 = ADMMA.MA001"),
          kLookup + " GROUP BY ADMMC.MC004", std::string("SELECT * FROM ADMMC")})
        EXPECT_EQ(CountStatement(select, Columns), Wrapped(select)) << select;

    // A lookup that a lookup joins through goes with it; one the condition needs stays.
    EXPECT_EQ(CountStatement("SELECT A.* FROM ADMMC A LEFT JOIN ADMMA M ON M.MA001 = A.MC004 "
                             "LEFT JOIN ADMMB B ON B.MB001 = M.MA001 AND B.MB002 = A.MC003 WHERE A.MC001 > ''",
                             Columns),
              "SELECT COUNT(*) FROM ADMMC A WHERE A.MC001 > ''");
    EXPECT_EQ(CountStatement("SELECT A.* FROM ADMMC A LEFT JOIN ADMMA M ON M.MA001 = A.MC004 "
                             "LEFT JOIN ADMMB B ON B.MB001 = M.MA001 AND B.MB002 = A.MC003 WHERE M.MA002 > '' LIMIT 5",
                             Columns),
              Wrapped("SELECT A.* FROM ADMMC A LEFT JOIN ADMMA M ON M.MA001 = A.MC004 "
                      "LEFT JOIN ADMMB B ON B.MB001 = M.MA001 AND B.MB002 = A.MC003 WHERE M.MA002 > '' LIMIT 5"));
    EXPECT_EQ(CountStatement("SELECT A.* FROM ADMMC A LEFT JOIN ADMMA M ON M.MA001 = A.MC004 "
                             "LEFT JOIN ADMMB B ON B.MB001 = M.MA001 AND B.MB002 = A.MC003 WHERE M.MA002 > ''",
                             Columns),
              "SELECT COUNT(*) FROM ADMMC A LEFT JOIN ADMMA M ON M.MA001 = A.MC004 WHERE M.MA002 > ''");
}

class RowCounts : public OnEveryBackend<DataPathFixture> {};

TEST_P(RowCounts, TheServerCountsTheRowsTheMainProviderGivesWhateverTheConditionNames) {
    AddDocuments(4, 1);
    // Two documents of a system the company does not have: the lookup finds nothing for them.
    Db().Query("UPDATE ADMMC SET MC004 = 'ZZZ' WHERE MC001 IN ('D001', 'D002')");
    DocumentClient c;
    const std::string join = "SELECT COUNT(*) FROM ADMMC ADMMC LEFT JOIN ADMMA ADMMA ON ADMMC.MC004 = ADMMA.MA001";
    for (const std::string& condition : {std::string(), std::string("ADMMC.MC001 LIKE 'D0%'"), std::string("ADMMA.MA002 IS NULL"),
                                         std::string("ADMMA.MA001 = 'ADM' AND ADMMC.MC001 LIKE 'D%'")}) {
        c.Open(condition);
        EXPECT_EQ(OleCall(c.Server(), "GetRecCount").AsInteger(), Count(join + (condition.empty() ? "" : " WHERE " + condition)))
            << condition;
    }
    c.Open("ADMMA.MA002 IS NULL");
    EXPECT_EQ(OleCall(c.Server(), "GetRecCount").AsInteger(), 2) << "only the documents whose system is missing";
    // Back to a condition counted before, after rows came and went.
    Db().Query("DELETE FROM ADMMD WHERE MD001 = 'D003'");
    Db().Query("DELETE FROM ADMMC WHERE MC001 = 'D003'");
    c.Open("ADMMC.MC001 LIKE 'D0%'");
    EXPECT_EQ(OleCall(c.Server(), "GetRecCount").AsInteger(), Count(join + " WHERE ADMMC.MC001 LIKE 'D0%'"));
    c.Open("");
    EXPECT_EQ(OleCall(c.Server(), "GetRecCount").AsInteger(), Count(join));
}

TDEF_ON_EVERY_BACKEND(RowCounts);
