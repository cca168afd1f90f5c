// The bodies nested in a provider's packets, read for many headers at once: each header gets exactly
// its own rows in the body's order, however many headers a packet holds, whatever links tie them, and
// also when the database matches link values whose text differs.
#include <gtest/gtest.h>

#include "DataPathFixture.h"
#include "outside/appserver/PacketCursors.h"
#include "toolkit/data/Packets.h"
#include "toolkit/data/Provider.h"

namespace {

// Every header's code with the MD002 of its body rows, as the client sees them.
std::map<std::string, std::vector<std::string>> BodiesSeen(DocumentClient& c) {
    std::map<std::string, std::vector<std::string>> out;
    c.main.First();
    while (!c.main.Eof()) {
        std::vector<std::string>& lines = out[c.main.FieldByName("MC001")->AsString()];
        for (c.body.First(); !c.body.Eof(); c.body.Next()) {
            EXPECT_EQ(c.body.FieldByName("MD001")->AsString(), c.main.FieldByName("MC001")->AsString());
            lines.push_back(c.body.FieldByName("MD002")->AsString());
        }
        c.main.Next();
    }
    return out;
}

// A provider of document headers with their lines, tied by the given links.
Provider DocumentsWithLines(const std::string& headerSelect, std::vector<std::pair<std::string, std::string>> links) {
    Provider p;
    p.name = "pvdTest";
    p.level.select = headerSelect;
    p.level.defaultOrder = "ADMMC.MC001";
    ProviderLevel lines;
    lines.select = "SELECT ADMMD.* FROM ADMMD ADMMD";
    lines.table = "ADMMD";
    lines.defaultOrder = "ADMMD.MD002";
    lines.fieldName = "qryBody";
    lines.links = std::move(links);
    p.level.details.push_back(std::move(lines));
    return p;
}

}  // namespace

class ProviderBodies : public OnEveryBackend<DataPathFixture> {
protected:
    // The rows of one packet of the provider: each an array of its columns, then its nested rows.
    Variant Rows(const Provider& p, int count = -1) {
        PacketCursors cursors([this] { return std::make_unique<CompanyDatabase>(dbPath_, CompanyDatabase::Role::Reader); },
                              Db().Translator());
        Variant owner;
        int recs = 0;
        ProviderRequest request;
        request.condition = "ADMMC.MC001 BETWEEN 'D000' AND 'D999'";
        Variant packet = cursors.GetRecords(p, request, Db(), count, grMetaData | grReset, owner, recs);
        columns_ = DefsFromMetadata(packet[1]);
        return packet[2];
    }
    int Column(const std::string& name) const {
        for (std::size_t i = 0; i < columns_.size(); ++i)
            if (columns_[i].Name == name) return static_cast<int>(i);
        return -1;
    }
    std::vector<TFieldDef> columns_;
};
TDEF_ON_EVERY_BACKEND(ProviderBodies);

TEST_P(ProviderBodies, EveryHeaderOfAPacketGetsItsOwnLinesInOrder) {
    // More headers than one statement reads bodies for; bodies of 0 to 3 lines, stored out of order.
    const int documents = LevelReader::kBatch + 44;
    AddDocuments(documents, 0);
    Db().InTransaction([&] {
        for (int d = 1; d <= documents; ++d) {
            char key[16];
            std::snprintf(key, sizeof key, "D%03d", d);
            for (int l = d % 4; l >= 1; --l)
                Db().Query("INSERT INTO ADMMD (MD001, MD002, MD003, FLAG) VALUES (?, ?, ?, 1)",
                           {key, "000" + std::to_string(l), "F" + std::to_string(l)});
        }
    });
    // Packets of 20 on scroll first, then every header at once: the same bodies.
    DocumentClient c;
    c.Open("ADMMC.MC001 BETWEEN 'D000' AND 'D999'", "", 20);
    EXPECT_EQ(c.main.RecordCount(), 20);
    auto scrolled = BodiesSeen(c);
    c.Open("ADMMC.MC001 BETWEEN 'D000' AND 'D999'");
    auto seen = BodiesSeen(c);
    ASSERT_EQ(seen.size(), static_cast<std::size_t>(documents));
    for (const auto& [code, lines] : seen) {
        std::vector<std::string> expected;
        for (int l = 1; l <= std::stoi(code.substr(1)) % 4; ++l) expected.push_back("000" + std::to_string(l));
        EXPECT_EQ(lines, expected) << code;
    }
    EXPECT_EQ(scrolled, seen);
}

TEST_P(ProviderBodies, LinksOfSeveralColumnsNullsAndRepeatedHeaders) {
    AddDocuments(3, 2);
    Db().Query("UPDATE ADMMD SET COMPANY = 'DEMO'");
    Db().Query("UPDATE ADMMD SET COMPANY = 'OTHER' WHERE MD001 = 'D002' AND MD002 = '0001'");
    Db().Query("UPDATE ADMMC SET COMPANY = NULL WHERE MC001 = 'D003'");
    // Each header twice (a join repeats it): both copies carry the body.
    Provider p =
        DocumentsWithLines("SELECT ADMMC.*, T.N FROM ADMMC ADMMC JOIN (SELECT 1 AS N UNION ALL SELECT 2 AS N) T ON 1 = 1",
                           {{"MC001", "MD001"}, {"COMPANY", "COMPANY"}});
    p.level.defaultOrder = "ADMMC.MC001, T.N";
    Variant rows = Rows(p);
    ASSERT_EQ(rows.Count(), 6);
    const int code = Column("MC001"), body = Column("qryBody"), line = 1;
    ASSERT_GE(code, 0);
    ASSERT_GE(body, 0);
    auto lines = [&](int r) {
        std::vector<std::string> out;
        const Variant& nested = rows[r][body];
        for (int i = nested.Low(); i <= nested.High(); ++i) out.push_back(nested[i][line].AsString());
        return out;
    };
    for (int r : {0, 1}) {
        EXPECT_EQ(rows[r][code].AsString(), "D001");
        EXPECT_EQ(lines(r), (std::vector<std::string>{"0001", "0002"}));
    }
    for (int r : {2, 3}) EXPECT_EQ(lines(r), (std::vector<std::string>{"0002"})) << "the line of another company stays out";
    for (int r : {4, 5}) {
        EXPECT_EQ(rows[r][code].AsString(), "D003");
        EXPECT_TRUE(rows[r][body].IsArray());
        EXPECT_EQ(rows[r][body].Count(), 0) << "a null link ties no line";
    }
}

TEST_P(ProviderBodies, LinkValuesTheDatabaseMatchesInAnotherSpellingStillBringTheirLines) {
    AddDocuments(2, 0);
    Db().Query("INSERT INTO ADMMD (MD001, MD002, MD003, MD006, FLAG) VALUES ('D001', '0001', 'F1', 10.5, 1)");
    Db().Query("INSERT INTO ADMMD (MD001, MD002, MD003, MD006, FLAG) VALUES ('D002', '0001', 'F2', 20.25, 1)");
    // The header's text "10.50" finds the line's number 10.5 in the database; their texts differ.
    Provider p = DocumentsWithLines(
        "SELECT ADMMC.*, CASE WHEN ADMMC.MC001 = 'D001' THEN '10.50' ELSE '20.250' END AS AMOUNT FROM ADMMC ADMMC",
        {{"AMOUNT", "MD006"}});
    Variant rows = Rows(p);
    ASSERT_EQ(rows.Count(), 2);
    const int body = Column("qryBody");
    ASSERT_GE(body, 0);
    for (int r : {0, 1}) {
        ASSERT_EQ(rows[r][body].Count(), 1) << r;
        EXPECT_EQ(rows[r][body][0][2].AsString(), r == 0 ? "F1" : "F2");
    }
}

// Lines leave out their trailing nulls on the way; the client still sees every column, null where
// nothing was stored, and a value in the last column keeps the line whole.
TEST_P(ProviderBodies, LinesEndAtTheirLastValueAndTheClientSeesTheRestAsNull) {
    AddDocuments(1, 0);
    Db().Query("INSERT INTO ADMMD (MD001, MD002, MD003, FLAG) VALUES ('D001', '0001', 'F1', 1)");
    Db().Query("INSERT INTO ADMMD (MD001, MD002, MD003, FLAG, UDF62) VALUES ('D001', '0002', 'F2', 1, 7.5)");
    Db().Query("INSERT INTO ADMMD (MD001, MD002, FLAG, UDF01) VALUES ('D001', '0003', NULL, 'note')");
    Variant rows = Rows(DocumentsWithLines("SELECT ADMMC.* FROM ADMMC ADMMC", {{"MC001", "MD001"}}));
    ASSERT_EQ(rows.Count(), 1);
    const Variant& lines = rows[0][Column("qryBody")];
    ASSERT_EQ(lines.Count(), 3);
    const int columns = static_cast<int>(columns_[static_cast<std::size_t>(Column("qryBody"))].ChildDefs.size());
    EXPECT_LT(lines[0].Count(), columns) << "the empty user-defined columns stay behind";
    EXPECT_EQ(lines[1].Count(), columns) << "a value in the last column";

    DocumentClient c;
    c.Open("ADMMC.MC001 = 'D001'");
    ASSERT_EQ(c.body.RecordCount(), 3);
    c.body.First();
    EXPECT_TRUE(c.body.FieldByName("UDF62")->IsNull());
    EXPECT_TRUE(c.body.FieldByName("UDF01")->IsNull());
    EXPECT_EQ(c.body.FieldByName("MD003")->AsString(), "F1");
    c.body.Next();
    EXPECT_DOUBLE_EQ(c.body.FieldByName("UDF62")->AsFloat(), 7.5);
    c.body.Next();
    EXPECT_TRUE(c.body.FieldByName("FLAG")->IsNull());
    EXPECT_TRUE(c.body.FieldByName("MD003")->IsNull());
    EXPECT_EQ(c.body.FieldByName("UDF01")->AsString(), "note");
    EXPECT_TRUE(c.body.FieldByName("UDF02")->IsNull());

    // A line edited and saved keeps its nulls.
    c.body.Edit();
    c.body.FieldByName("MD003")->SetAsString("F3");
    c.body.Post();
    EXPECT_EQ(c.main.ApplyUpdates(0), 0);
    SqlResult stored = Db().Query("SELECT MD003, UDF02, UDF01 FROM ADMMD WHERE MD001 = 'D001' AND MD002 = '0003'", {});
    ASSERT_EQ(stored.rows.size(), 1u);
    EXPECT_EQ(VarToStr(stored.rows[0][0]), "F3");
    EXPECT_TRUE(stored.rows[0][1].IsNull());
    EXPECT_EQ(VarToStr(stored.rows[0][2]), "note");
}
