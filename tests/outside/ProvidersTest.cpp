// The application server's providers seen through client datasets: packets, nested bodies, requests,
// cursors fetched on scroll, the colour rows and the saved query schemes.
#include <gtest/gtest.h>

#include "DataPathFixture.h"

namespace {

std::vector<std::string> Keys(TDataSet& ds, const std::string& field) {
    std::vector<std::string> out;
    ds.First();
    while (!ds.Eof()) {
        out.push_back(ds.FieldByName(field)->AsString());
        ds.Next();
    }
    return out;
}

TAppServer& ServerObject(DocumentClient& c) { return dynamic_cast<TAppServer&>(*c.Server().AsDispatch()); }

}  // namespace

class Providers : public OnEveryBackend<DataPathFixture> {};
TDEF_ON_EVERY_BACKEND(Providers);

TEST_P(Providers, MainProviderNestsTheBodyOfEachHeaderInOrder) {
    AddDocuments(3, 0);
    // Lines stored out of order come back ordered by MD002.
    for (const char* line : {"0003", "0001", "0002"})
        Db().Query("INSERT INTO ADMMD (MD001, MD002, MD003, FLAG) VALUES ('D002', ?, ?, 1)", {line, std::string("F") + line});
    DocumentClient c;
    c.Open("ADMMC.MC001 LIKE 'D0%'");

    const TFieldDef* code = c.main.FieldDefs().Find("MC001");
    const TFieldDef* system = c.main.FieldDefs().Find("MC004C");
    const TFieldDef* body = c.main.FieldDefs().Find("qryBody");
    ASSERT_TRUE(code && system && body);
    EXPECT_EQ(code->DataType, ftString);
    EXPECT_EQ(code->Size, 10);
    EXPECT_TRUE(code->Required);
    EXPECT_TRUE(system->ReadOnly);  // from the joined table: shown, never written
    EXPECT_FALSE(code->ReadOnly);
    EXPECT_EQ(body->DataType, ftDataSet);
    ASSERT_NE(c.main.FieldDefs().Find("UDF62"), nullptr);  // user-defined columns travel too
    bool bodyHasFlag = false;
    for (const auto& d : body->ChildDefs) bodyHasFlag = bodyHasFlag || d.Name == "FLAG";
    EXPECT_TRUE(bodyHasFlag);

    EXPECT_EQ(Keys(c.main, "MC001"), (std::vector<std::string>{"D001", "D002", "D003"}));
    c.main.Locate("MC001", Variant("D002"), {});
    EXPECT_EQ(c.main.FieldByName("MC004C")->AsString(), "系统管理");
    EXPECT_EQ(Keys(c.body, "MD002"), (std::vector<std::string>{"0001", "0002", "0003"}));
    c.main.First();
    EXPECT_EQ(c.body.RecordCount(), 0);

    // The protocol's members check their arguments as every provider server does.
    try {
        OleCall(c.Server(), "AS_GetRecords", {Variant("pvdMain"), Variant(20)});
        ADD_FAILURE() << "a short AS_GetRecords call was served";
    } catch (const EOleError& e) {
        EXPECT_EQ(e.Message(), "Invalid number of parameters.");
    }
}

TEST_P(Providers, DataRequestsChooseRowsAndOrder) {
    const int demo = Count("SELECT COUNT(*) FROM ADMMC");
    AddDocuments(5, 1);
    DocumentClient c;
    c.Open("ADMMC.MC001 >= 'D003' AND ADMMC.MC001 LIKE 'D0%'", "ADMMC.MC001 DESC");
    EXPECT_EQ(Keys(c.main, "MC001"), (std::vector<std::string>{"D005", "D004", "D003"}));
    EXPECT_EQ(OleCall(c.Server(), "GetRecCount").AsInteger(), 3);

    // "All" and an empty condition mean every row, in key order.
    c.Open("All");
    EXPECT_EQ(c.main.RecordCount(), demo + 5);  // the demo company's and five here
    EXPECT_EQ(Keys(c.main, "MC001").front(), Db().Query("SELECT MIN(MC001) FROM ADMMC").rows[0][0].AsString());
    c.Open("");
    EXPECT_EQ(OleCall(c.Server(), "GetRecCount").AsInteger(), demo + 5);
    // A request made before, as a window repeats it on every open, and the same with another order.
    c.Open("ADMMC.MC001 >= 'D003' AND ADMMC.MC001 LIKE 'D0%'", "ADMMC.MC001 DESC");
    EXPECT_EQ(Keys(c.main, "MC001"), (std::vector<std::string>{"D005", "D004", "D003"}));
    c.Open("ADMMC.MC001 >= 'D003' AND ADMMC.MC001 LIKE 'D0%'", "ADMMC.MC001");
    EXPECT_EQ(Keys(c.main, "MC001"), (std::vector<std::string>{"D003", "D004", "D005"}));
    EXPECT_EQ(OleCall(c.Server(), "GetRecCount").AsInteger(), 3);

    // The suite's SQL is translated; a second statement smuggled into a condition is refused.
    c.Open("ISNULL(ADMMC.MC005, '') = '' AND ADMMC.MC001 + 'x' = 'D001x'");
    EXPECT_EQ(Keys(c.main, "MC001"), (std::vector<std::string>{"D001"}));
    EXPECT_NE(ErrorOf([&] { c.Open("1=1; DELETE FROM ADMMD"); }), "no error");
    EXPECT_NE(ErrorOf([&] { c.Open("1=1; DELETE FROM ADMMD"); }), "no error") << "refused again when asked again";
    ErrorOf([&] { c.Open("1=1) ORDER BY ADMMC.MC001; DELETE FROM ADMMD; SELECT ADMMC.* FROM ADMMC ADMMC WHERE (1=1"); });
    EXPECT_EQ(ErrorOf([&] { Db().Cached("SELECT 1; DELETE FROM ADMMD"); }),
              "Only one statement is allowed here: SELECT 1; DELETE FROM ADMMD");
    EXPECT_EQ(Count("SELECT COUNT(*) FROM ADMMD WHERE MD001 LIKE 'D0%'"), 5);
    EXPECT_EQ(ErrorOf([&] {
                  c.main.ProviderName = "pvdNothing";
                  c.Open();
              }),
              "Provider 'pvdNothing' not found");
}

TEST_P(Providers, TheRowLimitOfAQueryHoldsForTheRequestsAfterIt) {
    AddDocuments(5, 1);
    DocumentClient c;
    OleCall(c.Server(), "SetTopRow", {2});
    c.Open("ADMMC.MC001 LIKE 'D0%'", "ADMMC.MC001");
    EXPECT_EQ(Keys(c.main, "MC001"), (std::vector<std::string>{"D001", "D002"}));
    EXPECT_EQ(OleCall(c.Server(), "GetRecCount").AsInteger(), 2);
    OleCall(c.Server(), "SetTopRow", {0});
    c.Open("ADMMC.MC001 LIKE 'D0%'", "ADMMC.MC001");
    EXPECT_EQ(c.main.RecordCount(), 5) << "0 lifts the limit";
}

TEST_P(Providers, AUserDefinedRuleQueryRunsWithItsValuesBound) {
    AddDocuments(2, 1);
    DocumentClient c;
    Variant rows =
        OleCall(c.Server(), "QueryUDFData",
                {VarArrayOf({"SELECT MC002, MC001 FROM ADMMC WHERE MC001 = ?", "", "DEMO", "N", VarArrayOf({"D002"})})});
    ASSERT_TRUE(rows.IsArray());
    ASSERT_EQ(rows.Count(), 1);
    EXPECT_EQ(VarToStr(rows[0][1]), "D002");
    Variant none =
        OleCall(c.Server(), "QueryUDFData",
                {VarArrayOf({"SELECT MC002 FROM ADMMC WHERE MC001 = ?", "", "DEMO", "N", VarArrayOf({"x' OR '1'='1"})})});
    EXPECT_TRUE(none.IsEmpty()) << "a value is a value, never SQL";
}

TEST_P(Providers, PacketsComeOnScrollFromAServerCursor) {
    AddDocuments(55, 2);
    DocumentClient c;
    c.Open("ADMMC.MC001 LIKE 'D0%'", "", 20);
    TAppServer& server = ServerObject(c);
    EXPECT_EQ(c.main.RecordCount(), 20);
    EXPECT_TRUE(c.main.MoreRowsAvailable());
    EXPECT_EQ(server.Cursors()->Count(), 1);
    for (int i = 0; i < 25; ++i) c.main.Next();
    EXPECT_EQ(c.main.RecordCount(), 40);
    EXPECT_EQ(c.main.FieldByName("MC001")->AsString(), "D026");
    EXPECT_EQ(c.body.RecordCount(), 2);  // bodies come with their headers
    c.main.Last();
    EXPECT_EQ(c.main.RecordCount(), 55);
    EXPECT_FALSE(c.main.MoreRowsAvailable());
    EXPECT_EQ(server.Cursors()->Count(), 0);  // delivered to the end: the cursor is gone

    // More open datasets than live cursors: the oldest give back their statement and later carry on
    // after the rows they had delivered, without gaps or repeats.
    std::vector<std::unique_ptr<TClientDataSet>> many;
    for (int i = 0; i < 6; ++i) {
        auto ds = std::make_unique<TClientDataSet>();
        ds->RemoteServer = &c.connection;
        ds->ProviderName = "pvdMain";
        ds->PacketRecords = 7;
        ds->Open();
        EXPECT_EQ(ds->RecordCount(), 7);
        many.push_back(std::move(ds));
    }
    EXPECT_LE(server.Cursors()->LiveCount(), PacketCursors::kMaxLive);
    EXPECT_EQ(server.Cursors()->Count(), 6);
    std::vector<std::string> expected = Keys(c.main, "MC001");
    for (auto& ds : many) {
        ds->Last();
        std::vector<std::string> keys = Keys(*ds, "MC001");
        EXPECT_EQ(keys, expected);  // the session's last request for pvdMain holds for them too
    }
    EXPECT_EQ(server.Cursors()->Count(), 0);
}

TEST_P(Providers, ColorRowsFollowTheProgramsRules) {
    AddDocuments(3, 2);
    Db().Query("UPDATE ADMMC SET MC003 = '2' WHERE MC001 = 'D002'");
    Db().Query("UPDATE ADMMD SET MD005 = 'N' WHERE MD001 = 'D001' AND MD002 = '0002'");
    Db().Query("INSERT INTO ADMNH (NH001, NH002, NH003) VALUES ('TDEF05', 'rules', ?)",
               {std::string("<root><colormanager><head>"
                            "<component name=\"gdHead\" enable=\"Y\">"
                            "<condition value=\"ADMMC.MC003 = '2'\" colorx=\"255\" bkcolor=\"65535\" msg=\"主档单身\"/>"
                            "</component><component name=\"edMC002\" enable=\"N\"><condition value=\"1=1\" colorx=\"1\" "
                            "bkcolor=\"2\"/></component>"
                            "</head><body><component name=\"MD005\" enable=\"Y\">"
                            "<condition value=\"ADMMD.MD005 = 'N'\" colorx=\"0\" bkcolor=\"16711680\"/></component></body>"
                            "</colormanager></root>")});
    DocumentClient c;
    TClientDataSet colors, bodyColors;
    colors.RemoteServer = &c.connection;
    colors.ProviderName = "pvdColor";
    colors.DataRequest(VarArrayOf({"ADMMC.MC001 LIKE 'D0%'", ""}));
    colors.Open();
    EXPECT_EQ(colors.FieldDefs().Find("edMC002"), nullptr);  // disabled components are left out
    ASSERT_TRUE(colors.Locate("MC001", Variant("D002"), {}));
    EXPECT_EQ(colors.FieldByName("gdHead")->AsString(), "bkcolor=65535;colorx=255;msg=主档单身;");
    ASSERT_TRUE(colors.Locate("MC001", Variant("D001"), {}));
    EXPECT_EQ(colors.FieldByName("gdHead")->AsString(), "");
    bodyColors.SetDataSetField(static_cast<TDataSetField*>(colors.FieldByName("qryBodyColor")));
    if (!bodyColors.Active()) bodyColors.Open();
    ASSERT_TRUE(bodyColors.Locate("MD002", Variant("0002"), {}));
    EXPECT_EQ(bodyColors.FieldByName("MD005")->AsString(), "bkcolor=16711680;colorx=0;");

    // Colour rows are read-only.
    colors.Edit();
    colors.FieldByName("gdHead")->SetReadOnly(false);
    colors.FieldByName("gdHead")->SetAsString("x");
    colors.Post();
    EXPECT_EQ(colors.ApplyUpdates(-1), 1);
}

TEST_P(Providers, SavedSchemesAreStoredPerUserAndProgram) {
    DocumentClient c;
    Variant server = c.Server();
    auto call = [&](const char* member, const Variant& args) { return OleCall(server, member, {args}).AsString(); };
    EXPECT_EQ(call("InsertConTable", VarArrayOf({"未审核", "DS", "20240301", "TDEF05",
                                                 "10\x07"
                                                 "text",
                                                 1, false})),
              "");
    EXPECT_EQ(call("InsertConTable", VarArrayOf({"全部", "DS", "20240302", "TDEF05", "20\x07", 0, false})), "");
    EXPECT_EQ(call("InsertConTable", VarArrayOf({"别人的", "CLERK", "20240302", "TDEF05", "", 0, false})), "");
    EXPECT_EQ(call("InsertConTable", VarArrayOf({"全部", "DS", "20240303", "TDEF05", "30\x07", 2, false})), "此方案名已存在!");
    EXPECT_EQ(call("InsertConTable", VarArrayOf({"全部", "DS", "20240303", "TDEF05", "30\x07", 2, true})), "");
    EXPECT_EQ(
        call("InsertConTable", VarArrayOf({"一二三四五六七八九十一二三四五六七八九十一", "DS", "", "TDEF05", "", 0, false})),
        "方案名不可超过20个字符!");
    EXPECT_EQ(call("ChangeConName", VarArrayOf({VarArrayOf({"未审核", "DS", "TDEF05"}), VarArrayOf({"待审核", "DS", "TDEF05"})})),
              "");
    EXPECT_EQ(call("ChangeConName", VarArrayOf({VarArrayOf({"待审核", "DS", "TDEF05"}), VarArrayOf({"全部", "DS", "TDEF05"})})),
              "此方案名已存在!");
    EXPECT_EQ(call("LoadTable", VarArrayOf({"DS", "TDEF05"})), "");

    TClientDataSet schemes;
    schemes.RemoteServer = &c.connection;
    schemes.ProviderName = "pvdConSave";
    schemes.Open();
    EXPECT_EQ(Keys(schemes, "NCONDITION"), (std::vector<std::string>{"全部", "待审核"}));
    schemes.First();
    EXPECT_EQ(schemes.FieldByName("VCONDITION")->AsString(), "30\x07");
    EXPECT_EQ(schemes.FieldByName("ActivePage")->AsInteger(), 2);
    EXPECT_EQ(schemes.FieldByName("CREATE_DATE")->AsString(), "20240303");

    EXPECT_EQ(call("DeleteConTable", VarArrayOf({"全部", "DS", "TDEF05"})), "");
    schemes.Close();
    schemes.Open();
    EXPECT_EQ(Keys(schemes, "NCONDITION"), (std::vector<std::string>{"待审核"}));
    EXPECT_EQ(Count("SELECT COUNT(*) FROM DOCUS WHERE CREATOR = 'CLERK'"), 1);
}
