// Ctrl+F on the single-table window's browse grid: the find dialog from the beginning and case
// insensitive, through the real window and data module.
#include "tests/single/SingleFixture.h"

#include <algorithm>

#include "controls/RkSearch.h"
#include "controls/RkSearchDlg.h"
#include "toolkit/ui/grids/DBGrids.h"
#include "toolkit/ui/widgets/Button.h"
#include "toolkit/ui/widgets/CheckBox.h"
#include "toolkit/ui/widgets/ComboBox.h"
#include "toolkit/ui/widgets/PageControl.h"

TEST_F(SingleFixture, CtrlFOnTheBrowseGridFindsRecordsFromTheBeginning) {
    Open();
    form->pgHead->SetActivePage(form->tbsBrowse);
    form->gdHead->SetFocus();
    form->gdHead->SetSelectedField(Main().FieldByName("MA003"));
    Main().Last();
    const std::string last = Main().FieldByName("MA003")->AsString();
    std::vector<std::string> names;
    app.ModalLoop().WhenNext("TfrmSearchDlg", [&](TCustomForm& window) {
        auto& w = static_cast<TfrmSearchDlg&>(window);
        EXPECT_EQ(w.cbbFields->Text(), "名称");
        // Forward from the last record: nothing, and the record stays.
        w.cbbText->SetText("螺");
        w.btnNext->Click();
        names.push_back(Main().FieldByName("MA003")->AsString());
        // From the beginning: the first match, then on from there.
        w.rbBeginning->SetChecked(true);
        w.btnNext->Click();
        names.push_back(Main().FieldByName("MA003")->AsString());
        EXPECT_TRUE(w.rbCursor->Checked());
        w.btnNext->Click();
        names.push_back(Main().FieldByName("MA003")->AsString());
        w.btnClose->Click();
    });
    Key('F', {ssCtrl});
    ASSERT_EQ(app.ModalLoop().PendingNextActions(), 0u) << "Ctrl+F opened the find dialog";
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[0], last);
    EXPECT_NE(names[1].find("螺"), std::string::npos);
    EXPECT_NE(names[2].find("螺"), std::string::npos);
    EXPECT_NE(names[1], names[2]);
    std::vector<std::string> texts = DialogTexts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), Message("E", "000032", {"\"螺\"没有找到"})), 1);
    EXPECT_EQ(form->rkSearchDialog1->LastSearchText(), "螺");
}
