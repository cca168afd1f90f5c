// Base-data rights answered by the application server from its rules table: which rows of a level a
// user may touch, as [count, keys joined with "-"].
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "DataPathFixture.h"

namespace {

std::set<std::string> KeysOf(const Variant& answer) {
    std::set<std::string> keys;
    const Variant& list = answer[1];
    for (int i = list.Low(); i <= list.High(); ++i) keys.insert(VarToStr(list[i]));
    return keys;
}

std::set<std::string> BodyKeysWhere(CompanyDatabase& db, const std::string& condition) {
    std::set<std::string> keys;
    for (const SqlRow& row : db.Query("SELECT MD001, MD002 FROM ADMMD WHERE " + condition).rows)
        keys.insert(VarToStr(row[0]) + "-" + VarToStr(row[1]));
    return keys;
}

}  // namespace

class BaseLimitedRecs : public OnEveryBackend<DataPathFixture> {};
TDEF_ON_EVERY_BACKEND(BaseLimitedRecs);

TEST_P(BaseLimitedRecs, RulesOfTheUserLimitTheRowsOfALevel) {
    AddDocuments(2, 3);
    Db().Query("INSERT INTO ADMBR (BR001, BR002, BR003, BR004) VALUES ('CLERK', 'ADMMD', 'MD001', 'D002')");

    // Without rules every row of the level; the prefix may come with or without its underscore.
    Variant ds = ConnectedServer("DS");
    Variant all = OleCall(ds, "GetBaseLimitedRecs", {"D11", "", 0});
    const std::set<std::string> everyLine = BodyKeysWhere(Db(), "1=1");
    EXPECT_EQ(all[0].AsInteger(), static_cast<int>(everyLine.size()));
    EXPECT_EQ(KeysOf(all), everyLine);
    EXPECT_EQ(KeysOf(OleCall(ds, "GetBaseLimitedRecs", {"D11_", "MD001 = 'D001'", 0})), BodyKeysWhere(Db(), "MD001 = 'D001'"));
    Variant headers = OleCall(ds, "GetBaseLimitedRecs", {"M11", "MC001 LIKE 'D0%'", 0});
    EXPECT_EQ(KeysOf(headers), (std::set<std::string>{"D001", "D002"}));

    // The clerk's rules name two permitted documents: only their lines, narrowed further by the condition.
    Variant clerk = ConnectedServer("CLERK");
    Variant permitted = OleCall(clerk, "GetBaseLimitedRecs", {"D11", "", 0});
    EXPECT_EQ(KeysOf(permitted), BodyKeysWhere(Db(), "MD001 IN ('ADMMA', 'D002')"));
    EXPECT_EQ(permitted[0].AsInteger(), static_cast<int>(KeysOf(permitted).size()));
    Variant none = OleCall(clerk, "GetBaseLimitedRecs", {"D11", "MD001 = 'D001'", 0});
    EXPECT_EQ(none[0].AsInteger(), 0);
    EXPECT_TRUE(KeysOf(none).empty());
    // The condition the client builds for a document's lines: the header's key under the body's table.
    Variant document = OleCall(clerk, "GetBaseLimitedRecs", {"D11_", "(ADMMD.MC001='D002')", 0});
    EXPECT_EQ(KeysOf(document), BodyKeysWhere(Db(), "MD001 = 'D002'"));
    EXPECT_EQ(OleCall(clerk, "GetBaseLimitedRecs", {"D11_", "(ADMMD.MC001='D001')", 0})[0].AsInteger(), 0);
    // The header level has no rules for the clerk.
    EXPECT_EQ(KeysOf(OleCall(clerk, "GetBaseLimitedRecs", {"M11", "MC001 LIKE 'D0%'", 0})), KeysOf(headers));

    // A level the program does not have, or a server not connected, is an error the caller sees.
    EXPECT_THROW(OleCall(ds, "GetBaseLimitedRecs", {"X99", "", 0}), Exception);
    Variant idle = CreateOleObject("Nexor01S.Class1");
    EXPECT_THROW(OleCall(idle, "GetBaseLimitedRecs", {"D11", "", 0}), Exception);
}
