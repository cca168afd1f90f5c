// The browse grid (title sorting, the selection column, batch printing) and the print formats.
#include <fstream>

#include "tests/single/SingleFixture.h"
#include "toolkit/rtl/IniFile.h"
#include "toolkit/ui/grids/DBGrids.h"
#include "toolkit/ui/widgets/Menus.h"
#include "toolkit/ui/widgets/PageControl.h"

namespace {

TColumn* ColumnOf(TDBGrid* grid, const std::string& field) {
    for (int i = 0; i < grid->Columns()->Count(); ++i)
        if (grid->Columns()->Items(i)->FieldName() == field) return grid->Columns()->Items(i);
    return nullptr;
}

std::vector<std::string> Names(TClientDataSet& ds) {
    std::vector<std::string> names;
    TBookmark here = ds.GetBookmark();
    for (ds.First(); !ds.Eof(); ds.Next()) names.push_back(ds.FieldByName("MA003")->AsString());
    ds.GotoBookmark(here);
    return names;
}

}  // namespace

TEST_F(SingleFixture, ClickingATitleSortsAscendingDescendingAscendingAndTheSelectionColumnNever) {
    Open();
    form->pgHead->SetActivePage(form->tbsBrowse);
    TColumn* name = ColumnOf(form->gdHead, "MA005");
    ASSERT_NE(name, nullptr);
    form->gdHeadTitleClick(name);
    EXPECT_EQ(Dm().SortField, Main().FieldByName("MA005"));
    EXPECT_TRUE(Dm().IsAscending(&Main()));
    EXPECT_EQ(Names(Main()), (std::vector<std::string>{"垫圈", "螺母", "螺丝"}));
    form->gdHeadTitleClick(name);
    EXPECT_FALSE(Dm().IsAscending(&Main()));
    EXPECT_EQ(Names(Main()), (std::vector<std::string>{"螺丝", "螺母", "垫圈"}));
    form->gdHeadTitleClick(name);
    EXPECT_TRUE(Dm().IsAscending(&Main()));
    EXPECT_EQ(Names(Main()), (std::vector<std::string>{"垫圈", "螺母", "螺丝"}));

    // The calculated selection column never sorts, nor does a click while editing.
    Dm().SortByField("MultiSelected");
    EXPECT_EQ(Dm().SortField, Main().FieldByName("MA005"));
    Dm().SortByField("");
    EXPECT_EQ(Dm().SortField, nullptr) << "no field clears the sort";
    EXPECT_EQ(Main().IndexFieldNames(), Dm().DefaultIndexFieldNames);
}

TEST_F(SingleFixture, SpaceOnTheSelectionColumnSelectsAndBatchPrintingPrintsTheSelectedInOrder) {
    Open();
    ASSERT_EQ(form->ReportName, "TSGL01");
    EXPECT_TRUE(form->miBBPrint->Enabled());
    EXPECT_TRUE(Dm().ShowMultiSelected) << "the selection column shows while batch printing is possible";
    form->pgHead->SetActivePage(form->tbsBrowse);
    form->gdHead->SetFocus();
    form->gdHead->SetSelectedField(Main().FieldByName("MultiSelected"));
    Key('E', {ssCtrl});
    Key(VK_SPACE);
    Key('H', {ssCtrl});
    Key(VK_SPACE);
    EXPECT_EQ(form->gdHead->SelectedRows().Count(), 2);
    EXPECT_EQ(Main().FieldByName("MultiSelected")->AsString(), "Y");
    Key('N', {ssCtrl});
    EXPECT_EQ(Main().FieldByName("MultiSelected")->AsString(), "N");
    form->miBBPrintClick(form);
    EXPECT_EQ(form->Printed, (std::vector<std::string>{"B||202401030001", "A||202401020001"}));
    EXPECT_EQ(form->gdHead->SelectedRows().Count(), 0);
    form->miBBSelectAllClick(form);
    EXPECT_EQ(form->gdHead->SelectedRows().Count(), 3);
    form->miBBUnSelectAllClick(form);
    EXPECT_EQ(form->gdHead->SelectedRows().Count(), 0);
}

TEST_F(SingleFixture, AReportWithoutFormatsOffersNoneAndTheCheckedFormatAsksAndIsRemoved) {
    Open();
    form->MenuItem1Click(form);
    ASSERT_EQ(form->miFormat->Count(), 1);
    EXPECT_EQ(form->miFormat->Items(0)->Caption(), "<无格式>");
    EXPECT_FALSE(form->miFormat->Items(0)->Enabled());

    install.ExecuteSql("INSERT INTO WARRANT (NT001, NT002) VALUES ('TSGL01', '标准格式'), ('TSGL01X', '简易格式')");
    form->BuildFormatMenu(form->miFormat, true);
    ASSERT_EQ(form->miFormat->Count(), 2);
    EXPECT_EQ(form->miFormat->Items(0)->Caption(), "标准格式");
    EXPECT_EQ(form->miFormat->Items(1)->Caption(), "简易格式");
    EXPECT_FALSE(form->miFormat->Items(0)->Checked());

    // Choosing one asks, then stores it as this computer's default for the record's slot.
    app.QueueDialogAnswer(mrOk);
    form->MenuItemVoucherFormatClick(form->miFormat->Items(1));
    EXPECT_EQ(DialogTexts().back(), Message("W", "100079", {"将格式[简易格式]设为本机默认格式?"}));
    EXPECT_TRUE(form->miFormat->Items(1)->Checked());
    const std::string file = install.ClientPath() + "UserDef.ini";
    EXPECT_EQ(TIniFile(file).ReadString("VoucherFormatDef", "TSGL01_A", ""), "简易格式");
    form->BuildFormatMenu(form->miFormat, true);
    EXPECT_TRUE(form->miFormat->Items(1)->Checked()) << "the default is marked when the menu is built";

    // The checked one asks whether to drop the default; Cancel keeps it, OK removes it.
    app.QueueDialogAnswer(mrCancel);
    form->MenuItemVoucherFormatClick(form->miFormat->Items(1));
    EXPECT_EQ(DialogTexts().back(), Message("W", "100079", {"是否要取消本机默认格式?"}));
    EXPECT_TRUE(form->miFormat->Items(1)->Checked());
    app.QueueDialogAnswer(mrOk);
    form->MenuItemVoucherFormatClick(form->miFormat->Items(1));
    EXPECT_FALSE(form->miFormat->Items(1)->Checked());
    EXPECT_EQ(TIniFile(file).ReadString("VoucherFormatDef", "TSGL01_A", "<none>"), "<none>");
}

TEST_F(SingleFixture, PrintAndPreviewRunOnlyInBrowseOnARecord) {
    Open();
    form->miPreviewClick(form);
    form->miPrintClick(form);
    EXPECT_EQ(form->Printed, (std::vector<std::string>{"preview:A||202401020001", "A||202401020001"}));
    Key(VK_F7);
    EXPECT_FALSE(form->miPrint->Enabled());
    form->miPrintClick(form);
    EXPECT_EQ(form->Printed.size(), 2u);
}
