#include "toolkit/ui/grids/DBGrid.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/rtl/ValueRollback.h"
#include "toolkit/ui/dialogs/Dialogs.h"
#include "toolkit/ui/graphics/ImgList.h"
#include "toolkit/ui/kernel/ComponentLink.h"
#include "toolkit/ui/kernel/Forms.h"
#include "toolkit/ui/kernel/MouseClick.h"

// What the grid hears from its data source.
class TDBGrid::TGridDataLink : public TDataLink {
public:
    explicit TGridDataLink(TDBGrid& grid) : grid_(grid) {}
    void ActiveChanged() override { grid_.LinkActive(Active()); }
    void DataSetChanged() override { grid_.DataChanged(); }
    void DataSetScrolled(int distance) override { grid_.Scrolled(distance); }
    void LayoutChanged() override { grid_.LayoutChanged(); }
    void RecordChanged(TField* field) override { grid_.RecordChanged(field); }
    void EditingChanged() override { grid_.EditingChanged(); }
    void UpdateData() override { grid_.UpdateData(); }
    void FocusControl(TField** field) override {
        if (!field || !*field) return;
        for (int i = 0; i < grid_.Columns()->Count(); ++i) {
            TColumn* column = grid_.Columns()->Items(i);
            if (column->Visible() && column->Field() == *field) {
                grid_.SetSelectedIndex(i);
                if (grid_.CanFocus() && GetParentForm(&grid_)) grid_.SetFocus();
                *field = nullptr;
                return;
            }
        }
    }

private:
    TDBGrid& grid_;
};

void TDBGrid::Publish(TPublisher<TDBGrid>& p) {
    PublishStandardWin(p);
    p.Property("Columns", &TDBGrid::Columns, &TDBGrid::SetColumns);
    p.Property("ControlType", &TDBGrid::ControlType);
    p.Property("DataSource", &TDBGrid::DataSource, &TDBGrid::SetDataSource);
    p.Property("DefaultDrawing", &TDBGrid::DefaultDrawing, &TDBGrid::SetDefaultDrawing);
    p.Property("FixedColor", &TDBGrid::FixedColor, &TDBGrid::SetFixedColor);
    p.Property("Options", &TDBGrid::Options, &TDBGrid::SetOptions);
    p.Property("ReadOnly", &TDBGrid::ReadOnly, &TDBGrid::SetReadOnly);
    // The current column, for whoever asks by name (context help, scripts).
    p.Property("SelectedField", &TDBGrid::SelectedField, &TDBGrid::SetSelectedField);
    p.Property("SelectedIndex", &TDBGrid::SelectedIndex, &TDBGrid::SetSelectedIndex);
    p.Property("TitleButtons", &TDBGrid::TitleButtons, &TDBGrid::SetTitleButtons);
    p.Property("TitleFont", &TDBGrid::TitleFont, &TDBGrid::SetTitleFont);
    p.Property("TitleImageList", &TDBGrid::TitleImageList, &TDBGrid::SetTitleImageList);
    p.Property("OnCalcCellColors", &TDBGrid::OnCalcCellColors);
    p.Property("OnCalcTitleAttributes", &TDBGrid::OnCalcTitleAttributes);
    p.Property("OnCalcTitleImage", &TDBGrid::OnCalcTitleImage);
    p.Property("OnCellClick", &TDBGrid::OnCellClick);
    p.Property("OnColEnter", &TDBGrid::OnColEnter);
    p.Property("OnColExit", &TDBGrid::OnColExit);
    p.Property("OnDrawColumnCell", &TDBGrid::OnDrawColumnCell);
    p.Property("OnDrawDataCell", &TDBGrid::OnDrawDataCell);
    p.Property("OnEditButtonClick", &TDBGrid::OnEditButtonClick);
    p.Property("OnTitleButtonClick", &TDBGrid::OnTitleButtonClick);
    p.Property("OnTitleClick", &TDBGrid::OnTitleClick);
}

TDBGrid::TDBGrid(TComponent* owner)
    : TCustomGrid(owner), link_(std::make_unique<TGridDataLink>(*this)), columns_(new TDBGridColumns(this)),
      titleFont_(new TFont), controlType_(std::make_unique<TStringList>()), selectedRows_(*this) {
    titleFont_->OnChange = [this](TObject*) {
        for (int i = 0; i < columns_->Count(); ++i) columns_->Items(i)->FollowGrid();
        Invalidate();
    };
    controlType_->OnChange = [this] { Invalidate(); };
    SetDefaultRowHeight(Canvas()->TextHeight("Wg") + 4);
    UpdateLayout();
}

TDBGrid::~TDBGrid() {
    peek_.reset();
    link_->SetDataSource(nullptr);
}

void TDBGrid::BeforeDestruction() {
    peek_.reset();
    if (link_->DataSource()) link_->DataSource()->RemoveFreeNotification(this);
    link_->SetDataSource(nullptr);
    TCustomGrid::BeforeDestruction();
}

// --- Properties -----------------------------------------------------------------------------------------

TDataSource* TDBGrid::DataSource() const { return link_->DataSource(); }

void TDBGrid::SetDataSource(TDataSource* source) {
    if (source == link_->DataSource()) return;
    if (link_->DataSource()) link_->DataSource()->RemoveFreeNotification(this);
    link_->SetDataSource(source);
    if (source) source->FreeNotification(this);
    LinkActive(link_->Active());
}

TDataSet* TDBGrid::DataSet() const { return link_->DataSet(); }

void TDBGrid::Notification(TComponent* component, TOperation operation) {
    TCustomGrid::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == titleImageList_) titleImageList_ = nullptr;
    if (link_ && component == link_->DataSource()) {
        link_->SetDataSource(nullptr);
        LinkActive(false);
    }
}

void TDBGrid::SetOptions(TDBGridOptions options) {
    if (options == options_) return;
    bool multi = options_.Contains(dgMultiSelect);
    options_ = options;
    if (multi && !options.Contains(dgMultiSelect)) selectedRows_.Clear();
    if (!options.Contains(dgEditing) && EditorMode()) HideEditor();
    UpdateLayout();
}

void TDBGrid::SyncBaseOptions() {
    TGridOptions base{goFixedVertLine, goFixedHorzLine};
    if (options_.Contains(dgColLines)) base.Include(goVertLine);
    if (options_.Contains(dgRowLines)) base.Include(goHorzLine);
    if (options_.Contains(dgEditing)) base.Include(goEditing);
    if (options_.Contains(dgTabs)) base.Include(goTabs);
    if (options_.Contains(dgRowSelect)) base.Include(goRowSelect);
    if (options_.Contains(dgAlwaysShowEditor)) base.Include(goAlwaysShowEditor);
    if (options_.Contains(dgColumnResize)) base.Include(goColSizing);
    TCustomGrid::SetOptions(base);
}

void TDBGrid::SetReadOnly(bool value) {
    if (value == readOnly_) return;
    readOnly_ = value;
    if (value && EditorMode()) HideEditor();
    Changed(TPropertyId::ReadOnly);
}

void TDBGrid::SetTitleImageList(TImageList* images) {
    if (SetComponentLink(*this, titleImageList_, images)) Invalidate();
}

bool TDBGrid::IsCheckBoxField(const TField* field, std::string& checkedValue, std::string& uncheckedValue) const {
    if (!field) return false;
    for (int i = 0; i < controlType_->Count(); ++i) {
        std::vector<std::string> parts = SplitString((*controlType_)[i], ';');
        if (parts.size() < 2 || !SameText(Trim(parts[0]), field->FieldName()) || !SameText(Trim(parts[1]), "CheckBox")) continue;
        checkedValue = parts.size() > 2 ? parts[2] : "True";
        uncheckedValue = parts.size() > 3 ? parts[3] : "False";
        return true;
    }
    return false;
}

// --- Columns and selection --------------------------------------------------------------------------------

void TDBGrid::ColumnsChanged() {
    if (updatingLayout_) return;
    UpdateLayout();
}

TColumn* TDBGrid::ColumnOfGridCol(int col) const {
    int index = col - IndicatorOffset();
    if (index < 0 || index >= static_cast<int>(visibleColumns_.size())) return nullptr;
    return columns_->Items(visibleColumns_[static_cast<std::size_t>(index)]);
}

int TDBGrid::GridColOfColumn(int index) const {
    for (std::size_t i = 0; i < visibleColumns_.size(); ++i)
        if (visibleColumns_[i] == index) return IndicatorOffset() + static_cast<int>(i);
    return -1;
}

TColumn* TDBGrid::SelectedColumn() const {
    return selectedIndex_ >= 0 && selectedIndex_ < columns_->Count() ? columns_->Items(selectedIndex_) : nullptr;
}

TField* TDBGrid::SelectedField() const {
    TColumn* column = SelectedColumn();
    return column ? column->Field() : nullptr;
}

void TDBGrid::SetSelectedIndex(int index) {
    if (index == selectedIndex_ || index < 0 || index >= columns_->Count() || !columns_->Items(index)->Visible()) return;
    CommitEditor();
    if (OnColExit) OnColExit(this);
    selectedIndex_ = index;
    col_ = GridColOfColumn(index);
    ScrollInView(col_, row_);
    ClampPosition();
    Changed(TPropertyId::SelectedIndex);
    Invalidate();
    if (OnColEnter) OnColEnter(this);
    if (options_.Contains(dgAlwaysShowEditor) && Focused()) ShowEditor();
}

void TDBGrid::SetSelectedField(TField* field) {
    if (!field) return;
    for (int i = 0; i < columns_->Count(); ++i)
        if (columns_->Items(i)->Visible() && columns_->Items(i)->Field() == field) {
            SetSelectedIndex(i);
            return;
        }
}

// --- Layout and the row window --------------------------------------------------------------------------

int TDBGrid::RecordCount() const {
    TDataSet* ds = DataSet();
    if (!link_->Active() || !ds) return 0;
    return ds->RecordCount() + (ds->State() == dsInsert ? 1 : 0);
}

int TDBGrid::CurrentRecNo() const {
    TDataSet* ds = DataSet();
    if (!link_->Active() || !ds || RecordCount() == 0) return 0;
    return ds->RecNo();
}

int TDBGrid::RowCapacity() const {
    int line = GridLineWidth();
    int available = Height();
    if (TitleOffset()) available -= RowHeights(0) + line;
    return std::max(1, available / (DefaultRowHeight() + line));
}

int TDBGrid::StoredRecNo(int recNo) const {
    TDataSet* ds = DataSet();
    int current = CurrentRecNo();
    if (recNo == current) return 0;
    if (ds && ds->State() == dsInsert && recNo > current) return recNo - 1;
    return recNo;
}

void TDBGrid::UpdateLayout() {
    if (updatingLayout_) return;
    {
        TValueRollback updating(updatingLayout_, true);
        visibleColumns_.clear();
        for (int i = 0; i < columns_->Count(); ++i)
            if (columns_->Items(i)->Visible()) visibleColumns_.push_back(i);
        int indicator = IndicatorOffset();
        SetColCount(indicator + std::max<int>(1, static_cast<int>(visibleColumns_.size())));
        if (FixedCols() != indicator) SetFixedCols(indicator);
        if (indicator) SetColWidths(0, 11);
        for (std::size_t i = 0; i < visibleColumns_.size(); ++i)
            SetColWidths(indicator + static_cast<int>(i), columns_->Items(visibleColumns_[i])->Width());
        if (visibleColumns_.empty()) SetColWidths(indicator, 64);
        TColumn* selected = SelectedColumn();
        if ((!selected || !selected->Visible()) && !visibleColumns_.empty()) selectedIndex_ = visibleColumns_.front();
        SyncBaseOptions();
        UpdateRowWindow();
    }
    Changed(TPropertyId::Layout);
    Invalidate();
}

void TDBGrid::UpdateRowWindow() {
    int count = RecordCount();
    int current = CurrentRecNo();
    int capacity = RowCapacity();
    int top = topRecNo_;
    if (current > 0) {
        if (current < top) top = current;
        if (current >= top + capacity) top = current - capacity + 1;
    }
    top = std::clamp(top, 1, std::max(1, count - capacity + 1));
    if (top != topRecNo_) {
        topRecNo_ = top;
        Changed(TPropertyId::TopRecNo);
    }
    rowsShown_ = std::clamp(count - topRecNo_ + 1, 0, capacity);
    int title = TitleOffset();
    bool wasUpdating = updatingLayout_;
    updatingLayout_ = true;
    SetRowCount(title + std::max(1, rowsShown_));
    if (FixedRows() != title) SetFixedRows(title);
    SetTopRow(title);
    updatingLayout_ = wasUpdating;
    row_ = current > 0 ? title + (current - topRecNo_) : title;
    int col = GridColOfColumn(selectedIndex_);
    col_ = col >= 0 ? col : IndicatorOffset();
    ClampPosition();
}

void TDBGrid::ColWidthsChanged() {
    if (updatingLayout_) return;
    // The user resized a column: the column keeps its new width.
    updatingLayout_ = true;
    for (std::size_t i = 0; i < visibleColumns_.size(); ++i) {
        TColumn* column = columns_->Items(visibleColumns_[i]);
        int width = ColWidths(IndicatorOffset() + static_cast<int>(i));
        if (width != column->Width()) column->SetWidth(width);
    }
    updatingLayout_ = false;
}

void TDBGrid::SizeChanged() {
    UpdateRowWindow();
    TCustomGrid::SizeChanged();
}

void TDBGrid::FontChanged() {
    TCustomGrid::FontChanged();
    for (int i = 0; i < columns_->Count(); ++i) columns_->Items(i)->FollowGrid();
    SetDefaultRowHeight(HeadlessTextExtent(*Font(), "Wg").cy + 4);
    UpdateLayout();
}

// --- Data link notifications ------------------------------------------------------------------------------

void TDBGrid::LinkActive(bool active) {
    if (ComponentState().Contains(csDestroying)) return;
    HideEditor();
    selectedRows_.list_.clear();
    topRecNo_ = 1;
    if (columns_->State() == csDefault) columns_->RebuildColumns();
    UpdateLayout();
}

void TDBGrid::DataChanged() {
    if (EditorMode() && !EditorModified()) HideEditor();
    UpdateRowWindow();
    Invalidate();
    if (options_.Contains(dgAlwaysShowEditor) && Focused() && !EditorMode()) ShowEditor();
}

void TDBGrid::Scrolled(int distance) { DataChanged(); }

void TDBGrid::LayoutChanged() {
    if (columns_->State() == csDefault) columns_->RebuildColumns();
    UpdateLayout();
}

void TDBGrid::RecordChanged(TField* field) {
    if (EditorMode() && !EditorModified()) RefreshEditor();
    UpdateRowWindow();
    Invalidate();
}

void TDBGrid::EditingChanged() {
    if (!link_->Editing() && EditorMode() && !options_.Contains(dgAlwaysShowEditor)) HideEditor();
    UpdateRowWindow();
    Invalidate();
}

void TDBGrid::UpdateData() {
    if (!EditorMode() || !EditorModified()) return;
    if (TField* field = SelectedField()) field->SetText(EditorValue());
    HideEditor();
}

// --- Editing --------------------------------------------------------------------------------------------

bool TDBGrid::CanModifyData() const {
    TDataSet* ds = DataSet();
    return options_.Contains(dgEditing) && !readOnly_ && link_->Active() && !link_->ReadOnly && ds && ds->CanModify();
}

bool TDBGrid::CanEditShow() const {
    if (!CanModifyData() || options_.Contains(dgRowSelect)) return false;
    TColumn* column = SelectedColumn();
    TField* field = column ? column->Field() : nullptr;
    std::string c, u;
    return column && column->Visible() && !column->ReadOnly() && field && field->CanModify() && !IsCheckBoxField(field, c, u);
}

bool TDBGrid::CanEditModify() { return CanEditShow() && link_->Edit(); }

std::string TDBGrid::GetEditText(int col, int row) {
    TField* field = SelectedField();
    return field ? field->Text() : std::string();
}

std::string TDBGrid::GetEditMask(int col, int row) {
    TField* field = SelectedField();
    return field ? field->EditMask() : std::string();
}

void TDBGrid::EditorChanged() {
    Changed(TPropertyId::EditorText);
    Invalidate();
}

bool TDBGrid::CommitEditor() {
    if (!EditorMode()) return true;
    if (EditorModified()) {
        // Written through the field's rules; an exception leaves the editor open with the text.
        if (TField* field = SelectedField()) field->SetText(EditorValue());
    }
    HideEditor();
    return true;
}

void TDBGrid::CancelEditor() { HideEditor(); }

void TDBGrid::TypeIntoCell(const std::string& fieldName, const std::string& text) {
    int index = -1;
    for (int i = 0; i < columns_->Count() && index < 0; ++i)
        if (columns_->Items(i)->Visible() && SameText(columns_->Items(i)->FieldName(), fieldName)) index = i;
    if (index < 0) throw EInvalidOperation("Grid " + Name() + " shows no field " + fieldName);
    SetSelectedIndex(index);
    if (!CanEditShow()) throw EInvalidOperation("Field " + fieldName + " cannot be edited in grid " + Name());
    ShowEditor();
    SetEditorText(text);
    CommitEditor();
}

bool TDBGrid::DeleteRecord() {
    TDataSet* ds = DataSet();
    if (!CanModifyData() || !ds || ds->IsEmpty()) return false;
    if (options_.Contains(dgConfirmDelete) && MessageDlg("Delete record?", mtConfirmation, mbOKCancel) == mrCancel) return false;
    HideEditor();
    ds->Delete();
    return true;
}

bool TDBGrid::ToggleCheckBox() {
    TColumn* column = SelectedColumn();
    TField* field = SelectedField();
    std::string checkedValue, uncheckedValue;
    if (!column || !IsCheckBoxField(field, checkedValue, uncheckedValue)) return false;
    if (!CanModifyData() || column->ReadOnly() || !field->CanModify() || !link_->Edit()) return false;
    bool checked = SameText(field->Text(), checkedValue);
    field->SetText(checked ? uncheckedValue : checkedValue);
    return true;
}

// --- Moving ---------------------------------------------------------------------------------------------

void TDBGrid::MoveRecords(int distance, TShiftState shift) {
    TDataSet* ds = DataSet();
    if (!link_->Active() || !ds || distance == 0) return;
    CommitEditor();
    bool multi = options_.Contains(dgMultiSelect);
    if (multi) {
        if (shift.Contains(ssShift))
            selectedRows_.SetCurrentRowSelected(true);
        else
            selectedRows_.Clear();
    }
    if (ds->State() == dsInsert && !ds->Modified() && distance < 0) {
        // Leaving an untouched new record upwards drops it: that is the first step.
        ds->Cancel();
        ++distance;
    }
    if (distance != 0) ds->MoveBy(distance);
    if (multi && shift.Contains(ssShift)) selectedRows_.SetCurrentRowSelected(true);
}

void TDBGrid::MoveToRecNo(int recNo) {
    TDataSet* ds = DataSet();
    int current = CurrentRecNo();
    if (!link_->Active() || !ds || recNo < 1 || recNo == current) return;
    CommitEditor();
    bool inserting = ds->State() == dsInsert;
    int before = ds->RecordCount();
    ds->CheckBrowseMode();
    if (inserting && ds->RecordCount() == before && recNo > current) --recNo;  // the new record went away
    int now = ds->RecNo();
    if (recNo != now) ds->MoveBy(recNo - now);
}

bool TDBGrid::WantsKey(WORD key, TShiftState shift) const { return TCustomGrid::WantsKey(key, shift); }

void TDBGrid::CharTyped(char32_t ch) {
    std::string checkedValue, uncheckedValue;
    if (ch == U' ' && !EditorMode() && IsCheckBoxField(SelectedField(), checkedValue, uncheckedValue)) {
        ToggleCheckBox();
        return;
    }
    TCustomGrid::CharTyped(ch);
}

void TDBGrid::KeyDown(WORD& key, TShiftState shift) {
    TWinControl::KeyDown(key, shift);  // OnKeyDown first; the grid's own keys come after
    if (key == 0) return;
    TDataSet* ds = DataSet();
    if (!link_->Active() || !ds) return;
    if (EditorMode()) {
        EditorKey(key, shift);
        if (key == 0) return;
    }
    bool ctrl = shift.Contains(ssCtrl);
    auto nextColumn = [this](int from, int step) {
        for (int i = from + step; i >= 0 && i < columns_->Count(); i += step)
            if (columns_->Items(i)->Visible()) return i;
        return -1;
    };
    switch (key) {
        case VK_UP: MoveRecords(-1, shift); break;
        case VK_DOWN:
            if (CurrentRecNo() >= RecordCount()) {
                // Past the last record: append one, unless the last one is a new record not yet touched.
                CommitEditor();
                bool untouchedNew = ds->State() == dsInsert && !ds->Modified();
                if (CanModifyData() && !untouchedNew) ds->Append();
            } else {
                MoveRecords(1, shift);
            }
            break;
        case VK_PRIOR: MoveRecords(-RowCapacity(), shift); break;
        case VK_NEXT: MoveRecords(RowCapacity(), shift); break;
        case VK_HOME:
            if (ctrl) {
                CommitEditor();
                ds->First();
            } else if (!visibleColumns_.empty()) {
                SetSelectedIndex(visibleColumns_.front());
            }
            break;
        case VK_END:
            if (ctrl) {
                CommitEditor();
                ds->Last();
            } else if (!visibleColumns_.empty()) {
                SetSelectedIndex(visibleColumns_.back());
            }
            break;
        case VK_LEFT:
            if (options_.Contains(dgRowSelect)) return;
            if (int i = nextColumn(selectedIndex_, -1); i >= 0) SetSelectedIndex(i);
            break;
        case VK_RIGHT:
            if (options_.Contains(dgRowSelect)) return;
            if (int i = nextColumn(selectedIndex_, 1); i >= 0) SetSelectedIndex(i);
            break;
        case VK_TAB: {
            if (!options_.Contains(dgTabs) || ctrl) return;
            int step = shift.Contains(ssShift) ? -1 : 1;
            if (int i = nextColumn(selectedIndex_, step); i >= 0) {
                SetSelectedIndex(i);
            } else if (!visibleColumns_.empty()) {
                int before = CurrentRecNo();
                MoveRecords(step, {});
                if (CurrentRecNo() != before) SetSelectedIndex(step > 0 ? visibleColumns_.front() : visibleColumns_.back());
            }
            break;
        }
        case VK_INSERT:
            if (!CanModifyData() || shift.Contains(ssShift)) return;
            CommitEditor();
            ds->Insert();
            break;
        case VK_DELETE:
            if (!ctrl) return;
            DeleteRecord();
            break;
        case VK_ESCAPE:
            if (ds->State() != dsEdit && ds->State() != dsInsert) return;
            ds->Cancel();
            break;
        case VK_RETURN:
        case VK_F2:
            if (!CanEditShow()) return;
            ShowEditor();
            break;
        default: return;
    }
    key = 0;
}

void TDBGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    FocusOnPress(*this, button);
    pressedTitle_ = pressedColumn_ = -1;
    if (button == mbLeft && link_->Active()) {
        int col, row;
        MouseToCell(x, y, col, row);
        TColumn* column = ColumnOfGridCol(col);
        int title = TitleOffset();
        if (row >= 0 && row < title) {
            if (column) pressedTitle_ = column->Index();
        } else if (row >= title && column) {
            int recNo = topRecNo_ + row - title;
            if (recNo <= RecordCount()) {
                bool wasCurrent = recNo == CurrentRecNo() && column->Index() == selectedIndex_;
                bool multi = options_.Contains(dgMultiSelect);
                if (multi && shift.Contains(ssShift) && CurrentRecNo() > 0) {
                    // Selects every record between the current one and the one clicked.
                    int from = std::min(recNo, CurrentRecNo()), to = std::max(recNo, CurrentRecNo());
                    for (int r = from; r <= to; ++r) {
                        int stored = StoredRecNo(r);
                        TBookmark bookmark = stored > 0 ? DataSet()->BookmarkAt(stored) : DataSet()->GetBookmark();
                        selectedRows_.Toggle(bookmark, true);
                    }
                } else if (multi && !shift.Contains(ssCtrl)) {
                    selectedRows_.Clear();
                }
                MoveToRecNo(recNo);
                SetSelectedIndex(column->Index());
                if (multi && shift.Contains(ssCtrl)) selectedRows_.SetCurrentRowSelected(!selectedRows_.CurrentRowSelected());
                pressedColumn_ = column->Index();
                std::string checkedValue, uncheckedValue;
                if (IsCheckBoxField(column->Field(), checkedValue, uncheckedValue))
                    ToggleCheckBox();
                else if (wasCurrent && !EditorMode() && CanEditShow())
                    ShowEditor();
            }
        }
    }
    TWinControl::MouseDown(button, shift, x, y);
}

void TDBGrid::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TWinControl::MouseUp(button, shift, x, y);
    if (button != mbLeft) return;
    int col, row;
    MouseToCell(x, y, col, row);
    TColumn* column = ColumnOfGridCol(col);
    if (pressedTitle_ >= 0 && column && column->Index() == pressedTitle_ && row >= 0 && row < TitleOffset()) {
        if (OnTitleClick) OnTitleClick(column);
        if (titleButtons_ && OnTitleButtonClick) OnTitleButtonClick(this, column->FieldName());
    } else if (pressedColumn_ >= 0 && pressedColumn_ < columns_->Count()) {
        if (OnCellClick) OnCellClick(columns_->Items(pressedColumn_));
    }
    pressedTitle_ = pressedColumn_ = -1;
}

void TDBGrid::DoExit() {
    TCustomGrid::DoExit();
    TDataSet* ds = DataSet();
    if (options_.Contains(dgCancelOnExit) && ds && ds->State() == dsInsert && !ds->Modified()) ds->Cancel();
}
