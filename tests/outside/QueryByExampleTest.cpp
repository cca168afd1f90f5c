// The conditions the query dialog builds, as the application server runs them for the main provider
// on every backend: SUBSTRING on the stamp columns, like patterns (with escaped wildcards), IN lists,
// the joined column's expression and the detail filter's counting sub-query over DB..TABLE. Each
// matching document comes once, with its own lines only.
#include <gtest/gtest.h>

#include <set>

#include "DataPathFixture.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

std::vector<std::string> Codes(TDataSet& ds) {
    std::vector<std::string> out;
    for (ds.First(); !ds.Eof(); ds.Next()) out.push_back(ds.FieldByName("MC001")->AsString());
    return out;
}

using Codes_t = std::vector<std::string>;

}  // namespace

class QueryByExample : public OnEveryBackend<DataPathFixture> {
protected:
    void SetUp() override {
        OnEveryBackend<DataPathFixture>::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        AddDocuments(4, 3, "QX");
        Db().Query("UPDATE ADMMC SET MC002 = ?, CREATE_DATE = '20240305101112000' WHERE MC001 = 'QX001'", {"50%_off [a]"});
        Db().Query("UPDATE ADMMC SET MC002 = ?, MC004 = 'CMS' WHERE MC001 = 'QX002'", {"O'Neil"});
        Db().Query("UPDATE ADMMC SET MC002 = ? WHERE MC001 = 'QX003'", {"500 off"});
        // A field code on two lines of one document, and once in another.
        Db().Query("UPDATE ADMMD SET MD003 = 'TWICE', MD005 = 'N' WHERE MD001 = 'QX002' AND MD002 IN ('0001', '0003')");
        Db().Query("UPDATE ADMMD SET MD003 = 'TWICE' WHERE MD001 = 'QX004' AND MD002 = '0002'");
    }
};
TDEF_ON_EVERY_BACKEND(QueryByExample);

TEST_P(QueryByExample, GridAndAdvancedConditionsChooseTheirDocuments) {
    DocumentClient c;
    c.Open(" (ADMMC.MC001 like 'QX%' ) ", "ADMMC.MC001 desc");
    EXPECT_EQ(Codes(c.main), (Codes_t{"QX004", "QX003", "QX002", "QX001"}));
    // A quote inside the value, and the wildcards of a value that is searched for as it is.
    c.Open(" (ADMMC.MC002 = 'O''Neil' ) ");
    EXPECT_EQ(Codes(c.main), (Codes_t{"QX002"}));
    c.Open(" (ADMMC.MC002 like '%50\\%\\_%' ESCAPE '\\' ) ");
    EXPECT_EQ(Codes(c.main), (Codes_t{"QX001"})) << "% and _ match only themselves";
    c.Open(" (ADMMC.MC002 like '%\\[a]' ESCAPE '\\' ) ");
    EXPECT_EQ(Codes(c.main), (Codes_t{"QX001"}));
    c.Open(" (ADMMC.MC002 like '50%' ) ", "ADMMC.MC001");
    EXPECT_EQ(Codes(c.main), (Codes_t{"QX001", "QX003"}));
    // IN lists of texts and of numbers, OR between rows, the joined column's expression.
    c.Open(" (ADMMC.MC001 IN ('QX001','QX003')) ", "ADMMC.MC001");
    EXPECT_EQ(Codes(c.main), (Codes_t{"QX001", "QX003"}));
    c.Open(" (ADMMC.FLAG IN (1,2,3) ) AND (ADMMC.MC001 = 'QX004' ) ");
    EXPECT_EQ(Codes(c.main), (Codes_t{"QX004"}));
    c.Open("(ADMMC.MC001 like 'QX%') and ( (ADMMC.MC001 = 'QX004')  OR (ADMMA.MA002 like '%基本信息%' ) )", "ADMMC.MC001");
    EXPECT_EQ(Codes(c.main), (Codes_t{"QX002", "QX004"}));
    // The date of a stamp column on the advanced page.
    c.Open("(SUBSTRING(ADMMC.CREATE_DATE ,1,8 ) = '20240305')\r\n");
    EXPECT_EQ(Codes(c.main), (Codes_t{"QX001"}));
}

TEST_P(QueryByExample, DetailFilterListsEachDocumentOnceWithItsOwnLines) {
    DocumentClient c;
    c.Open("  ( select count(*) FROM DEMO..ADMMD ADMMD where  (ADMMC.MC001=ADMMD.MD001) and  ( (ADMMD.MD003 = 'TWICE') ) ) > 0 ",
           "ADMMC.MC001");
    EXPECT_EQ(Codes(c.main), (Codes_t{"QX002", "QX004"})) << "two matching lines, one document";
    c.main.First();
    EXPECT_EQ(c.body.RecordCount(), 3) << "the document comes with all its lines";
    // With a header condition, through $$ and a table hint.
    c.Open(
        "((ADMMC.MC004 = 'CMS') AND ADMMC.MC001 like 'QX%') and  ( select count(*) FROM $$ADMMD ADMMD (nolock) where  "
        "(ADMMC.MC001=ADMMD.MD001) and "
        " ( (ADMMD.MD005 = 'N')\r\n  OR (ADMMD.MD003 like 'TW%') ) ) > 0 ");
    EXPECT_EQ(Codes(c.main), (Codes_t{"QX002"}));
    // Nothing matches: nothing listed.
    c.Open(" ( select count(*) FROM DEMO..ADMMD ADMMD where  (ADMMC.MC001=ADMMD.MD001) and  ( (ADMMD.MD003 = 'NONE') ) ) > 0 ");
    EXPECT_EQ(c.main.RecordCount(), 0);
}

TEST_P(QueryByExample, AConditionTheServerRefusesSaysWhy) {
    DocumentClient c;
    const std::string error = ErrorOf([&] { c.Open("(ADMMC.NOSUCHCOLUMN = 1)"); });
    // The server's reason names the column (PostgreSQL folds unquoted names to lower case).
    EXPECT_NE(UpperCase(error).find("NOSUCHCOLUMN"), std::string::npos) << error;
    EXPECT_NE(ErrorOf([&] { c.Open("(ADMMC.MC001 = 'QX001'); DELETE FROM ADMMD"); }), "no error");
    EXPECT_EQ(Count("SELECT COUNT(*) FROM ADMMD WHERE MD001 LIKE 'QX%'"), 12);
}
