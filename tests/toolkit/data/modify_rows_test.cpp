// Changing many rows at once must leave the change log, the delta and the undo steps as editing and
// posting each row would have.
#include <gtest/gtest.h>

#include "DataTestSupport.h"
#include "toolkit/data/Packets.h"

namespace {

struct Document {
    DocumentServer server{2, 3};
    TClientDataSet main, body;
    Document() {
        server.OpenHeaders(main);
        body.SetDataSetField(static_cast<TDataSetField*>(main.FieldByName("qryBody")));
    }
};

// The delta as text: kind, then each field's old and new value, details inside.
std::string Render(const TDeltaReader& delta) {
    std::string text;
    for (int i = 0; i < delta.Count(); ++i) {
        const TDeltaRow row = delta.Row(i);
        text += "[" + std::to_string(static_cast<int>(row.Kind()));
        for (std::size_t f = 0; f < delta.Fields().size(); ++f) {
            const int field = static_cast<int>(f);
            if (delta.Fields()[f].DataType == ftDataSet) {
                text += " {" + Render(row.Details(field)) + "}";
                continue;
            }
            text += " " + VarToStr(row.OldValue(field)) + (row.Changed(field) ? ">" + VarToStr(row.NewValue(field)) : "");
        }
        text += "]";
    }
    return text;
}

std::vector<std::string> Column(TDataSet& ds, const char* name) {
    std::vector<std::string> values;
    for (ds.First(); !ds.Eof(); ds.Next()) values.push_back(ds.FieldByName(name)->AsString());
    return values;
}

}  // namespace

TEST(ModifyRows, LogsEachChangedRowAsItsOwnEditAndPostWould) {
    Document byRow, atOnce;
    for (Document* doc : {&byRow, &atOnce}) {
        doc->main.Locate("MC001", Variant("DOC2"));
        doc->body.Append();  // a line added before, so that inserted and fetched rows are both changed
        doc->body.FieldByName("MD001")->SetAsString("DOC2");
        doc->body.FieldByName("MD002")->SetAsString("0009");
        doc->body.FieldByName("FLAG")->SetAsInteger(-1);
        doc->body.Post();
        doc->main.Post();
    }
    // Every line but the second: FLAG set to 5.
    for (byRow.body.First(); !byRow.body.Eof(); byRow.body.Next()) {
        if (byRow.body.FieldByName("MD002")->AsString() == "0002") continue;
        byRow.body.Edit();
        byRow.body.FieldByName("FLAG")->SetAsInteger(5);
        byRow.body.Post();
    }
    byRow.main.Post();
    const auto flag = static_cast<std::size_t>(atOnce.body.FieldByName("FLAG")->Slot());
    const auto line = static_cast<std::size_t>(atOnce.body.FieldByName("MD002")->Slot());
    atOnce.body.Last();
    const std::uint64_t before = atOnce.body.DataStamp();
    const int changed = atOnce.body.ModifyRows([&](std::vector<Variant>& values) {
        if (VarToStr(values[line]) == "0002") return false;
        values[flag] = Variant(5);
        return true;
    });
    EXPECT_EQ(changed, 3);
    EXPECT_NE(atOnce.body.DataStamp(), before);
    EXPECT_EQ(atOnce.main.State(), dsEdit) << "a changed line puts its header into edit, as editing one does";
    EXPECT_EQ(atOnce.body.FieldByName("MD002")->AsString(), "0009") << "the cursor stays on its row";
    atOnce.main.Post();

    EXPECT_EQ(Column(atOnce.body, "FLAG"), (std::vector<std::string>{"5", "1", "5", "5"}));
    EXPECT_EQ(atOnce.main.ChangeCount(), byRow.main.ChangeCount());
    EXPECT_EQ(Render(TDeltaReader(atOnce.main.Delta())), Render(TDeltaReader(byRow.main.Delta())));

    // Undone one row at a time, newest first, as separate posts would be.
    atOnce.body.First();
    EXPECT_TRUE(atOnce.body.UndoLastChange(true));
    EXPECT_EQ(atOnce.body.FieldByName("MD002")->AsString(), "0009");
    EXPECT_EQ(atOnce.body.FieldByName("FLAG")->AsString(), "-1");
    EXPECT_EQ(atOnce.body.UpdateStatus(), usInserted);
    EXPECT_TRUE(atOnce.body.UndoLastChange(true));
    EXPECT_EQ(Column(atOnce.body, "FLAG"), (std::vector<std::string>{"5", "1", "1", "-1"}));

    // Nothing to change: no log, no stamp change, the header stays as it is.
    const std::uint64_t still = atOnce.body.DataStamp();
    const int logged = atOnce.main.ChangeCount();
    EXPECT_EQ(atOnce.body.ModifyRows([](std::vector<Variant>&) { return false; }), 0);
    EXPECT_EQ(atOnce.body.DataStamp(), still);
    EXPECT_EQ(atOnce.main.ChangeCount(), logged);
    EXPECT_EQ(atOnce.main.State(), dsBrowse);
}

TEST(ModifyRows, StampsTellRowsApartAndFollowEveryChange) {
    Document doc;
    TClientDataSet clone;
    clone.CloneCursor(&doc.body, true);
    const std::uint64_t first = doc.body.DataStamp();
    EXPECT_EQ(clone.DataStamp(), first) << "a clone shows the same rows";
    doc.main.Next();
    const std::uint64_t second = doc.body.DataStamp();
    EXPECT_NE(second, first) << "another header's lines";
    EXPECT_EQ(clone.DataStamp(), second) << "the clone follows its source's header";
    doc.body.Edit();
    doc.body.FieldByName("MD003")->SetAsString("typed");
    EXPECT_EQ(doc.body.DataStamp(), second) << "an edit not yet posted changes no row";
    doc.body.Post();
    EXPECT_NE(doc.body.DataStamp(), second);
    clone.Close();
    EXPECT_EQ(clone.DataStamp(), 0u);
}

TEST(ModifyRows, WithoutALogEachRowTakesItsOwnChangedValues) {
    Document doc;
    doc.main.Locate("MC001", Variant("DOC2"));
    const std::vector<std::string> notes = Column(doc.body, "MD003");
    const auto line = static_cast<std::size_t>(doc.body.FieldByName("MD002")->Slot());
    const auto note = static_cast<std::size_t>(doc.body.FieldByName("MD003")->Slot());
    doc.body.SetLogChanges(false);
    const int changed = doc.body.ModifyRows([&](std::vector<Variant>& values) {
        if (VarToStr(values[line]) == "0002") return false;
        values[note] = Variant("changed line " + VarToStr(values[line]));
        return true;
    });
    doc.body.SetLogChanges(true);
    doc.main.Post();
    EXPECT_EQ(changed, static_cast<int>(notes.size()) - 1);
    const std::vector<std::string> lines = Column(doc.body, "MD002");
    const std::vector<std::string> now = Column(doc.body, "MD003");
    ASSERT_EQ(now.size(), notes.size());
    for (std::size_t i = 0; i < now.size(); ++i)
        EXPECT_EQ(now[i], lines[i] == "0002" ? notes[i] : "changed line " + lines[i]) << i;
    EXPECT_EQ(doc.body.ChangeCount(), 0) << "no line logged";
}

TEST(ModifyRows, AChangedSortKeyReordersTheViewAndOtherChangesKeepIt) {
    Document doc;
    doc.main.Locate("MC001", Variant("DOC2"));
    doc.body.SetIndexFieldNames("MD003");
    const std::vector<std::string> lines = Column(doc.body, "MD002");
    const auto flag = static_cast<std::size_t>(doc.body.FieldByName("FLAG")->Slot());
    const auto note = static_cast<std::size_t>(doc.body.FieldByName("MD003")->Slot());
    doc.body.ModifyRows([&](std::vector<Variant>& values) {
        values[flag] = Variant(7);
        return true;
    });
    EXPECT_EQ(Column(doc.body, "MD002"), lines);
    EXPECT_EQ(Column(doc.body, "FLAG"), std::vector<std::string>(lines.size(), "7"));
    int n = 0;  // notes in the reverse of the current order
    doc.body.ModifyRows([&](std::vector<Variant>& values) {
        values[note] = Variant(std::string(1, static_cast<char>('z' - n++)));
        return true;
    });
    EXPECT_EQ(Column(doc.body, "MD002"), std::vector<std::string>(lines.rbegin(), lines.rend()));
}
