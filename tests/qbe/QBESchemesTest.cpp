// Saved query schemes: the stored texts, and saving, listing, opening and running a scheme through the
// real dialog, Tdef05's window and the application server.
#include <gtest/gtest.h>

#include "dialogs/DocuCondition.h"
#include "dialogs/QBESchemes.h"
#include "dialogs/RkQBE.h"
#include "framework/forms/FormImages.h"
#include "tests/double/Tdef05Fixture.h"
#include "toolkit/data/ClientDataSet.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/graphics/ImgList.h"
#include "toolkit/ui/graphics/RecordingCanvas.h"
#include "toolkit/ui/grids/StringGrid.h"
#include "toolkit/ui/kernel/Application.h"
#include "toolkit/ui/widgets/Button.h"
#include "toolkit/ui/widgets/CheckBox.h"
#include "toolkit/ui/widgets/ComboBox.h"
#include "toolkit/ui/widgets/Edit.h"
#include "toolkit/ui/widgets/GlyphButton.h"
#include "toolkit/ui/widgets/ListBox.h"
#include "toolkit/ui/widgets/ListView.h"
#include "toolkit/ui/widgets/Memo.h"
#include "toolkit/ui/widgets/Menus.h"
#include "toolkit/ui/widgets/PageControl.h"
#include "toolkit/ui/widgets/ToolBar.h"

TEST(QBESchemeText, GridRowsWithoutFieldAndValueAreNotStored) {
    TQBEScheme grid;
    grid.RowLimit = "500";
    grid.Rows = {{"文档编号", "等于", "ADMMC", "OR"}, {"", "等于", "", "AND"}, {"类型", "存在于", "1,2", "AND"}};
    const std::string text = QBESchemeText(grid);
    EXPECT_EQ(text, "500\x07文档编号\r\n等于\r\nADMMC\r\nOR\x08类型\r\n存在于\r\n1,2\r\nAND\x08");
    const TQBEScheme back = ParseQBEScheme(0, text);
    EXPECT_EQ(back.RowLimit, "500");
    ASSERT_EQ(back.Rows.size(), 2u);
    EXPECT_EQ(back.Rows[1].Field, "类型");
    EXPECT_EQ(back.Rows[1].Value, "1,2");
    EXPECT_EQ(back.Rows[0].Logic, "OR");
}

TEST(QBESchemeText, AdvancedPagesKeepTheirTextsSortListAndDetailSwitch) {
    TQBEScheme empty;
    empty.Page = 1;
    empty.RowLimit = "100";
    empty.Memo1 = "ADMMC.MC003 = '1'";
    const std::string text = QBESchemeText(empty);
    EXPECT_EQ(text,
              "100\x07"
              "ADMMC.MC003 = '1'\x03\x03"
              "0\x03");
    TQBEScheme back = ParseQBEScheme(1, text);
    EXPECT_TRUE(back.Sort.empty());
    EXPECT_FALSE(back.DetailFilter);
    EXPECT_EQ(back.Memo1, "ADMMC.MC003 = '1'");

    TQBEScheme detail = empty;
    detail.Page = 2;
    detail.Sort = {{"文档编号\tMC001", true}, {"类型\tMC003", false}};
    detail.DetailFilter = true;
    detail.Memo2 = "ADMMD.MD005 = 'N'";
    back = ParseQBEScheme(2, QBESchemeText(detail));
    ASSERT_EQ(back.Sort.size(), 2u);
    EXPECT_EQ(back.Sort[0].Text, "文档编号\tMC001");
    EXPECT_TRUE(back.Sort[0].Descending);
    EXPECT_FALSE(back.Sort[1].Descending);
    EXPECT_TRUE(back.DetailFilter);
    EXPECT_EQ(back.Memo2, "ADMMD.MD005 = 'N'");

    TQBEScheme other;
    other.Page = 3;
    EXPECT_EQ(QBESchemeText(other), "");
}

namespace {

class QBESchemes : public Tdef05Fixture {
protected:
    void SetUp() override {
        Tdef05Fixture::SetUp();
        RegisterQueryDialog();
    }
    // Answers the next name dialog with the name (OK), or cancels it when the name is empty.
    void AnswerName(const std::string& name) {
        app.ModalLoop().WhenNext("TfrmDocuCondition", [name](TCustomForm& window) {
            auto& dialog = dynamic_cast<TfrmDocuCondition&>(window);
            if (name.empty()) {
                dialog.btnCancel->Click();
                return;
            }
            dialog.edConName->SetText(name);
            dialog.btnOk->Click();
        });
    }
    std::vector<std::string> Codes() {
        std::vector<std::string> codes;
        for (Main().First(); !Main().Eof(); Main().Next()) codes.push_back(Main().FieldByName("MC001")->AsString());
        return codes;
    }
};

}  // namespace

TEST_F(QBESchemes, ASchemeSavedOnTheGridIsListedOpenedAndRunFromTheQueryButton) {
    Open();
    std::string limit;
    app.ModalLoop().WhenNext("TQBEForm", [&](TCustomForm& window) {
        auto& q = dynamic_cast<TQBEForm&>(window);
        limit = q.cbTopRow->Text();
        EXPECT_EQ(q.lstCondition->Columns()->Items(0)->Caption(), "方案名称");
        EXPECT_EQ(q.lstCondition->Items()->Count(), 0);
        q.sg1->SetCells(2, 1, "ADMMC");
        // Cancelled: nothing stored.
        AnswerName("");
        q.btnInsert->Click();
        EXPECT_EQ(Sql("SELECT COUNT(*) FROM DOCUS"), "0");
        AnswerName("只看ADMMC");
        q.btnInsert->Click();
        ASSERT_EQ(q.lstCondition->Items()->Count(), 1);
        EXPECT_EQ(q.lstCondition->Items()->Item(0)->Caption(), "只看ADMMC");
        q.BBCancel->Click();
    });
    form->DoQuery();
    EXPECT_EQ(Sql("SELECT ActivePage FROM DOCUS WHERE NCONDITION = '只看ADMMC' AND CREATOR = 'DS' AND PROGRAMME = 'TDEF05'"),
              "0");
    EXPECT_EQ(Sql("SELECT VCONDITION FROM DOCUS"), limit +
                                                       "\x07"
                                                       "文档编号\r\n等于\r\nADMMC\r\nAND\x08");

    // The window's query button offers it, and choosing it runs it.
    TPopupMenu* menu = form->mnCondition;
    ASSERT_EQ(menu->Items()->Count(), 1);
    EXPECT_EQ(menu->Items()->Items(0)->Caption(), "只看ADMMC");
    form->OpenWithCondition(&Main(), "", "");
    ASSERT_GT(Codes().size(), 1u);
    menu->Items()->Items(0)->Click();
    EXPECT_EQ(Codes(), std::vector<std::string>{"ADMMC"});

    // The same name again asks to replace; an advanced scheme reopens on its page with its sort list.
    app.ModalLoop().WhenNext("TQBEForm", [&](TCustomForm& window) {
        auto& q = dynamic_cast<TQBEForm&>(window);
        q.ExtPageControl1->SetActivePage(q.TabSheet2);
        q.Memo1->SetText("ADMMC.MC001 LIKE 'ADMM%'");
        q.ListBox2->Items()->Clear();
        q.ListBox2->Items()->Add("文档编号\tMC001");
        q.ListBox2->SetChecked(0, true);
        app.QueueDialogAnswer(mrOk);  // 此方案名已存在！... replace
        AnswerName("只看ADMMC");
        q.btnInsert->Click();
        // Another page and texts, then the scheme opened again.
        q.Memo1->SetText("");
        q.ListBox2->Items()->Clear();
        q.ExtPageControl1->SetActivePage(q.TabSheet1);
        q.lstCondition->SetSelected(q.lstCondition->Items()->Item(0));
        q.btnOpen->Click();
        EXPECT_EQ(q.ExtPageControl1->ActivePage(), q.TabSheet2);
        EXPECT_EQ(q.Memo1->Text(), "ADMMC.MC001 LIKE 'ADMM%'");
        ASSERT_EQ(q.ListBox2->Count(), 1);
        EXPECT_TRUE(q.ListBox2->Checked(0));
        q.BBCancel->Click();
    });
    form->DoQuery();
    EXPECT_EQ(Sql("SELECT COUNT(*) FROM DOCUS"), "1");
    EXPECT_EQ(Sql("SELECT ActivePage FROM DOCUS"), "1");
    form->mnCondition->Items()->Items(0)->Click();
    std::vector<std::string> codes = Codes();
    ASSERT_GE(codes.size(), 2u);
    EXPECT_TRUE(StartsText("ADMM", codes.front()));
    EXPECT_GT(codes.front(), codes.back()) << "the scheme's descending sort";
}

TEST_F(QBESchemes, TheSchemeListIsShownInTheStyleTheButtonOrTheMenuChose) {
    Open();
    app.ModalLoop().WhenNext("TQBEForm", [&](TCustomForm& window) {
        auto& q = dynamic_cast<TQBEForm&>(window);
        TListView* list = q.lstCondition;
        EXPECT_EQ(list->ViewStyle(), vsReport);
        EXPECT_EQ(list->PopupMenu(), q.mnList);
        EXPECT_EQ(q.ToolButton1->DropdownMenu(), q.mnList);
        std::vector<std::string> captions;
        for (int i = 0; i < q.mnList->Items()->Count(); ++i) captions.push_back(q.mnList->Items()->Items(i)->Caption());
        EXPECT_EQ(captions, (std::vector<std::string>{"大型图标(&G)", "小型图标(&M)", "清单(&L)", "详细信息(&D)"}));
        TMenuItem* items[] = {q.miViewIcon, q.miViewSmallIcon, q.miViewList, q.miViewReport};
        auto checked = [&] {
            std::string marks;
            for (TMenuItem* item : items) marks += item->Checked() ? "x" : ".";
            return marks;
        };
        EXPECT_EQ(checked(), "...x");

        // The button cycles through the four styles, checking the menu's item each time.
        std::vector<TViewStyle> styles;
        std::vector<std::string> marks;
        for (int i = 0; i < 4; ++i) {
            q.ToolButton1->Click();
            styles.push_back(list->ViewStyle());
            marks.push_back(checked());
        }
        EXPECT_EQ(styles, (std::vector<TViewStyle>{vsIcon, vsSmallIcon, vsList, vsReport}));
        EXPECT_EQ(marks, (std::vector<std::string>{"x...", ".x..", "..x.", "...x"}));

        // The menu chooses a style too, and the button goes on from it.
        q.miViewList->Click();
        EXPECT_EQ(list->ViewStyle(), vsList);
        q.ToolButton1->Click();
        EXPECT_EQ(list->ViewStyle(), vsReport);
        q.miViewIcon->Click();
        EXPECT_EQ(checked(), "x...");

        // A saved scheme reloads the list, which keeps the chosen style and shows the scheme's image.
        q.sg1->SetCells(2, 1, "ADMMC");
        AnswerName("只看ADMMC");
        q.btnInsert->Click();
        ASSERT_EQ(list->Items()->Count(), 1);
        EXPECT_EQ(list->ViewStyle(), vsIcon);
        EXPECT_EQ(list->Items()->Item(0)->ImageIndex(), kImageScheme);
        TRecordingCanvas canvas;
        list->PaintTo(canvas);
        const TCanvasOp* caption = canvas.FindText("只看ADMMC");
        ASSERT_NE(caption, nullptr);
        EXPECT_GE(caption->Rect.Top, list->LargeImages()->Height()) << "the caption under the large image";
        EXPECT_EQ(canvas.FindText("创建时间"), nullptr) << "no report header";
        q.BBCancel->Click();
    });
    form->DoQuery();
}

TEST_F(QBESchemes, RenamingInTheListKeepsTheOldNameWhenTheNewOneIsRefused) {
    Open();
    app.ModalLoop().WhenNext("TQBEForm", [&](TCustomForm& window) {
        auto& q = dynamic_cast<TQBEForm&>(window);
        q.sg1->SetCells(2, 1, "ADMMC");
        AnswerName("甲");
        q.btnInsert->Click();
        AnswerName("乙");
        q.btnInsert->Click();
        ASSERT_EQ(q.lstCondition->Items()->Count(), 2);
        TListItem* second = q.lstCondition->Items()->Item(0)->Caption() == "乙" ? q.lstCondition->Items()->Item(0)
                                                                                : q.lstCondition->Items()->Item(1);
        auto rename = [&](const std::string& text) {
            ASSERT_TRUE(second->EditCaption());
            q.lstCondition->SetEditText(text);
            q.lstCondition->EndEdit(true);
        };
        const std::size_t before = app.ShownTexts().size();
        rename("  ");
        rename(std::string("方案") + std::string(19, 'x'));  // 21 characters
        rename("甲");
        EXPECT_EQ(second->Caption(), "乙");
        const std::vector<std::string> shown = app.ShownTexts();
        ASSERT_EQ(shown.size(), before + 3);
        EXPECT_EQ(Trim(shown[before]), "方案名不可空白!");
        EXPECT_EQ(Trim(shown[before + 1]), "方案名长度不可大于20!");
        EXPECT_EQ(Trim(shown[before + 2]), "此方案名称已经存在！");
        rename("乙");
        EXPECT_EQ(app.ShownTexts().size(), before + 3) << "the same name: nothing to do";

        const std::string twenty = std::string("方案") + std::string(18, 'y');
        rename(twenty);
        EXPECT_EQ(second->Caption(), twenty);
        EXPECT_EQ(Sql("SELECT COUNT(*) FROM DOCUS WHERE NCONDITION = '" + twenty + "'"), "1");
        EXPECT_EQ(Sql("SELECT COUNT(*) FROM DOCUS WHERE NCONDITION = '乙'"), "0");
        q.BBCancel->Click();
    });
    form->DoQuery();
    std::vector<std::string> captions;
    for (int i = 0; i < form->mnCondition->Items()->Count(); ++i)
        captions.push_back(form->mnCondition->Items()->Items(i)->Caption());
    EXPECT_EQ(captions.size(), 2u) << (captions.empty() ? "" : captions[0] + "|" + captions.back());
    EXPECT_NE(std::find(captions.begin(), captions.end(), std::string("方案") + std::string(18, 'y')), captions.end());
}
