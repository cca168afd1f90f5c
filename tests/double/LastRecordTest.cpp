// "最后一个" goes to the last document of the query, however many packets are still on the server.
#include "tests/double/Tdef05Fixture.h"
#include "toolkit/rtl/SysUtils.h"

using LastRecordTest = Tdef05Fixture;

TEST_F(LastRecordTest, LastFetchesTheRestAndShowsTheLastDocument) {
    Open();
    form->OpenWithCondition(&Main(), "", "");
    const int stored = StrToIntDef(Sql("SELECT COUNT(*) FROM ADMMC"), 0);
    ASSERT_LT(Main().RecordCount(), stored) << "the demo company has more documents than one packet";
    ASSERT_TRUE(Main().MoreRowsAvailable());

    Key('E', {ssCtrl});
    EXPECT_FALSE(Main().MoreRowsAvailable());
    EXPECT_EQ(Main().RecordCount(), stored);
    EXPECT_EQ(Main().RecNo(), stored);
    EXPECT_EQ(Main().FieldByName("MC001")->AsString(), Sql("SELECT MAX(MC001) FROM ADMMC"));
    // The body follows the document shown.
    EXPECT_EQ(Body().RecordCount(),
              StrToIntDef(Sql("SELECT COUNT(*) FROM ADMMD WHERE MD001 = '" + Main().FieldByName("MC001")->AsString() + "'"), -1));

    // Once there, Last stays; First goes back to the first document.
    Key('E', {ssCtrl});
    EXPECT_EQ(Main().RecNo(), stored);
    Key('H', {ssCtrl});
    EXPECT_EQ(Main().RecNo(), 1);
}
