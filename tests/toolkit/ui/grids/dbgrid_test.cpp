// The data grid on a real client dataset: the row window, keyboard navigation and editing through
// the fields, multi-selection, clicks, and what it paints on a recording canvas.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/toolkit/ui/UiDataSupport.h"
#include "tests/toolkit/ui/UiTestSupport.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/graphics/RecordingCanvas.h"
#include "toolkit/ui/grids/DBGrids.h"
#include "toolkit/ui/kernel/KeyInput.h"
#include "toolkit/ui/widgets/StdCtrls.h"

namespace {
using DBGridTest = UiTest;

template <class Grid = TDBGrid>
struct GridForm {
    TClientDataSet ds;
    TDataSource source{&ds};
    TOwnedPtr<TForm> form{CreateComponent<TForm>(nullptr)};
    Grid* grid;
    TEdit* other;
    int scrolls = 0;

    explicit GridForm(int records) {
        MakeDocuments(ds, NumberedDocuments(records));
        ds.AfterScroll = [this](TDataSet*) { ++scrolls; };
        other = CreateComponent<TEdit>(form.get());
        other->SetParent(form.get());
        grid = CreateComponent<Grid>(form.get());
        grid->SetName("gdBody1");
        grid->SetParent(form.get());
        grid->SetDataSource(&source);
        // Room for the title row and five records.
        grid->SetHeight(grid->RowHeights(0) + 1 + 5 * (grid->DefaultRowHeight() + 1));
        form->Show();
        grid->SetFocus();
    }
    ~GridForm() { form->Hide(); }
    void Key(WORD key, TShiftState shift = {}) { SimulateKeystroke(grid, key, shift); }
    TPoint CellPoint(int col, int row) const {
        TRect r = grid->CellRect(col, row);
        return {r.Left + 2, r.Top + 2};
    }
    void Click(int col, int row, TShiftState shift = {}) {
        TPoint p = CellPoint(col, row);
        grid->Perform(WM_LBUTTONDOWN, ShiftStateToWParam(shift), MakeLParam(p.X, p.Y));
        grid->Perform(WM_LBUTTONUP, ShiftStateToWParam(shift), MakeLParam(p.X, p.Y));
    }
};

// A grid as the framework's will be: record colours, an extra mark in name cells, blank rows
// painted below the records, and a click below them appending a record.
class TStripedGrid : public TDBGrid {
    TK_CLASS(TStripedGrid, TDBGrid)
public:
    explicit TStripedGrid(TComponent* owner) : TDBGrid(owner) {}
    std::vector<int> paintedRecNos;

protected:
    void DoCalcCellColors(TField* field, TGridDrawState state, bool highlight, TFont* font, TBrush* brush) override {
        if (PaintingRecNo() > 0 && (paintedRecNos.empty() || paintedRecNos.back() != PaintingRecNo()))
            paintedRecNos.push_back(PaintingRecNo());
        brush->SetColor(PaintingActiveRow() ? clAqua : PaintingRecNo() % 2 == 0 ? clSilver : clWhite);
        TDBGrid::DoCalcCellColors(field, state, highlight, font, brush);
    }
    void DrawColumnCell(const TRect& rect, int dataCol, TColumn* column, TGridDrawState state) override {
        TDBGrid::DrawColumnCell(rect, dataCol, column, state);
        if (column->FieldName() == "NAME") Canvas()->TextOut(rect.Right - 8, rect.Top, "*");
    }
    void Paint() override {
        TDBGrid::Paint();
        int used = RowHeights(0) + 1 + DataRowsShown() * (DefaultRowHeight() + 1);
        Canvas()->Brush()->SetColor(clLime);
        Canvas()->FillRect({0, used, Width(), Height()});
    }
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override {
        int used = RowHeights(0) + 1 + DataRowsShown() * (DefaultRowHeight() + 1);
        if (button == mbLeft && y >= used && CanModifyData() && !(DataSet()->State() == dsInsert && !DataSet()->Modified())) {
            HideEditor();
            DataSet()->Append();
            return;
        }
        TDBGrid::MouseDown(button, shift, x, y);
    }
};
}  // namespace

TEST_F(DBGridTest, NavigationMovesTheRecordAndTheRowWindow) {
    GridForm<> g(20);
    TDBGrid* grid = g.grid;
    ASSERT_EQ(grid->RowCapacity(), 5);
    ASSERT_EQ(grid->Columns()->Count(), 4) << "one column per visible field";
    EXPECT_EQ(grid->Columns()->State(), csDefault);
    EXPECT_EQ(grid->Columns()->Items(1)->Title()->Caption(), "NAME");
    EXPECT_EQ(grid->DataRowsShown(), 5);

    for (int i = 0; i < 6; ++i) g.Key(VK_DOWN);
    EXPECT_EQ(g.ds.RecNo(), 7);
    EXPECT_EQ(grid->TopRecNo(), 3) << "the window follows the current record";
    EXPECT_EQ(grid->Row(), 5);
    g.Key(VK_NEXT);
    EXPECT_EQ(g.ds.RecNo(), 12);
    g.Key(VK_END, {ssCtrl});
    EXPECT_EQ(g.ds.RecNo(), 20);
    EXPECT_EQ(grid->TopRecNo(), 16);
    g.Key(VK_HOME, {ssCtrl});
    EXPECT_EQ(g.ds.RecNo(), 1);
    EXPECT_EQ(grid->TopRecNo(), 1);

    std::vector<std::string> log;
    grid->OnColExit = [&](TObject*) { log.push_back("exit " + grid->SelectedField()->FieldName()); };
    grid->OnColEnter = [&](TObject*) { log.push_back("enter " + grid->SelectedField()->FieldName()); };
    g.Key(VK_RIGHT);
    EXPECT_EQ(grid->SelectedIndex(), 1);
    g.Key(VK_END);
    EXPECT_EQ(grid->SelectedField()->FieldName(), "DONE");
    g.Key(VK_TAB);
    EXPECT_EQ(g.ds.RecNo(), 2) << "Tab from the last column goes on to the next record";
    EXPECT_EQ(grid->SelectedIndex(), 0);
    EXPECT_EQ(log, (std::vector<std::string>{"exit ID", "enter NAME", "exit NAME", "enter DONE", "exit DONE", "enter ID"}));

    // A hidden column is skipped; a field made invisible drops out of the default columns.
    grid->Columns()->Items(1)->SetVisible(false);
    g.Key(VK_RIGHT);
    EXPECT_EQ(grid->SelectedField()->FieldName(), "KIND");
    g.ds.FieldByName("DONE")->SetVisible(false);
    EXPECT_EQ(grid->Columns()->Count(), 3);
}

TEST_F(DBGridTest, EditingWritesThroughTheFieldOnEnterAndKeepsRefusedText) {
    GridForm<> g(20);
    TDBGrid* grid = g.grid;
    TField* name = g.ds.FieldByName("NAME");
    name->OnSetText = [](TField* f, const std::string& text) { f->SetAsString(UpperCase(text)); };
    name->OnValidate = [](TField* f) {
        if (f->AsString() == "BAD") throw EAbort();
    };
    grid->SetSelectedField(name);

    SimulateTyping(grid, "new");
    EXPECT_TRUE(grid->EditorMode());
    EXPECT_EQ(grid->EditorText(), "new") << "typing opens the editor with the character typed";
    EXPECT_EQ(g.ds.State(), dsEdit);
    EXPECT_EQ(name->AsString(), "doc1");
    g.Key(VK_RETURN);
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_EQ(name->AsString(), "NEW") << "written through the field's text handler";

    SimulateTyping(grid, "bad");
    EXPECT_THROW(g.Key(VK_RETURN), EAbort);
    EXPECT_TRUE(grid->EditorMode()) << "a refused value keeps the editor open";
    EXPECT_EQ(grid->EditorText(), "bad");
    EXPECT_EQ(name->AsString(), "NEW");
    EXPECT_THROW(g.Key(VK_DOWN), EAbort) << "nor can the user move away";
    EXPECT_EQ(g.ds.RecNo(), 1);
    g.Key(VK_ESCAPE);
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_EQ(g.ds.State(), dsEdit);
    g.Key(VK_ESCAPE);
    EXPECT_EQ(g.ds.State(), dsBrowse) << "Escape with the editor closed cancels the record";
    EXPECT_EQ(name->AsString(), "doc1");
    EXPECT_EQ(g.ds.ChangeCount(), 0);

    // F2 edits the current text; moving to another record posts.
    g.Key(VK_F2);
    EXPECT_EQ(grid->EditorText(), "doc1");
    SimulateTyping(grid, "x");
    g.Key(VK_DOWN);
    EXPECT_EQ(g.ds.RecNo(), 2);
    g.Key(VK_UP);
    EXPECT_EQ(name->AsString(), "DOC1X");
    EXPECT_EQ(g.ds.ChangeCount(), 1);

    // Leaving the grid writes the editor too.
    SimulateTyping(grid, "left");
    g.other->SetFocus();
    EXPECT_EQ(name->AsString(), "LEFT");
    g.ds.Post();
    grid->SetFocus();

    // Scripts put text into a cell the same way.
    grid->TypeIntoCell("KIND", "b");
    EXPECT_EQ(g.ds.FieldByName("KIND")->AsString(), "b");
    g.ds.Cancel();

    // A read-only grid or column refuses typing.
    grid->SetReadOnly(true);
    SimulateTyping(grid, "z");
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_EQ(g.ds.State(), dsBrowse);
    grid->SetReadOnly(false);
    grid->Columns()->Items(grid->SelectedIndex())->SetReadOnly(true);
    SimulateTyping(grid, "z");
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_THROW(grid->TypeIntoCell("KIND", "x"), EInvalidOperation);
}

TEST_F(DBGridTest, InsertAppendAndDeleteRecords) {
    GridForm<> g(8);
    TDBGrid* grid = g.grid;
    g.Key(VK_NEXT);
    g.Key(VK_INSERT);
    EXPECT_EQ(g.ds.State(), dsInsert);
    EXPECT_EQ(grid->RecordCount(), 9) << "the new record counts as a row";
    EXPECT_EQ(g.ds.RecNo(), 6);
    g.Key(VK_ESCAPE);
    EXPECT_EQ(g.ds.State(), dsBrowse);

    g.Key(VK_END, {ssCtrl});
    g.Key(VK_DOWN);
    EXPECT_EQ(g.ds.State(), dsInsert) << "Down past the last record appends";
    EXPECT_EQ(g.ds.RecNo(), 9);
    EXPECT_EQ(grid->TopRecNo(), 5);
    g.Key(VK_DOWN);
    EXPECT_EQ(grid->RecordCount(), 9) << "an untouched new record is not appended twice";
    g.Key(VK_UP);
    EXPECT_EQ(g.ds.State(), dsBrowse) << "leaving the untouched new record drops it";
    EXPECT_EQ(g.ds.RecordCount(), 8);
    EXPECT_EQ(g.ds.RecNo(), 8);

    // Typed values post when the record is left.
    g.Key(VK_DOWN);
    SimulateTyping(grid, "9");
    g.Key(VK_UP);
    EXPECT_EQ(g.ds.RecordCount(), 9);
    EXPECT_TRUE(g.ds.Locate("ID", Variant(9)));

    // Down on a new last record the user typed into posts it and appends the next one.
    g.Key(VK_END, {ssCtrl});
    g.Key(VK_DOWN);
    ASSERT_EQ(g.ds.State(), dsInsert);
    SimulateTyping(grid, "10");
    g.Key(VK_DOWN);
    EXPECT_EQ(g.ds.State(), dsInsert) << "a further new record";
    EXPECT_EQ(g.ds.RecordCount(), 10) << "the typed one posted";
    EXPECT_EQ(grid->RecordCount(), 11) << "and the next one pending";
    EXPECT_EQ(g.ds.RecNo(), 11);
    EXPECT_TRUE(g.ds.FieldByName("ID")->IsNull());
    g.Key(VK_ESCAPE);
    EXPECT_EQ(g.ds.RecordCount(), 10);
    EXPECT_TRUE(g.ds.Locate("ID", Variant(10))) << "the typed record stayed";
    g.ds.Delete();

    // Ctrl+Delete asks first.
    messages->QueueAnswer(mrCancel);
    g.Key(VK_DELETE, {ssCtrl});
    EXPECT_EQ(g.ds.RecordCount(), 9);
    EXPECT_EQ(messages->Last().Request.Text, "Delete record?");
    EXPECT_EQ(messages->Last().Request.DlgType, mtConfirmation);
    messages->QueueAnswer(mrOk);
    g.Key(VK_DELETE, {ssCtrl});
    EXPECT_EQ(g.ds.RecordCount(), 8);
    EXPECT_FALSE(g.ds.Locate("ID", Variant(9)));
    // A handler of the grid's key events comes first and may keep the key.
    grid->OnKeyDown = [](TObject*, WORD& key, TShiftState shift) {
        if (key == VK_DELETE && shift.Contains(ssCtrl)) key = 0;
    };
    g.Key(VK_DELETE, {ssCtrl});
    EXPECT_EQ(g.ds.RecordCount(), 8);
    EXPECT_EQ(messages->Count(), 2);
}

TEST_F(DBGridTest, MultiSelectionClicksAndCheckBoxCells) {
    GridForm<> g(12);
    TDBGrid* grid = g.grid;
    grid->SetOptions(grid->Options() + dgMultiSelect);
    std::vector<std::string> clicks;
    grid->OnTitleClick = [&](TColumn* column) { clicks.push_back("title " + column->FieldName()); };
    grid->OnCellClick = [&](TColumn* column) { clicks.push_back("cell " + column->FieldName()); };

    g.Click(2, 3, {ssCtrl});  // record 3
    g.Click(2, 1, {ssCtrl});  // record 1
    EXPECT_EQ(g.ds.RecNo(), 1);
    ASSERT_EQ(grid->SelectedRows().Count(), 2);
    g.ds.GotoBookmark(grid->SelectedRows().Items(0));
    EXPECT_EQ(g.ds.FieldByName("ID")->AsInteger(), 3) << "bookmarks in the order chosen";
    g.ds.First();
    g.Key(VK_DOWN, {ssShift});
    g.Key(VK_DOWN, {ssShift});
    EXPECT_EQ(grid->SelectedRows().Count(), 3) << "Shift+Down adds the records passed";
    g.Click(1, 2);
    EXPECT_EQ(grid->SelectedRows().Count(), 0) << "a plain click clears the selection";
    EXPECT_EQ(g.ds.RecNo(), 2);
    grid->SelectedRows().SelectAll();
    EXPECT_EQ(grid->SelectedRows().Count(), 12);
    EXPECT_EQ(g.ds.RecNo(), 2) << "selecting all comes back to the record";
    grid->SelectedRows().Clear();
    g.Click(1, 4, {ssCtrl});
    g.Click(1, 5, {ssCtrl});
    grid->SelectedRows().Delete();
    EXPECT_EQ(g.ds.RecordCount(), 10);
    EXPECT_FALSE(g.ds.Locate("ID", Variant(4)));

    g.Click(2, 0);
    EXPECT_EQ(clicks, (std::vector<std::string>{"cell NAME", "cell NAME", "cell ID", "cell ID", "cell ID", "title NAME"}));

    // A check-box column toggles with a click or Space and writes at once.
    grid->ControlType()->Add("DONE;CheckBox;Y;N");
    g.ds.First();
    EXPECT_EQ(g.ds.FieldByName("DONE")->AsString(), "N");
    g.Click(4, 1);
    EXPECT_EQ(g.ds.FieldByName("DONE")->AsString(), "Y");
    SimulateKeystroke(grid, VK_SPACE);
    EXPECT_EQ(g.ds.FieldByName("DONE")->AsString(), "N");
    EXPECT_FALSE(grid->EditorMode());
}

TEST_F(DBGridTest, ARefusedDeletionOfSelectedRowsLeavesTheGridFollowingTheData) {
    GridForm<> g(6);
    TDBGrid* grid = g.grid;
    grid->SetOptions(grid->Options() + dgMultiSelect);
    g.Click(1, 1, {ssCtrl});
    g.Click(1, 2, {ssCtrl});
    ASSERT_EQ(grid->SelectedRows().Count(), 2);
    g.ds.BeforeDelete = [](TDataSet* ds) {
        if (ds->FieldByName("ID")->AsInteger() == 2) throw Exception("Record 2 is still in use");
    };
    EXPECT_THROW(grid->SelectedRows().Delete(), Exception);
    EXPECT_EQ(g.ds.RecordCount(), 5) << "the first row went, the refused one stayed";
    EXPECT_EQ(grid->SelectedRows().Count(), 1);
    EXPECT_FALSE(g.ds.ControlsDisabled());
    const int row = grid->Row();
    g.ds.Next();
    EXPECT_EQ(grid->Row(), row + 1) << "the grid follows the data set again";
}

TEST_F(DBGridTest, PaintsRowsFromTheDatasetWithoutMovingIt) {
    GridForm<> g(8);
    TDBGrid* grid = g.grid;
    g.Key(VK_DOWN);
    g.Key(VK_DOWN);
    g.Key(VK_RIGHT);
    int scrolls = g.scrolls;
    int recNo = g.ds.RecNo();
    grid->OnCalcCellColors = [&](TObject*, TField* field, TGridDrawState, bool highlight, TFont* font, TBrush* brush) {
        if (!highlight && g.ds.FieldByName("KIND")->AsString() == "B") brush->SetColor(clYellow);
        if (field->FieldName() == "ID") font->SetColor(clRed);
    };

    TRecordingCanvas canvas;
    grid->PaintTo(canvas);
    EXPECT_EQ(g.ds.RecNo(), recNo);
    EXPECT_EQ(g.scrolls, scrolls) << "painting reads rows without scrolling";
    // Titles, then each row's cells; the window holds records 1 to 5.
    EXPECT_EQ(canvas.TextsIn(grid->CellRect(1, 0)), (std::vector<std::string>{"ID"}));
    EXPECT_EQ(canvas.TextsIn(grid->CellRect(2, 4)), (std::vector<std::string>{"doc4"}));
    EXPECT_EQ(canvas.TextsIn(grid->CellRect(2, 5)), (std::vector<std::string>{"doc5"}));
    EXPECT_EQ(canvas.FindText("doc6"), nullptr);
    EXPECT_EQ(canvas.TextsIn(grid->CellRect(0, 3)), (std::vector<std::string>{"\xE2\x96\xB6"})) << "the current record's mark";
    // Colours: the focused cell highlighted, even records (kind B) yellow, IDs red.
    EXPECT_EQ(canvas.FillAt(g.CellPoint(2, 3))->BrushColor, clHighlight);
    EXPECT_EQ(canvas.FillAt(g.CellPoint(3, 2))->BrushColor, clYellow);
    EXPECT_EQ(canvas.FillAt(g.CellPoint(3, 1))->BrushColor, clWindow);
    EXPECT_EQ(canvas.FindText("1")->FontColor, clRed);

    // The editor's text shows in its cell; an inserted record takes its place among the others.
    SimulateTyping(grid, "typed");
    canvas.Clear();
    grid->PaintTo(canvas);
    EXPECT_EQ(canvas.TextsIn(grid->CellRect(2, 3)), (std::vector<std::string>{"typed"}));
    EXPECT_EQ(canvas.TextsIn(grid->CellRect(0, 3)), (std::vector<std::string>{"I"}));
    g.Key(VK_ESCAPE);
    g.Key(VK_ESCAPE);
    g.Key(VK_INSERT);
    canvas.Clear();
    grid->PaintTo(canvas);
    EXPECT_EQ(canvas.TextsIn(grid->CellRect(2, 2)), (std::vector<std::string>{"doc2"}));
    EXPECT_EQ(canvas.TextsIn(grid->CellRect(2, 3)), (std::vector<std::string>{""}));
    EXPECT_EQ(canvas.TextsIn(grid->CellRect(2, 4)), (std::vector<std::string>{"doc3"}));
    EXPECT_EQ(canvas.TextsIn(grid->CellRect(0, 3)), (std::vector<std::string>{"*"}));

    // A cell's text can be read for any row shown (hints under the mouse), without moving the record.
    EXPECT_EQ(grid->CellDisplayText(2, 4), "doc3") << "the inserted row pushes the stored ones down";
    EXPECT_EQ(grid->CellDisplayText(2, 3), "");
    EXPECT_EQ(grid->CellDisplayText(2, 0), "") << "titles are not data";
    EXPECT_EQ(grid->CellDisplayText(0, 2), "") << "nor is the indicator";
    g.Key(VK_ESCAPE);
    const int current = g.ds.RecNo();
    EXPECT_EQ(grid->CellDisplayText(2, 1), "doc1");
    EXPECT_EQ(grid->CellDisplayText(2, 5), "doc5");
    EXPECT_EQ(grid->CellDisplayText(2, 40), "") << "past the last row shown";
    EXPECT_EQ(g.ds.RecNo(), current);
}

TEST_F(DBGridTest, DerivedGridsOverrideColoursDrawingPaintAndMouse) {
    GridForm<TStripedGrid> g(3);
    TStripedGrid* grid = g.grid;
    g.Key(VK_DOWN);
    TRecordingCanvas canvas;
    grid->PaintTo(canvas);
    EXPECT_EQ(grid->paintedRecNos, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(canvas.FillAt(g.CellPoint(3, 1))->BrushColor, clWhite);
    EXPECT_EQ(canvas.FillAt(g.CellPoint(3, 2))->BrushColor, clAqua) << "the active row";
    EXPECT_EQ(canvas.FillAt(g.CellPoint(3, 3))->BrushColor, clWhite);
    g.Key(VK_UP);
    canvas.Clear();
    grid->PaintTo(canvas);
    EXPECT_EQ(canvas.FillAt(g.CellPoint(3, 2))->BrushColor, clSilver) << "an even record";
    EXPECT_EQ(canvas.TextsIn(grid->CellRect(2, 1)), (std::vector<std::string>{"doc1", "*"}));
    int below = grid->CellRect(1, 3).Bottom + 5;
    EXPECT_EQ(canvas.FillAt({5, below})->BrushColor, clLime) << "blank rows below the records";

    // A click below the records appends one, once.
    grid->Perform(WM_LBUTTONDOWN, 0, MakeLParam(20, below));
    EXPECT_EQ(g.ds.State(), dsInsert);
    EXPECT_EQ(grid->RecordCount(), 4);
    grid->Perform(WM_LBUTTONDOWN, 0, MakeLParam(20, grid->CellRect(1, 4).Bottom + 5));
    EXPECT_EQ(grid->RecordCount(), 4);
}
