// Saving documents through the application server: header and body in one transaction, rows changed
// or deleted meanwhile refused with a clear reason, the maximum error count deciding what stays.
#include <gtest/gtest.h>

#include <map>

#include "DataPathFixture.h"
#include "toolkit/data/Packets.h"
#include "toolkit/data/Provider.h"

namespace {

struct Reconciled {
    std::vector<std::string> messages;
    std::vector<std::string> contexts;
    std::vector<int> codes;
    void Listen(TClientDataSet& ds) {
        ds.OnReconcileError = [this](TClientDataSet*, EReconcileError& e, TUpdateKind, TReconcileAction& action) {
            messages.push_back(e.Message());
            contexts.push_back(e.Context());
            codes.push_back(e.ErrorCode());
            action = raSkip;
        };
    }
};

void EditLine(DocumentClient& c, const std::string& line, const std::string& field, const std::string& value) {
    ASSERT_TRUE(c.body.Locate("MD002", Variant(line), {}));
    c.body.Edit();
    c.body.FieldByName(field)->SetAsString(value);
    DocumentClient::BumpFlag(c.body);
    c.body.Post();
}

void TouchHeader(DocumentClient& c) {
    c.main.Edit();
    DocumentClient::BumpFlag(c.main);
    c.main.Post();
}

}  // namespace

class DeltaApply : public OnEveryBackend<DataPathFixture> {};
TDEF_ON_EVERY_BACKEND(DeltaApply);

TEST_P(DeltaApply, NewDocumentWithItsBodyIsStoredInOneCall) {
    DocumentClient c;
    c.Open("1=2");
    c.main.Append();
    c.main.FieldByName("MC001")->SetAsString("NEW01");
    c.main.FieldByName("MC002")->SetAsString("新文档");
    c.main.FieldByName("FLAG")->SetAsInteger(1);
    for (int l = 1; l <= 3; ++l) {
        c.body.Append();
        c.body.FieldByName("MD001")->SetAsString("NEW01");
        c.body.FieldByName("MD002")->SetAsString("000" + std::to_string(l));
        c.body.FieldByName("MD003")->SetAsString("F" + std::to_string(l));
        c.body.FieldByName("MD006")->SetAsFloat(10.5 * l);
        c.body.FieldByName("FLAG")->SetAsInteger(1);
        c.body.Post();
    }
    c.main.Post();
    EXPECT_EQ(c.main.ApplyUpdates(0), 0);
    EXPECT_EQ(c.main.ChangeCount(), 0);
    EXPECT_EQ(Value("SELECT MC002 FROM ADMMC WHERE MC001 = 'NEW01'").AsString(), "新文档");
    EXPECT_EQ(Count("SELECT COUNT(*) FROM ADMMD WHERE MD001 = 'NEW01'"), 3);
    EXPECT_DOUBLE_EQ(Value("SELECT MD006 FROM ADMMD WHERE MD001 = 'NEW01' AND MD002 = '0003'").AsDouble(), 31.5);
    EXPECT_TRUE(Value("SELECT MC005 FROM ADMMC WHERE MC001 = 'NEW01'").IsNull());  // not typed: stored as the client holds it

    // A value that looks like SQL is stored as the text it is.
    std::string sly = "x'); DELETE FROM ADMMD; --";
    c.main.Edit();
    c.main.FieldByName("MC005")->SetAsString(sly);
    DocumentClient::BumpFlag(c.main);
    c.main.Post();
    EXPECT_EQ(c.main.ApplyUpdates(0), 0);
    EXPECT_EQ(Value("SELECT MC005 FROM ADMMC WHERE MC001 = 'NEW01'").AsString(), sly);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM ADMMD WHERE MD001 = 'NEW01'"), 3);

    // A line typed in, the line it replaces removed, and the new one given the old number: saved
    // together whatever the order of the changes.
    c.body.Append();
    c.body.FieldByName("MD001")->SetAsString("NEW01");
    c.body.FieldByName("MD002")->SetAsString("0009");
    c.body.FieldByName("MD003")->SetAsString("REPLACED");
    c.body.FieldByName("FLAG")->SetAsInteger(1);  // a new line is stored with FLAG 1, as the server counts
    c.body.Post();
    ASSERT_TRUE(c.body.Locate("MD002", Variant("0002"), {}));
    c.body.Delete();
    ASSERT_TRUE(c.body.Locate("MD002", Variant("0009"), {}));
    c.body.Edit();
    c.body.FieldByName("MD002")->SetAsString("0002");
    c.body.Post();
    EXPECT_EQ(c.main.ApplyUpdates(0), 0);
    EXPECT_EQ(Value("SELECT MD003 FROM ADMMD WHERE MD001 = 'NEW01' AND MD002 = '0002'").AsString(), "REPLACED");

    // Deleting the document takes its body along.
    c.main.Delete();
    EXPECT_EQ(c.main.ApplyUpdates(0), 0);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM ADMMC WHERE MC001 = 'NEW01'"), 0);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM ADMMD WHERE MD001 = 'NEW01'"), 0);
}

TEST_P(DeltaApply, RowChangedMeanwhileIsRefusedAndTheFirstSaveStays) {
    AddDocuments(1, 3);
    DocumentClient first, second;
    first.Open("ADMMC.MC001 = 'D001'");
    second.Open("ADMMC.MC001 = 'D001'");

    EditLine(first, "0002", "MD004", "先到");
    TouchHeader(first);
    EXPECT_EQ(first.main.ApplyUpdates(0), 0);

    EditLine(second, "0002", "MD004", "后到");
    EditLine(second, "0003", "MD004", "无冲突");
    TouchHeader(second);
    Reconciled header, body;
    header.Listen(second.main);
    body.Listen(second.body);
    EXPECT_GE(second.main.ApplyUpdates(0), 1);
    // The header was changed by the first save too: refused with the reason, nothing of the second kept.
    ASSERT_EQ(header.messages.size(), 1u);
    EXPECT_EQ(header.messages[0], "Record changed by another user");
    EXPECT_EQ(header.contexts[0], "ADMMC: MC001=D001");
    EXPECT_EQ(Value("SELECT MD004 FROM ADMMD WHERE MD001 = 'D001' AND MD002 = '0002'").AsString(), "先到");
    EXPECT_EQ(Value("SELECT MD004 FROM ADMMD WHERE MD001 = 'D001' AND MD002 = '0003'").AsString(), "字段3");
    EXPECT_EQ(Count("SELECT FLAG FROM ADMMD WHERE MD001 = 'D001' AND MD002 = '0002'"), 2);
    EXPECT_GT(second.main.ChangeCount(), 0);  // the refused changes wait on the client

    // The same conflict on a body row alone (a client that does not stamp its header).
    DocumentClient third, fourth;
    third.Open("ADMMC.MC001 = 'D001'");
    fourth.Open("ADMMC.MC001 = 'D001'");
    EditLine(third, "0001", "MD003", "AAA");
    EXPECT_EQ(third.main.ApplyUpdates(0), 0);
    EditLine(fourth, "0001", "MD003", "BBB");
    Reconciled lines;
    lines.Listen(fourth.body);
    EXPECT_EQ(fourth.main.ApplyUpdates(0), 1);
    ASSERT_EQ(lines.messages.size(), 1u);
    EXPECT_EQ(lines.messages[0], "Record changed by another user");
    EXPECT_EQ(lines.contexts[0], "ADMMD: MD001=D001, MD002=0001");
    EXPECT_EQ(Value("SELECT MD003 FROM ADMMD WHERE MD001 = 'D001' AND MD002 = '0001'").AsString(), "AAA");
}

TEST_P(DeltaApply, RowDeletedMeanwhileIsReportedAsDeleted) {
    AddDocuments(1, 2);
    DocumentClient first, second;
    first.Open("ADMMC.MC001 = 'D001'");
    second.Open("ADMMC.MC001 = 'D001'");
    ASSERT_TRUE(first.body.Locate("MD002", Variant("0002"), {}));
    first.body.Delete();
    EXPECT_EQ(first.main.ApplyUpdates(0), 0);

    EditLine(second, "0002", "MD004", "改已删");
    Reconciled body;
    body.Listen(second.body);
    EXPECT_EQ(second.main.ApplyUpdates(0), 1);
    ASSERT_EQ(body.messages.size(), 1u);
    EXPECT_EQ(body.messages[0], "Record not found or deleted by another user");
    EXPECT_EQ(Count("SELECT COUNT(*) FROM ADMMD WHERE MD001 = 'D001'"), 1);

    // Deleting what is already gone is reported the same way.
    DocumentClient third;
    third.Open("ADMMC.MC001 = 'D001'");
    Db().Query("DELETE FROM ADMMD WHERE MD001 = 'D001'");
    third.body.First();
    third.body.Delete();
    Reconciled again;
    again.Listen(third.body);
    EXPECT_EQ(third.main.ApplyUpdates(0), 1);
    ASSERT_EQ(again.messages.size(), 1u);
    EXPECT_EQ(again.messages[0], "Record not found or deleted by another user");
}

TEST_P(DeltaApply, ANewRowWhoseKeyIsTakenIsRefusedAsExisting) {
    AddDocuments(1, 1);
    DocumentClient c;
    c.Open("1=2");
    c.main.Append();
    c.main.FieldByName("MC001")->SetAsString("D001");
    c.main.FieldByName("MC002")->SetAsString("重复");
    c.main.FieldByName("FLAG")->SetAsInteger(1);
    c.main.Post();
    Reconciled header;
    header.Listen(c.main);
    EXPECT_EQ(c.main.ApplyUpdates(0), 1);
    ASSERT_EQ(header.messages.size(), 1u);
    EXPECT_EQ(header.messages[0], "A record with this key already exists");
    EXPECT_EQ(header.codes[0], rcExists);
    EXPECT_EQ(header.contexts[0], "ADMMC: MC001=D001");
    EXPECT_NE(Value("SELECT MC002 FROM ADMMC WHERE MC001 = 'D001'").AsString(), "重复");
    EXPECT_EQ(c.main.ChangeCount(), 1) << "the row waits on the client";
}

TEST_P(DeltaApply, MaxErrorsDecidesWhetherTheRestIsKept) {
    AddDocuments(1, 3);
    auto prepare = [&](DocumentClient& c) {
        c.Open("ADMMC.MC001 = 'D001'");
        EditLine(c, "0001", "MD004", "一");
        EditLine(c, "0002", "MD004", "二");
        EditLine(c, "0003", "MD004", "三");
    };
    DocumentClient strict, lenient;
    prepare(strict);
    prepare(lenient);
    // Someone else saves line 0002 after both clients read it.
    Db().Query("UPDATE ADMMD SET MD004 = 'other', FLAG = 7 WHERE MD001 = 'D001' AND MD002 = '0002'");

    // No error allowed: one refusal keeps nothing.
    Reconciled refused;
    refused.Listen(strict.body);
    EXPECT_EQ(strict.main.ApplyUpdates(0), 1);
    EXPECT_EQ(refused.messages, std::vector<std::string>{"Record changed by another user"});
    EXPECT_EQ(Value("SELECT MD004 FROM ADMMD WHERE MD001 = 'D001' AND MD002 = '0001'").AsString(), "字段1");
    EXPECT_EQ(Value("SELECT MD004 FROM ADMMD WHERE MD001 = 'D001' AND MD002 = '0003'").AsString(), "字段3");
    EXPECT_GT(strict.main.ChangeCount(), 0);  // still pending on the client

    // One error allowed: the other two lines are stored, the refused one stays pending.
    Reconciled tolerated;
    tolerated.Listen(lenient.body);
    EXPECT_EQ(lenient.main.ApplyUpdates(1), 1);
    EXPECT_EQ(tolerated.messages.size(), 1u);
    EXPECT_EQ(Value("SELECT MD004 FROM ADMMD WHERE MD001 = 'D001' AND MD002 = '0001'").AsString(), "一");
    EXPECT_EQ(Value("SELECT MD004 FROM ADMMD WHERE MD001 = 'D001' AND MD002 = '0002'").AsString(), "other");
    EXPECT_EQ(Value("SELECT MD004 FROM ADMMD WHERE MD001 = 'D001' AND MD002 = '0003'").AsString(), "三");

    // A line whose key is taken is refused as such, whatever words the backend uses.
    DocumentClient dup;
    dup.Open("ADMMC.MC001 = 'D001'");
    dup.body.Append();
    dup.body.FieldByName("MD001")->SetAsString("D001");
    dup.body.FieldByName("MD002")->SetAsString("0001");
    dup.body.Post();
    Reconciled db;
    db.Listen(dup.body);
    EXPECT_EQ(dup.main.ApplyUpdates(0), 1);
    ASSERT_EQ(db.messages.size(), 1u);
    EXPECT_EQ(db.messages[0], "A record with this key already exists");
    EXPECT_EQ(db.codes[0], rcExists);

    // A refusal tolerated by the caller leaves the transaction usable: the next line is stored.
    DocumentClient mixed;
    mixed.Open("ADMMC.MC001 = 'D001'");
    for (const char* line : {"0001", "0009"}) {
        mixed.body.Append();
        mixed.body.FieldByName("MD001")->SetAsString("D001");
        mixed.body.FieldByName("MD002")->SetAsString(line);
        mixed.body.FieldByName("MD004")->SetAsString(std::string("新") + line);
        mixed.body.Post();
    }
    Reconciled tolerant;
    tolerant.Listen(mixed.body);
    EXPECT_EQ(mixed.main.ApplyUpdates(-1), 1);
    EXPECT_EQ(tolerant.messages.size(), 1u);
    EXPECT_EQ(Value("SELECT MD004 FROM ADMMD WHERE MD001 = 'D001' AND MD002 = '0009'").AsString(), "新0009");
    EXPECT_EQ(Value("SELECT MD004 FROM ADMMD WHERE MD001 = 'D001' AND MD002 = '0001'").AsString(), "一");
}

TEST_P(DeltaApply, DeletesGoFirstWhateverTheOrderOfTheDelta) {
    AddDocuments(1, 3);
    DocumentClient c;
    c.Open("ADMMC.MC001 = 'D001'");
    const std::vector<TFieldDef>& fields = c.main.FieldDefs().Items();
    const TFieldDef* body = c.main.FieldDefs().Find("qryBody");
    ASSERT_NE(body, nullptr);
    auto values = [](const std::vector<TFieldDef>& defs, std::map<std::string, Variant> given, const Variant& rest) {
        std::vector<Variant> out;
        for (const auto& d : defs) out.push_back(given.count(d.Name) ? given[d.Name] : rest);
        return out;
    };
    std::vector<Variant> unchanged = values(fields, {}, Variant());
    // The new line 0002 comes before the removal of the old one.
    Variant insert = TDeltaBuilder::Change(
        11, ukInsert, {},
        values(body->ChildDefs, {{"MD001", "D001"}, {"MD002", "0002"}, {"MD003", "NEWER"}, {"FLAG", 1}}, Variant::Null()), {});
    Variant remove = TDeltaBuilder::Change(
        12, ukDelete, values(body->ChildDefs, {{"MD001", "D001"}, {"MD002", "0002"}, {"FLAG", 1}}, Variant::Null()),
        values(body->ChildDefs, {}, Variant()), {});
    Variant header = TDeltaBuilder::Change(10, ukModify, values(fields, {{"MC001", "D001"}, {"FLAG", 1}}, Variant::Null()),
                                           unchanged, {VarArrayOf({insert, remove})});
    Variant errors, owner;
    VarArgs args{Variant("pvdMain"), TDeltaBuilder::Build(fields, {header}), Variant(0), Variant::Ref(&errors),
                 Variant::Ref(&owner)};
    TErrorPacket packet = TErrorPacket::Read(OleCall(c.Server(), "AS_ApplyUpdates", args));
    EXPECT_EQ(errors.AsInteger(), 0);
    EXPECT_TRUE(packet.committed);
    EXPECT_EQ(Value("SELECT MD003 FROM ADMMD WHERE MD001 = 'D001' AND MD002 = '0002'").AsString(), "NEWER");
    EXPECT_EQ(Count("SELECT COUNT(*) FROM ADMMD WHERE MD001 = 'D001'"), 3);
}

TEST_P(DeltaApply, ARowEditedAndThenDeletedBeforeSavingIsDeletedByItsFetchedValues) {
    AddDocuments(2, 3);
    Db().Query("UPDATE ADMMD SET FLAG = 7, MODI_DATE = '20240101120000000' WHERE MD001 = 'D001' AND MD002 = '0002'");
    DocumentClient client;
    client.Open("", "ADMMC.MC001");
    ASSERT_TRUE(client.main.Locate("MC001", Variant("D001"), {}));

    // A body line changed as the data modules change it (stamps and FLAG), then deleted.
    ASSERT_TRUE(client.body.Locate("MD002", Variant("0002"), {}));
    client.body.Edit();
    client.body.FieldByName("MD004")->SetAsString("改了再删");
    client.body.FieldByName("MODI_DATE")->SetAsString("20991231235959999");
    DocumentClient::BumpFlag(client.body);
    client.body.Post();
    client.body.Delete();

    // The second document's header likewise.
    ASSERT_TRUE(client.main.Locate("MC001", Variant("D002"), {}));
    client.main.Edit();
    client.main.FieldByName("MC002")->SetAsString("改名");
    DocumentClient::BumpFlag(client.main);
    client.main.Post();
    client.main.Delete();

    Reconciled refused;
    refused.Listen(client.main);
    refused.Listen(client.body);
    EXPECT_EQ(client.main.ApplyUpdates(0), 0) << (refused.messages.empty() ? "" : refused.messages[0]);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM ADMMD WHERE MD001 = 'D001'"), 2);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM ADMMD WHERE MD001 = 'D001' AND MD002 = '0002'"), 0);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM ADMMC WHERE MC001 = 'D002'"), 0);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM ADMMD WHERE MD001 = 'D002'"), 0);
}

TEST_P(DeltaApply, LinesChangingDifferentColumnsInOneSaveEachWriteTheirOwn) {
    AddDocuments(1, 5);
    auto Rows = [this](const std::string& select) {
        std::vector<std::string> out;
        for (const auto& row : Db().Query(select).rows) {
            std::string text;
            for (const Variant& v : row) text += (text.empty() ? "" : "|") + VarToStr(v);
            out.push_back(text);
        }
        return out;
    };
    DocumentClient c;
    c.Open("ADMMC.MC001 = 'D001'");
    EditLine(c, "0001", "MD003", "CODE1");
    EditLine(c, "0002", "MD004", "名称2");
    EditLine(c, "0003", "MD003", "CODE3");
    ASSERT_TRUE(c.body.Locate("MD002", Variant("0004"), {}));
    c.body.Edit();
    c.body.FieldByName("MD003")->SetAsString("CODE4");
    c.body.FieldByName("MD004")->SetAsString("名称4");
    DocumentClient::BumpFlag(c.body);
    c.body.Post();
    ASSERT_TRUE(c.body.Locate("MD002", Variant("0005"), {}));
    c.body.Delete();
    TouchHeader(c);
    Reconciled refused;
    refused.Listen(c.body);
    ASSERT_EQ(c.main.ApplyUpdates(0), 0) << (refused.messages.empty() ? "" : refused.messages[0]);
    EXPECT_EQ(Rows("SELECT MD002, MD003, MD004, FLAG FROM ADMMD WHERE MD001 = 'D001' ORDER BY MD002"),
              (std::vector<std::string>{"0001|CODE1|字段1|2", "0002|F2|名称2|2", "0003|CODE3|字段3|2", "0004|CODE4|名称4|2"}));

    // Another client's lines, read before that save: each refused for what it writes, deleted lines too.
    DocumentClient stale;
    stale.Open("ADMMC.MC001 = 'D001'");
    Db().Query("UPDATE ADMMD SET MD004 = '别人改', FLAG = 3 WHERE MD001 = 'D001' AND MD002 IN ('0001', '0003')");
    EditLine(stale, "0001", "MD004", "我改");
    EditLine(stale, "0002", "MD004", "我也改");
    ASSERT_TRUE(stale.body.Locate("MD002", Variant("0003"), {}));
    stale.body.Delete();
    Reconciled lines;
    lines.Listen(stale.body);
    EXPECT_EQ(stale.main.ApplyUpdates(-1), 2);
    EXPECT_EQ(lines.messages, (std::vector<std::string>{"Record changed by another user", "Record changed by another user"}));
    EXPECT_EQ(Rows("SELECT MD002, MD004 FROM ADMMD WHERE MD001 = 'D001' ORDER BY MD002"),
              (std::vector<std::string>{"0001|别人改", "0002|我也改", "0003|别人改", "0004|名称4"}));
}
