// The string grid's pick-list editor: keyboard and mouse open, move in and pick from a cell's or a
// column's list; the cell takes the display part of a line; cell lists move with their rows.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "tests/toolkit/ui/UiTestSupport.h"
#include "toolkit/ui/grids/Grids.h"
#include "toolkit/ui/kernel/KeyInput.h"

namespace {
using PickListTest = UiTest;

void Press(TControl* control, TPoint at) {
    control->Perform(WM_LBUTTONDOWN, ShiftStateToWParam({ssLeft}), MakeLParam(at.X, at.Y));
    control->Perform(WM_LBUTTONUP, 0, MakeLParam(at.X, at.Y));
}

TPoint Middle(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }
}  // namespace

TEST_F(PickListTest, KeyboardAndMouseOpenMoveAndPick) {
    TOwnedPtr<TForm> form(CreateComponent<TForm>(nullptr));
    form->SetBounds(0, 0, 500, 300);
    auto* grid = CreateComponent<TStringGrid>(form.get());
    grid->SetParent(form.get());
    grid->SetBounds(0, 0, 480, 200);
    grid->SetColCount(4);
    grid->SetRowCount(3);
    grid->SetFixedCols(0);
    grid->SetOptions(grid->Options() + goEditing);
    grid->ColumnPickList(1)->SetText("等于\t=\n大于或等于\t>=\n大于\t>");
    grid->ColumnPickList(3)->SetText("AND\nOR");
    std::vector<std::tuple<int, int, std::string>> picks;
    grid->OnPickListClick = [&](TObject*, int col, int row, const std::string& value) {
        picks.emplace_back(col, row, value);
        EXPECT_EQ(grid->Cells(col, row), value) << "the cell holds the pick when the event runs";
    };
    form->Show();
    grid->SetFocus();

    // No list in the first column: F4 and a click at the cell's right edge do nothing special.
    ASSERT_TRUE(grid->FocusCell(0, 1));
    EXPECT_TRUE(grid->PickButtonRect().IsEmpty());
    SimulateKeystroke(grid, VK_F4);
    EXPECT_FALSE(grid->PickListDropped());

    // F4 opens the operator column's list; Up and Down move in it; Enter picks the display text.
    ASSERT_TRUE(grid->FocusCell(1, 1));
    SimulateKeystroke(grid, VK_F4);
    ASSERT_TRUE(grid->PickListDropped());
    EXPECT_TRUE(grid->EditorMode());
    EXPECT_EQ(grid->PickListIndex(), -1) << "an empty cell matches no item";
    SimulateKeystroke(grid, VK_DOWN);
    SimulateKeystroke(grid, VK_DOWN);
    SimulateKeystroke(grid, VK_DOWN);
    SimulateKeystroke(grid, VK_DOWN);
    EXPECT_EQ(grid->PickListIndex(), 2) << "the last item stops the movement";
    SimulateKeystroke(grid, VK_UP);
    EXPECT_EQ(grid->Row(), 1) << "the open list has the arrows to itself";
    SimulateKeystroke(grid, VK_RETURN);
    EXPECT_FALSE(grid->PickListDropped());
    EXPECT_EQ(grid->Cells(1, 1), "大于或等于");
    ASSERT_EQ(picks.size(), 1u);
    EXPECT_EQ(picks[0], std::make_tuple(1, 1, std::string("大于或等于")));

    // Alt+Down opens it on the item the cell holds; Escape closes it and changes nothing.
    SimulateKeystroke(grid, VK_DOWN, {ssAlt});
    ASSERT_TRUE(grid->PickListDropped());
    EXPECT_EQ(grid->PickListIndex(), 1);
    SimulateKeystroke(grid, VK_DOWN);
    SimulateKeystroke(grid, VK_ESCAPE);
    EXPECT_FALSE(grid->PickListDropped());
    EXPECT_EQ(grid->Cells(1, 1), "大于或等于");
    EXPECT_EQ(picks.size(), 1u);

    // The mouse: a click on the cell's button drops the list, a second closes it; picking by the
    // index the renderer reports; a click on another cell closes the list.
    TRect button = grid->PickButtonRect();
    ASSERT_FALSE(button.IsEmpty());
    EXPECT_EQ(button.Right, grid->CellRect(1, 1).Right);
    Press(grid, Middle(button));
    ASSERT_TRUE(grid->PickListDropped());
    Press(grid, Middle(button));
    EXPECT_FALSE(grid->PickListDropped());
    Press(grid, Middle(button));
    grid->SetPickListIndex(0);
    grid->PickFromList(0);
    EXPECT_EQ(grid->Cells(1, 1), "等于");
    EXPECT_EQ(picks.size(), 2u);
    Press(grid, Middle(button));
    ASSERT_TRUE(grid->PickListDropped());
    Press(grid, Middle(grid->CellRect(3, 2)));
    EXPECT_FALSE(grid->PickListDropped());
    EXPECT_EQ(grid->Col(), 3);
    EXPECT_EQ(grid->Row(), 2);

    // Typing while the list is open closes it and types into the cell.
    SimulateKeystroke(grid, VK_F4);
    ASSERT_TRUE(grid->PickListDropped());
    SimulateTyping(grid, "x");
    EXPECT_FALSE(grid->PickListDropped());
    EXPECT_EQ(grid->EditorText(), "x");
    EXPECT_EQ(picks.size(), 2u);
}

TEST_F(PickListTest, CellListsWinOverColumnListsAndMoveWithTheirRows) {
    TOwnedPtr<TForm> form(CreateComponent<TForm>(nullptr));
    auto* grid = CreateComponent<TStringGrid>(form.get());
    grid->SetParent(form.get());
    grid->SetBounds(0, 0, 400, 200);
    grid->SetColCount(4);
    grid->SetRowCount(3);
    grid->SetOptions(grid->Options() + goEditing);
    grid->ColumnPickList(2)->SetText("Y\nN");
    TStringList codes;
    codes.SetText("甲\tA\n乙\tB");
    grid->SetCellPickList(2, 1, &codes);
    EXPECT_EQ(grid->PickListOf(2, 1)->Count(), 2);
    EXPECT_EQ((*grid->PickListOf(2, 1))[0], "甲\tA");
    EXPECT_EQ((*grid->PickListOf(2, 2))[0], "Y") << "the column's list where the cell has none";
    EXPECT_EQ(grid->PickListOf(3, 1), nullptr);

    form->Show();
    grid->SetFocus();
    ASSERT_TRUE(grid->FocusCell(2, 1));
    SimulateKeystroke(grid, VK_F4);
    SimulateKeystroke(grid, VK_DOWN);
    SimulateKeystroke(grid, VK_DOWN);
    SimulateKeystroke(grid, VK_RETURN);
    EXPECT_EQ(grid->Cells(2, 1), "乙") << "the code after the tab stays out of the cell";
    grid->SetEditorMode(false);

    // A row inserted above carries the cell's list down with the cell.
    grid->InsertRow(1);
    EXPECT_EQ(grid->Cells(2, 2), "乙");
    EXPECT_EQ((*grid->PickListOf(2, 2))[0], "甲\tA");
    EXPECT_EQ((*grid->PickListOf(2, 1))[0], "Y");
    grid->DeleteRow(1);
    EXPECT_EQ((*grid->PickListOf(2, 1))[0], "甲\tA");

    // Removing the cell's list falls back on the column's; a grid without editing shows no button.
    grid->SetCellPickList(2, 1, nullptr);
    EXPECT_EQ((*grid->PickListOf(2, 1))[0], "Y");
    ASSERT_TRUE(grid->FocusCell(2, 1));
    EXPECT_FALSE(grid->PickButtonRect().IsEmpty());
    grid->SetOptions(grid->Options() - goEditing);
    EXPECT_TRUE(grid->PickButtonRect().IsEmpty());
    SimulateKeystroke(grid, VK_F4);
    EXPECT_FALSE(grid->PickListDropped());
}
