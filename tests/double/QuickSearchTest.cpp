// Ctrl+F in Tdef05: the quick search over the body grid through the real window, its find dialog
// and the coded messages of the host.
#include "tests/double/Tdef05Fixture.h"

#include "controls/RkSearch.h"
#include "controls/RkSearchDlg.h"
#include "toolkit/ui/grids/DBGrids.h"
#include "toolkit/ui/widgets/Button.h"
#include "toolkit/ui/widgets/CheckBox.h"
#include "toolkit/ui/widgets/ComboBox.h"
#include "toolkit/ui/widgets/ToolBar.h"

TEST_F(Tdef05Fixture, CtrlFFindsABodyLineAndTheGridFollowsTheChosenField) {
    Open();
    ShowDocument("ADMMC");
    form->gdBody1->SetFocus();
    form->gdBody1->SetSelectedField(Body().FieldByName("MD004"));
    Body().First();
    std::vector<std::string> found;
    app.ModalLoop().WhenNext("TfrmSearchDlg", [&](TCustomForm& window) {
        auto& w = static_cast<TfrmSearchDlg&>(window);
        EXPECT_EQ(w.Caption(), "快速定位");
        EXPECT_EQ(w.btnNext->Caption(), "下一个(&N)");
        EXPECT_EQ(w.rbBeginning->Caption(), "从头开始查找(&E)");
        EXPECT_EQ(w.Font()->Name(), form->ToolBar1->Font()->Name());
        EXPECT_EQ(w.cbbFields->Text(), "字段名称") << "the grid's selected field";
        // Choosing the field code moves the grid's column there.
        w.cbbFields->SelectByUser(w.cbbFields->Items()->IndexOf("字段编号"));
        EXPECT_EQ(form->gdBody1->SelectedField(), Body().FieldByName("MD003"));
        w.chkWholeWords->SetChecked(true);
        w.cbbText->SetText("mc004");
        w.btnNext->Click();
        found.push_back(Body().FieldByName("MD003")->AsString());
        // Nothing further: the host's coded message with the text, the line stays.
        w.btnNext->Click();
        found.push_back(Body().FieldByName("MD003")->AsString());
        // A blank text: the coded message, and no search.
        w.cbbText->SetText("");
        w.btnNext->Click();
        w.btnClose->Click();
    });
    Key('F', {ssCtrl});
    ASSERT_EQ(app.ModalLoop().PendingNextActions(), 0u) << "Ctrl+F opened the find dialog";
    EXPECT_EQ(found, (std::vector<std::string>{"MC004", "MC004"}));
    std::vector<std::string> texts = DialogTexts();
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[texts.size() - 2], Message("E", "000032", {"\"mc004\"没有找到"}));
    EXPECT_EQ(texts.back(), Message("E", "000032", {"查找的值不可为空。"}));
    EXPECT_EQ(form->rkSearchDialog1->LastSearchText(), "");

    // The next Ctrl+F offers the text last searched.
    app.ModalLoop().WhenNext("TfrmSearchDlg", [&](TCustomForm& window) {
        auto& w = static_cast<TfrmSearchDlg&>(window);
        EXPECT_EQ(w.cbbFields->Text(), "字段编号");
        w.cbbText->SetText("MC002");
        w.btnNext->Click();
        w.btnClose->Click();
    });
    Key('F', {ssCtrl});
    app.ModalLoop().WhenNext("TfrmSearchDlg", [&](TCustomForm& window) {
        EXPECT_EQ(static_cast<TfrmSearchDlg&>(window).cbbText->Text(), "MC002");
        static_cast<TfrmSearchDlg&>(window).btnClose->Click();
    });
    Key('F', {ssCtrl});
    EXPECT_EQ(app.ModalLoop().PendingNextActions(), 0u);
}
