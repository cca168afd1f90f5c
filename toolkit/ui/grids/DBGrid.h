#pragma once
// The data grid: one row per record of a dataset, one column per field (Columns, or every visible
// field while no columns were defined). Rows are read through the data source without moving the
// user's record; the current record is the current row, SelectedIndex the current column.
//
// Keys: Up/Down move one record (Down past the last record appends one when editing is allowed),
// PgUp/PgDn a page, Ctrl+Home/Ctrl+End to the first/last record, Left/Right/Home/End between
// columns, Tab to the next column and on to the next record (dgTabs), Insert inserts a record,
// Ctrl+Delete deletes it (asking "Delete record?" with dgConfirmDelete), Escape cancels the edit of
// the record when the in-place editor is closed. Typing, Enter or F2 open the editor on an
// editable cell (dgEditing); its text is written through the field (text handler, then
// validation) on Enter, when the cell or record changes, when the grid is left or when the record
// is posted; an exception there keeps the editor open with the typed text and the field as it
// was. Escape in the editor drops the typed text. Check-box cells (ControlType lines
// "FIELD;CheckBox;checked;unchecked") toggle with a click or Space and write at once.
//
// With dgMultiSelect, Ctrl+click toggles a record into SelectedRows (bookmarks, in the order
// chosen) and Shift+Up/Down extends the selection; other moves clear it.
//
// Painting goes through hooks a descendant grid overrides: DoCalcCellColors (cell background and
// font), DoCalcTitleAttributes, DrawColumnCell (the data cell), DrawCheckBoxCell, DrawTitleCell,
// DrawIndicatorCell and Paint; PaintingRecNo/PaintingActiveRow tell which record is being painted.
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "toolkit/data/DataSource.h"
#include "toolkit/ui/grids/BookmarkList.h"
#include "toolkit/ui/grids/DBGridColumns.h"
#include "toolkit/ui/grids/Grid.h"

enum TDBGridOption {
    dgEditing,
    dgAlwaysShowEditor,
    dgTitles,
    dgIndicator,
    dgColumnResize,
    dgColLines,
    dgRowLines,
    dgTabs,
    dgRowSelect,
    dgAlwaysShowSelection,
    dgConfirmDelete,
    dgCancelOnExit,
    dgMultiSelect
};
TK_ENUM_TYPE(TDBGridOption, "dgEditing", "dgAlwaysShowEditor", "dgTitles", "dgIndicator", "dgColumnResize", "dgColLines",
             "dgRowLines", "dgTabs", "dgRowSelect", "dgAlwaysShowSelection", "dgConfirmDelete", "dgCancelOnExit", "dgMultiSelect")
using TDBGridOptions = TSet<TDBGridOption>;

using TDBGridClickEvent = std::function<void(TColumn* Column)>;
using TDrawColumnCellEvent =
    std::function<void(TObject* Sender, const TRect& Rect, int DataCol, TColumn* Column, TGridDrawState State)>;
using TDrawDataCellEvent = std::function<void(TObject* Sender, const TRect& Rect, TField* Field, TGridDrawState State)>;
using TCalcCellColorsEvent =
    std::function<void(TObject* Sender, TField* Field, TGridDrawState State, bool Highlight, TFont* AFont, TBrush* ABrush)>;
using TCalcTitleAttributesEvent =
    std::function<void(TObject* Sender, TField* Field, TFont* AFont, TBrush* ABrush, TAlignment& TitleAlignment)>;
using TCalcTitleImageEvent = std::function<void(TObject* Sender, TField* Field, int& ImageIndex)>;
using TTitleButtonClickEvent = std::function<void(TObject* Sender, const std::string& FieldName)>;

class TDBGrid : public TCustomGrid {
    TK_CLASS_PUBLISHED(TDBGrid, TCustomGrid)
public:
    explicit TDBGrid(TComponent* owner);
    ~TDBGrid() override;
    void BeforeDestruction() override;

    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* source);
    TDataSet* DataSet() const;
    TDBGridColumns* Columns() const { return columns_.get(); }
    void SetColumns(TDBGridColumns* columns) { columns_->Assign(columns); }
    TDBGridOptions Options() const { return options_; }
    void SetOptions(TDBGridOptions options);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    TFont* TitleFont() const { return titleFont_.get(); }
    void SetTitleFont(const TFont* font) { titleFont_->Assign(font); }
    bool TitleButtons() const { return titleButtons_; }
    void SetTitleButtons(bool value) { titleButtons_ = value; }
    TImageList* TitleImageList() const { return titleImageList_; }
    void SetTitleImageList(TImageList* images);
    // How fields are edited: lines "FIELD;CheckBox;checked;unchecked" (several values by "|" are
    // not split) or "FIELD;CustomEdit;component" (kept for the program).
    TStrings* ControlType() const { return controlType_.get(); }
    // The check-box values of a field listed in ControlType.
    bool IsCheckBoxField(const TField* field, std::string& checkedValue, std::string& uncheckedValue) const;

    // The current column (an index into Columns) and its field.
    int SelectedIndex() const { return selectedIndex_; }
    void SetSelectedIndex(int index);
    TField* SelectedField() const;
    void SetSelectedField(TField* field);
    TColumn* SelectedColumn() const;
    TBookmarkList& SelectedRows() { return selectedRows_; }

    // The row window: the record number (1-based, the inserted record counted in) shown in the first
    // data row, how many records are shown, and the grid row of a record.
    int TopRecNo() const { return topRecNo_; }
    int DataRowsShown() const { return rowsShown_; }
    int RowCapacity() const;
    int RecordCount() const;
    int CurrentRecNo() const;
    int TitleOffset() const { return options_.Contains(dgTitles) ? 1 : 0; }
    int IndicatorOffset() const { return options_.Contains(dgIndicator) ? 1 : 0; }
    // The visible column shown in grid column col (nullptr for the indicator or past the last one).
    TColumn* ColumnOfGridCol(int col) const;
    int GridColOfColumn(int index) const;  // -1 when hidden
    // While painting: the record number of the row being painted, and whether it is the current one.
    int PaintingRecNo() const { return paintingRecNo_; }
    bool PaintingActiveRow() const { return paintingRecNo_ > 0 && paintingRecNo_ == CurrentRecNo(); }
    // Whether the user may change data in the grid now (editing allowed, dataset writable).
    bool CanModifyData() const;
    // The text a data cell shows (grid column and row, e.g. from MouseCoord), for any row in the
    // window, without moving the record; "" for titles, the indicator and rows past the last record.
    std::string CellDisplayText(int col, int row);

    // Draws a data cell as the grid does by default: background, then the field's text (or check box).
    void DefaultDrawColumnCell(const TRect& rect, int dataCol, TColumn* column, TGridDrawState state);
    void DefaultDrawDataCell(const TRect& rect, TField* field, TGridDrawState state);

    // What a user does, for scripts and renderers: puts text into the current record's cell of a
    // field as typing and Enter would (the field's rules apply; exceptions pass).
    void TypeIntoCell(const std::string& fieldName, const std::string& text);
    // Deletes the current record as Ctrl+Delete does; false when not allowed or not confirmed.
    bool DeleteRecord();
    // Toggles the check box of the current cell; false when it is not one or cannot change.
    bool ToggleCheckBox();

    TDBGridClickEvent OnTitleClick;
    TDBGridClickEvent OnCellClick;
    TNotifyEvent OnColEnter;
    TNotifyEvent OnColExit;
    TNotifyEvent OnEditButtonClick;
    TDrawColumnCellEvent OnDrawColumnCell;
    TDrawDataCellEvent OnDrawDataCell;
    TCalcCellColorsEvent OnCalcCellColors;
    TCalcTitleAttributesEvent OnCalcTitleAttributes;
    TCalcTitleImageEvent OnCalcTitleImage;
    TTitleButtonClickEvent OnTitleButtonClick;

    bool WantsKey(WORD key, TShiftState shift) const override;
    void CharTyped(char32_t ch) override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    // Painting hooks.
    virtual void DoCalcCellColors(TField* field, TGridDrawState state, bool highlight, TFont* font, TBrush* brush);
    virtual void DoCalcTitleAttributes(TField* field, TFont* font, TBrush* brush, TAlignment& alignment);
    virtual void DrawColumnCell(const TRect& rect, int dataCol, TColumn* column, TGridDrawState state);
    virtual void DrawCheckBoxCell(const TRect& rect, TColumn* column, TField* field, bool checked, TGridDrawState state);
    virtual void DrawTitleCell(const TRect& rect, TColumn* column, TGridDrawState state);
    virtual void DrawIndicatorCell(const TRect& rect, int recNo, TGridDrawState state);
    void DrawCell(int col, int row, const TRect& rect, TGridDrawState state) override;
    TGridDrawState CellState(int col, int row) const override;
    void Paint() override;

    // Data link notifications.
    virtual void LinkActive(bool active);
    virtual void DataChanged();
    virtual void Scrolled(int distance);
    virtual void LayoutChanged();
    virtual void RecordChanged(TField* field);
    virtual void EditingChanged();
    virtual void UpdateData();

    // Editing.
    bool CanEditShow() const override;
    bool CanEditModify() override;
    std::string GetEditText(int col, int row) override;
    std::string GetEditMask(int col, int row) override;
    void EditorChanged() override;
    bool CommitEditor() override;
    void CancelEditor() override;
    void ColWidthsChanged() override;

    // Moving: by records (commits the editor first; with shift extends a multi-selection).
    void MoveRecords(int distance, TShiftState shift);
    void MoveToRecNo(int recNo);
    void KeyDown(WORD& key, TShiftState shift) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void DoExit() override;
    void SizeChanged() override;
    void FontChanged() override;

    // Recomputes the columns shown, the row window and the grid's geometry.
    void UpdateLayout();
    void UpdateRowWindow();

private:
    friend class TColumn;
    friend class TColumnTitle;
    friend class TDBGridColumns;
    friend class TBookmarkList;
    class TGridDataLink;

    void ColumnsChanged();
    void SyncBaseOptions();
    // The record a row shows: read live (the current record) or through a peek.
    void BeginRowPaint(int recNo);
    void EndRowPaint();
    int StoredRecNo(int recNo) const;

    std::unique_ptr<TGridDataLink> link_;
    TOwnedPtr<TDBGridColumns> columns_;
    TDBGridOptions options_{dgEditing,  dgTitles, dgIndicator,     dgColumnResize, dgColLines,
                            dgRowLines, dgTabs,   dgConfirmDelete, dgCancelOnExit};
    bool readOnly_ = false;
    TOwnedPtr<TFont> titleFont_;
    bool titleButtons_ = false;
    TImageList* titleImageList_ = nullptr;
    std::unique_ptr<TStringList> controlType_;
    int selectedIndex_ = 0;
    TBookmarkList selectedRows_;
    std::vector<int> visibleColumns_;
    int topRecNo_ = 1;
    int rowsShown_ = 0;
    int paintingRecNo_ = 0;
    std::unique_ptr<TDataSet::TRecordPeek> peek_;
    bool updatingLayout_ = false;
    int pressedTitle_ = -1;
    int pressedColumn_ = -1;
};
