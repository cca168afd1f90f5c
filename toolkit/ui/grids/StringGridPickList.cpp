// The pick-list editor of string grids.
#include "toolkit/ui/graphics/Canvas.h"
#include "toolkit/ui/grids/StringGrid.h"
#include "toolkit/ui/kernel/MouseClick.h"

namespace {
constexpr int kPickButtonWidth = 16;
}  // namespace

TStrings* TStringGrid::ColumnPickList(int col) {
    auto& list = columnPickLists_[col];
    if (!list) list = std::make_unique<TStringList>();
    return list.get();
}

void TStringGrid::SetCellPickList(int col, int row, const TStrings* list) {
    if (col < 0 || row < 0) return;
    auto& cell = cells_[{row, col}];
    if (!list || list->Count() == 0) {
        cell.pickList.reset();
    } else {
        cell.pickList = std::make_shared<TStringList>();
        cell.pickList->Assign(*list);
    }
    if (pickDropped_ && col == Col() && row == Row()) SetPickListDropped(false);
    Invalidate();
}

TStrings* TStringGrid::PickListOf(int col, int row) const {
    auto cell = cells_.find({row, col});
    if (cell != cells_.end() && cell->second.pickList && cell->second.pickList->Count() > 0) return cell->second.pickList.get();
    auto column = columnPickLists_.find(col);
    if (column != columnPickLists_.end() && column->second->Count() > 0) return column->second.get();
    return nullptr;
}

std::string TStringGrid::PickListText(const std::string& line) { return line.substr(0, line.find('\t')); }

TRect TStringGrid::PickButtonRect() const {
    if (!PickListOf(Col(), Row()) || !CanEditShow()) return {};
    TRect cell = CellRect(Col(), Row());
    if (cell.IsEmpty()) return {};
    return {std::max(cell.Left, cell.Right - kPickButtonWidth), cell.Top, cell.Right, cell.Bottom};
}

void TStringGrid::SetPickListDropped(bool value) {
    if (value == pickDropped_) return;
    if (value) {
        TStrings* list = PickListOf(Col(), Row());
        if (!list || !CanEditShow()) return;
        if (!EditorMode()) ShowEditor();
        if (!EditorMode()) return;
        pickIndex_ = -1;
        for (int i = 0; i < list->Count(); ++i)
            if (PickListText((*list)[i]) == EditorText()) pickIndex_ = i;
    }
    pickDropped_ = value;
    Changed(TPropertyId::PickList);
    Invalidate();
}

void TStringGrid::SetPickListIndex(int index) {
    TStrings* list = PickListOf(Col(), Row());
    if (!pickDropped_ || !list) return;
    index = std::clamp(index, -1, list->Count() - 1);
    SetProperty(pickIndex_, index, TPropertyId::PickListIndex);
}

void TStringGrid::PickFromList(int index) {
    TStrings* list = PickListOf(Col(), Row());
    if (!pickDropped_ || !list || index < 0 || index >= list->Count()) return;
    std::string value = PickListText((*list)[index]);
    int col = Col(), row = Row();
    SetPickListDropped(false);
    if (EditorText() != value)
        SetEditorText(value);
    else
        SetEditText(col, row, value);
    if (OnPickListClick) OnPickListClick(this, col, row, value);
}

bool TStringGrid::PickListKey(WORD key, TShiftState shift) {
    TStrings* list = PickListOf(Col(), Row());
    if (!list) {
        SetPickListDropped(false);
        return false;
    }
    switch (key) {
        case VK_UP:
        case VK_DOWN:
            if (shift.Contains(ssAlt)) {
                SetPickListDropped(false);
                return true;
            }
            SetPickListIndex(pickIndex_ < 0 ? 0 : pickIndex_ + (key == VK_DOWN ? 1 : -1));
            return true;
        case VK_PRIOR: SetPickListIndex(std::max(pickIndex_ - dropDownRows_, 0)); return true;
        case VK_NEXT: SetPickListIndex(pickIndex_ + dropDownRows_); return true;
        case VK_HOME: SetPickListIndex(0); return true;
        case VK_END: SetPickListIndex(list->Count() - 1); return true;
        case VK_RETURN:
            if (pickIndex_ >= 0)
                PickFromList(pickIndex_);
            else
                SetPickListDropped(false);
            return true;
        case VK_ESCAPE:
        case VK_F4: SetPickListDropped(false); return true;
        default:
            // Any other key closes the list and goes on to the editor.
            SetPickListDropped(false);
            return false;
    }
}

bool TStringGrid::WantsKey(WORD key, TShiftState shift) const {
    if (pickDropped_) return true;
    return TCustomGrid::WantsKey(key, shift);
}

void TStringGrid::Dispatch(TMessage& message) {
    // The open list has the keyboard to itself, as a dropped-down list window does.
    if (pickDropped_ && (message.Msg == WM_KEYDOWN || message.Msg == WM_SYSKEYDOWN)) {
        if (PickListKey(static_cast<WORD>(message.WParam), WParamToShiftState(static_cast<WPARAM>(message.LParam)))) {
            message.Result = 1;
            return;
        }
    }
    // A typed character closes the list and goes to the editor.
    if (pickDropped_ && message.Msg == WM_CHAR) SetPickListDropped(false);
    TCustomGrid::Dispatch(message);
}

void TStringGrid::KeyDown(WORD& key, TShiftState shift) {
    const bool opens = key == VK_F4 || (key == VK_DOWN && shift.Contains(ssAlt));
    if (opens && PickListOf(Col(), Row()) && CanEditShow()) {
        TWinControl::KeyDown(key, shift);
        if (key == 0) return;
        SetPickListDropped(true);
        key = 0;
        return;
    }
    TCustomGrid::KeyDown(key, shift);
}

void TStringGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft && PickButtonRect().Contains({x, y})) {
        FocusOnPress(*this, button);
        SetPickListDropped(!pickDropped_);
        TWinControl::MouseDown(button, shift, x, y);
        return;
    }
    SetPickListDropped(false);
    TCustomGrid::MouseDown(button, shift, x, y);
}

bool TStringGrid::CommitEditor() {
    SetPickListDropped(false);
    return TCustomGrid::CommitEditor();
}

void TStringGrid::CancelEditor() {
    SetPickListDropped(false);
    TCustomGrid::CancelEditor();
}

void TStringGrid::DrawPickButton(const TRect& cell) {
    TCanvas* canvas = Canvas();
    TRect button{std::max(cell.Left, cell.Right - kPickButtonWidth), cell.Top, cell.Right, cell.Bottom};
    canvas->Brush()->SetColor(clBtnFace);
    canvas->FillRect(button);
    canvas->Pen()->SetColor(clBtnText);
    canvas->Pen()->SetWidth(1);
    int cx = (button.Left + button.Right) / 2, cy = (button.Top + button.Bottom) / 2;
    for (int i = 0; i < 4; ++i) {
        canvas->MoveTo(cx - 3 + i, cy - 1 + i);
        canvas->LineTo(cx + 4 - i, cy - 1 + i);
    }
}
