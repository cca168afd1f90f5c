#pragma once
// Grids: cells in columns and rows, the first FixedCols and FixedRows of which stay in place while
// the rest scroll. One cell is current (Col, Row); SelectCell may refuse a move. Arrows, Tab
// (goTabs), PgUp/PgDn, Home/End (with Ctrl: first/last row) move it; with goEditing, typing,
// Enter or F2 open the in-place editor, whose text and caret live in the grid (EditorText):
// Enter or a move closes it, Escape reverts and closes it. Paint draws every visible cell through
// DrawCell and OnDrawCell onto Canvas(). TDrawGrid draws nothing itself; TStringGrid
// (StringGrid.h) keeps texts.
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/ui/kernel/Controls.h"
#include "toolkit/ui/widgets/TextEditing.h"

enum TGridOption {
    goFixedVertLine,
    goFixedHorzLine,
    goVertLine,
    goHorzLine,
    goRangeSelect,
    goDrawFocusSelected,
    goRowSizing,
    goColSizing,
    goRowMoving,
    goColMoving,
    goEditing,
    goTabs,
    goRowSelect,
    goAlwaysShowEditor,
    goThumbTracking
};
TK_ENUM_TYPE(TGridOption, "goFixedVertLine", "goFixedHorzLine", "goVertLine", "goHorzLine", "goRangeSelect",
             "goDrawFocusSelected", "goRowSizing", "goColSizing", "goRowMoving", "goColMoving", "goEditing", "goTabs",
             "goRowSelect", "goAlwaysShowEditor", "goThumbTracking")
using TGridOptions = TSet<TGridOption>;

enum TGridDrawStateItem {
    gdSelected,
    gdFocused,
    gdFixed
};
TK_ENUM_TYPE(TGridDrawStateItem, "gdSelected", "gdFocused", "gdFixed")
using TGridDrawState = TSet<TGridDrawStateItem>;

struct TGridCoord {
    int X = 0;
    int Y = 0;
    bool operator==(const TGridCoord&) const = default;
};

struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const TGridRect&) const = default;
};

using TDrawCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State)>;
using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;
using TGetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, std::string& Value)>;
using TSetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, const std::string& Value)>;
// Closing the editor: Accept false keeps it open (the text may be changed too).
using TValidateEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, std::string& Value, bool& Accept)>;

class TCustomGrid : public TWinControl {
    TK_CLASS(TCustomGrid, TWinControl)
public:
    explicit TCustomGrid(TComponent* owner);

    int ColCount() const { return colCount_; }
    void SetColCount(int value);
    int RowCount() const { return rowCount_; }
    void SetRowCount(int value);
    int FixedCols() const { return fixedCols_; }
    void SetFixedCols(int value);  // EInvalidOperation when not below ColCount
    int FixedRows() const { return fixedRows_; }
    void SetFixedRows(int value);
    int DefaultColWidth() const { return defaultColWidth_; }
    void SetDefaultColWidth(int value);  // every column takes it
    int DefaultRowHeight() const { return defaultRowHeight_; }
    void SetDefaultRowHeight(int value);
    int ColWidths(int col) const;
    void SetColWidths(int col, int width);
    int RowHeights(int row) const;
    void SetRowHeights(int row, int height);
    int GridLineWidth() const { return gridLineWidth_; }
    void SetGridLineWidth(int value);
    TGridOptions Options() const { return options_; }
    void SetOptions(TGridOptions options);
    TColor FixedColor() const { return fixedColor_; }
    void SetFixedColor(TColor color);
    bool DefaultDrawing() const { return defaultDrawing_; }
    void SetDefaultDrawing(bool value) { defaultDrawing_ = value; }

    int Col() const { return col_; }
    void SetCol(int col) { FocusCell(col, row_); }
    int Row() const { return row_; }
    void SetRow(int row) { FocusCell(col_, row); }
    // Makes a cell current (closing the editor first); false when SelectCell refused or the cell is
    // fixed or outside the grid.
    bool FocusCell(int col, int row);
    TGridRect Selection() const { return selection_; }
    void SetSelection(const TGridRect& rect);
    int TopRow() const { return topRow_; }
    void SetTopRow(int row);
    int LeftCol() const { return leftCol_; }
    void SetLeftCol(int col);
    // Scrollable rows and columns that fit wholly in the client area from TopRow/LeftCol (at least 1).
    int VisibleRowCount() const;
    int VisibleColCount() const;
    // The cell's rectangle in client coordinates; empty when it is scrolled out of view.
    TRect CellRect(int col, int row) const;
    // The cell at a point; -1 for a coordinate outside the cells.
    void MouseToCell(int x, int y, int& col, int& row) const;
    TGridCoord MouseCoord(int x, int y) const;

    bool EditorMode() const { return editorMode_; }
    // Opens (true) or closes (false, keeping what was typed) the in-place editor.
    void SetEditorMode(bool value);
    const std::string& EditorText() const { return editorText_; }
    // The renderer's editor (or a script) changes the text as the user would.
    void SetEditorText(const std::string& text);
    TTextSelection EditorSelection() const { return editorSel_; }
    bool EditorModified() const { return editorModified_; }

    TDrawCellEvent OnDrawCell;
    TSelectCellEvent OnSelectCell;
    TNotifyEvent OnTopLeftChanged;
    TGetEditEvent OnGetEditText;
    TGetEditEvent OnGetEditMask;
    TSetEditEvent OnSetEditText;
    TValidateEditEvent OnValidateEdit;

    bool WantsKey(WORD key, TShiftState shift) const override;
    void CharTyped(char32_t ch) override;

protected:
    // Draws one cell on Canvas(), whose brush and font are set for it and, with DefaultDrawing,
    // the rectangle filled; the default raises OnDrawCell.
    virtual void DrawCell(int col, int row, const TRect& rect, TGridDrawState state);
    // The state a cell is drawn in.
    virtual TGridDrawState CellState(int col, int row) const;
    virtual bool SelectCell(int col, int row);
    virtual std::string GetEditText(int col, int row);
    virtual void SetEditText(int col, int row, const std::string& value);
    // The edit mask of a cell's editor (toolkit/data/EditMask.h; empty: none). With a mask the editor
    // types as a masked edit does and hands the cell the unmasked value.
    virtual std::string GetEditMask(int col, int row);
    // Whether the editor may open on the current cell, and whether its text may change now.
    virtual bool CanEditShow() const;
    virtual bool CanEditModify() { return true; }
    // Whether the editor may hold text after the user typed a character into it (a refused
    // character beeps and leaves the editor as it was).
    virtual bool EditAcceptsText(const std::string& text) const { return true; }
    // The editor's text changed by the user; the default hands it to SetEditText at once.
    virtual void EditorChanged();
    // Ends editing the current cell: validates and, when accepted, closes the editor. False keeps it open.
    virtual bool CommitEditor();
    // Reverts the editor to the cell's text (Escape).
    virtual void CancelEditor();
    virtual void TopLeftChanged();
    virtual void ColWidthsChanged() {}
    // Moves the current cell by keyboard (SelectCell decides).
    virtual void MoveCurrent(int col, int row, TShiftState shift);

    void ShowEditor(const std::string* replaceWith = nullptr);
    std::string EditorValue() const;
    void HideEditor();
    // Shows the cell's text again in an open editor the user has not changed.
    void RefreshEditor();
    void EditorKey(WORD& key, TShiftState shift);
    void ScrollInView(int col, int row);
    void Paint() override;
    void PaintGridLines(int col, int row, const TRect& rect);
    void KeyDown(WORD& key, TShiftState shift) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void DoExit() override;
    void SizeChanged() override;
    // Keeps the current cell, the top row and the left column inside the grid.
    void ClampPosition();

    int col_ = 1;
    int row_ = 1;

private:
    int colCount_ = 5;
    int rowCount_ = 5;
    int fixedCols_ = 1;
    int fixedRows_ = 1;
    int defaultColWidth_ = 64;
    int defaultRowHeight_ = 24;
    std::vector<int> colWidths_;
    std::vector<int> rowHeights_;
    int gridLineWidth_ = 1;
    TGridOptions options_{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
    TColor fixedColor_ = clBtnFace;
    bool defaultDrawing_ = true;
    TGridRect selection_{1, 1, 1, 1};
    int topRow_ = 1;
    int leftCol_ = 1;
    bool editorMode_ = false;
    std::string editorText_;
    std::string editorOriginal_;
    std::string editorMask_;
    TTextSelection editorSel_;
    bool editorModified_ = false;
};

class TDrawGrid : public TCustomGrid {
    TK_CLASS_PUBLISHED(TDrawGrid, TCustomGrid)
public:
    explicit TDrawGrid(TComponent* owner) : TCustomGrid(owner) {}
};
