#include <gtest/gtest.h>

#include "DataTestSupport.h"

namespace {
struct Document {
    DocumentServer server;
    TClientDataSet main, body;
    explicit Document(int documents = 2, int lines = 2) : server(documents, lines) {
        server.OpenHeaders(main);
        body.SetDataSetField(static_cast<TDataSetField*>(main.FieldByName("qryBody")));
    }
};
}  // namespace

TEST(Nested, BodyRowOnAnEmptyHeaderStartsANewHeader) {
    Document doc(0, 0);
    EXPECT_TRUE(doc.main.IsEmpty());
    doc.body.Append();
    EXPECT_EQ(doc.main.State(), dsInsert);
    doc.body.FieldByName("MD001")->SetAsString("X");
    doc.body.FieldByName("MD002")->SetAsString("0001");
    doc.body.Post();
    EXPECT_TRUE(doc.main.Modified());  // a body row makes the header worth posting
    doc.main.FieldByName("MC001")->SetAsString("X");
    doc.main.CheckBrowseMode();  // posts, since the header was touched
    EXPECT_EQ(doc.main.RecordCount(), 1);
    EXPECT_EQ(doc.body.RecordCount(), 1);
    EXPECT_EQ(doc.main.ApplyUpdates(0), 0);
    EXPECT_EQ(doc.server.body->RowCount(), 1);

    // Cancelling a new header drops the body rows typed under it.
    doc.main.Append();
    doc.body.Append();
    doc.body.FieldByName("MD001")->SetAsString("Y");
    doc.body.FieldByName("MD002")->SetAsString("0001");
    doc.body.Post();
    doc.main.Cancel();
    EXPECT_EQ(doc.main.ChangeCount(), 0);
    EXPECT_EQ(doc.body.RecordCount(), 1);  // back on X's lines
}

TEST(Nested, RefusedBodyRowReachesTheBodyHandler) {
    Document doc;
    doc.server.provider->RowCheck = [](const TMemTable& table, const TDeltaRow& row) -> std::string {
        return table.Name() == "ADMMD" && VarToStr(row.NewValue("MD003")) == "bad" ? "line refused" : "";
    };
    doc.main.Last();  // DOC2
    doc.body.Last();
    doc.body.Edit();
    doc.body.FieldByName("MD003")->SetAsString("bad");
    doc.body.Post();
    doc.body.First();
    doc.body.Edit();
    doc.body.FieldByName("MD003")->SetAsString("fine");
    doc.body.Post();
    doc.main.Post();
    doc.main.First();  // the handler must bring the refused row back into view
    std::string where;
    int mainCalls = 0;
    doc.main.OnReconcileError = [&](TClientDataSet*, EReconcileError&, TUpdateKind, TReconcileAction&) { ++mainCalls; };
    doc.body.OnReconcileError = [&](TClientDataSet* ds, EReconcileError& e, TUpdateKind kind, TReconcileAction& action) {
        where = ds->FieldByName("MD001")->AsString() + "/" + ds->FieldByName("MD002")->AsString() + ":" + e.Message();
        EXPECT_EQ(kind, ukModify);
        EXPECT_EQ(e.PreviousError(), 0);
        action = raSkip;
    };
    EXPECT_EQ(doc.main.ApplyUpdates(-1), 1);
    EXPECT_EQ(where, "DOC2/0002:line refused");
    EXPECT_EQ(mainCalls, 0);
    EXPECT_EQ(doc.server.body->Value({Variant("DOC2"), Variant("0001")}, "MD003").AsString(), "fine");
    EXPECT_EQ(doc.main.ChangeCount(), 1);  // only the refused line is pending
    EXPECT_EQ(doc.main.UpdateStatus(), usModified);
    // The second attempt knows the code of the first.
    doc.body.OnReconcileError = [&](TClientDataSet*, EReconcileError& e, TUpdateKind, TReconcileAction& action) {
        EXPECT_EQ(e.PreviousError(), 1);
        action = raMerge;  // accept the row as it is
    };
    EXPECT_EQ(doc.main.ApplyUpdates(-1), 1);
    EXPECT_EQ(doc.main.ChangeCount(), 0);
}

TEST(Nested, RefusedHeaderKeepsItsBodyPendingAndRefreshTakesServerValues) {
    Document doc;
    doc.server.provider->RowCheck = [](const TMemTable& table, const TDeltaRow& row) -> std::string {
        return table.Name() == "ADMMC" && VarToStr(row.NewValue("MC002")) == "locked" ? "header locked" : "";
    };
    doc.main.Edit();
    doc.main.FieldByName("MC002")->SetAsString("locked");
    doc.body.Edit();
    doc.body.FieldByName("MD003")->SetAsString("body change");
    doc.body.Post();
    doc.main.Post();
    doc.main.OnReconcileError = [](TClientDataSet*, EReconcileError&, TUpdateKind, TReconcileAction& action) { action = raSkip; };
    EXPECT_EQ(doc.main.ApplyUpdates(-1), 1);
    EXPECT_EQ(doc.server.body->Value({Variant("DOC1"), Variant("0001")}, "MD003").AsString(), "line 1");
    EXPECT_EQ(doc.main.ChangeCount(), 2);
    // Cancelling all updates puts the body back too, and its controls hear of it.
    TDataSource bodySource(&doc.body);
    RecordingLink bodyLink;
    bodyLink.SetDataSource(&bodySource);
    doc.main.CancelUpdates();
    EXPECT_EQ(doc.body.FieldByName("MD003")->AsString(), "line 1");
    EXPECT_GE(bodyLink.dataSetChanged, 1);
    doc.main.Edit();
    doc.main.FieldByName("MC002")->SetAsString("locked");
    doc.main.Post();

    // The server's row replaces the local one on refresh.
    doc.server.provider->RowCheck = [&](const TMemTable& table, const TDeltaRow&) -> std::string {
        return table.Name() == "ADMMC" ? "stale" : "";
    };
    doc.main.OnReconcileError = [](TClientDataSet*, EReconcileError&, TUpdateKind, TReconcileAction& action) {
        action = raRefresh;
    };
    EXPECT_EQ(doc.main.ApplyUpdates(-1), 1);
    doc.main.First();
    EXPECT_EQ(doc.main.FieldByName("MC002")->AsString(), "文档1");  // no server values sent: back to the fetched ones
    EXPECT_EQ(doc.body.FieldByName("MD003")->AsString(), "line 1");
    EXPECT_EQ(doc.main.ChangeCount(), 0);
}

TEST(Nested, RefreshAndEmptyDataSet) {
    Document doc;
    TField* name = doc.main.FieldByName("MC002");
    name->SetDisplayLabel("名称");
    doc.main.Last();
    doc.server.header->AddRow({Variant("DOC3"), Variant("third"), Variant(1)});
    doc.main.Edit();
    name->SetAsString("pending");
    doc.main.Post();
    EXPECT_THROW(doc.main.Refresh(), EDatabaseError);  // apply first
    doc.main.CancelUpdates();
    doc.main.Refresh();
    EXPECT_EQ(doc.main.RecordCount(), 3);
    EXPECT_EQ(doc.main.RecNo(), 2);                  // the position is kept
    EXPECT_EQ(doc.main.FieldByName("MC002"), name);  // and so are the fields
    EXPECT_EQ(name->DisplayLabel(), "名称");
    EXPECT_EQ(doc.body.FieldByName("MD001")->AsString(), "DOC2");
    doc.main.EmptyDataSet();
    EXPECT_TRUE(doc.main.IsEmpty());
    EXPECT_TRUE(doc.body.IsEmpty());
    EXPECT_EQ(doc.main.ChangeCount(), 0);
}

TEST(Nested, LookupFields) {
    TClientDataSet names, orders;
    MakeLocal(names, {{1, "Apple"}, {2, "Pear"}});
    orders.FieldDefs().Add("ORDERNO", ftInteger);
    orders.FieldDefs().Add("ITEM", ftInteger);
    TField* itemName = orders.CreateField(ftString, "ITEMNAME", fkLookup, 20);
    itemName->LookupDataSet = &names;
    itemName->KeyFields = "ITEM";
    itemName->LookupKeyFields = "ID";
    itemName->LookupResultField = "NAME";
    orders.CreateDataSet();
    names.First();
    orders.AppendRecord({Variant(100), Variant(2)});
    EXPECT_EQ(itemName->AsString(), "Pear");
    orders.Edit();
    orders.FieldByName("ITEM")->SetAsInteger(1);
    EXPECT_EQ(itemName->AsString(), "Apple");  // follows the key while editing
    orders.FieldByName("ITEM")->SetAsInteger(9);
    EXPECT_TRUE(itemName->IsNull());
    orders.Cancel();
    EXPECT_EQ(names.RecNo(), 1);  // the lookup dataset did not move
}

// The lines under headers nobody has scrolled to are only made into rows when looked at: until then
// they must still count, copy, travel with a deleted header and take edits like any others.
TEST(Nested, LinesOfHeadersNotYetShownBehaveLikeShownOnes) {
    DocumentServer server(3, 3);
    TClientDataSet main;
    server.OpenHeaders(main);
    EXPECT_EQ(main.ChangeCount(), 0);
    EXPECT_EQ(main.UpdateStatus(), usUnmodified);

    // Deleting a header whose lines were never shown deletes them on the server too.
    main.Last();
    main.Delete();
    EXPECT_EQ(main.ChangeCount(), 1);
    EXPECT_EQ(main.ApplyUpdates(0), 0);
    EXPECT_EQ(server.header->RowCount(), 2);
    EXPECT_EQ(server.body->RowCount(), 6);

    // A copy of the data holds every header's lines.
    TClientDataSet copy;
    copy.SetData(main.Data());
    TClientDataSet copyBody;
    copyBody.SetDataSetField(static_cast<TDataSetField*>(copy.FieldByName("qryBody")));
    copy.Last();
    EXPECT_EQ(copyBody.RecordCount(), 3);
    EXPECT_EQ(copyBody.FieldByName("MD001")->AsString(), "DOC2");

    // Lines shown later take an edit that reaches the server, and the rest stay as they were.
    main.First();
    main.Next();
    TClientDataSet body;
    body.SetDataSetField(static_cast<TDataSetField*>(main.FieldByName("qryBody")));
    EXPECT_EQ(body.RecordCount(), 3);
    body.Last();
    body.Edit();
    body.FieldByName("MD003")->SetAsString("changed");
    body.Post();
    EXPECT_EQ(main.ChangeCount(), 1);
    EXPECT_EQ(main.UpdateStatus(), usModified);
    EXPECT_EQ(main.ApplyUpdates(0), 0);
    EXPECT_EQ(server.body->Value({Variant("DOC2"), Variant("0003")}, "MD003").AsString(), "changed");
    EXPECT_EQ(server.body->Value({Variant("DOC1"), Variant("0003")}, "MD003").AsString(), "line 3");
    EXPECT_EQ(main.ChangeCount(), 0);
}
