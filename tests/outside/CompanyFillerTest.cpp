#include <gtest/gtest.h>

#include "bench/company/CompanyFiller.h"
#include "outside/appserver/CompanyDatabase.h"
#include "tests/outside/CompanyFixture.h"

class CompanyFiller : public OnEveryBackend<CompanyFixture> {};
TDEF_ON_EVERY_BACKEND(CompanyFiller);

TEST_P(CompanyFiller, AddsDocumentsWithTenToThirtyValidLinesTheSameForTheSameSeed) {
    FillOptions options;
    options.documents = 40;
    options.batch = 15;
    std::vector<long long> told;
    FillResult result = FillCompany(dbPath_, options, [&](long long done, long long) { told.push_back(done); });
    EXPECT_EQ(result.documents, 40);
    EXPECT_EQ(told, (std::vector<long long>{15, 30, 40})) << "progress after every batch";

    CompanyDatabase db(dbPath_);
    auto count = [&](const std::string& sql) { return db.Query(sql).rows[0][0].AsInt64(); };
    EXPECT_EQ(count("SELECT COUNT(*) FROM ADMMC WHERE MC001 LIKE 'G%'"), 40);
    EXPECT_EQ(count("SELECT COUNT(*) FROM ADMMD WHERE MD001 LIKE 'G%'"), result.lines);
    EXPECT_EQ(db.Query("SELECT MIN(MC001), MAX(MC001) FROM ADMMC WHERE MC001 LIKE 'G%'").rows[0][1].AsString(), "G0000040");
    SqlResult perDocument = db.Query("SELECT MD001, COUNT(*), MAX(MD002) FROM ADMMD WHERE MD001 LIKE 'G%' GROUP BY MD001");
    ASSERT_EQ(perDocument.rows.size(), 40u);
    for (const SqlRow& row : perDocument.rows) {
        EXPECT_GE(row[1].AsInt64(), 10);
        EXPECT_LE(row[1].AsInt64(), 30);
        char last[16];
        std::snprintf(last, sizeof last, "%04lld", static_cast<long long>(row[1].AsInt64()));
        EXPECT_EQ(row[2].AsString(), last) << "lines are numbered 0001 up without gaps";
    }
    // What the program accepts: a known system, a type 1-8, field types with positive lengths, whole
    // lengths for every type but N, one field code once per document.
    EXPECT_EQ(count("SELECT COUNT(*) FROM ADMMC WHERE MC001 LIKE 'G%' AND MC004 NOT IN (SELECT MA001 FROM ADMMA)"), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM ADMMC WHERE MC001 LIKE 'G%' AND MC003 NOT IN ('1','2','3','4','5','6','7','8')"), 0);
    EXPECT_EQ(
        count("SELECT COUNT(*) FROM ADMMD WHERE MD001 LIKE 'G%' AND (MD006 <= 0 OR MD005 NOT IN ('C','N','V','D','T','I','Z'))"),
        0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM ADMMD WHERE MD001 LIKE 'G%' AND MD005 <> 'N' AND MD006 <> ROUND(MD006, 0)"), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM (SELECT MD001, MD003 FROM ADMMD WHERE MD001 LIKE 'G%' GROUP BY MD001, MD003 HAVING "
                    "COUNT(*) > 1) AS twice"),
              0);
    EXPECT_GT(count("SELECT COUNT(DISTINCT MD005) FROM ADMMD WHERE MD001 LIKE 'G%'"), 3) << "the field types vary";

    // The same seed again, numbered on: the same documents under other codes.
    options.firstNumber = 41;
    FillResult again = FillCompany(dbPath_, options);
    EXPECT_EQ(again.lines, result.lines);
    EXPECT_EQ(db.Query("SELECT MD004 FROM ADMMD WHERE MD001 = 'G0000041' ORDER BY MD002").rows,
              db.Query("SELECT MD004 FROM ADMMD WHERE MD001 = 'G0000001' ORDER BY MD002").rows);

    // A code that exists already fails its batch as a whole.
    options.firstNumber = 80;
    options.batch = 5;
    EXPECT_THROW(FillCompany(dbPath_, options), EDatabaseError);
    EXPECT_EQ(count("SELECT COUNT(*) FROM ADMMC WHERE MC001 LIKE 'G%'"), 80) << "nothing of the refused batch stays";
}
