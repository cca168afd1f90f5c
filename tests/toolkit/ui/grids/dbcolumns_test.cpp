// Grid columns and titles, fields asking for the focus, and data-aware controls following their
// data source as it opens, closes and goes away.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/toolkit/ui/UiDataSupport.h"
#include "tests/toolkit/ui/UiTestSupport.h"
#include "toolkit/ui/dataaware/DBCtrls.h"
#include "toolkit/ui/graphics/ImgList.h"
#include "toolkit/ui/graphics/RecordingCanvas.h"
#include "toolkit/ui/kernel/KeyInput.h"
#include "toolkit/ui/widgets/StdCtrls.h"

namespace {
using DBColumnsTest = UiTest;
}  // namespace

TEST_F(DBColumnsTest, ColumnsTitlesAndTheirDefaults) {
    TClientDataSet ds;
    MakeDocuments(ds, NumberedDocuments(4));
    ds.FieldByName("NAME")->SetDisplayLabel("名称");
    ds.FieldByName("NAME")->SetDisplayWidth(10);
    TDataSource source(&ds);
    TOwnedPtr<TForm> form(CreateComponent<TForm>(nullptr));
    auto* grid = CreateComponent<TDBGrid>(form.get());
    grid->SetParent(form.get());
    grid->SetDataSource(&source);
    grid->Font()->SetSize(9);

    ASSERT_EQ(grid->Columns()->Count(), 4);
    TColumn* name = grid->Columns()->Items(1);
    EXPECT_EQ(name->Title()->Caption(), "名称") << "the field's display label";
    EXPECT_EQ(name->Width(), 10 * 7 + 4) << "display width in characters of the grid's font";
    EXPECT_EQ(name->Font()->Size(), 9) << "columns follow the grid's font";
    EXPECT_EQ(name->Color(), grid->Color());
    EXPECT_EQ(grid->ColWidths(2), 74);
    EXPECT_EQ(grid->ColCount(), 5) << "the indicator and four columns";

    // Customized columns: only those added, in their order, with their own settings.
    grid->Columns()->Clear();
    TColumn* kind = grid->Columns()->Add();
    kind->SetFieldName("KIND");
    kind->Title()->SetCaption("类别");
    kind->SetWidth(40);
    kind->SetColor(clInfoBk);
    TColumn* id = grid->Columns()->Add();
    id->SetFieldName("ID");
    id->Title()->SetAlignment(taRightJustify);
    EXPECT_EQ(grid->Columns()->State(), csCustomized);
    EXPECT_EQ(grid->ColCount(), 3);
    EXPECT_EQ(grid->SelectedField(), ds.FieldByName("KIND"));
    ds.FieldByName("DONE")->SetVisible(false);
    EXPECT_EQ(grid->Columns()->Count(), 2) << "customized columns are not rebuilt";
    EXPECT_EQ(ds.FieldByName("ID")->Alignment(), id->Alignment()) << "the field's alignment unless given";

    // Title attributes and images through the events; title colours and captions as drawn.
    TOwnedPtr<TImageList> arrows(CreateComponent<TImageList>(nullptr));
    arrows->SetWidth(8);
    arrows->SetHeight(8);
    TBitmap arrow(8, 8);
    arrows->Add(&arrow);
    grid->SetTitleImageList(arrows.get());
    grid->OnCalcTitleImage = [&](TObject*, TField* field, int& image) {
        if (field->FieldName() == "ID") image = 0;
    };
    grid->OnCalcTitleAttributes = [&](TObject*, TField* field, TFont* font, TBrush* brush, TAlignment&) {
        if (field->FieldName() == "KIND") brush->SetColor(RGB(0, 200, 200));
    };
    TRecordingCanvas canvas;
    grid->PaintTo(canvas);
    EXPECT_EQ(canvas.TextsIn(grid->CellRect(1, 0)), (std::vector<std::string>{"类别"}));
    EXPECT_EQ(canvas.FillAt({grid->CellRect(1, 0).Left + 1, 2})->BrushColor, RGB(0, 200, 200));
    EXPECT_EQ(canvas.FillAt({grid->CellRect(1, 2).Left + 1, grid->CellRect(1, 2).Top + 1})->BrushColor, clInfoBk);
    bool imageDrawn = false;
    for (const TCanvasOp& op : canvas.Ops())
        if (op.Kind == TCanvasOp::opDraw && op.BitmapWidth == 8 && grid->CellRect(2, 0).Contains({op.Rect.Left, op.Rect.Top}))
            imageDrawn = true;
    EXPECT_TRUE(imageDrawn) << "the sort image at the right of the ID title";

    // A column resized by the user keeps the width; column paths reach titles by name.
    grid->SetColWidths(1, 55);
    EXPECT_EQ(kind->Width(), 55);
    SetPropValue(grid, "Columns_1.Title.Caption", "代号");
    EXPECT_EQ(id->Title()->Caption(), "代号");
    // Back to default columns.
    grid->Columns()->SetState(csDefault);
    EXPECT_EQ(grid->Columns()->Count(), 3);
    EXPECT_EQ(grid->Columns()->Items(1)->Title()->Caption(), "名称");
}

TEST_F(DBColumnsTest, FieldsFocusTheirControlsAndControlsFollowTheSource) {
    TClientDataSet ds;
    MakeDocuments(ds, NumberedDocuments(3));
    TDataSource source(&ds);
    TOwnedPtr<TForm> form(CreateComponent<TForm>(nullptr));
    auto* edit = CreateComponent<TDBEdit>(form.get());
    edit->SetParent(form.get());
    edit->SetDataSource(&source);
    edit->SetDataField("NAME");
    auto* memo = CreateComponent<TDBMemo>(form.get());
    memo->SetParent(form.get());
    memo->SetDataSource(&source);
    memo->SetDataField("KIND");
    auto* grid = CreateComponent<TDBGrid>(form.get());
    grid->SetParent(form.get());
    grid->SetDataSource(&source);
    form->Show();
    EXPECT_EQ(memo->Text(), "A");

    // A field asking for the focus gets its control (the grid selects the field's column).
    grid->SetFocus();
    ds.FieldByName("NAME")->FocusControl();
    EXPECT_EQ(form->ActiveControl(), edit);
    edit->SetDataSource(nullptr);
    ds.FieldByName("DONE")->FocusControl();
    EXPECT_EQ(form->ActiveControl(), grid);
    EXPECT_EQ(grid->SelectedField(), ds.FieldByName("DONE"));
    edit->SetDataSource(&source);

    // Closing the dataset empties the controls and the grid's default columns; reopening refills them.
    const Variant rows = ds.Data();
    ds.Close();
    EXPECT_EQ(edit->Text(), "");
    EXPECT_EQ(grid->Columns()->Count(), 0);
    EXPECT_EQ(grid->RecordCount(), 0);
    ds.SetData(rows);
    EXPECT_EQ(edit->Text(), "doc1");
    EXPECT_EQ(grid->Columns()->Count(), 4);
    // A disabled source shows nothing; a freed source leaves the grid with none.
    source.SetEnabled(false);
    EXPECT_EQ(edit->Text(), "");
    source.SetEnabled(true);
    EXPECT_EQ(edit->Text(), "doc1");
    {
        TDataSource* temporary = CreateComponent<TDataSource>(form.get());
        temporary->SetDataSet(&ds);
        grid->SetDataSource(temporary);
        EXPECT_EQ(grid->Columns()->Count(), 4);
        temporary->Free();
    }
    EXPECT_EQ(grid->DataSource(), nullptr);
    EXPECT_EQ(grid->Columns()->Count(), 0);
    TRecordingCanvas canvas;
    grid->PaintTo(canvas);
    EXPECT_TRUE(canvas.Texts().empty());

    // Memos write their lines through the field.
    memo->SetFocus();
    memo->SelectAll();
    SimulateTyping(nullptr, "B");
    edit->SetFocus();
    EXPECT_EQ(ds.FieldByName("KIND")->AsString(), "B");
    form->Hide();
}
