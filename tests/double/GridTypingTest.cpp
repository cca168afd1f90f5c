#include "tests/double/Tdef05Fixture.h"

#include "toolkit/ui/grids/DBGrids.h"

TEST_F(Tdef05Fixture, TypingIntoTheBodyGridFillsTheCells) {
    Open();
    Key(VK_F5);
    Type("ZTAB01");
    Key(VK_TAB);
    Key(VK_TAB);
    Key(VK_TAB);
    Type("ADM");
    Key(VK_TAB);
    Key(VK_RETURN);
    ASSERT_EQ(form->ActiveControl(), form->gdBody1);
    Key(VK_TAB);
    Type("ABC");
    Key(VK_RETURN);
    EXPECT_EQ(Body().FieldByName("MD003")->AsString(), "ABC");
}

TEST_F(Tdef05Fixture, ShiftedLettersTypedIntoTheBodyGrid) {
    Open();
    Key(VK_F5);
    Type("ZTAB01");
    Key(VK_TAB);
    Key(VK_TAB);
    Key(VK_TAB);
    Type("ADM");
    Key(VK_TAB);
    Key(VK_RETURN);
    Key(VK_TAB);
    Key('A', {ssShift});
    Key('B', {ssShift});
    Key(VK_RETURN);
    EXPECT_EQ(Body().FieldByName("MD003")->AsString(), "AB");
}
