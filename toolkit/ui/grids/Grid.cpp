#include <algorithm>

#include "toolkit/rtl/ChangeValue.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/graphics/Canvas.h"
#include "toolkit/ui/grids/Grid.h"
#include "toolkit/ui/kernel/Application.h"
#include "toolkit/ui/kernel/Forms.h"
#include "toolkit/ui/kernel/MouseClick.h"
#include "toolkit/ui/widgets/MaskedEditing.h"

TCustomGrid::TCustomGrid(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    SetBounds(0, 0, 320, 120);
    colWidths_.assign(static_cast<std::size_t>(colCount_), defaultColWidth_);
    rowHeights_.assign(static_cast<std::size_t>(rowCount_), defaultRowHeight_);
}

// --- Layout ---------------------------------------------------------------------------------------------

void TCustomGrid::SetColCount(int value) {
    value = std::max(value, 1);
    if (value == colCount_) return;
    if (editorMode_) HideEditor();
    colCount_ = value;
    if (fixedCols_ >= value) fixedCols_ = value - 1;
    colWidths_.resize(static_cast<std::size_t>(value), defaultColWidth_);
    ClampPosition();
    Changed(TPropertyId::Layout);
    Invalidate();
}

void TCustomGrid::SetRowCount(int value) {
    value = std::max(value, 1);
    if (value == rowCount_) return;
    if (editorMode_) HideEditor();
    rowCount_ = value;
    if (fixedRows_ >= value) fixedRows_ = value - 1;
    rowHeights_.resize(static_cast<std::size_t>(value), defaultRowHeight_);
    ClampPosition();
    Changed(TPropertyId::Layout);
    Invalidate();
}

void TCustomGrid::SetFixedCols(int value) {
    if (value < 0 || value >= colCount_) throw EInvalidOperation("Fixed column count must be less than column count");
    fixedCols_ = value;
    ClampPosition();
    Changed(TPropertyId::Layout);
    Invalidate();
}

void TCustomGrid::SetFixedRows(int value) {
    if (value < 0 || value >= rowCount_) throw EInvalidOperation("Fixed row count must be less than row count");
    fixedRows_ = value;
    ClampPosition();
    Changed(TPropertyId::Layout);
    Invalidate();
}

void TCustomGrid::ClampPosition() {
    int firstCol = std::min(fixedCols_, colCount_ - 1), firstRow = std::min(fixedRows_, rowCount_ - 1);
    col_ = std::clamp(col_, firstCol, colCount_ - 1);
    row_ = std::clamp(row_, firstRow, rowCount_ - 1);
    topRow_ = std::clamp(topRow_, firstRow, rowCount_ - 1);
    leftCol_ = std::clamp(leftCol_, firstCol, colCount_ - 1);
    selection_ =
        options_.Contains(goRowSelect) ? TGridRect{fixedCols_, row_, colCount_ - 1, row_} : TGridRect{col_, row_, col_, row_};
}

void TCustomGrid::SetDefaultColWidth(int value) {
    if (value < 0) return;
    defaultColWidth_ = value;
    std::fill(colWidths_.begin(), colWidths_.end(), value);
    ColWidthsChanged();
    Changed(TPropertyId::Layout);
    Invalidate();
}

void TCustomGrid::SetDefaultRowHeight(int value) {
    if (value < 0) return;
    defaultRowHeight_ = value;
    std::fill(rowHeights_.begin(), rowHeights_.end(), value);
    Changed(TPropertyId::Layout);
    Invalidate();
}

int TCustomGrid::ColWidths(int col) const {
    return col >= 0 && col < colCount_ ? colWidths_[static_cast<std::size_t>(col)] : defaultColWidth_;
}

void TCustomGrid::SetColWidths(int col, int width) {
    if (col < 0 || col >= colCount_ || width < 0) return;
    if (colWidths_[static_cast<std::size_t>(col)] == width) return;
    colWidths_[static_cast<std::size_t>(col)] = width;
    ColWidthsChanged();
    Changed(TPropertyId::Layout);
    Invalidate();
}

int TCustomGrid::RowHeights(int row) const {
    return row >= 0 && row < rowCount_ ? rowHeights_[static_cast<std::size_t>(row)] : defaultRowHeight_;
}

void TCustomGrid::SetRowHeights(int row, int height) {
    if (row < 0 || row >= rowCount_ || height < 0) return;
    rowHeights_[static_cast<std::size_t>(row)] = height;
    Changed(TPropertyId::Layout);
    Invalidate();
}

void TCustomGrid::SetGridLineWidth(int value) {
    if (value < 0 || value == gridLineWidth_) return;
    gridLineWidth_ = value;
    Changed(TPropertyId::Layout);
    Invalidate();
}

void TCustomGrid::SetOptions(TGridOptions options) {
    if (options == options_) return;
    options_ = options;
    if (!options.Contains(goEditing) && editorMode_) HideEditor();
    ClampPosition();
    Changed(TPropertyId::Options);
    Invalidate();
}

void TCustomGrid::SetFixedColor(TColor color) {
    if (ChangeValue(fixedColor_, color)) Invalidate();
}

void TCustomGrid::SetSelection(const TGridRect& rect) {
    selection_ = rect;
    Changed(TPropertyId::Selection);
    Invalidate();
}

void TCustomGrid::SetTopRow(int row) {
    row = std::clamp(row, fixedRows_, std::max(rowCount_ - 1, fixedRows_));
    if (ChangeValue(topRow_, row)) TopLeftChanged();
}

void TCustomGrid::SetLeftCol(int col) {
    col = std::clamp(col, fixedCols_, std::max(colCount_ - 1, fixedCols_));
    if (ChangeValue(leftCol_, col)) TopLeftChanged();
}

void TCustomGrid::TopLeftChanged() {
    Changed(TPropertyId::TopLeft);
    Invalidate();
    if (OnTopLeftChanged) OnTopLeftChanged(this);
}

int TCustomGrid::VisibleRowCount() const {
    int avail = Height();
    for (int r = 0; r < fixedRows_; ++r) avail -= RowHeights(r) + gridLineWidth_;
    int count = 0;
    for (int r = topRow_; r < rowCount_; ++r) {
        avail -= RowHeights(r);
        if (avail < 0) break;
        avail -= gridLineWidth_;
        ++count;
    }
    return std::max(count, 1);
}

int TCustomGrid::VisibleColCount() const {
    int avail = Width();
    for (int c = 0; c < fixedCols_; ++c) avail -= ColWidths(c) + gridLineWidth_;
    int count = 0;
    for (int c = leftCol_; c < colCount_; ++c) {
        avail -= ColWidths(c);
        if (avail < 0) break;
        avail -= gridLineWidth_;
        ++count;
    }
    return std::max(count, 1);
}

TRect TCustomGrid::CellRect(int col, int row) const {
    if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount_) return {};
    if ((col >= fixedCols_ && col < leftCol_) || (row >= fixedRows_ && row < topRow_)) return {};
    int x = 0;
    for (int c = 0; c < std::min(col, fixedCols_); ++c) x += ColWidths(c) + gridLineWidth_;
    for (int c = leftCol_; c < col; ++c) x += ColWidths(c) + gridLineWidth_;
    int y = 0;
    for (int r = 0; r < std::min(row, fixedRows_); ++r) y += RowHeights(r) + gridLineWidth_;
    for (int r = topRow_; r < row; ++r) y += RowHeights(r) + gridLineWidth_;
    if (x >= Width() || y >= Height()) return {};
    return {x, y, x + ColWidths(col), y + RowHeights(row)};
}

namespace {
// The index along one axis at a pixel offset: fixed ones first, then from the first scrolled one.
int IndexAt(int pos, int fixed, int first, int count, int line, const std::function<int(int)>& size) {
    if (pos < 0) return -1;
    int at = 0;
    for (int i = 0; i < fixed; ++i) {
        at += size(i) + line;
        if (pos < at) return i;
    }
    for (int i = first; i < count; ++i) {
        at += size(i) + line;
        if (pos < at) return i;
    }
    return -1;
}
}  // namespace

void TCustomGrid::MouseToCell(int x, int y, int& col, int& row) const {
    col = IndexAt(x, fixedCols_, leftCol_, colCount_, gridLineWidth_, [this](int c) { return ColWidths(c); });
    row = IndexAt(y, fixedRows_, topRow_, rowCount_, gridLineWidth_, [this](int r) { return RowHeights(r); });
}

TGridCoord TCustomGrid::MouseCoord(int x, int y) const {
    TGridCoord c;
    MouseToCell(x, y, c.X, c.Y);
    return c;
}

void TCustomGrid::SizeChanged() {
    Invalidate();
    TWinControl::SizeChanged();
}

// --- Current cell ---------------------------------------------------------------------------------------

bool TCustomGrid::SelectCell(int col, int row) {
    bool canSelect = true;
    if (OnSelectCell) OnSelectCell(this, col, row, canSelect);
    return canSelect;
}

bool TCustomGrid::FocusCell(int col, int row) {
    if (col < fixedCols_ || row < fixedRows_ || col >= colCount_ || row >= rowCount_) return false;
    if (col == col_ && row == row_) return true;
    if (editorMode_ && !CommitEditor()) return false;
    if (!SelectCell(col, row)) return false;
    col_ = col;
    row_ = row;
    selection_ = options_.Contains(goRowSelect) ? TGridRect{fixedCols_, row, colCount_ - 1, row} : TGridRect{col, row, col, row};
    ScrollInView(col, row);
    Changed(TPropertyId::Cell);
    Invalidate();
    if (options_.Contains(goAlwaysShowEditor) && !editorMode_) ShowEditor();
    return true;
}

void TCustomGrid::ScrollInView(int col, int row) {
    bool moved = false;
    if (row >= fixedRows_) {
        if (row < topRow_) {
            topRow_ = row;
            moved = true;
        }
        while (row >= topRow_ + VisibleRowCount() && topRow_ < row) {
            ++topRow_;
            moved = true;
        }
    }
    if (col >= fixedCols_ && !options_.Contains(goRowSelect)) {
        if (col < leftCol_) {
            leftCol_ = col;
            moved = true;
        }
        while (col >= leftCol_ + VisibleColCount() && leftCol_ < col) {
            ++leftCol_;
            moved = true;
        }
    }
    if (moved) TopLeftChanged();
}

void TCustomGrid::MoveCurrent(int col, int row, TShiftState shift) {
    col = std::clamp(col, fixedCols_, colCount_ - 1);
    row = std::clamp(row, fixedRows_, rowCount_ - 1);
    FocusCell(col, row);
}

// --- Editor ---------------------------------------------------------------------------------------------

bool TCustomGrid::CanEditShow() const {
    return options_.Contains(goEditing) && !options_.Contains(goRowSelect) && col_ >= fixedCols_ && row_ >= fixedRows_ &&
           Enabled();
}

std::string TCustomGrid::GetEditText(int col, int row) {
    std::string value;
    if (OnGetEditText) OnGetEditText(this, col, row, value);
    return value;
}

void TCustomGrid::SetEditText(int col, int row, const std::string& value) {
    if (OnSetEditText) OnSetEditText(this, col, row, value);
}

std::string TCustomGrid::GetEditMask(int col, int row) {
    std::string mask;
    if (OnGetEditMask) OnGetEditMask(this, col, row, mask);
    return mask;
}

// What the cell receives of the editor's text: a masked text without its blanks and dropped literals.
std::string TCustomGrid::EditorValue() const {
    return editorMask_.empty() ? editorText_ : TEditMask(editorMask_).Unformat(editorText_);
}

void TCustomGrid::ShowEditor(const std::string* replaceWith) {
    if (!CanEditShow()) return;
    if (replaceWith && !CanEditModify()) return;
    if (!editorMode_) {
        editorMask_ = GetEditMask(col_, row_);
        editorText_ = MaskedEditText(TEditMask(editorMask_), GetEditText(col_, row_));
        editorOriginal_ = editorText_;
        editorModified_ = false;
        editorMode_ = true;
    }
    if (replaceWith && !editorMask_.empty()) {
        // The first key typed into a masked cell fills the mask from its start.
        const TEditMask mask(editorMask_);
        std::string text = mask.Format("");
        TTextSelection sel;
        if (!MaskedInsert(mask, text, sel, *replaceWith)) Application->MessageBeep();
        editorText_ = text;
        editorSel_ = sel;
        editorModified_ = true;
        EditorChanged();
    } else if (replaceWith) {
        editorText_ = *replaceWith;
        editorSel_ = {static_cast<int>(Utf8Length(editorText_)), 0};
        editorModified_ = true;
        EditorChanged();
    } else {
        editorSel_ = {static_cast<int>(Utf8Length(editorText_)), 0};
    }
    Changed(TPropertyId::EditorMode);
    Invalidate();
}

void TCustomGrid::HideEditor() {
    if (!editorMode_) return;
    editorMode_ = false;
    editorModified_ = false;
    Changed(TPropertyId::EditorMode);
    Invalidate();
}

void TCustomGrid::RefreshEditor() {
    if (!editorMode_ || editorModified_) return;
    editorText_ = MaskedEditText(TEditMask(editorMask_), GetEditText(col_, row_));
    editorOriginal_ = editorText_;
    editorSel_ = {static_cast<int>(Utf8Length(editorText_)), 0};
    Changed(TPropertyId::EditorText);
}

void TCustomGrid::SetEditorMode(bool value) {
    if (value)
        ShowEditor();
    else
        CommitEditor();
}

void TCustomGrid::SetEditorText(const std::string& text) {
    if (!editorMode_) ShowEditor();
    if (!editorMode_ || text == editorText_ || !CanEditModify()) return;
    editorText_ = MaskedEditText(TEditMask(editorMask_), text);
    editorSel_ = {static_cast<int>(Utf8Length(editorText_)), 0};
    editorModified_ = true;
    EditorChanged();
}

void TCustomGrid::EditorChanged() {
    SetEditText(col_, row_, EditorValue());
    Changed(TPropertyId::EditorText);
}

bool TCustomGrid::CommitEditor() {
    if (!editorMode_) return true;
    if (editorModified_ && OnValidateEdit) {
        std::string value = editorText_;
        bool accept = true;
        OnValidateEdit(this, col_, row_, value, accept);
        if (value != editorText_) {
            editorText_ = value;
            EditorChanged();
        }
        if (!accept) return false;
    }
    HideEditor();
    return true;
}

void TCustomGrid::CancelEditor() {
    if (!editorMode_) return;
    if (editorModified_) {
        editorText_ = editorOriginal_;
        SetEditText(col_, row_, EditorValue());
    }
    HideEditor();
}

void TCustomGrid::EditorKey(WORD& key, TShiftState shift) {
    switch (key) {
        case VK_RETURN:
            CommitEditor();
            key = 0;
            return;
        case VK_ESCAPE:
            CancelEditor();
            key = 0;
            return;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_HOME:
        case VK_END:
            if (MoveCaret(editorText_, editorSel_, key, shift)) Changed(TPropertyId::EditorSelection);
            key = 0;
            return;
        case VK_DELETE:
            if (shift.Contains(ssCtrl)) return;
            if (CanEditModify()) {
                std::string text = editorText_;
                if (editorMask_.empty())
                    text = DeleteText(editorText_, editorSel_);
                else
                    MaskedDelete(TEditMask(editorMask_), text, editorSel_);
                if (text != editorText_) {
                    editorText_ = text;
                    editorModified_ = true;
                    EditorChanged();
                }
            }
            key = 0;
            return;
        case VK_UP:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_TAB:
        case VK_INSERT:
            // Keys that leave the cell end the edit first; a refused edit keeps the key from moving.
            if (!CommitEditor()) key = 0;
            return;
        default:
            // Typing keys (their characters follow) and modifiers stay in the cell.
            return;
    }
}

void TCustomGrid::CharTyped(char32_t ch) {
    if (!editorMode_) {
        if (ch < 0x20 || ch == 0x7F || !CanEditShow()) return;
        std::string typed = CharToUtf8(ch);
        if (GetEditMask(col_, row_).empty() && !EditAcceptsText(typed)) {
            Application->MessageBeep();
            return;
        }
        ShowEditor(&typed);
        return;
    }
    if (ch == 0x08) {
        if (!CanEditModify()) return;
        std::string text = editorText_;
        if (editorMask_.empty())
            text = BackspaceText(editorText_, editorSel_);
        else
            MaskedBackspace(TEditMask(editorMask_), text, editorSel_);
        if (text == editorText_) return;
        editorText_ = text;
        editorModified_ = true;
        EditorChanged();
        return;
    }
    if (ch < 0x20 || ch == 0x7F || !CanEditModify()) return;
    if (!editorMask_.empty()) {
        std::string text = editorText_;
        if (!MaskedType(TEditMask(editorMask_), text, editorSel_, CharToUtf8(ch))) {
            Application->MessageBeep();
            return;
        }
        editorText_ = text;
        editorModified_ = true;
        EditorChanged();
        return;
    }
    const std::string text = ReplaceSelection(editorText_, editorSel_, CharToUtf8(ch));
    if (!EditAcceptsText(text)) {
        Application->MessageBeep();
        return;
    }
    editorText_ = text;
    editorModified_ = true;
    EditorChanged();
}

// --- Keys and mouse -------------------------------------------------------------------------------------

bool TCustomGrid::WantsKey(WORD key, TShiftState shift) const {
    switch (key) {
        case VK_UP:
        case VK_DOWN:
        case VK_LEFT:
        case VK_RIGHT: return true;
        case VK_TAB: return options_.Contains(goTabs) && !shift.Contains(ssCtrl);
        case VK_RETURN:
        case VK_ESCAPE: return editorMode_;
        default: return false;
    }
}

void TCustomGrid::KeyDown(WORD& key, TShiftState shift) {
    TWinControl::KeyDown(key, shift);
    if (key == 0) return;
    if (editorMode_) {
        EditorKey(key, shift);
        if (key == 0) return;
    }
    bool rowSelect = options_.Contains(goRowSelect);
    switch (key) {
        case VK_UP: MoveCurrent(col_, row_ - 1, shift); break;
        case VK_DOWN: MoveCurrent(col_, row_ + 1, shift); break;
        case VK_LEFT:
            if (rowSelect) return;
            MoveCurrent(col_ - 1, row_, shift);
            break;
        case VK_RIGHT:
            if (rowSelect) return;
            MoveCurrent(col_ + 1, row_, shift);
            break;
        case VK_PRIOR: MoveCurrent(col_, row_ - VisibleRowCount(), shift); break;
        case VK_NEXT: MoveCurrent(col_, row_ + VisibleRowCount(), shift); break;
        case VK_HOME:
            if (shift.Contains(ssCtrl))
                MoveCurrent(col_, fixedRows_, shift);
            else
                MoveCurrent(fixedCols_, row_, shift);
            break;
        case VK_END:
            if (shift.Contains(ssCtrl))
                MoveCurrent(col_, rowCount_ - 1, shift);
            else
                MoveCurrent(colCount_ - 1, row_, shift);
            break;
        case VK_TAB:
            if (!options_.Contains(goTabs)) return;
            if (shift.Contains(ssShift)) {
                if (col_ > fixedCols_)
                    MoveCurrent(col_ - 1, row_, {});
                else if (row_ > fixedRows_)
                    MoveCurrent(colCount_ - 1, row_ - 1, {});
            } else {
                if (col_ < colCount_ - 1)
                    MoveCurrent(col_ + 1, row_, {});
                else if (row_ < rowCount_ - 1)
                    MoveCurrent(fixedCols_, row_ + 1, {});
            }
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

void TCustomGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    FocusOnPress(*this, button);
    if (button == mbLeft) {
        int col, row;
        MouseToCell(x, y, col, row);
        if (col >= fixedCols_ && row >= fixedRows_) {
            bool same = col == col_ && row == row_;
            if (FocusCell(col, row) && same && !editorMode_ && CanEditShow()) ShowEditor();
        }
    }
    TWinControl::MouseDown(button, shift, x, y);
}

void TCustomGrid::DoExit() {
    // Leaving the grid ends the edit; a refused edit keeps the focus here.
    if (editorMode_ && !CommitEditor()) throw EAbort();
    TWinControl::DoExit();
}

// --- Painting -------------------------------------------------------------------------------------------

TGridDrawState TCustomGrid::CellState(int col, int row) const {
    TGridDrawState state;
    if (col < fixedCols_ || row < fixedRows_) {
        state.Include(gdFixed);
        return state;
    }
    bool focusedCell = col == col_ && row == row_;
    if (focusedCell && Focused()) state.Include(gdFocused);
    bool inSelection = col >= selection_.Left && col <= selection_.Right && row >= selection_.Top && row <= selection_.Bottom;
    if (inSelection && (!focusedCell || options_.Contains(goDrawFocusSelected) || options_.Contains(goRowSelect)))
        state.Include(gdSelected);
    return state;
}

void TCustomGrid::DrawCell(int col, int row, const TRect& rect, TGridDrawState state) {
    if (OnDrawCell) OnDrawCell(this, col, row, rect, state);
}

void TCustomGrid::PaintGridLines(int col, int row, const TRect& rect) {
    if (gridLineWidth_ == 0) return;
    bool fixed = col < fixedCols_ || row < fixedRows_;
    bool vert = options_.Contains(fixed ? goFixedVertLine : goVertLine);
    bool horz = options_.Contains(fixed ? goFixedHorzLine : goHorzLine);
    TCanvas* canvas = Canvas();
    canvas->Pen()->SetColor(fixed ? clBlack : clSilver);
    canvas->Pen()->SetWidth(gridLineWidth_);
    if (vert) {
        canvas->MoveTo(rect.Right, rect.Top);
        canvas->LineTo(rect.Right, rect.Bottom + gridLineWidth_);
    }
    if (horz) {
        canvas->MoveTo(rect.Left, rect.Bottom);
        canvas->LineTo(rect.Right + gridLineWidth_, rect.Bottom);
    }
}

void TCustomGrid::Paint() {
    TCanvas* canvas = Canvas();
    TColor color = Color();
    TColor fontColor = Font()->Color();
    auto paintCell = [&](int col, int row) {
        TRect rect = CellRect(col, row);
        if (rect.IsEmpty()) return;
        TGridDrawState state = CellState(col, row);
        canvas->SetFont(Font());
        canvas->Brush()->SetStyle(bsSolid);
        if (state.Contains(gdFixed)) {
            canvas->Brush()->SetColor(fixedColor_);
            canvas->Font()->SetColor(fontColor);
        } else if (state.Contains(gdSelected) && (Focused() || !state.Contains(gdFocused))) {
            canvas->Brush()->SetColor(clHighlight);
            canvas->Font()->SetColor(clHighlightText);
        } else {
            canvas->Brush()->SetColor(color);
            canvas->Font()->SetColor(fontColor);
        }
        if (defaultDrawing_) canvas->FillRect(rect);
        DrawCell(col, row, rect, state);
        PaintGridLines(col, row, rect);
    };
    int lastRow = std::min(rowCount_ - 1, topRow_ + VisibleRowCount());
    int lastCol = std::min(colCount_ - 1, leftCol_ + VisibleColCount());
    for (int row = 0; row < fixedRows_; ++row) {
        for (int col = 0; col < fixedCols_; ++col) paintCell(col, row);
        for (int col = leftCol_; col <= lastCol; ++col) paintCell(col, row);
    }
    for (int row = topRow_; row <= lastRow; ++row) {
        for (int col = 0; col < fixedCols_; ++col) paintCell(col, row);
        for (int col = leftCol_; col <= lastCol; ++col) paintCell(col, row);
    }
}

void TDrawGrid::Publish(TPublisher<TDrawGrid>& p) {
    PublishStandardWin(p);
    p.Property("ColCount", &TDrawGrid::ColCount, &TDrawGrid::SetColCount);
    p.Property("DefaultColWidth", &TDrawGrid::DefaultColWidth, &TDrawGrid::SetDefaultColWidth);
    p.Property("DefaultDrawing", &TDrawGrid::DefaultDrawing, &TDrawGrid::SetDefaultDrawing);
    p.Property("DefaultRowHeight", &TDrawGrid::DefaultRowHeight, &TDrawGrid::SetDefaultRowHeight);
    p.Property("FixedColor", &TDrawGrid::FixedColor, &TDrawGrid::SetFixedColor);
    p.Property("FixedCols", &TDrawGrid::FixedCols, &TDrawGrid::SetFixedCols);
    p.Property("FixedRows", &TDrawGrid::FixedRows, &TDrawGrid::SetFixedRows);
    p.Property("GridLineWidth", &TDrawGrid::GridLineWidth, &TDrawGrid::SetGridLineWidth);
    p.Property("Options", &TDrawGrid::Options, &TDrawGrid::SetOptions);
    p.Property("RowCount", &TDrawGrid::RowCount, &TDrawGrid::SetRowCount);
    p.Property("OnDrawCell", &TDrawGrid::OnDrawCell);
    p.Property("OnGetEditText", &TDrawGrid::OnGetEditText);
    p.Property("OnSelectCell", &TDrawGrid::OnSelectCell);
    p.Property("OnSetEditText", &TDrawGrid::OnSetEditText);
    p.Property("OnTopLeftChanged", &TDrawGrid::OnTopLeftChanged);
    p.Property("OnValidateEdit", &TDrawGrid::OnValidateEdit);
}
