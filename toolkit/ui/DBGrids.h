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

#include "toolkit/classes/Collection.h"
#include "toolkit/data/DataSet.h"
#include "toolkit/data/DataSource.h"
#include "toolkit/ui/Canvas.h"
#include "toolkit/ui/Grids.h"
#include "toolkit/ui/TextAlign.h"

class TDBGrid;
class TColumn;
class TImageList;

class TColumnTitle : public TPersistent {
    TK_CLASS_PUBLISHED(TColumnTitle, TPersistent)
public:
    explicit TColumnTitle(TColumn* column);
    // The field's display label (or the field name) unless a caption was given.
    std::string Caption() const;
    void SetCaption(const std::string& caption);
    bool CaptionAssigned() const { return caption_.has_value(); }
    void RestoreDefaults();
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TFont* Font() const { return font_.get(); }
    void SetFont(const TFont* font) { font_->Assign(font); }
    void Assign(const TPersistent* source) override;

private:
    friend class TColumn;
    friend class TDBGrid;
    void Changed();
    TColumn* column_;
    std::optional<std::string> caption_;
    TAlignment alignment_ = taLeftJustify;
    TColor color_ = clBtnFace;
    TOwnedPtr<TFont> font_;
    bool fontAssigned_ = false;
    bool following_ = false;
};

enum TColumnButtonStyle { cbsAuto, cbsEllipsis, cbsNone };
TK_ENUM_TYPE(TColumnButtonStyle, "cbsAuto", "cbsEllipsis", "cbsNone")

class TColumn : public TCollectionItem {
    TK_CLASS_PUBLISHED(TColumn, TCollectionItem)
public:
    TColumn();
    ~TColumn() override;

    TDBGrid* Grid() const;
    const std::string& FieldName() const { return fieldName_; }
    void SetFieldName(const std::string& name);
    // The field of that name in the grid's dataset (nullptr when there is none).
    TField* Field() const;
    TColumnTitle* Title() const { return title_.get(); }
    void SetTitle(const TColumnTitle* title) { title_->Assign(title); }
    // The field's display width in characters of the grid's font unless a width was given.
    int Width() const;
    void SetWidth(int width);
    int DefaultWidth() const;
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    // The grid's colour and font unless given.
    TColor Color() const;
    void SetColor(TColor color);
    TFont* Font() const;
    void SetFont(const TFont* font);
    // The field's alignment unless given.
    TAlignment Alignment() const;
    void SetAlignment(TAlignment value);
    TStrings* PickList() const { return pickList_.get(); }
    void SetPickList(TStrings* list);
    TColumnButtonStyle ButtonStyle() const { return buttonStyle_; }
    void SetButtonStyle(TColumnButtonStyle value);
    int DropDownRows() const { return dropDownRows_; }
    void SetDropDownRows(int value) { dropDownRows_ = value; }

    std::string DisplayName() const override;
    void Assign(const TPersistent* source) override;
    void RestoreDefaults();

private:
    friend class TColumnTitle;
    friend class TDBGrid;
    friend class TDBGridColumns;
    void FollowGrid();

    std::string fieldName_;
    std::unique_ptr<TColumnTitle> title_;
    std::optional<int> width_;
    bool visible_ = true;
    bool readOnly_ = false;
    std::optional<TColor> color_;
    TOwnedPtr<TFont> font_;
    bool fontAssigned_ = false;
    bool following_ = false;
    std::optional<TAlignment> alignment_;
    std::unique_ptr<TStringList> pickList_;
    TColumnButtonStyle buttonStyle_ = cbsAuto;
    int dropDownRows_ = 7;
};

enum TDBGridColumnsState { csDefault, csCustomized };
TK_ENUM_TYPE(TDBGridColumnsState, "csDefault", "csCustomized")

class TDBGridColumns : public TCollection {
    TK_CLASS(TDBGridColumns, TCollection)
public:
    explicit TDBGridColumns(TDBGrid* grid);
    TDBGrid* Grid() const { return grid_; }
    // Adding a column by code makes the columns customized (no longer rebuilt from the fields).
    TColumn* Add();
    TColumn* Items(int index) const { return static_cast<TColumn*>(TCollection::Items(index)); }
    TDBGridColumnsState State() const { return state_; }
    // csDefault rebuilds the columns from the dataset's visible fields.
    void SetState(TDBGridColumnsState state);
    // Builds one column per visible field of the dataset.
    void RebuildColumns();
    void RestoreDefaults();

protected:
    void Update(TCollectionItem* item) override;

private:
    friend class TDBGrid;
    TDBGrid* grid_;
    TDBGridColumnsState state_ = csDefault;
};

// The records selected in a multi-select grid, by bookmark, in the order they were chosen.
class TBookmarkList {
public:
    explicit TBookmarkList(TDBGrid& grid) : grid_(grid) {}
    int Count() const { return static_cast<int>(list_.size()); }
    TBookmark Items(int index) const;   // EListError when out of range
    const std::vector<TBookmark>& List() const { return list_; }
    bool Contains(TBookmark bookmark) const;
    int IndexOf(TBookmark bookmark) const;
    bool CurrentRowSelected() const;
    void SetCurrentRowSelected(bool value);
    void Clear();
    // Selects every record (moving through the dataset with its controls disabled and coming back).
    void SelectAll();
    // Deletes every selected record from the dataset.
    void Delete();
    // Drops bookmarks whose records are gone; true when some were.
    bool Refresh();

private:
    friend class TDBGrid;
    void Toggle(TBookmark bookmark, bool selected);
    TDBGrid& grid_;
    std::vector<TBookmark> list_;
};

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
             "dgRowLines", "dgTabs", "dgRowSelect", "dgAlwaysShowSelection", "dgConfirmDelete", "dgCancelOnExit",
             "dgMultiSelect")
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
    int GridColOfColumn(int index) const;   // -1 when hidden
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
    TDBGridOptions options_{dgEditing, dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgTabs,
                            dgConfirmDelete, dgCancelOnExit};
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
