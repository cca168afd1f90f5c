#pragma once
// TStringGrid: a grid that keeps a text and an object per cell.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/ui/grids/Grid.h"

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

protected:
    void DrawCell(int col, int row, const TRect& rect, TGridDrawState state) override;
    std::string GetEditText(int col, int row) override;
    void SetEditText(int col, int row, const std::string& value) override;

private:
    struct TCell {
        std::string text;
        void* object = nullptr;
    };
    std::map<std::pair<int, int>, TCell> cells_;   // (row, col)
};
