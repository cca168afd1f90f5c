#include "toolkit/ui/grids/StringGrid.h"
#include "toolkit/ui/graphics/Canvas.h"

void TStringGrid::Publish(TPublisher<TStringGrid>& p) {
    PublishStandardWin(p);
    p.Property("ColCount", &TStringGrid::ColCount, &TStringGrid::SetColCount);
    p.Property("DefaultColWidth", &TStringGrid::DefaultColWidth, &TStringGrid::SetDefaultColWidth);
    p.Property("DefaultDrawing", &TStringGrid::DefaultDrawing, &TStringGrid::SetDefaultDrawing);
    p.Property("DefaultRowHeight", &TStringGrid::DefaultRowHeight, &TStringGrid::SetDefaultRowHeight);
    p.Property("FixedColor", &TStringGrid::FixedColor, &TStringGrid::SetFixedColor);
    p.Property("FixedCols", &TStringGrid::FixedCols, &TStringGrid::SetFixedCols);
    p.Property("FixedRows", &TStringGrid::FixedRows, &TStringGrid::SetFixedRows);
    p.Property("GridLineWidth", &TStringGrid::GridLineWidth, &TStringGrid::SetGridLineWidth);
    p.Property("Options", &TStringGrid::Options, &TStringGrid::SetOptions);
    p.Property("RowCount", &TStringGrid::RowCount, &TStringGrid::SetRowCount);
    p.Property("DropDownRows", &TStringGrid::DropDownRows, &TStringGrid::SetDropDownRows);
    p.Property("OnDrawCell", &TStringGrid::OnDrawCell);
    p.Property("OnGetEditMask", &TStringGrid::OnGetEditMask);
    p.Property("OnGetEditText", &TStringGrid::OnGetEditText);
    p.Property("OnPickListClick", &TStringGrid::OnPickListClick);
    p.Property("OnSelectCell", &TStringGrid::OnSelectCell);
    p.Property("OnSetEditText", &TStringGrid::OnSetEditText);
    p.Property("OnTopLeftChanged", &TStringGrid::OnTopLeftChanged);
    p.Property("OnValidateEdit", &TStringGrid::OnValidateEdit);
}

std::string TStringGrid::Cells(int col, int row) const {
    auto it = cells_.find({row, col});
    return it == cells_.end() ? std::string() : it->second.text;
}

void TStringGrid::SetCells(int col, int row, const std::string& value) {
    if (col < 0 || row < 0) return;
    auto& cell = cells_[{row, col}];
    if (cell.text == value) return;
    cell.text = value;
    if (EditorMode() && col == Col() && row == Row() && EditorText() != value && !EditorModified()) SetEditorMode(false);
    Invalidate();
}

void* TStringGrid::Objects(int col, int row) const {
    auto it = cells_.find({row, col});
    return it == cells_.end() ? nullptr : it->second.object;
}

void TStringGrid::SetObjects(int col, int row, void* object) {
    if (col < 0 || row < 0) return;
    cells_[{row, col}].object = object;
}

std::vector<std::string> TStringGrid::Rows(int row) const {
    std::vector<std::string> texts;
    for (int c = 0; c < ColCount(); ++c) texts.push_back(Cells(c, row));
    return texts;
}

std::vector<std::string> TStringGrid::Cols(int col) const {
    std::vector<std::string> texts;
    for (int r = 0; r < RowCount(); ++r) texts.push_back(Cells(col, r));
    return texts;
}

void TStringGrid::SetCellNumbersOnly(int col, int row, bool value) {
    if (col < 0 || row < 0) return;
    if (!value) {
        auto found = cells_.find({row, col});
        if (found != cells_.end()) found->second.numbersOnly = false;
        return;
    }
    cells_[{row, col}].numbersOnly = true;
}

bool TStringGrid::CellNumbersOnly(int col, int row) const {
    auto found = cells_.find({row, col});
    return found != cells_.end() && found->second.numbersOnly;
}

bool TStringGrid::EditAcceptsText(const std::string& text) const {
    if (!CellNumbersOnly(Col(), Row())) return true;
    // A number on its way: an optional leading minus, digits and at most one decimal point.
    bool point = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') continue;
        if (c == '-' && i == 0) continue;
        if (c == '.' && !point) {
            point = true;
            continue;
        }
        return false;
    }
    return true;
}

void TStringGrid::InsertRow(int index) {
    index = std::clamp(index, 0, RowCount());
    std::map<std::pair<int, int>, TCell> moved;
    for (auto& [key, cell] : cells_) moved[{key.first >= index ? key.first + 1 : key.first, key.second}] = cell;
    cells_ = std::move(moved);
    SetRowCount(RowCount() + 1);
    Invalidate();
}

void TStringGrid::DeleteRow(int index) {
    if (index < 0 || index >= RowCount()) return;
    std::map<std::pair<int, int>, TCell> moved;
    for (auto& [key, cell] : cells_)
        if (key.first != index) moved[{key.first > index ? key.first - 1 : key.first, key.second}] = cell;
    cells_ = std::move(moved);
    if (RowCount() > FixedRows() + 1) SetRowCount(RowCount() - 1);
    Invalidate();
}

void TStringGrid::MoveRow(int fromIndex, int toIndex) {
    if (fromIndex == toIndex || fromIndex < 0 || toIndex < 0 || fromIndex >= RowCount() || toIndex >= RowCount()) return;
    std::map<std::pair<int, int>, TCell> moved;
    for (auto& [key, cell] : cells_) {
        int r = key.first;
        if (r == fromIndex)
            r = toIndex;
        else if (fromIndex < toIndex && r > fromIndex && r <= toIndex)
            --r;
        else if (fromIndex > toIndex && r >= toIndex && r < fromIndex)
            ++r;
        moved[{r, key.second}] = cell;
    }
    cells_ = std::move(moved);
    Invalidate();
}

void TStringGrid::InsertColumn(int index) {
    index = std::clamp(index, 0, ColCount());
    std::map<std::pair<int, int>, TCell> moved;
    for (auto& [key, cell] : cells_) moved[{key.first, key.second >= index ? key.second + 1 : key.second}] = cell;
    cells_ = std::move(moved);
    SetColCount(ColCount() + 1);
}

void TStringGrid::DeleteColumn(int index) {
    if (index < 0 || index >= ColCount()) return;
    std::map<std::pair<int, int>, TCell> moved;
    for (auto& [key, cell] : cells_)
        if (key.second != index) moved[{key.first, key.second > index ? key.second - 1 : key.second}] = cell;
    cells_ = std::move(moved);
    if (ColCount() > FixedCols() + 1) SetColCount(ColCount() - 1);
    Invalidate();
}

std::string TStringGrid::GetEditText(int col, int row) {
    std::string value = Cells(col, row);
    if (OnGetEditText) OnGetEditText(this, col, row, value);
    return value;
}

void TStringGrid::SetEditText(int col, int row, const std::string& value) {
    cells_[{row, col}].text = value;
    Invalidate();
    if (OnSetEditText) OnSetEditText(this, col, row, value);
}

void TStringGrid::DrawCell(int col, int row, const TRect& rect, TGridDrawState state) {
    if (DefaultDrawing()) {
        std::string text = EditorMode() && col == Col() && row == Row() ? EditorText() : Cells(col, row);
        Canvas()->TextRect({rect.Left + 2, rect.Top + 2, rect.Right, rect.Bottom}, text, TTextFormat{tfLeft, tfTop});
    }
    if (col == Col() && row == Row() && !PickButtonRect().IsEmpty()) DrawPickButton(rect);
    TCustomGrid::DrawCell(col, row, rect, state);
}
