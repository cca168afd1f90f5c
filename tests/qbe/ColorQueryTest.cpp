// The colour filter: the rules of a colour-rule document, the dialog that ticks the rules in force,
// and Tdef05's window opening the records of its last query that meet them on the demo company.
#include <gtest/gtest.h>

#include <algorithm>

#include "dialogs/RkColorQBE.h"
#include "dialogs/RkQBE.h"
#include "framework/forms/ColorConditions.h"
#include "tests/double/Tdef05Fixture.h"
#include "toolkit/data/ClientDataSet.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/graphics/Canvas.h"
#include "toolkit/ui/graphics/RecordingCanvas.h"
#include "toolkit/ui/grids/StringGrid.h"
#include "toolkit/ui/kernel/Application.h"
#include "toolkit/ui/widgets/CheckBox.h"
#include "toolkit/ui/widgets/GlyphButton.h"
#include "toolkit/ui/widgets/Menus.h"
#include "toolkit/ui/widgets/PageControl.h"
#include "toolkit/ui/widgets/Panel.h"
#include "toolkit/ui/widgets/ScrollBox.h"
#include "toolkit/ui/widgets/ToolBar.h"

namespace {

const char* const kRules =
    "<root><colormanager>"
    "<head>"
    "<component name=\"gdHead\" enable=\"N\"><condition value=\"1=0\" colorx=\"0\" bkcolor=\"0\" msg=\"关闭的\"/></component>"
    "<component name=\"gdHead\" enable=\"Y\">"
    "<condition value=\"ADMMC.MC003 = '7'\" colorx=\"255\" bkcolor=\"65535\" msg=\"系统文档\"/>"
    "<condition value=\"ADMMC.MC001 LIKE 'ADMM%'\" colorx=\"x\" bkcolor=\"\" msg=\"ADM主档\"/>"
    "<condition value=\"ADMMC.MC004 = 'ADM'\" colorx=\"\" bkcolor=\"\"/>"
    "</component>"
    "<component name=\"edMC002\" enable=\"Y\"><condition value=\"1=1\" colorx=\"1\" bkcolor=\"2\" msg=\"编辑框\"/></component>"
    "</head>"
    "<body><component name=\"gdHead\" enable=\"Y\"><condition value=\"2=2\" msg=\"单身\"/></component></body>"
    "</colormanager></root>";

}  // namespace

TEST(ColorConditions, OnlyTheEnabledComponentOfTheAreaIsRead) {
    TColorConditions rules;
    ASSERT_TRUE(ReadColorConditions(kRules, "head", "gdHead", rules));
    ASSERT_EQ(rules.Count(), 3);
    EXPECT_EQ(rules.Items(0)->Value, "ADMMC.MC003 = '7'");
    EXPECT_EQ(rules.Items(0)->ColorX, "255");
    EXPECT_EQ(rules.Items(0)->BkColor, "65535");
    EXPECT_EQ(rules.Items(0)->Caption(), "系统文档");
    EXPECT_EQ(rules.Items(2)->Msg, "");
    EXPECT_EQ(rules.Items(2)->Caption(), "ADMMC.MC004 = 'ADM'") << "without a message the rule is named by its condition";
    EXPECT_FALSE(rules.Items(0)->Selected);

    TColorConditions copy;
    rules.Items(1)->Selected = true;
    copy.Assign(&rules);
    ASSERT_EQ(copy.Count(), 3);
    EXPECT_TRUE(copy.Items(1)->Selected);
    EXPECT_EQ(copy.Items(1)->Value, "ADMMC.MC001 LIKE 'ADMM%'");

    ASSERT_TRUE(ReadColorConditions(kRules, "body", "gdHead", rules));
    ASSERT_EQ(rules.Count(), 1);
    EXPECT_EQ(rules.Items(0)->Caption(), "单身");
    EXPECT_FALSE(ReadColorConditions(kRules, "head", "gdBody1", rules));
    EXPECT_EQ(rules.Count(), 0);
    EXPECT_FALSE(ReadColorConditions("", "head", "gdHead", rules));
    try {
        ReadColorConditions("<root><colormanager>", "head", "gdHead", rules);
        ADD_FAILURE() << "a broken document is refused";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "颜色管理xml格式错误");
    }
}

namespace {

class ColorQuery : public Tdef05Fixture {
protected:
    void SetUp() override {
        Tdef05Fixture::SetUp();
        RegisterQueryDialog();
        RegisterColorQueryDialog();
        install.ExecuteSql("INSERT INTO ADMNH (NH001, NH002, NH003) VALUES ('TDEF05', '颜色', ?1)", {kRules});
    }
    void ColorManaged(const std::string& program, bool on) {
        install.ExecuteSql(
            "INSERT INTO ADMUD (UD001, UD002, UD003, UD004, UD005) VALUES ('DEMO', 'DS', ?1, 'InputSettings003', ?2)",
            {program,
             std::string("<InputSettings003><IsColorManage>") + (on ? "True" : "False") + "</IsColorManage></InputSettings003>"});
    }
    TColorQBEForm& Dialog() { return *dynamic_cast<TColorQBEForm*>(form->ColorQuery->Window()); }
    std::vector<std::string> Codes() {
        std::vector<std::string> codes;
        for (Main().First(); !Main().Eof(); Main().Next()) codes.push_back(Main().FieldByName("MC001")->AsString());
        return codes;
    }
    std::vector<std::string> Codes(const std::string& where) {
        std::vector<std::string> codes;
        for (const std::string& row : Rows("SELECT MC001 FROM ADMMC WHERE " + where + " ORDER BY MC001")) codes.push_back(row);
        return codes;
    }
    std::vector<std::string> Sorted(std::vector<std::string> codes) {
        std::sort(codes.begin(), codes.end());
        return codes;
    }
};

}  // namespace

TEST_F(ColorQuery, WithoutColourManagementTheWindowOffersNoColourFilter) {
    Open();
    EXPECT_FALSE(form->IsColorManage);
    EXPECT_EQ(form->ColorQuery, nullptr);
    EXPECT_FALSE(form->btnColorQuery->Visible());
    EXPECT_EQ(form->pmColorCondition->Items()->Count(), 0);
}

TEST_F(ColorQuery, TheRuleMenuFiltersTheLastQueryAndABrokenRuleReopensIt) {
    ColorManaged("TDEF05", true);
    Open();
    ASSERT_TRUE(form->IsColorManage);
    ASSERT_NE(form->ColorQuery, nullptr);
    EXPECT_TRUE(form->btnColorQuery->Visible());
    TMenuItem* menu = form->pmColorCondition->Items();
    ASSERT_EQ(menu->Count(), 3);
    EXPECT_EQ(menu->Items(0)->Name(), "mnuColor0");
    EXPECT_EQ(menu->Items(0)->Caption(), "系统文档");
    EXPECT_EQ(menu->Items(1)->Caption(), "ADM主档");
    // Each rule is drawn in the colours it paints; colours that are not numbers give the menu's own.
    auto paint = [&](int index, bool selected, TColor& back, TColor& font) {
        TRecordingCanvas canvas;
        menu->Items(index)->PaintItem(canvas, {0, 0, 120, 20}, selected);
        const TCanvasOp* fill = canvas.FillAt({60, 10});
        const TCanvasOp* text = canvas.FindText(menu->Items(index)->Caption());
        ASSERT_NE(fill, nullptr);
        ASSERT_NE(text, nullptr);
        back = fill->BrushColor;
        font = text->FontColor;
    };
    TColor back = clNone, font = clNone;
    paint(0, false, back, font);
    EXPECT_EQ(back, static_cast<TColor>(65535));
    EXPECT_EQ(font, static_cast<TColor>(255));
    paint(1, false, back, font);
    EXPECT_EQ(back, clMenu);
    EXPECT_EQ(font, clBlack);
    paint(0, true, back, font);
    EXPECT_EQ(back, clHighlight) << "under the mouse";

    // A rule alone: every document it names.
    menu->Items(0)->Click();
    EXPECT_EQ(Sorted(Codes()), Codes("MC003 = '7'"));
    ASSERT_FALSE(Codes().empty());
    EXPECT_TRUE(menu->Items(0)->Checked());
    EXPECT_EQ(form->EditMode, emBrowse);

    // After a query, a rule narrows what the query found.
    app.ModalLoop().WhenNext("TQBEForm", [&](TCustomForm& window) {
        auto& q = dynamic_cast<TQBEForm&>(window);
        q.sg1->SetCells(1, 1, "起始于");
        q.sg1->SetCells(2, 1, "ADM");
        q.BBOK->Click();
    });
    ASSERT_TRUE(form->DoQuery());
    const std::vector<std::string> queried = Sorted(Codes());
    ASSERT_EQ(queried, Codes("MC001 LIKE 'ADM%'"));
    menu->Items(1)->Click();
    EXPECT_EQ(Sorted(Codes()), Codes("MC001 LIKE 'ADMM%'"));
    menu->Items(0)->Click();
    EXPECT_EQ(Sorted(Codes()), Codes("MC001 LIKE 'ADM%' AND MC003 = '7'"));
    EXPECT_FALSE(menu->Items(1)->Checked()) << "a rule chosen from the menu is the only one in force";

    // A rule the server refuses is reported, and the query's records come back.
    form->ColorRules->Items(2)->Value = "NOSUCHCOLUMN = 1";
    const std::size_t shown = DialogTexts().size();
    menu->Items(2)->Click();
    ASSERT_EQ(DialogTexts().size(), shown + 1);
    EXPECT_EQ(DialogTexts().back(), Message("E", "000032", {"颜色筛选出错！！"}));
    EXPECT_EQ(Sorted(Codes()), queried);

    // Cancelling an edit forgets the query: the rules then apply to every document.
    form->DoEdit();
    form->DoCancel(false);
    EXPECT_EQ(form->ColorCondition, "1=1");
    menu->Items(1)->Click();
    EXPECT_EQ(Sorted(Codes()), Codes("MC001 LIKE 'ADMM%'"));
}

TEST_F(ColorQuery, TheDialogTicksTheRulesInForceAndCanSwitchColourManagementOff) {
    ColorManaged("TDEF05", true);
    Open();
    TColorQBEForm& dialog = Dialog();
    EXPECT_EQ(dialog.Caption(), "颜色筛选");
    EXPECT_FALSE(dialog.pnlHead->Visible());
    TCheckBox* first = dialog.RuleBox(0);
    TCheckBox* second = dialog.RuleBox(1);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    ASSERT_NE(dialog.RuleBox(2), nullptr);
    EXPECT_EQ(dialog.RuleBox(3), nullptr);
    EXPECT_EQ(first->Parent(), dialog.boxMain);
    EXPECT_EQ(first->Caption(), "系统文档");
    EXPECT_EQ(first->Left(), 20);
    EXPECT_EQ(first->Top(), 5);
    EXPECT_EQ(second->Top(), 25);
    EXPECT_GT(first->Width(), dialog.Canvas()->TextWidth("系统文档"));
    EXPECT_EQ(first->Color(), static_cast<TColor>(65535));
    EXPECT_EQ(first->Font()->Color(), static_cast<TColor>(255));
    EXPECT_NE(second->Font()->Color(), static_cast<TColor>(255)) << "a colour that is not a number is left alone";
    form->ColorRules->Items(0)->Selected = true;

    // Cancel changes nothing.
    app.ModalLoop().WhenNext("TColorQBEForm", [&](TCustomForm&) {
        EXPECT_TRUE(first->Checked()) << "ticked from the rule in force";
        EXPECT_TRUE(dialog.boxMain->Enabled());
        second->SetChecked(true);
        dialog.BBCancel->Click();
    });
    form->btnColorQueryClick(form->btnColorQuery);
    EXPECT_TRUE(form->ColorRules->Items(0)->Selected);
    EXPECT_FALSE(form->ColorRules->Items(1)->Selected);

    // OK puts the ticks in force and filters.
    app.ModalLoop().WhenNext("TColorQBEForm", [&](TCustomForm&) {
        first->SetChecked(false);
        second->SetChecked(true);
        dialog.BBOK->Click();
    });
    form->btnColorQueryClick(form->btnColorQuery);
    EXPECT_FALSE(form->ColorRules->Items(0)->Selected);
    EXPECT_TRUE(form->ColorRules->Items(1)->Selected);
    EXPECT_EQ(Sorted(Codes()), Codes("MC001 LIKE 'ADMM%'"));
    EXPECT_EQ(form->pgHead->ActivePage(), form->tbsBrowse);
    EXPECT_FALSE(form->pgBody->Visible()) << "the filtered list shows on the browse page without the body";
    EXPECT_EQ(form->StatusText(2), "单头笔数");
    EXPECT_EQ(install.SqlValue("SELECT COUNT(*) FROM ADMUD WHERE UD003 = '********************'"), "0")
        << "the setting is written only when it changed";

    // Switching colour management off unticks every rule, is remembered and hides the button.
    app.ModalLoop().WhenNext("TColorQBEForm", [&](TCustomForm&) {
        dialog.chkColorManage->SetChecked(false);
        EXPECT_FALSE(second->Checked());
        EXPECT_FALSE(dialog.boxMain->Enabled());
        dialog.BBOK->Click();
    });
    form->btnColorQueryClick(form->btnColorQuery);
    EXPECT_FALSE(form->IsColorManage);
    EXPECT_FALSE(form->btnColorQuery->Visible());
    EXPECT_FALSE(form->ColorRules->Items(1)->Selected);
    EXPECT_NE(install.SqlValue("SELECT UD005 FROM ADMUD WHERE UD003 = '********************' AND UD004 = 'InputSettings003'")
                  .find("<IsColorManage>False</IsColorManage>"),
              std::string::npos);
}
