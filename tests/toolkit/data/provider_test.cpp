#include <gtest/gtest.h>

#include <functional>

#include "DataTestSupport.h"
#include "toolkit/data/Packets.h"

namespace {
struct OpenDocument {
    DocumentServer server;
    TClientDataSet main, body;
    TDataSetField* bodyField = nullptr;

    explicit OpenDocument(int documents = 3, int lines = 2) : server(documents, lines) {
        server.OpenHeaders(main);
        bodyField = dynamic_cast<TDataSetField*>(main.FieldByName("qryBody"));
        body.SetDataSetField(bodyField);
        body.SetIndexFieldNames("MD001;MD002");
    }
};

std::vector<std::string> BodyLines(TClientDataSet& body) {
    std::vector<std::string> out;
    for (body.First(); !body.Eof(); body.Next())
        out.push_back(body.FieldByName("MD002")->AsString() + "=" + body.FieldByName("MD003")->AsString());
    return out;
}
// Opens the headers of the server's pvdMain in packets of 20 rows.
void OpenInPackets(TClientDataSet& ds, const DocumentServer& server, bool onDemand) {
    ds.SetProvider(server.appServer);
    ds.ProviderName = "pvdMain";
    ds.PacketRecords = 20;
    ds.FetchOnDemand = onDemand;
    ds.Open();
}
}  // namespace

TEST(Provider, NestedBodyFollowsTheHeader) {
    OpenDocument doc;
    ASSERT_NE(doc.bodyField, nullptr);
    EXPECT_TRUE(doc.body.Active());
    EXPECT_EQ(doc.main.RecordCount(), 3);
    EXPECT_EQ(doc.body.FieldByName("MD001")->AsString(), "DOC1");
    EXPECT_EQ(doc.body.RecordCount(), 2);
    doc.main.Next();
    EXPECT_EQ(doc.body.FieldByName("MD001")->AsString(), "DOC2");
    EXPECT_EQ(doc.main.FieldByName("MC002")->AsString(), "文档2");
    EXPECT_EQ(doc.main.FieldByName("MC001")->Size(), 10);
    EXPECT_TRUE(doc.main.FieldByName("MC001")->Required());
}

TEST(Provider, HeaderAndBodySavedInOneApply) {
    OpenDocument doc;
    // A new document with two lines: adding body rows puts the header into insert first.
    doc.main.Append();
    doc.main.FieldByName("MC001")->SetAsString("NEW");
    doc.main.FieldByName("MC002")->SetAsString("新文档");
    for (const char* line : {"0001", "0002"}) {
        doc.body.Append();
        doc.body.FieldByName("MD001")->SetAsString("NEW");
        doc.body.FieldByName("MD002")->SetAsString(line);
        doc.body.FieldByName("MD003")->SetAsString(std::string("text ") + line);
        doc.body.Post();
    }
    EXPECT_EQ(doc.main.State(), dsInsert);
    doc.main.Post();
    // An existing document: change one line, delete another, add a third.
    doc.main.First();
    doc.body.First();
    doc.body.Edit();  // the header goes into edit with it
    EXPECT_EQ(doc.main.State(), dsEdit);
    doc.body.FieldByName("MD003")->SetAsString("changed");
    doc.body.Post();
    doc.body.Last();
    doc.body.Delete();
    doc.body.Append();
    doc.body.FieldByName("MD001")->SetAsString("DOC1");
    doc.body.FieldByName("MD002")->SetAsString("0009");
    doc.body.Post();
    EXPECT_EQ(doc.main.UpdateStatus(), usModified);
    EXPECT_GE(doc.main.ChangeCount(), 5);

    // The delta carries the body inside the header rows.
    TDeltaReader delta(doc.main.Delta());
    int nestedRows = 0;
    for (int i = 0; i < delta.Count(); ++i) nestedRows += delta.Row(i).Details("qryBody").Count();
    EXPECT_EQ(nestedRows, 5);

    EXPECT_EQ(doc.main.ApplyUpdates(0), 0);
    EXPECT_EQ(doc.server.provider->ApplyUpdatesCalls, 1);
    EXPECT_EQ(doc.main.ChangeCount(), 0);
    EXPECT_EQ(doc.server.header->RowCount(), 4);
    EXPECT_EQ(doc.server.header->Value({Variant("NEW")}, "MC002").AsString(), "新文档");
    EXPECT_EQ(doc.server.body->Value({Variant("NEW"), Variant("0002")}, "MD003").AsString(), "text 0002");
    EXPECT_EQ(doc.server.body->Value({Variant("DOC1"), Variant("0001")}, "MD003").AsString(), "changed");
    EXPECT_TRUE(doc.server.body->Value({Variant("DOC1"), Variant("0002")}, "MD003").IsEmpty());
    EXPECT_EQ(doc.server.body->Value({Variant("DOC1"), Variant("0009")}, "MD002").AsString(), "0009");
    EXPECT_EQ(doc.server.body->RowCount(), 3 * 2 + 2 + 1 - 1);

    // Deleting a header sends its lines as deletes too.
    doc.main.First();
    doc.main.Delete();
    EXPECT_EQ(doc.main.ApplyUpdates(0), 0);
    EXPECT_EQ(doc.server.header->RowCount(), 3);
    EXPECT_EQ(doc.server.body->RowCount(), 6);
}

TEST(Provider, ReconcileSkipAbortAndCancel) {
    OpenDocument doc(4, 0);
    doc.server.provider->RowCheck = [](const TMemTable&, const TDeltaRow& row) -> std::string {
        std::string v = VarToStr(row.NewValue(1));
        return v.rfind("bad", 0) == 0 ? "refused: " + v : "";
    };
    auto change = [&](int recNo, const std::string& text) {
        doc.main.SetRecNo(recNo);
        doc.main.Edit();
        doc.main.FieldByName("MC002")->SetAsString(text);
        doc.main.Post();
    };
    change(1, "bad1");
    change(2, "good2");
    change(3, "bad3");
    change(4, "good4");
    std::vector<std::string> seen;
    doc.main.OnReconcileError = [&](TClientDataSet* ds, EReconcileError& e, TUpdateKind kind, TReconcileAction& action) {
        EXPECT_EQ(kind, ukModify);
        EXPECT_EQ(ds->FieldByName("MC002")->AsString(), e.Message().substr(9));  // positioned on the row
        EXPECT_EQ(e.Context(), "pvdMain");
        seen.push_back(e.Message());
        action = raSkip;
    };
    EXPECT_EQ(doc.main.ApplyUpdates(-1), 2);
    EXPECT_EQ(seen, (std::vector<std::string>{"refused: bad1", "refused: bad3"}));
    EXPECT_EQ(doc.server.header->Value({Variant("DOC2")}, "MC002").AsString(), "good2");
    EXPECT_EQ(doc.main.ChangeCount(), 2);  // the refused rows stay pending

    // Abort stops at the first error; cancel puts the row back.
    seen.clear();
    doc.main.OnReconcileError = [&](TClientDataSet*, EReconcileError& e, TUpdateKind, TReconcileAction& action) {
        seen.push_back(e.Message());
        action = raAbort;
    };
    EXPECT_EQ(doc.main.ApplyUpdates(-1), 2);
    EXPECT_EQ(seen.size(), 1u);
    EXPECT_EQ(doc.main.ChangeCount(), 2);
    doc.main.OnReconcileError = [](TClientDataSet*, EReconcileError&, TUpdateKind, TReconcileAction& action) {
        action = raCancel;
    };
    EXPECT_EQ(doc.main.ApplyUpdates(-1), 2);
    EXPECT_EQ(doc.main.ChangeCount(), 0);
    doc.main.First();
    EXPECT_EQ(doc.main.FieldByName("MC002")->AsString(), "文档1");
}

TEST(Provider, TooManyErrorsRollBackAndFlagCheck) {
    OpenDocument doc(2, 0);
    doc.server.provider->CheckFlag = true;
    // Someone else changed DOC2 meanwhile.
    doc.server.header->MutableRows().begin()->second;  // DOC1 untouched
    std::next(doc.server.header->MutableRows().begin())->second[2] = Variant(7);
    for (int r = 1; r <= 2; ++r) {
        doc.main.SetRecNo(r);
        doc.main.Edit();
        doc.main.FieldByName("MC002")->SetAsString("mine");
        doc.main.Post();
    }
    EXPECT_EQ(doc.main.ApplyUpdates(0), 1);  // DOC2 refused; no error allowed: nothing stays
    EXPECT_EQ(doc.server.header->Value({Variant("DOC1")}, "MC002").AsString(), "文档1");
    EXPECT_EQ(doc.main.ChangeCount(), 2);    // both still pending: the server kept nothing
    EXPECT_EQ(doc.main.ApplyUpdates(1), 1);  // one error allowed: DOC1 is saved
    EXPECT_EQ(doc.server.header->Value({Variant("DOC1")}, "MC002").AsString(), "mine");
    EXPECT_EQ(doc.server.header->Value({Variant("DOC2")}, "MC002").AsString(), "文档2");
    EXPECT_EQ(doc.main.ChangeCount(), 1);
}

TEST(Provider, PacketsFetchedOnScroll) {
    DocumentServer server(95, 0);
    TClientDataSet ds;
    OpenInPackets(ds, server, true);
    EXPECT_EQ(server.provider->GetRecordsCalls, 1);
    EXPECT_EQ(ds.RecordCount(), 20);
    EXPECT_TRUE(ds.MoreRowsAvailable());
    int seen = 0;
    for (ds.First(); !ds.Eof(); ds.Next()) ++seen;
    EXPECT_EQ(seen, 95);
    EXPECT_EQ(server.provider->GetRecordsCalls, 5);
    EXPECT_FALSE(ds.MoreRowsAvailable());
    EXPECT_EQ(ds.FieldByName("MC001")->AsString(), "DOC95");  // key order: DOC1, DOC10, ..., DOC9, DOC90, ... DOC95

    // Without fetch on demand the caller fetches; a BeforeScroll handler at the end can do it.
    TClientDataSet manual;
    TLocalConnection connection(server.appServer);
    manual.RemoteServer = &connection;
    manual.ProviderName = "pvdMain";
    manual.PacketRecords = 50;
    manual.FetchOnDemand = false;
    manual.Open();
    manual.Last();
    EXPECT_EQ(manual.RecordCount(), 50);
    manual.BeforeScroll = [](TDataSet* d) {
        auto* c = static_cast<TClientDataSet*>(d);
        if (c->State() == dsBrowse && c->Eof()) c->GetNextPacket();
    };
    manual.Next();
    EXPECT_EQ(manual.RecordCount(), 95);
    EXPECT_EQ(manual.RecNo(), 51);
    EXPECT_EQ(manual.GetNextPacket(), 0);
}

TEST(Provider, BookmarksOfLaterPacketsAndOfMovedRowsAreFound) {
    DocumentServer server(45, 0);
    TClientDataSet ds;
    OpenInPackets(ds, server, false);
    const TBookmark first = ds.GetBookmark();
    EXPECT_TRUE(ds.BookmarkValid(first));  // the positions are known from here on
    ds.Last();
    ASSERT_EQ(ds.GetNextPacket(), 20);
    ds.Last();
    const TBookmark fetched = ds.GetBookmark();
    const std::string fetchedKey = ds.FieldByName("MC001")->AsString();
    ds.First();
    ASSERT_TRUE(ds.BookmarkValid(fetched)) << "a row of a later packet";
    ds.GotoBookmark(fetched);
    EXPECT_EQ(ds.FieldByName("MC001")->AsString(), fetchedKey);

    // Posts that move rows in the order: every bookmark still leads to its own row.
    ds.SetIndexFieldNames("MC002");
    std::vector<std::pair<TBookmark, std::string>> rows;
    for (ds.First(); !ds.Eof(); ds.Next()) rows.emplace_back(ds.GetBookmark(), ds.FieldByName("MC001")->AsString());
    for (const auto& [row, key] : rows) {
        ASSERT_TRUE(ds.BookmarkValid(row));
        ds.GotoBookmark(row);
        ASSERT_EQ(ds.FieldByName("MC001")->AsString(), key);
        ds.Edit();
        ds.FieldByName("MC002")->SetAsString(key == "DOC7" ? "0" : "z" + key);  // DOC7 moves to the front
        ds.Post();
    }
    for (const auto& [row, key] : rows) {
        ds.GotoBookmark(row);
        EXPECT_EQ(ds.FieldByName("MC001")->AsString(), key);
    }
    ds.GotoBookmark(rows.back().first);
    ds.Delete();
    EXPECT_FALSE(ds.BookmarkValid(rows.back().first));
    EXPECT_TRUE(ds.BookmarkValid(rows.front().first));
}

TEST(Provider, LargeTableFirstPacketOnly) {
    std::vector<TFieldDef> f(2);
    f[0] = FieldDef("ID", ftInteger, 0, true);
    f[1] = FieldDef("NAME", ftString, 10);
    auto table = std::make_shared<TMemTable>("BIG", f, std::vector<std::string>{"ID"});
    for (int i = 0; i < 100000; ++i) table->AddRow({Variant(i), Variant("n")});
    auto provider = std::make_shared<TLocalProvider>();
    provider->AddProvider("big", table);
    TClientDataSet ds;
    ds.SetProvider(Variant(std::static_pointer_cast<IDispatchObject>(provider)));
    ds.ProviderName = "big";
    ds.PacketRecords = 20;
    ds.FetchOnDemand = false;
    ds.Open();
    EXPECT_EQ(ds.RecordCount(), 20);
    ds.SetRecNo(20);
    EXPECT_EQ(ds.GetNextPacket(), 20);
    ds.Next();
    EXPECT_EQ(ds.FieldByName("ID")->AsInteger(), 20);  // the cursor token continued after row 19
}

TEST(Provider, DataPacketsRoundTripAndRequests) {
    OpenDocument doc;
    Variant data = doc.main.Data();
    TClientDataSet copy;
    copy.SetData(data);
    EXPECT_EQ(copy.RecordCount(), 3);
    TClientDataSet copyBody;
    copyBody.SetDataSetField(static_cast<TDataSetField*>(copy.FieldByName("qryBody")));
    EXPECT_EQ(copyBody.RecordCount(), 2);
    EXPECT_EQ(copy.ChangeCount(), 0);
    EXPECT_EQ(copy.ApplyUpdates(0), 0);  // nothing to send
    copy.Edit();
    copy.FieldByName("MC002")->SetAsString("x");
    EXPECT_THROW(copy.ApplyUpdates(0), EDatabaseError);  // changes but no provider

    doc.server.provider->OnDataRequest = [](const std::string& provider, const Variant& d) {
        return Variant(provider + ":" + d.AsString());
    };
    EXPECT_EQ(doc.main.DataRequest(Variant("ping")).AsString(), "pvdMain:ping");
    VarArgs none;
    Variant names = doc.server.provider->Invoke("AS_GetProviderNames", InvokeKind::Method, none);
    EXPECT_EQ(names[0].AsString(), "pvdMain");
    EXPECT_THROW(TDataPacket::Read(Variant("junk")), EDatabaseError);
}

TEST(Provider, DetailCloneFollowsTheMaster) {
    OpenDocument doc(2, 3);
    TClientDataSet clone;
    clone.CloneCursor(&doc.body, true);
    EXPECT_EQ(clone.RecordCount(), 3);
    doc.main.Edit();
    doc.body.Append();
    doc.body.FieldByName("MD001")->SetAsString("DOC1");
    doc.body.FieldByName("MD002")->SetAsString("0004");
    // The clone sees the new row once it is posted (line numbers are computed this way).
    doc.body.Post();
    EXPECT_EQ(clone.RecordCount(), 4);
    doc.main.Post();
    doc.main.Next();
    EXPECT_EQ(doc.body.FieldByName("MD001")->AsString(), "DOC2");
    clone.First();
    EXPECT_EQ(clone.FieldByName("MD001")->AsString(), "DOC2");
    EXPECT_EQ(BodyLines(doc.body).size(), 3u);
}

TEST(Provider, ProtocolMembersCheckTheirArgumentsAndAnswerThroughReferences) {
    DocumentServer server(3, 0);
    auto message = [](const std::function<void()>& call) {
        try {
            call();
        } catch (const EOleError& e) {
            return e.Message();
        }
        return std::string("no error");
    };
    EXPECT_EQ(message([&] {
                  OleCall(server.appServer, "AS_GetRecords", {Variant("pvdMain"), Variant(2)});
              }),
              "Invalid number of parameters.");
    EXPECT_EQ(message([&] {
                  OleCall(server.appServer, "AS_ApplyUpdates", {Variant("pvdMain"), Variant()});
              }),
              "Invalid number of parameters.");
    EXPECT_EQ(message([&] { OleCall(server.appServer, "AS_DataRequest", {Variant("pvdMain")}); }),
              "Invalid number of parameters.");

    // Two rows of three, then the rest from where the token points; parameters come back.
    Variant recs, params = VarArrayOf({VarArrayOf({Variant("P"), Variant(1)})}), owner;
    VarArgs first{Variant("pvdMain"),    Variant(2),          Variant::Ref(&recs), Variant(grMetaData | grReset), Variant("cmd"),
                  Variant::Ref(&params), Variant::Ref(&owner)};
    OleCall(server.appServer, "AS_GetRecords", first);
    EXPECT_EQ(recs.AsInteger(), 2);
    EXPECT_EQ(owner[0].AsString(), "DOC2");
    EXPECT_EQ(params[0][1].AsInteger(), 1);
    EXPECT_EQ(server.provider->LastCommandText, "cmd");
    VarArgs next{Variant("pvdMain"), Variant(-1),           Variant::Ref(&recs), Variant(0),
                 Variant(""),        Variant::Ref(&params), Variant::Ref(&owner)};
    OleCall(server.appServer, "AS_GetRecords", next);
    EXPECT_EQ(recs.AsInteger(), 1);
    EXPECT_EQ(owner[0].AsString(), "DOC3");

    Variant names = OleCall(server.appServer, "AS_GetProviderNames");
    ASSERT_EQ(names.Count(), 1);
    EXPECT_EQ(names[0].AsString(), "pvdMain");
}
