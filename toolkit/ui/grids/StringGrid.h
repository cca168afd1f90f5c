#pragma once
// TStringGrid: a grid that keeps a text and an object per cell. A cell may edit through a pick list
// (its own, else its column's): the current cell then shows a drop-down button; a click on it,
// Alt+Down or F4 drop the list down; Up and Down move in the open list, Enter or a click picks an
// item (the editor takes its text and OnPickListClick reports it), Escape closes it. Lines may
// carry a code after a tab: the list shows, and the cell takes, the text before it. A cell may take
// numbers only: its editor then refuses every character but digits, one decimal point and a
// leading minus sign.
#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/ui/grids/Grid.h"

using TPickListClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, const std::string& Value)>;

class TStringGrid : public TCustomGrid {
    TK_CLASS_PUBLISHED(TStringGrid, TCustomGrid)
public:
    explicit TStringGrid(TComponent* owner) : TCustomGrid(owner) {}

    // A cell's text (empty outside the grid or never set).
    std::string Cells(int col, int row) const;
    void SetCells(int col, int row, const std::string& value);
    void* Objects(int col, int row) const;
    void SetObjects(int col, int row, void* object);
    // The texts of a row or a column.
    std::vector<std::string> Rows(int row) const;
    std::vector<std::string> Cols(int col) const;
    // Rows move with their texts and objects.
    void InsertRow(int index);
    void DeleteRow(int index);
    void MoveRow(int fromIndex, int toIndex);
    void InsertColumn(int index);
    void DeleteColumn(int index);

    // The pick list of a column (made on first use; empty means none).
    TStrings* ColumnPickList(int col);
    // A cell's own pick list (copied; nullptr or an empty list removes it); it moves with its row.
    void SetCellPickList(int col, int row, const TStrings* list);
    // The list that applies to a cell, nullptr when none does.
    TStrings* PickListOf(int col, int row) const;
    // A cell that takes numbers only; the mark moves with its row.
    void SetCellNumbersOnly(int col, int row, bool value);
    bool CellNumbersOnly(int col, int row) const;
    // The display text of a pick-list line (the part before a tab).
    static std::string PickListText(const std::string& line);
    int DropDownRows() const { return dropDownRows_; }
    void SetDropDownRows(int value) { dropDownRows_ = std::max(value, 1); }
    // The current cell's list is open (opening it opens the editor); PickListIndex is the item
    // under the keyboard or the mouse, -1 for none.
    bool PickListDropped() const { return pickDropped_; }
    void SetPickListDropped(bool value);
    int PickListIndex() const { return pickIndex_; }
    void SetPickListIndex(int index);
    // The user picks an item of the open list.
    void PickFromList(int index);
    // Where the current cell's drop-down button is (empty when it has none).
    TRect PickButtonRect() const;

    TPickListClickEvent OnPickListClick;

    bool WantsKey(WORD key, TShiftState shift) const override;
    void Dispatch(TMessage& message) override;

protected:
    void DrawCell(int col, int row, const TRect& rect, TGridDrawState state) override;
    std::string GetEditText(int col, int row) override;
    void SetEditText(int col, int row, const std::string& value) override;
    bool EditAcceptsText(const std::string& text) const override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    bool CommitEditor() override;
    void CancelEditor() override;

private:
    struct TCell {
        std::string text;
        void* object = nullptr;
        std::shared_ptr<TStringList> pickList;
        bool numbersOnly = false;
    };
    // Keys while the list is open; true when the list took the key.
    bool PickListKey(WORD key, TShiftState shift);
    void DrawPickButton(const TRect& cell);

    std::map<std::pair<int, int>, TCell> cells_;  // (row, col)
    std::map<int, std::unique_ptr<TStringList>> columnPickLists_;
    int dropDownRows_ = 8;
    bool pickDropped_ = false;
    int pickIndex_ = -1;
};
