// The query dialog as Tdef05's query command runs it: pages filled as a user fills them, the built
// texts, and what the real application server returns for them on the demo company.
#include <gtest/gtest.h>

#include <set>

#include "dialogs/RkQBE.h"
#include "tests/double/Tdef05Fixture.h"
#include "toolkit/data/ClientDataSet.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/dataaware/DBComboBox.h"
#include "toolkit/ui/grids/StringGrid.h"
#include "toolkit/ui/kernel/Application.h"
#include "toolkit/ui/widgets/CheckBox.h"
#include "toolkit/ui/widgets/ComboBox.h"
#include "toolkit/ui/widgets/GlyphButton.h"
#include "toolkit/ui/widgets/ListBox.h"
#include "toolkit/ui/widgets/Memo.h"
#include "toolkit/ui/widgets/PageControl.h"
#include "toolkit/ui/widgets/RadioGroup.h"

namespace {

class QBEForm : public Tdef05Fixture {
protected:
    void SetUp() override {
        Tdef05Fixture::SetUp();
        RegisterQueryDialog();
    }

    // Runs the query command with the dialog filled by fill.
    bool Query(const std::function<void(TQBEForm&)>& fill) {
        app.ModalLoop().WhenNext("TQBEForm", [&](TCustomForm& window) { fill(dynamic_cast<TQBEForm&>(window)); });
        return form->DoQuery();
    }

    TQBEForm& Dialog() { return *dynamic_cast<TQBEForm*>(form->QueryDialog->Window()); }

    // Types into a grid cell as a user does: the cell made current, the text typed, Enter.
    void TypeCell(TQBEForm& q, int col, int row, const std::string& text) {
        q.sg1->SetFocus();
        q.sg1->FocusCell(col, row);
        Type(text);
        Key(VK_RETURN);
    }

    // Chooses a field of a page's field box by its column name, as a user picks it.
    static void ChooseField(TComboBox* box, const TStringList& names, const std::string& name) {
        box->SelectByUser(names.IndexOf(name));
    }

    // The codes of the documents the window shows.
    std::vector<std::string> Codes() {
        std::vector<std::string> codes;
        for (Main().First(); !Main().Eof(); Main().Next()) codes.push_back(Main().FieldByName("MC001")->AsString());
        return codes;
    }
};

TEST_F(QBEForm, GridPageQueriesTheDocumentCodeAndKeepsTheKeyOrder) {
    Open();
    std::string condition;
    ASSERT_TRUE(Query([&](TQBEForm& q) {
        EXPECT_EQ(q.Caption(), "设置查询条件");
        EXPECT_EQ(q.ExtPageControl1->ActivePage(), q.TabSheet1);
        EXPECT_EQ(q.sg1->Cells(0, 0), "查询字段");
        EXPECT_EQ(Trim(q.sg1->Cells(0, 1)), "文档编号") << "the key field is in the first row";
        EXPECT_EQ(q.sg1->Cells(1, 1), "等于");
        EXPECT_EQ(q.sg1->Cells(3, 1), "AND");
        TypeCell(q, 2, 1, "ADMMC");
        q.BBOK->Click();
    }));
    EXPECT_EQ(Dialog().MasterCondition, " (ADMMC.MC001 = 'ADMMC' ) ");
    EXPECT_EQ(form->LastOrder, "MC001") << "no sort list: the key order";
    EXPECT_EQ(Codes(), std::vector<std::string>{"ADMMC"});

    // A second row joined by OR; the joined column is written as its expression.
    ASSERT_TRUE(Query([&](TQBEForm& q) {
        EXPECT_EQ(q.sg1->Cells(2, 1), "ADMMC") << "the grid keeps what the user stated";
        TypeCell(q, 3, 1, "OR");
        ASSERT_EQ(q.sg1->RowCount(), 3) << "Enter in the last column adds a row";
        EXPECT_EQ(q.sg1->Row(), 2);
        TypeCell(q, 0, 2, "系统名称");
        TypeCell(q, 1, 2, "包含");
        TypeCell(q, 2, 2, "基本信息");
        q.BBOK->Click();
    }));
    EXPECT_EQ(Dialog().MasterCondition, " (ADMMC.MC001 = 'ADMMC')  OR (ADMMA.MA002 like '%基本信息%' ) ");
    const std::vector<std::string> expected = Rows(
        "SELECT MC001 FROM ADMMC LEFT JOIN ADMMA ON MC004 = MA001 WHERE MC001 = 'ADMMC' OR MA002 LIKE '%基本信息%' "
        "ORDER BY MC001");
    EXPECT_GT(expected.size(), 1u);
    EXPECT_EQ(Codes(), expected);
}

TEST_F(QBEForm, GridRowsAreEditedByTheGridRules) {
    Open();
    ASSERT_FALSE(Query([&](TQBEForm& q) {
        // Up removes a row without a field and swallows the key.
        q.sg1->SetFocus();
        q.sg1->FocusCell(0, 1);
        Key(VK_DOWN);
        ASSERT_EQ(q.sg1->RowCount(), 3);
        EXPECT_EQ(q.sg1->Cells(1, 2), "等于");
        EXPECT_EQ(q.NewRowIndex(VK_DOWN), -1) << "no new row while a row has no field";
        Key(VK_UP);
        EXPECT_EQ(q.sg1->RowCount(), 2);
        // Ctrl+Delete empties the sole row.
        q.sg1->FocusCell(0, 1);
        Key(VK_DELETE, TShiftState{ssCtrl});
        EXPECT_EQ(q.sg1->Cells(0, 1), "");
        EXPECT_EQ(q.NewRowIndex(VK_RETURN), -1);
        // A numeric-looking value in a text field is quoted; the pick texts of the window's type box.
        TypeCell(q, 0, 1, "类型");
        EXPECT_EQ(q.GridPickList(2, 1).size(), 8u) << "the eight document types";
        TypeCell(q, 2, 1, q.GridPickList(2, 1)[0]);
        EXPECT_EQ(q.RowCondition(1), "ADMMC.MC003 = '1' AND") << "a pick text is written as its code";
        // Enter in the last column moves to a new row.
        q.sg1->FocusCell(3, 1);
        Key(VK_RETURN);
        EXPECT_EQ(q.sg1->RowCount(), 3);
        EXPECT_EQ(q.sg1->Row(), 2);
        q.SetModalResult(mrCancel);
    }));
}

TEST_F(QBEForm, TheValueCellOfANumericFieldTakesNumbersOnly) {
    Open();
    // The row counter is the window's one numeric column; shown, it is offered in the grid.
    TField* flag = Main().FieldByName("FLAG");
    flag->SetVisible(true);
    const std::string caption = Trim(flag->DisplayLabel());
    Query([&](TQBEForm& q) {
        q.BuildGridFields();
        ASSERT_NE(q.GridFields.FindCaption(caption), nullptr);
        TypeCell(q, 0, 1, caption);
        EXPECT_TRUE(q.sg1->CellNumbersOnly(2, 1));
        TypeCell(q, 2, 1, "x-1.2.3a4");
        EXPECT_EQ(q.sg1->Cells(2, 1), "-1.234");
        EXPECT_EQ(q.RowCondition(1), "ADMMC.FLAG = -1.234 AND");
        // Another field takes letters again.
        TypeCell(q, 0, 1, "文档编号");
        EXPECT_FALSE(q.sg1->CellNumbersOnly(2, 1));
        EXPECT_EQ(q.sg1->Cells(2, 1), "") << "a new field empties the value";
        TypeCell(q, 2, 1, "AB");
        EXPECT_EQ(q.sg1->Cells(2, 1), "AB");
        q.SetModalResult(mrCancel);
    });
    flag->SetVisible(false);
}

TEST_F(QBEForm, AdvancedPageBuildsLinesAndTheSortOrder) {
    Open();
    ASSERT_TRUE(Query([&](TQBEForm& q) {
        q.ExtPageControl1->ChangeActivePageByUser(q.TabSheet2);
        EXPECT_TRUE(q.BBOK->Default()) << "OK is the default button on the advanced page";
        EXPECT_FALSE(q.rgLogic->Enabled());
        // An empty value adds nothing and says so.
        ChooseField(q.cboField, q.FieldNames, "MC004");
        q.BbAssign->Click();
        EXPECT_EQ(app.Messages().Last().Text.rfind("希望您能够先输入您要找的信息!", 0), 0u) << app.Messages().Last().Text;
        EXPECT_EQ(q.Memo1->Lines()->Count(), 0);
        Enter(q.cboValue, "ADM");
        q.BbAssign->Click();
        // The type box offers the window's type texts; the code is written.
        ChooseField(q.cboField, q.FieldNames, "MC003");
        EXPECT_EQ(q.cboValue->Items()->Count(), 8);
        q.cboValue->SetFocus();
        q.cboValue->SelectByUser(0);
        Key(VK_TAB);
        q.rgLogic->SetItemIndex(1);
        q.BbAssign->Click();
        EXPECT_EQ(q.Memo1->Text(), "(ADMMC.MC004 = 'ADM')\r\n  OR (ADMMC.MC003 = '1')");
        EXPECT_TRUE(q.rgLogic->Enabled());
        // Sort by the system descending, then the code.
        for (const char* name : {"MC004", "MC001"}) {
            q.ListBox1->ClearSelection();
            q.ListBox1->SetSelected(q.FieldNames.IndexOf(name), true);
            q.ListBox1DblClick(q.ListBox1);
        }
        q.ListBox1DblClick(q.ListBox1);
        EXPECT_EQ(q.ListBox2->Count(), 2) << "a field is chosen once";
        q.ListBox2->SetChecked(0, true);
        q.BBOK->Click();
    }));
    EXPECT_EQ(form->LastOrder, "ADMMC.MC004 desc,ADMMC.MC001 asc");
    EXPECT_EQ(Codes(), Rows("SELECT MC001 FROM ADMMC WHERE MC004 = 'ADM' OR MC003 = '1' ORDER BY MC004 DESC, MC001"));
}

TEST_F(QBEForm, DetailFilterListsEachDocumentOnce) {
    // A field code on two lines of one document.
    install.ExecuteSql("UPDATE ADMMD SET MD003 = 'TWICE' WHERE MD001 = 'ADMMA' AND MD002 IN ('0001', '0002')");
    Open();
    ASSERT_TRUE(Query([&](TQBEForm& q) {
        EXPECT_TRUE(q.chkBody->Visible());
        q.ExtPageControl1->ChangeActivePageByUser(q.TabSheet2);
        q.chkBody->SetChecked(true);
        EXPECT_EQ(q.ExtPageControl1->ActivePage(), q.TabSheet3);
        ChooseField(q.cboField2, q.DetailFieldNames, "MD003");
        Enter(q.cboValue2, "TWICE");
        q.BbAssign2->Click();
        q.BBOK->Click();
    }));
    EXPECT_EQ(
        Dialog().CombinedCondition,
        " ( select count(*) FROM DEMO..ADMMD ADMMD where  (ADMMC.MC001=ADMMD.MD001) and  ( (ADMMD.MD003 = 'TWICE') ) ) > 0 ");
    EXPECT_EQ(Codes(), std::vector<std::string>{"ADMMA"});

    // Body lines of a type, with a header test: every document that has one, once.
    ASSERT_TRUE(Query([&](TQBEForm& q) {
        EXPECT_FALSE(q.chkBody->Checked()) << "each showing starts without the detail filter";
        q.ExtPageControl1->ChangeActivePageByUser(q.TabSheet2);
        ChooseField(q.cboField, q.FieldNames, "MC004");
        Enter(q.cboValue, "ADM");
        q.BbAssign->Click();
        q.chkBody->SetChecked(true);
        q.BBClear2Click(q.BBClear2);
        ChooseField(q.cboField2, q.DetailFieldNames, "MD005");
        q.CbOperator2->SetItemIndex(0);
        Enter(q.cboValue2, "N");
        q.BbAssign2->Click();
        q.BBOK->Click();
    }));
    const std::vector<std::string> expected = Rows(
        "SELECT MC001 FROM ADMMC WHERE MC004 = 'ADM' AND MC001 IN (SELECT MD001 FROM ADMMD WHERE MD005 = 'N') ORDER BY MC001");
    EXPECT_GT(expected.size(), 1u);
    EXPECT_EQ(Codes(), expected);
    const std::vector<std::string> codes = Codes();
    EXPECT_EQ(std::set<std::string>(codes.begin(), codes.end()).size(), codes.size()) << "each document once";
}

TEST_F(QBEForm, CancelKeepsEveryTextAndTheWindow) {
    Open();
    ASSERT_TRUE(Query([&](TQBEForm& q) {
        TypeCell(q, 2, 1, "ADMMA");
        q.BBOK->Click();
    }));
    const std::string master = Dialog().MasterCondition, order = Dialog().OrderText;
    const std::vector<std::string> shown = Codes();
    EXPECT_FALSE(Query([&](TQBEForm& q) {
        q.ExtPageControl1->ChangeActivePageByUser(q.TabSheet2);
        Enter(q.cboValue, "X");
        q.BbAssign->Click();
        q.BBCancel->Click();
    }));
    EXPECT_EQ(Dialog().MasterCondition, master);
    EXPECT_EQ(Dialog().OrderText, order);
    EXPECT_EQ(Dialog().GetCondition(), master);
    EXPECT_EQ(Codes(), shown);
}

TEST_F(QBEForm, ARefusedConditionIsReportedWithTheServersReasonAndTheWindowStays) {
    Open();
    ASSERT_TRUE(Query([&](TQBEForm& q) {
        TypeCell(q, 2, 1, "ADMMD");
        q.BBOK->Click();
    }));
    const std::vector<std::string> shown = Codes();
    EXPECT_FALSE(Query([&](TQBEForm& q) {
        q.ExtPageControl1->ChangeActivePageByUser(q.TabSheet2);
        q.Memo1->SetText("NOSUCHCOLUMN = 1");
        q.BBOK->Click();
    }));
    ASSERT_GT(app.Messages().Count(), 0);
    EXPECT_NE(app.Messages().Last().Text.find("NOSUCHCOLUMN"), std::string::npos) << app.Messages().Last().Text;
    EXPECT_EQ(DialogTexts().back(), Message("W", "000001"));
    EXPECT_EQ(Codes(), shown);
}

}  // namespace
