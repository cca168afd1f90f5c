// The keyboard of fast data entry: Enter through the pages to the save, Ctrl+Tab between pages,
// Enter from the browse grid, the calculator keys.
#include "tests/single/SingleFixture.h"
#include "toolkit/ui/dataaware/DBEdit.h"
#include "toolkit/ui/grids/DBGrids.h"
#include "toolkit/ui/widgets/PageControl.h"

TEST_F(SingleFixture, EnterOnThePagesLastControlGoesToTheNextPageAndOnTheFinalControlSaves) {
    Open();
    form->IsKeepOnAdd = false;
    Key(VK_F5);
    Type("E");
    Key(VK_RETURN);
    Type("键盘录入");
    for (int i = 0; i < 3; ++i) Key(VK_RETURN);
    EXPECT_EQ(form->ActiveControl(), form->edMA006);
    Type("8");
    Key(VK_RETURN);
    EXPECT_EQ(form->pgHead->ActivePage(), form->tbsHead2) << "the last control of page 1 leads to page 2";
    EXPECT_EQ(form->ActiveControl(), form->edMA007);
    Type("2024/03/05");
    Key(VK_RETURN);
    Type("备注");
    Key(VK_RETURN);
    Key(VK_RETURN);
    EXPECT_EQ(form->ActiveControl(), form->edUDF51);
    EXPECT_EQ(Count("MA001 = 'E'"), 0) << "not saved before the final control";
    Key(VK_RETURN);
    ASSERT_EQ(Count("MA001 = 'E'"), 1) << "Enter on the final control saves";
    EXPECT_EQ(Sql("SELECT MA007 FROM TSGMA WHERE MA001 = 'E'"), "20240305");
    EXPECT_EQ(Sql("SELECT MA006 FROM TSGMA WHERE MA001 = 'E'"), "0.08");
    EXPECT_EQ(Sql("SELECT MA008 FROM TSGMA WHERE MA001 = 'E'"), "备注");
    EXPECT_EQ(form->EditMode, emBrowse);
}

TEST_F(SingleFixture, CtrlTabSwitchesPagesAndWrapsOverTheDetailPagesWhileEditing) {
    Open();
    Key(VK_TAB, {ssCtrl});
    EXPECT_EQ(form->pgHead->ActivePage(), form->tbsHead2);
    Key(VK_TAB, {ssCtrl});
    EXPECT_EQ(form->pgHead->ActivePage(), form->tbsBrowse) << "in Browse the browse page follows";
    form->gdHead->SetFocus();
    Key(VK_RETURN);
    EXPECT_EQ(form->pgHead->ActivePage(), form->tbsHead1) << "Enter in the browse grid shows page 1";

    Key(VK_F7);
    form->edMA004->SetFocus();
    Key(VK_TAB, {ssCtrl});
    EXPECT_EQ(form->pgHead->ActivePage(), form->tbsHead2);
    Key(VK_TAB, {ssCtrl});
    EXPECT_EQ(form->pgHead->ActivePage(), form->tbsHead1) << "while editing it wraps to page 1";
    Key(VK_TAB, {ssCtrl, ssShift});
    EXPECT_EQ(form->pgHead->ActivePage(), form->tbsHead2) << "and back";
    Key(VK_NEXT, {ssCtrl});
    EXPECT_EQ(form->pgHead->ActivePage(), form->tbsHead1);
    form->pgHead->ChangeActivePageByUser(form->tbsBrowse);
    EXPECT_NE(form->pgHead->ActivePage(), form->tbsBrowse) << "IsFocusPageOne keeps editing off the browse page";
}

TEST_F(SingleFixture, PlusInAnAmountOpensTheCalculatorAndInADateIsTyped) {
    std::vector<std::string> asked;
    DefaultLookupCallbacks().calculate = [&](const std::string& text) {
        asked.push_back(text);
        return std::string("0.15");
    };
    Open();
    Key(VK_F7);
    form->edMA005->SetFocus();
    Type("+");
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], "12.5");
    EXPECT_EQ(Main().FieldByName("MA005")->AsString(), "0.15");
    EXPECT_EQ(form->edMA005->Text(), "0.15") << "the key itself is dropped";

    // A rate shown as a percentage receives the result times 100.
    EXPECT_EQ(Main().FieldByName("MA006")->DisplayText(), "5.00%");
    form->edMA006->SetFocus();
    Type("*");
    EXPECT_EQ(asked.size(), 2u);
    EXPECT_DOUBLE_EQ(Main().FieldByName("MA006")->AsFloat(), 0.15);
    EXPECT_EQ(Main().FieldByName("MA006")->DisplayText(), "15.00%");

    // In a date (a text field) "+" is an ordinary key: it reaches the edit, whose date mask refuses it.
    form->pgHead->SetActivePage(form->tbsHead2);
    form->edMA007->SetFocus();
    const int beeps = app.Beeps().Count();
    Type("+");
    EXPECT_EQ(asked.size(), 2u);
    EXPECT_EQ(app.Beeps().Count(), beeps + 1);
    // Digits fill the mask; the separators are the mask's.
    form->edMA007->SetSelStart(0);
    Type("20250607");
    EXPECT_EQ(form->edMA007->Text(), "2025/06/07");
    Key(VK_TAB);
    EXPECT_EQ(Main().FieldByName("MA007")->AsString(), "20250607");

    // The tool button runs it on the focused control too.
    form->pgHead->SetActivePage(form->tbsHead1);
    form->edMA004->SetFocus();
    form->btnCalcClick(form);
    EXPECT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[2], "100");
}
