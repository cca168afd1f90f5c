#include <gtest/gtest.h>

#include "DataTestSupport.h"
#include "toolkit/data/Packets.h"

namespace {
std::vector<int> Ids(TClientDataSet& ds) {
    std::vector<int> ids;
    TBookmark here = ds.GetBookmark();
    ds.DisableControls();
    for (ds.First(); !ds.Eof(); ds.Next()) ids.push_back(ds.FieldByName("ID")->AsInteger());
    if (here) ds.GotoBookmark(here);
    ds.EnableControls();
    return ids;
}

void RecordEvents(TClientDataSet& ds, std::vector<std::string>& log) {
    auto on = [&log](const char* name) { return [&log, name](TDataSet*) { log.push_back(name); }; };
    ds.BeforeOpen = on("BeforeOpen");
    ds.AfterOpen = on("AfterOpen");
    ds.BeforeInsert = on("BeforeInsert");
    ds.AfterInsert = on("AfterInsert");
    ds.OnNewRecord = on("OnNewRecord");
    ds.BeforeEdit = on("BeforeEdit");
    ds.AfterEdit = on("AfterEdit");
    ds.BeforePost = on("BeforePost");
    ds.AfterPost = on("AfterPost");
    ds.BeforeCancel = on("BeforeCancel");
    ds.AfterCancel = on("AfterCancel");
    ds.BeforeDelete = on("BeforeDelete");
    ds.AfterDelete = on("AfterDelete");
    ds.BeforeScroll = on("BeforeScroll");
    ds.AfterScroll = on("AfterScroll");
    ds.BeforeClose = on("BeforeClose");
    ds.AfterClose = on("AfterClose");
}
}  // namespace

TEST(ClientDataSet, StateMachineAndEventOrder) {
    TClientDataSet ds;
    std::vector<std::string> log;
    RecordEvents(ds, log);
    ds.FieldDefs().Add("ID", ftInteger, 0, true);
    ds.FieldDefs().Add("NAME", ftString, 20);
    EXPECT_EQ(ds.State(), dsInactive);
    ds.CreateDataSet();
    EXPECT_EQ(ds.State(), dsBrowse);
    EXPECT_TRUE(ds.IsEmpty());
    EXPECT_TRUE(ds.Bof() && ds.Eof());
    EXPECT_EQ(log, (std::vector<std::string>{"BeforeOpen", "AfterOpen"}));

    log.clear();
    ds.Append();
    EXPECT_EQ(ds.State(), dsInsert);
    ds.FieldByName("ID")->SetAsInteger(1);
    ds.Post();
    EXPECT_EQ(ds.State(), dsBrowse);
    EXPECT_EQ(log, (std::vector<std::string>{"BeforeInsert", "BeforeScroll", "OnNewRecord", "AfterInsert", "AfterScroll",
                                             "BeforePost", "AfterPost"}));

    log.clear();
    ds.Edit();
    EXPECT_EQ(ds.State(), dsEdit);
    ds.FieldByName("NAME")->SetAsString("x");
    ds.Cancel();
    EXPECT_TRUE(ds.FieldByName("NAME")->IsNull());
    EXPECT_EQ(log, (std::vector<std::string>{"BeforeEdit", "AfterEdit", "BeforeCancel", "AfterCancel"}));

    // Scrolling posts a modified record and cancels an untouched one.
    ds.Append();
    ds.FieldByName("ID")->SetAsInteger(2);
    ds.First();
    EXPECT_EQ(ds.RecordCount(), 2);
    ds.Append();
    ds.First();
    EXPECT_EQ(ds.RecordCount(), 2);

    // A new record that a handler cancels never reaches AfterInsert.
    log.clear();
    ds.OnNewRecord = [](TDataSet* d) { d->Cancel(); };
    ds.Append();
    EXPECT_EQ(ds.State(), dsBrowse);
    EXPECT_EQ(std::count(log.begin(), log.end(), "AfterInsert"), 0);
    ds.OnNewRecord = nullptr;

    log.clear();
    ds.Last();
    ds.Delete();
    EXPECT_EQ(ds.RecordCount(), 1);
    EXPECT_EQ(log, (std::vector<std::string>{"BeforeScroll", "AfterScroll", "BeforeDelete", "BeforeScroll", "AfterDelete",
                                             "AfterScroll"}));
    log.clear();
    ds.Close();
    EXPECT_EQ(log, (std::vector<std::string>{"BeforeClose", "AfterClose"}));
    EXPECT_THROW(ds.First(), EDatabaseError);
}

TEST(ClientDataSet, NavigationAndRecNo) {
    TClientDataSet ds;
    MakeLocal(ds, {{1, "a"}, {2, "b"}, {3, "c"}});
    ds.First();
    EXPECT_TRUE(ds.Bof());
    EXPECT_EQ(ds.RecNo(), 1);
    ds.Next();
    ds.Next();
    EXPECT_FALSE(ds.Eof());
    ds.Next();
    EXPECT_TRUE(ds.Eof());
    EXPECT_EQ(ds.RecNo(), 3);
    EXPECT_EQ(ds.MoveBy(-5), -2);
    EXPECT_TRUE(ds.Bof());
    ds.SetRecNo(2);
    EXPECT_EQ(ds.FieldByName("NAME")->AsString(), "b");
    ds.Insert();  // before the current row
    ds.FieldByName("ID")->SetAsInteger(9);
    ds.Post();
    EXPECT_EQ(Ids(ds), (std::vector<int>{1, 9, 2, 3}));
    EXPECT_EQ(ds.FieldValues("ID;NAME")[0].AsInteger(), 9);
}

TEST(ClientDataSet, RequiredFieldsOnPost) {
    TClientDataSet ds;
    MakeLocal(ds, {});
    ds.FieldByName("ID")->SetDisplayLabel("编号");
    bool postError = false;
    ds.Append();
    ds.FieldByName("NAME")->SetAsString("n");
    try {
        ds.Post();
        FAIL() << "a required field without a value must stop the post";
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message(), "Field '编号' must have a value");
    }
    EXPECT_EQ(ds.State(), dsInsert);
    ds.OnPostError = [&](TDataSet*, EDatabaseError&, TDataAction& action) {
        postError = true;
        action = daAbort;
    };
    EXPECT_THROW(ds.Post(), EAbort);
    EXPECT_TRUE(postError);
    ds.FieldByName("ID")->SetAsInteger(5);
    ds.Post();
    EXPECT_EQ(ds.RecordCount(), 1);

    ds.Constraints.push_back({"ID < 100", "编号太大"});
    ds.Append();
    ds.FieldByName("ID")->SetAsInteger(500);
    ds.OnPostError = nullptr;
    EXPECT_THROW(ds.Post(), EDatabaseError);
    ds.DisableConstraints();
    ds.Post();
    EXPECT_EQ(ds.RecordCount(), 2);
}

TEST(ClientDataSet, CancelAndTheChangeLog) {
    TClientDataSet ds;
    MakeLocal(ds, {{1, "a"}, {2, "b"}, {3, "c"}});
    ds.MergeChangeLog();
    EXPECT_EQ(ds.ChangeCount(), 0);
    ds.First();
    ds.Edit();
    ds.FieldByName("NAME")->SetAsString("A");
    ds.Post();
    EXPECT_EQ(ds.UpdateStatus(), usModified);
    ds.Edit();  // a second edit of the same row is still one change with the first original
    ds.FieldByName("NAME")->SetAsString("AA");
    ds.Post();
    EXPECT_EQ(ds.ChangeCount(), 1);
    EXPECT_EQ(ds.FieldByName("NAME")->OldValue().AsString(), "a");
    ds.Next();
    ds.Delete();
    ds.Append();
    ds.FieldByName("ID")->SetAsInteger(4);
    ds.Post();
    EXPECT_EQ(ds.UpdateStatus(), usInserted);
    EXPECT_EQ(ds.ChangeCount(), 3);
    EXPECT_EQ(Ids(ds), (std::vector<int>{1, 3, 4}));

    EXPECT_TRUE(ds.UndoLastChange(true));  // the insert goes
    EXPECT_EQ(Ids(ds), (std::vector<int>{1, 3}));
    EXPECT_TRUE(ds.UndoLastChange(true));  // the delete is undone; the cursor follows the row
    EXPECT_EQ(ds.FieldByName("ID")->AsInteger(), 2);
    EXPECT_EQ(Ids(ds), (std::vector<int>{1, 2, 3}));

    ds.Last();
    ds.Delete();
    ds.First();
    ds.RevertRecord();  // the first row back to its fetched value
    EXPECT_EQ(ds.FieldByName("NAME")->AsString(), "a");
    EXPECT_EQ(ds.ChangeCount(), 1);
    ds.CancelUpdates();
    EXPECT_EQ(ds.ChangeCount(), 0);
    EXPECT_EQ(Ids(ds), (std::vector<int>{1, 2, 3}));

    // With the log off nothing is remembered.
    ds.SetLogChanges(false);
    ds.Edit();
    ds.FieldByName("NAME")->SetAsString("z");
    ds.Post();
    EXPECT_EQ(ds.ChangeCount(), 0);
    ds.EmptyDataSet();
    EXPECT_TRUE(ds.IsEmpty());
}

TEST(ClientDataSet, IndexesAscendingAndDescending) {
    TClientDataSet ds;
    MakeLocal(ds, {{2, "beta"}, {1, "Alpha"}, {3, "alpha"}, {4, "Beta"}});
    ds.SetIndexFieldNames("NAME;ID");
    EXPECT_EQ(Ids(ds), (std::vector<int>{1, 4, 3, 2}));  // bytes: upper case first
    ds.AddIndex("byNameCI", "NAME;ID", {ixCaseInsensitive});
    ds.AddIndex("byIdDesc", "ID", {ixDescending});
    ds.AddIndex("mixed", "NAME;ID", {}, "ID", "NAME");
    ds.SetIndexName("byIdDesc");
    EXPECT_EQ(ds.IndexFieldNames(), "");
    EXPECT_EQ(Ids(ds), (std::vector<int>{4, 3, 2, 1}));
    ds.SetIndexName("byNameCI");
    EXPECT_EQ(Ids(ds), (std::vector<int>{1, 3, 2, 4}));
    ds.SetIndexName("mixed");
    EXPECT_EQ(Ids(ds), (std::vector<int>{3, 1, 4, 2}));
    EXPECT_THROW(ds.SetIndexName("none"), EDatabaseError);

    // A posted row takes its place in the order; FindKey searches the index.
    ds.SetIndexName("byIdDesc");
    ds.Append();
    ds.FieldByName("ID")->SetAsInteger(0);
    ds.Post();
    ds.Append();
    ds.FieldByName("ID")->SetAsInteger(10);
    ds.Post();
    EXPECT_EQ(ds.RecNo(), 1);
    EXPECT_EQ(Ids(ds), (std::vector<int>{10, 4, 3, 2, 1, 0}));
    EXPECT_TRUE(ds.FindKey({Variant(2)}));
    EXPECT_EQ(ds.FieldByName("NAME")->AsString(), "beta");
    EXPECT_FALSE(ds.FindKey({Variant(7)}));
    ds.SetIndexFieldNames("");
    EXPECT_EQ(Ids(ds), (std::vector<int>{2, 1, 3, 4, 0, 10}));
}

TEST(ClientDataSet, IndexesPutNullKeysBeforeEveryValue) {
    TClientDataSet ds;
    MakeLocal(ds, {{1, "b"}, {2, ""}, {3, "a"}, {4, "c"}, {5, ""}});
    for (int id : {2, 4}) {
        ASSERT_TRUE(ds.Locate("ID", Variant(id)));
        ds.Edit();
        ds.FieldByName("NAME")->Clear();  // null, unlike the empty text of row 5
        ds.Post();
    }
    ds.SetIndexFieldNames("NAME;ID");
    EXPECT_EQ(Ids(ds), (std::vector<int>{2, 4, 5, 3, 1})) << "nulls, then the empty text, then the rest";
    ds.AddIndex("byNameDesc", "NAME;ID", {ixDescending});
    ds.SetIndexName("byNameDesc");
    EXPECT_EQ(Ids(ds), (std::vector<int>{1, 3, 5, 4, 2})) << "descending: nulls last";
    // A row posted with a null key takes its place before the others.
    ds.SetIndexFieldNames("NAME;ID");
    ds.Append();
    ds.FieldByName("ID")->SetAsInteger(0);
    ds.Post();
    EXPECT_EQ(Ids(ds), (std::vector<int>{0, 2, 4, 5, 3, 1}));
}

TEST(ClientDataSet, AnEditedRowStaysOrMovesToItsPlaceInTheIndex) {
    TClientDataSet ds;
    MakeLocal(ds, {{1, "a"}, {2, "c"}, {3, "e"}, {4, "g"}});
    ds.SetIndexFieldNames("NAME");
    auto rename = [&](int id, const char* name) {
        ASSERT_TRUE(ds.Locate("ID", Variant(id)));
        ds.Edit();
        ds.FieldByName("NAME")->SetAsString(name);
        ds.Post();
    };
    rename(2, "d");
    EXPECT_EQ(Ids(ds), (std::vector<int>{1, 2, 3, 4})) << "still between its neighbours";
    EXPECT_EQ(ds.RecNo(), 2);
    rename(2, "f");
    EXPECT_EQ(Ids(ds), (std::vector<int>{1, 3, 2, 4})) << "past its successor";
    EXPECT_EQ(ds.FieldByName("ID")->AsInteger(), 2);
    EXPECT_EQ(ds.RecNo(), 3);
    rename(1, "e");
    EXPECT_EQ(Ids(ds), (std::vector<int>{3, 1, 2, 4})) << "an equal key goes after the row that has it";
    rename(4, "0");
    EXPECT_EQ(Ids(ds), (std::vector<int>{4, 3, 1, 2})) << "back to the front";
    EXPECT_EQ(ds.RecNo(), 1);
}

TEST(ClientDataSet, LocateAndLookup) {
    TClientDataSet ds;
    MakeLocal(ds, {{1, "Apple"}, {2, "banana"}, {3, "Cherry"}, {4, "banana"}});
    int scrolls = 0;
    ds.AfterScroll = [&](TDataSet*) { ++scrolls; };
    EXPECT_TRUE(ds.Locate("NAME", Variant("banana")));
    EXPECT_EQ(ds.FieldByName("ID")->AsInteger(), 2);
    EXPECT_EQ(scrolls, 1);
    EXPECT_FALSE(ds.Locate("NAME", Variant("BANANA")));
    EXPECT_EQ(ds.FieldByName("ID")->AsInteger(), 2);  // a failed search stays put
    EXPECT_TRUE(ds.Locate("NAME", Variant("cher"), {loCaseInsensitive, loPartialKey}));
    EXPECT_EQ(ds.FieldByName("ID")->AsInteger(), 3);
    EXPECT_TRUE(ds.Locate("NAME;ID", VarArrayOf({Variant("banana"), Variant(4)})));
    EXPECT_EQ(ds.RecNo(), 4);
    EXPECT_TRUE(ds.Locate("ID", Variant("1")));  // text against a number
    EXPECT_EQ(ds.Lookup("ID", Variant(3), "NAME").AsString(), "Cherry");
    EXPECT_EQ(ds.RecNo(), 1);  // lookup does not move
    EXPECT_TRUE(ds.Lookup("ID", Variant(99), "NAME").IsNull());
}

TEST(ClientDataSet, BookmarksSurviveSorting) {
    TClientDataSet ds;
    MakeLocal(ds, {{3, "c"}, {1, "a"}, {2, "b"}});
    ds.SetRecNo(2);
    TBookmark onA = ds.GetBookmark();
    ds.Last();
    TBookmark onB = ds.GetBookmark();
    EXPECT_EQ(ds.CompareBookmarks(onA, onB), -1);
    ds.SetIndexFieldNames("ID");
    EXPECT_EQ(ds.FieldByName("ID")->AsInteger(), 2);  // the current row stays current
    EXPECT_EQ(ds.RecNo(), 2);
    EXPECT_EQ(ds.CompareBookmarks(onA, onB), -1);
    ds.SetIndexName("");
    ds.AddIndex("desc", "ID", {ixDescending});
    ds.SetIndexName("desc");
    EXPECT_EQ(ds.CompareBookmarks(onA, onB), 1);
    ds.GotoBookmark(onA);
    EXPECT_EQ(ds.FieldByName("NAME")->AsString(), "a");
    EXPECT_EQ(ds.RecNo(), 3);
    ds.Delete();
    EXPECT_FALSE(ds.BookmarkValid(onA));
    EXPECT_TRUE(ds.BookmarkValid(onB));
    EXPECT_THROW(ds.GotoBookmark(onA), EDatabaseError);
}

TEST(ClientDataSet, CloneCursorsShareRowsAndLog) {
    TClientDataSet ds, clone;
    MakeLocal(ds, {{1, "a"}, {2, "b"}});
    ds.MergeChangeLog();
    clone.CloneCursor(&ds, true);
    EXPECT_EQ(clone.RecordCount(), 2);
    clone.SetIndexFieldNames("NAME");
    ds.Append();
    ds.FieldByName("ID")->SetAsInteger(3);
    ds.FieldByName("NAME")->SetAsString("0first");
    ds.Post();
    EXPECT_EQ(clone.RecordCount(), 3);
    clone.First();
    EXPECT_EQ(clone.FieldByName("ID")->AsInteger(), 3);  // the clone keeps its own order
    EXPECT_EQ(ds.RecNo(), 3);                            // and its own position
    clone.Last();
    clone.Edit();
    clone.FieldByName("NAME")->SetAsString("bb");
    clone.Post();
    EXPECT_EQ(ds.ChangeCount(), 2);  // one log for both cursors
    EXPECT_EQ(clone.ChangeCount(), 2);
    ds.SetRecNo(2);
    EXPECT_EQ(ds.FieldByName("NAME")->AsString(), "bb");
    ds.CancelUpdates();
    EXPECT_EQ(clone.RecordCount(), 2);
    ds.Close();
    EXPECT_EQ(clone.RecordCount(), 2);  // the rows live while a cursor uses them
}

TEST(ClientDataSet, FiltersHideRows) {
    TClientDataSet ds;
    MakeLocal(ds, {{1, "a"}, {2, "b"}, {3, "ab"}, {4, "c"}});
    ds.SetFilter("NAME = 'a*' or ID >= 4");
    ds.SetFiltered(true);
    EXPECT_EQ(Ids(ds), (std::vector<int>{1, 3, 4}));
    ds.OnFilterRecord = [](TDataSet* d, bool& accept) { accept = d->FieldByName("ID")->AsInteger() != 3; };
    ds.SetFiltered(true);
    EXPECT_EQ(Ids(ds), (std::vector<int>{1, 4}));
    ds.First();
    ds.Edit();
    ds.FieldByName("NAME")->SetAsString("zz");  // no longer passes: leaves the view on post
    ds.Post();
    EXPECT_EQ(Ids(ds), (std::vector<int>{4}));
    ds.SetFiltered(false);
    EXPECT_EQ(ds.RecordCount(), 4);
    EXPECT_THROW(ds.SetFilter("NAME = = 1"), EDatabaseError);
}

TEST(DataSource, NotificationsAndDisableControls) {
    TClientDataSet ds;
    TDataSource src(&ds);
    RecordingLink link;
    link.SetDataSource(&src);
    int stateChanges = 0, dataChanges = 0;
    src.OnStateChange = [&](TObject*) { ++stateChanges; };
    src.OnDataChange = [&](TDataSource*, TField*) { ++dataChanges; };
    MakeLocal(ds, {{1, "a"}, {2, "b"}, {3, "c"}});
    EXPECT_EQ(link.activeChanged, 1);
    EXPECT_TRUE(link.Active());

    link.dataSetChanged = link.scrolled = link.recordChanged = 0;
    ds.First();
    ds.Next();
    EXPECT_EQ(link.dataSetChanged, 1);
    EXPECT_EQ(link.scrolled, 1);

    link.dataSetChanged = link.scrolled = 0;
    dataChanges = 0;
    ds.DisableControls();
    EXPECT_TRUE(ds.ControlsDisabled());
    for (ds.First(); !ds.Eof(); ds.Next()) {}
    ds.Edit();
    ds.FieldByName("NAME")->SetAsString("x");
    ds.Post();
    EXPECT_EQ(link.dataSetChanged + link.scrolled + link.recordChanged, 0);
    EXPECT_EQ(dataChanges, 0);
    ds.DisableControls();
    ds.EnableControls();  // still disabled once
    EXPECT_EQ(link.dataSetChanged, 0);
    ds.EnableControls();
    EXPECT_FALSE(ds.ControlsDisabled());
    EXPECT_EQ(link.dataSetChanged, 1);  // one refresh on enable
    EXPECT_EQ(dataChanges, 1);

    // Editing through the source and a field link.
    TFieldDataLink fieldLink;
    std::string shown;
    fieldLink.OnDataChange = [&] { shown = fieldLink.Field() ? fieldLink.Field()->DisplayText() : ""; };
    fieldLink.OnUpdateData = [&] { fieldLink.Field()->SetAsString("typed"); };
    fieldLink.SetDataSource(&src);
    fieldLink.SetFieldName("NAME");
    ds.First();
    EXPECT_EQ(shown, "a");
    stateChanges = 0;
    EXPECT_TRUE(fieldLink.Edit());
    EXPECT_EQ(ds.State(), dsEdit);
    EXPECT_EQ(stateChanges, 1);
    EXPECT_GE(link.editingChanged, 1);
    fieldLink.Modified();
    ds.Post();  // the link writes its pending text first
    EXPECT_EQ(ds.FieldByName("NAME")->AsString(), "typed");
    EXPECT_EQ(shown, "typed");
    src.AutoEdit = false;
    EXPECT_FALSE(fieldLink.Edit());
    src.SetEnabled(false);
    EXPECT_FALSE(link.Active());
}

TEST(ClientDataSet, CalculatedFieldsAndPeek) {
    TClientDataSet ds;
    ds.FieldDefs().Add("QTY", ftInteger);
    ds.FieldDefs().Add("PRICE", ftFloat);
    TField* total = ds.CreateField(ftFloat, "TOTAL", fkCalculated);
    TField* mark = ds.CreateField(ftString, "MARK", fkInternalCalc, 1);
    mark->SetIndex(0);
    ds.OnCalcFields = [](TDataSet* d) {
        EXPECT_EQ(d->State(), dsCalcFields);
        d->FieldByName("TOTAL")->SetAsFloat(d->FieldByName("QTY")->AsInteger() * d->FieldByName("PRICE")->AsFloat());
    };
    ds.CreateDataSet();
    EXPECT_EQ(ds.Fields(0), mark);
    ds.AppendRecord({Variant(), Variant(2), Variant(1.5)});
    ds.AppendRecord({Variant(), Variant(3), Variant(2.0)});
    EXPECT_DOUBLE_EQ(total->AsFloat(), 6.0);
    {
        TDataSet::TRecordPeek peek(ds, 1);
        EXPECT_DOUBLE_EQ(total->AsFloat(), 3.0);
        EXPECT_EQ(ds.FieldByName("QTY")->AsInteger(), 2);
    }
    EXPECT_DOUBLE_EQ(total->AsFloat(), 6.0);
    EXPECT_EQ(ds.RecNo(), 2);
    ds.Edit();
    EXPECT_THROW(total->SetAsFloat(1), EDatabaseError);  // only OnCalcFields writes it
    ds.Cancel();
}

TEST(ClientDataSet, ReopeningOnOtherColumnsBindsEachFieldToItsOwnColumn) {
    TPacketBuilder first({FieldDef("ID", ftInteger), FieldDef("NAME", ftString, 10), FieldDef("OLD", ftString, 5)});
    first.AddRow({Variant(1), Variant("one"), Variant("x")});
    TClientDataSet ds;
    ds.SetData(first.Build());
    TField* id = ds.FieldByName("ID");
    TField* name = ds.FieldByName("NAME");
    ds.Close();
    // The same names in another order, one column gone and one new.
    TPacketBuilder second({FieldDef("NAME", ftString, 10), FieldDef("NEW", ftString, 5), FieldDef("ID", ftInteger)});
    second.AddRow({Variant("two"), Variant("y"), Variant(2)});
    ds.SetData(second.Build());
    EXPECT_EQ(ds.FieldByName("ID"), id);  // fields of columns that stayed are kept
    EXPECT_EQ(ds.FieldByName("name"), name);
    EXPECT_EQ(id->AsInteger(), 2);
    EXPECT_EQ(name->AsString(), "two");
    EXPECT_EQ(ds.FieldByName("NEW")->AsString(), "y");
    EXPECT_EQ(ds.FindField("OLD"), nullptr);
    ASSERT_EQ(ds.FieldCount(), 3);
    EXPECT_EQ(ds.Fields(0), name);  // in the order of the new columns
    EXPECT_EQ(ds.Fields(2), id);

    // A column renamed where another stood gets a field of its own; a field the caller made for a
    // column the data no longer has stops the open.
    ds.Close();
    TPacketBuilder third({FieldDef("LABEL", ftString, 10), FieldDef("NEW", ftString, 5), FieldDef("ID", ftInteger)});
    third.AddRow({Variant("three"), Variant("z"), Variant(3)});
    ds.SetData(third.Build());
    EXPECT_EQ(ds.FindField("NAME"), nullptr);
    EXPECT_EQ(ds.FieldByName("LABEL")->AsString(), "three");
    EXPECT_EQ(ds.FieldByName("ID"), id);
    ds.Close();
    TClientDataSet made;
    made.CreateField(ftString, "GONE", fkData, 5);
    TPacketBuilder without({FieldDef("ID", ftInteger)});
    without.AddRow({Variant(1)});
    try {
        made.SetData(without.Build());
        ADD_FAILURE() << "opened without the column GONE";
    } catch (const EDatabaseError& e) {
        EXPECT_NE(e.Message().find("GONE"), std::string::npos) << e.Message();
    }
}
