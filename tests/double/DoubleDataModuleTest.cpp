// The master-detail data module through Tdef05's real data module, datasets and application server.
#include "tests/double/Tdef05Fixture.h"

#include <algorithm>

#include "framework/data/FieldText.h"

namespace {

std::vector<std::string> Column(TDataSet& dataSet, const std::string& field) {
    std::vector<std::string> values;
    TBookmark here = dataSet.GetBookmark();
    for (dataSet.First(); !dataSet.Eof(); dataSet.Next()) values.push_back(dataSet.FieldByName(field)->AsString());
    if (here && dataSet.BookmarkValid(here)) dataSet.GotoBookmark(here);
    return values;
}

void AddLine(TDataSet& body, const std::string& code) {
    body.Append();
    body.FieldByName("MD003")->SetAsString(code);
    body.Post();
}

// Document ZLINES with lines 0001, 0002 and one whose number is no number.
void AddLinesDocument(TTestInstallation& install) {
    install.ExecuteSql("INSERT INTO ADMMC (MC001, MC002, MC003, MC004, FLAG) VALUES ('ZLINES', 'L', '1', 'ADM', 1)");
    for (const char* line : {"0001", "0002", "X1"})
        install.ExecuteSql("INSERT INTO ADMMD (MD001, MD002, MD003, MD005, MD006, FLAG) VALUES ('ZLINES', ?1, ?1, 'C', 1, 1)",
                           {line});
}

}  // namespace

TEST_F(Tdef05Fixture, BodyRowsTakeTheHeaderKeyOrThePendingMarkerAndTheNextLineNumber) {
    Open();
    ShowDocument("ADMMA");
    const int lines = Body().RecordCount();
    ASSERT_GT(lines, 3);

    // A header in Edit: a new line gets the document's code and one above the highest line number.
    ASSERT_TRUE(form->DoEdit());
    AddLine(Body(), "NEWCOL");
    EXPECT_EQ(Body().FieldByName("MD001")->AsString(), "ADMMA");
    char next[16];
    std::snprintf(next, sizeof next, "%04d", lines + 1);
    EXPECT_EQ(Body().FieldByName("MD002")->AsString(), next);
    EXPECT_EQ(Body().FieldByName("MD005")->AsString(), "C") << "a new line is of type C";
    form->DoCancel(false);

    // A new header: the leading body keys hold the marker until the save puts the code there.
    ASSERT_TRUE(form->DoAdd(true));
    EXPECT_EQ(Main().FieldByName("MC003")->AsString(), "1") << "a new document is of type 1";
    Main().FieldByName("MC001")->SetAsString("ZNEW01");
    Main().FieldByName("MC004")->SetAsString("CMS");
    EXPECT_EQ(Main().FieldByName("MC004C")->AsString(), "基本信息管理");
    AddLine(Body(), "A1");
    AddLine(Body(), "A2");
    AddLine(Body(), "A3");
    // The marker, as much of it as the field holds.
    EXPECT_EQ(Column(Body(), "MD001"), std::vector<std::string>(3, std::string(kPendingKeyMarker).substr(0, 10)));
    EXPECT_EQ(Column(Body(), "MD002"), (std::vector<std::string>{"0001", "0002", "0003"}));
    try {
        ASSERT_TRUE(form->DoSave());
    } catch (const std::exception& e) {
        FAIL() << e.what();
    }
    EXPECT_EQ(Rows("SELECT MD001, MD002, MD003 FROM ADMMD WHERE MD001 = 'ZNEW01' ORDER BY MD002"),
              (std::vector<std::string>{"ZNEW01|0001|A1", "ZNEW01|0002|A2", "ZNEW01|0003|A3"}));
}

TEST_F(Tdef05Fixture, LineNumbersFollowTheHighestNumberAndSkipTextsThatAreNoNumbers) {
    AddLinesDocument(install);
    Open();
    ShowDocument("ZLINES");
    std::string number;
    Dm().NextLineNumber(Dm().BodyClone, "MD002", number);
    EXPECT_EQ(number, "0003");
    Dm().NextLineNumber(Dm().BodyClone, "NOFIELD", number);
    EXPECT_EQ(number, "");
}

TEST_F(Tdef05Fixture, DeletingABodyRowPutsTheHeaderIntoEdit) {
    Open();
    ShowDocument("ADMMA");
    form->DoEdit();
    Main().Post();  // the header edit is posted, as entering the body grid does
    ASSERT_EQ(Main().State(), dsBrowse);
    const int lines = Body().RecordCount();
    Body().Last();
    Body().Delete();
    EXPECT_EQ(Main().State(), dsEdit);
    EXPECT_EQ(Body().RecordCount(), lines - 1);
    // Posting a line marks the header too.
    Main().Post();
    Body().First();
    Body().Edit();
    Body().FieldByName("MD004")->SetAsString("改名");
    Body().Post();
    EXPECT_EQ(Main().State(), dsEdit);
    // A body row can only be added while the document is being edited.
    form->DoCancel(false);
    ASSERT_EQ(Main().State(), dsBrowse);
    EXPECT_THROW(Body().Append(), EAbort);
    EXPECT_EQ(Main().State(), dsBrowse);
}

TEST_F(Tdef05Fixture, LineNumbersAndDuplicateCodesFollowLinesAddedChangedAndDeleted) {
    AddLinesDocument(install);
    Open();
    ShowDocument("ZLINES");
    ASSERT_TRUE(form->DoEdit());
    auto next = [this] {
        std::string number;
        Dm().NextLineNumber(Dm().BodyClone, "MD002", number);
        return number;
    };
    auto duplicate = [this] { return Dm().IsDuplicateBodyKey(Body().FieldByName("MD003"), ""); };
    AddLine(Body(), "C3");
    AddLine(Body(), "C4");
    std::vector<std::string> lines = Column(Body(), "MD002");
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ(lines, (std::vector<std::string>{"0001", "0002", "0003", "0004", "X1"}));
    EXPECT_EQ(next(), "0005");

    // A line renumbered upwards, then deleted: the next number follows both.
    ASSERT_TRUE(Body().Locate("MD003", Variant("C4")));
    Body().Edit();
    Body().FieldByName("MD002")->SetAsString("0010");
    Body().Post();
    EXPECT_EQ(next(), "0011");
    ASSERT_TRUE(Body().Locate("MD003", Variant("C4")));
    Body().Delete();
    EXPECT_EQ(next(), "0004");

    // A new line's code against every line, the one added last included.
    Body().Append();
    SetFieldText(Body().FieldByName("MD003"), "C5", false);
    EXPECT_FALSE(duplicate());
    EXPECT_THROW(SetFieldText(Body().FieldByName("MD003"), "C3", false), EAbort);
    SetFieldText(Body().FieldByName("MD003"), "C4", false);
    EXPECT_FALSE(duplicate()) << "the deleted line's code is free again";
    Body().Post();
    Body().Append();
    EXPECT_THROW(SetFieldText(Body().FieldByName("MD003"), "C4", false), EAbort) << "the line just posted counts";
    Body().Cancel();

    // A line in edit or at rest is not its own duplicate; it is one of another line's code.
    ASSERT_TRUE(Body().Locate("MD003", Variant("C3")));
    EXPECT_FALSE(duplicate());
    Body().Edit();
    EXPECT_FALSE(duplicate());
    EXPECT_THROW(SetFieldText(Body().FieldByName("MD003"), "X1", false), EAbort);
    Body().Cancel();
    form->DoCancel(false);

    // Another document's lines, then this one's again, as they are stored.
    ShowDocument("ADMMA");
    char expected[16];
    std::snprintf(expected, sizeof expected, "%04d", std::stoi(Sql("SELECT MAX(MD002) FROM ADMMD WHERE MD001 = 'ADMMA'")) + 1);
    EXPECT_EQ(next(), expected);
    ShowDocument("ZLINES");
    EXPECT_EQ(next(), "0003");
}

TEST_F(Tdef05Fixture, ANewLineTakesTheCarriedOverFieldsOfTheLastLineOnlyWhenTheyAreListed) {
    Open();
    ASSERT_TRUE(form->DoAdd(true));
    Main().FieldByName("MC001")->SetAsString("ZCARRY");
    AddLine(Body(), "A1");
    Body().Edit();
    Body().FieldByName("MD004")->SetAsString("名称");
    Body().Post();
    AddLine(Body(), "A2");
    EXPECT_EQ(Body().FieldByName("MD004")->AsString(), "") << "nothing is carried over unless listed";

    form->CarryOverBodyFields = "MD004,MD006";
    Body().Edit();
    Body().FieldByName("MD004")->SetAsString("单价");
    Body().FieldByName("MD006")->SetAsFloat(12);
    Body().Post();
    Body().First();  // the previous line is the last one, wherever the cursor stands
    Body().Append();
    EXPECT_EQ(Body().FieldByName("MD004")->AsString(), "单价");
    EXPECT_EQ(Body().FieldByName("MD006")->AsFloat(), 12);
    EXPECT_EQ(Body().FieldByName("MD003")->AsString(), "") << "fields not listed start empty";
    Body().Cancel();
    form->DoCancel(false);
}

TEST_F(Tdef05Fixture, SavingFinalizesTheLinesOfANewDocumentAndTheMarkedLinesOfAStoredOne) {
    // A stored line with a negative FLAG (never stamped) is finalized when its document is saved,
    // though only the header was changed.
    install.ExecuteSql("INSERT INTO ADMMC (MC001, MC002, MC003, MC004, FLAG) VALUES ('ZNEG', 'N', '1', 'ADM', 1)");
    install.ExecuteSql("INSERT INTO ADMMD (MD001, MD002, MD003, MD005, MD006, FLAG) VALUES ('ZNEG', '0001', 'A', 'C', 1, -5)");
    Open();
    ShowDocument("ZNEG");
    ASSERT_TRUE(form->DoEdit());
    Main().FieldByName("MC002")->SetAsString("改名");
    ASSERT_TRUE(form->DoSave());
    EXPECT_EQ(Sql("SELECT FLAG FROM ADMMD WHERE MD001 = 'ZNEG'"), "5");

    // A new document's lines hold its code and FLAG 1 in the window once saved, as stored.
    form->IsKeepOnAdd = false;
    ASSERT_TRUE(form->DoAdd(true));
    Main().FieldByName("MC001")->SetAsString("ZFIN");
    Main().FieldByName("MC004")->SetAsString("ADM");
    AddLine(Body(), "B1");
    AddLine(Body(), "B2");
    EXPECT_EQ(Column(Body(), "FLAG"), (std::vector<std::string>{"-1", "-1"}));
    ASSERT_TRUE(form->DoSave());
    ShowDocument("ZFIN");
    EXPECT_EQ(Column(Body(), "MD001"), (std::vector<std::string>{"ZFIN", "ZFIN"}));
    EXPECT_EQ(Column(Body(), "FLAG"), (std::vector<std::string>{"1", "1"}));
    EXPECT_EQ(Rows("SELECT MD001, MD003, FLAG FROM ADMMD WHERE MD001 = 'ZFIN' ORDER BY MD002"),
              (std::vector<std::string>{"ZFIN|B1|1", "ZFIN|B2|1"}));
    EXPECT_EQ(Main().ChangeCount(), 0);
}
