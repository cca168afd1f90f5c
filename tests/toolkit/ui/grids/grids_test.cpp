// The string grid: geometry, navigation with cell selection rules, the in-place editor, rows moving
// with their texts, and what it paints.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/toolkit/ui/UiTestSupport.h"
#include "toolkit/ui/dialogs/FileDialogs.h"
#include "toolkit/ui/graphics/RecordingCanvas.h"
#include "toolkit/ui/grids/Grids.h"
#include "toolkit/ui/kernel/KeyInput.h"

namespace {
using GridsTest = UiTest;
}  // namespace

TEST_F(GridsTest, StringGridGeometryNavigationAndEditing) {
    TOwnedPtr<TForm> form(CreateComponent<TForm>(nullptr));
    auto* grid = CreateComponent<TStringGrid>(form.get());
    grid->SetParent(form.get());
    grid->SetColCount(4);
    grid->SetRowCount(10);
    grid->SetDefaultRowHeight(20);
    grid->SetColWidths(1, 131);
    grid->SetHeight(21 * 4);  // the fixed row and three scrolling rows
    grid->SetOptions(grid->Options() + goEditing + goTabs);
    grid->SetCells(0, 0, "");
    grid->SetCells(1, 0, "查询字段");
    grid->SetCells(1, 1, "MC001");
    EXPECT_EQ(grid->CellRect(1, 1), Rect(65, 21, 196, 41));
    EXPECT_EQ(grid->VisibleRowCount(), 3);
    int col = -1, row = -1;
    grid->MouseToCell(70, 45, col, row);
    EXPECT_EQ(col, 1);
    EXPECT_EQ(row, 2);
    EXPECT_THROW(grid->SetFixedCols(4), EInvalidOperation);

    // The fourth column cannot be selected; moving down scrolls.
    grid->OnSelectCell = [](TObject*, int acol, int, bool& canSelect) { canSelect = acol != 3; };
    form->Show();
    grid->SetFocus();
    SimulateKeystroke(grid, VK_RIGHT);
    SimulateKeystroke(grid, VK_RIGHT);
    EXPECT_EQ(grid->Col(), 2) << "SelectCell refused column 3";
    for (int i = 0; i < 4; ++i) SimulateKeystroke(grid, VK_DOWN);
    EXPECT_EQ(grid->Row(), 5);
    EXPECT_EQ(grid->TopRow(), 3);
    EXPECT_TRUE(grid->CellRect(2, 1).IsEmpty()) << "row 1 scrolled out";
    SimulateKeystroke(grid, VK_HOME, {ssCtrl});
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->TopRow(), 1);
    SimulateKeystroke(grid, VK_TAB);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_FALSE(grid->FocusCell(0, 1)) << "fixed cells are never current";

    // Typing opens the editor; cells follow it; Escape puts the text back; validation may refuse.
    std::vector<std::string> set;
    grid->OnSetEditText = [&](TObject*, int, int, const std::string& value) { set.push_back(value); };
    SimulateTyping(grid, "12");
    EXPECT_TRUE(grid->EditorMode());
    EXPECT_EQ(grid->Cells(2, 1), "12");
    EXPECT_EQ(set, (std::vector<std::string>{"1", "12"}));
    // Keys that type (with their key-downs, shifted too) stay in the open cell.
    SimulateKeystroke(grid, 'A', {ssShift});
    SimulateKeystroke(grid, VK_SHIFT);
    SimulateKeystroke(grid, 'B');
    EXPECT_TRUE(grid->EditorMode());
    EXPECT_EQ(grid->Cells(2, 1), "12Ab");
    SimulateTyping(grid, "\b\b");
    SimulateKeystroke(grid, VK_ESCAPE);
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_EQ(grid->Cells(2, 1), "");
    grid->OnValidateEdit = [](TObject*, int, int, std::string& value, bool& accept) {
        accept = value != "x";
        if (value == "lower") value = "LOWER";
    };
    SimulateTyping(grid, "x");
    SimulateKeystroke(grid, VK_RETURN);
    EXPECT_TRUE(grid->EditorMode()) << "a refused value keeps the editor";
    SimulateKeystroke(grid, VK_DOWN);
    EXPECT_EQ(grid->Row(), 1) << "and keeps the cell";
    grid->SetEditorText("lower");
    SimulateKeystroke(grid, VK_DOWN);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(grid->Cells(2, 1), "LOWER");

    // Rows move with their texts.
    grid->SetCells(1, 2, "MC002");
    grid->InsertRow(2);
    EXPECT_EQ(grid->RowCount(), 11);
    EXPECT_EQ(grid->Cells(1, 3), "MC002");
    grid->MoveRow(3, 1);
    EXPECT_EQ(grid->Cells(1, 1), "MC002");
    EXPECT_EQ(grid->Cells(1, 2), "MC001");
    grid->DeleteRow(1);
    EXPECT_EQ(grid->Cells(1, 1), "MC001");
    EXPECT_EQ(grid->Rows(1)[2], "LOWER");

    // Painting: fixed texts on the fixed colour, cells through OnDrawCell as well.
    std::vector<std::pair<int, int>> drawn;
    grid->OnDrawCell = [&](TObject*, int acol, int arow, TRect, TGridDrawState state) {
        if (state.Contains(gdFixed)) drawn.push_back({acol, arow});
    };
    TRecordingCanvas canvas;
    grid->PaintTo(canvas);
    EXPECT_EQ(canvas.TextsIn(grid->CellRect(1, 0)), (std::vector<std::string>{"查询字段"}));
    EXPECT_EQ(canvas.FillAt({70, 5})->BrushColor, clBtnFace);
    EXPECT_EQ(canvas.TextsIn(grid->CellRect(1, 1)), (std::vector<std::string>{"MC001"}));
    EXPECT_EQ(drawn.front(), (std::pair<int, int>{0, 0}));
    EXPECT_EQ(drawn.size(), 4u + 3u) << "the fixed row's cells and the fixed column of three visible rows";
    form->Hide();
}

TEST_F(GridsTest, FileDialogsGoThroughTheReplaceableService) {
    auto service = std::make_shared<TScriptedFileDialogService>();
    std::shared_ptr<IFileDialogService> saved = SetFileDialogService(service);
    TOwnedPtr<TSaveDialog> dialog(CreateComponent<TSaveDialog>(nullptr));
    dialog->SetFilter("Excel files (*.xls)|*.xls");
    dialog->SetDefaultExt(".xls");
    dialog->SetInitialDir("/tmp/c_Data");
    dialog->SetFileName("Tdef05");
    int shows = 0;
    dialog->OnShow = [&](TObject*) { ++shows; };

    service->QueueFile("/tmp/c_Data/export");
    EXPECT_TRUE(dialog->Execute());
    EXPECT_EQ(dialog->FileName(), "/tmp/c_Data/export.xls") << "the default extension is added";
    service->QueueCancel();
    EXPECT_FALSE(dialog->Execute());
    EXPECT_EQ(dialog->FileName(), "/tmp/c_Data/export.xls") << "a cancelled dialog changes nothing";
    ASSERT_EQ(service->Requests().size(), 2u);
    const TFileDialogRequest& first = service->Requests()[0];
    EXPECT_EQ(first.Kind, TFileDialogRequest::Save);
    EXPECT_EQ(first.FileName, "Tdef05");
    EXPECT_EQ(first.Filter, "Excel files (*.xls)|*.xls");
    EXPECT_EQ(first.DefaultExt, "xls");
    EXPECT_EQ(first.InitialDir, "/tmp/c_Data");
    EXPECT_EQ(shows, 2);

    // Saving over an existing file asks first.
    std::string existing = ::testing::TempDir() + "existing.xls";
    { TStringList().SaveToFile(existing); }
    dialog->SetOptions(dialog->Options() + ofOverwritePrompt);
    service->QueueFile(existing);
    messages->QueueAnswer(mrNo);
    EXPECT_FALSE(dialog->Execute());
    EXPECT_EQ(messages->Last().Request.Buttons, (TMsgDlgButtons{mbYes, mbNo}));
    service->QueueFile(existing);
    messages->QueueAnswer(mrYes);
    EXPECT_TRUE(dialog->Execute());

    // Open dialogs take several files; without a service a dialog is cancelled.
    TOwnedPtr<TOpenDialog> open(CreateComponent<TOpenDialog>(nullptr));
    open->SetOptions(open->Options() + ofAllowMultiSelect);
    service->QueueFiles({"/a.txt", "/b.txt"});
    EXPECT_TRUE(open->Execute());
    EXPECT_EQ(open->Files()->Count(), 2);
    EXPECT_EQ(open->FileName(), "/a.txt");
    EXPECT_EQ(service->Requests().back().Kind, TFileDialogRequest::Open);
    SetFileDialogService(nullptr);
    EXPECT_FALSE(open->Execute());
    SetFileDialogService(saved);
}

TEST_F(GridsTest, ANumbersOnlyCellRefusesWhatCannotBecomeANumber) {
    TOwnedPtr<TForm> form(CreateComponent<TForm>(nullptr));
    auto* grid = CreateComponent<TStringGrid>(form.get());
    grid->SetParent(form.get());
    grid->SetBounds(0, 0, 400, 200);
    grid->SetColCount(3);
    grid->SetRowCount(4);
    grid->SetOptions(grid->Options() + goEditing);
    grid->SetCellNumbersOnly(2, 1, true);
    EXPECT_TRUE(grid->CellNumbersOnly(2, 1));
    EXPECT_FALSE(grid->CellNumbersOnly(1, 1));
    EXPECT_FALSE(grid->CellNumbersOnly(2, 2));
    form->Show();
    grid->SetFocus();

    ASSERT_TRUE(grid->FocusCell(2, 1));
    SimulateTyping(grid, "x");
    EXPECT_FALSE(grid->EditorMode()) << "a letter does not even open the editor";
    EXPECT_EQ(beeps->Count(), 1);
    SimulateTyping(grid, "-12.5.x-7");
    EXPECT_EQ(grid->EditorText(), "-12.57");
    EXPECT_EQ(beeps->Count(), 4) << "the second point, the letter and the inner minus";
    SimulateKeystroke(grid, VK_BACK);
    SimulateKeystroke(grid, VK_RETURN);
    EXPECT_EQ(grid->Cells(2, 1), "-12.5");

    // Its neighbours take any text; the mark moves with its row and can be taken off.
    ASSERT_TRUE(grid->FocusCell(1, 1));
    SimulateTyping(grid, "ab.-");
    SimulateKeystroke(grid, VK_RETURN);
    EXPECT_EQ(grid->Cells(1, 1), "ab.-");
    grid->InsertRow(1);
    EXPECT_TRUE(grid->CellNumbersOnly(2, 2));
    EXPECT_FALSE(grid->CellNumbersOnly(2, 1));
    grid->DeleteRow(1);
    EXPECT_TRUE(grid->CellNumbersOnly(2, 1));
    grid->SetCellNumbersOnly(2, 1, false);
    ASSERT_TRUE(grid->FocusCell(2, 1));
    SimulateTyping(grid, "z");
    EXPECT_EQ(grid->EditorText(), "z");
    form->Hide();
}
