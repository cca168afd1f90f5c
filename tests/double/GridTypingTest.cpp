#include "tests/double/Tdef05Fixture.h"

#include "toolkit/ui/grids/DBGrids.h"

class BodyGridTyping : public Tdef05Fixture {
protected:
    // A new document with its system typed, the focus on the field code of the first line.
    void StartFirstLine() {
        Open();
        Key(VK_F5);
        Type("ZTAB01");
        Key(VK_TAB);
        Key(VK_TAB);
        Key(VK_TAB);
        Type("ADM");
        Key(VK_TAB);
        Key(VK_RETURN);  // Enter on the last header control leads into the body: the first line is there
        ASSERT_EQ(form->ActiveControl(), form->gdBody1);
        ASSERT_EQ(Body().State(), dsInsert);
        EXPECT_EQ(Body().FieldByName("MD002")->AsString(), "0001");
        Key(VK_TAB);
    }
};

TEST_F(BodyGridTyping, CharactersAndShiftedLettersFillTheCellAndEnterMovesOn) {
    StartFirstLine();
    Type("ab");
    Key('C', {ssShift});  // as a keyboard sends it: the key down with Shift, then the character
    Key(VK_RETURN);
    EXPECT_EQ(Body().FieldByName("MD003")->AsString(), "abC");
    EXPECT_EQ(form->gdBody1->SelectedField()->FieldName(), "MD004") << "Enter moves to the next cell";
}
