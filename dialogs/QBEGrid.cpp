// The grid page: one test per row (field, operator, value, logic), its editing rules and the
// condition it makes.
#include "dialogs/RkQBE.h"

#include "env/Dates.h"
#include "framework/data/RadicalDM.h"
#include "framework/forms/RadicalForm.h"
#include "toolkit/data/ClientDataSet.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/graphics/Canvas.h"
#include "toolkit/ui/grids/StringGrid.h"
#include "toolkit/ui/kernel/Keys.h"

namespace {

constexpr int kFieldCol = 0, kOperatorCol = 1, kValueCol = 2, kLogicCol = 3;
constexpr TColor kOddRowColor = static_cast<TColor>(0xECFFFB);
constexpr TColor kEvenRowColor = static_cast<TColor>(0xE7F9CE);

std::string FirstTabPart(const std::string& line) { return line.substr(0, line.find('\t')); }

}  // namespace

std::vector<std::string> TQBEForm::GridPickList(int col, int row) const {
    std::vector<std::string> items;
    if (col == kFieldCol) {
        for (int i = 0; i < GridFieldPicks.Count(); ++i) items.push_back(FirstTabPart(GridFieldPicks[i]));
    } else if (col == kOperatorCol) {
        for (int i = 0; i < Operators.Count(); ++i) items.push_back(OperatorLabel(i));
    } else if (col == kLogicCol) {
        items = LogicPicks.ToVector();
    } else if (const TRecordInfo* info = GridFields.FindCaption(Trim(sg1->Cells(kFieldCol, row)))) {
        if (info->IsCheckBox) return {"Y", "N"};
        for (int i = 0; i < info->PickList.Count(); ++i) items.push_back(FirstTabPart(info->PickList[i]));
    }
    return items;
}

TQBEDateRules TQBEForm::DateRules() const {
    TQBEDateRules rules;
    if (TfrmRadical* form = MaintenanceForm()) {
        rules.DateOrder = form->DateOrder;
        rules.DateSeparator = form->DateSeparator;
    }
    if (TdmRadical* dm = DataModuleOf(MasterDataSet)) {
        rules.DateMask = dm->DateFieldEditMask();
        rules.YearMonthMask = dm->YMFieldEditMask();
        rules.YearMonth = [this, dm](const std::string& text) {
            TField* field = cdsConvert_->FieldByName("QBE");
            dm->YMFieldSetText(field, text);
            return field->AsString();
        };
    }
    return rules;
}

std::string TQBEForm::RowCondition(int row) {
    return QBERowCondition(
        {sg1->Cells(kFieldCol, row), sg1->Cells(kOperatorCol, row), sg1->Cells(kValueCol, row), sg1->Cells(kLogicCol, row)},
        GridFields, Operators, DateRules());
}

std::string TQBEForm::GridCondition() {
    std::vector<std::string> texts;
    for (int row = 1; row < sg1->RowCount(); ++row) texts.push_back(RowCondition(row));
    return QBEGridCondition(texts);
}

// --- Rows ---------------------------------------------------------------------------------------------

void TQBEForm::AddGridRow(int index) {
    if (index >= sg1->RowCount())
        sg1->SetRowCount(index + 1);
    else
        sg1->InsertRow(index);
    for (int col = 0; col < sg1->ColCount(); ++col) sg1->SetCells(col, index, "");
    sg1->SetCells(kOperatorCol, index, OperatorLabel(0));
    sg1->SetCells(kLogicCol, index, "AND");
}

int TQBEForm::NewRowIndex(WORD key) const {
    if (GridFieldPicks.Count() == 0) return -1;
    for (int row = 1; row < sg1->RowCount(); ++row)
        if (Trim(sg1->Cells(kFieldCol, row)).empty()) return -1;
    if ((key == VK_RETURN || key == VK_DOWN) && sg1->Row() == sg1->RowCount() - 1) {
        if (sg1->RowCount() == 2 && (Trim(sg1->Cells(kOperatorCol, 1)).empty() || Trim(sg1->Cells(kLogicCol, 1)).empty()))
            return -1;
        return sg1->RowCount();
    }
    if (key == VK_INSERT) return sg1->Row();
    return -1;
}

bool TQBEForm::RemoveEmptyRows() {
    bool removed = false;
    for (int row = sg1->RowCount() - 1; row >= 1; --row) {
        if (!Trim(sg1->Cells(kFieldCol, row)).empty()) continue;
        if (sg1->RowCount() > 2) {
            sg1->DeleteRow(row);
            removed = true;
        } else {
            for (int col = 0; col < sg1->ColCount(); ++col) sg1->SetCells(col, row, "");
        }
    }
    if (removed) LastGridField = Trim(sg1->Cells(kFieldCol, sg1->Row()));
    return removed;
}

void TQBEForm::DeleteGridRow(int row) {
    if (sg1->RowCount() > 2) {
        sg1->DeleteRow(row);
    } else {
        for (int col = 0; col < sg1->ColCount(); ++col) sg1->SetCells(col, row, "");
    }
    LastGridField = Trim(sg1->Cells(kFieldCol, sg1->Row()));
}

void TQBEForm::sg1PickListClick(int row, const std::string& caption) {
    if (row == sg1->Row() && caption == LastGridField) return;
    LastGridField = caption;
    sg1->SetCells(kValueCol, row, "");
    PrepareGridRow(row, caption);
}

void TQBEForm::PrepareGridRow(int row, const std::string& caption) {
    const TRecordInfo* info = GridFields.FindCaption(caption);
    TStringList yesNo(std::vector<std::string>{"Y", "N"});
    sg1->SetCellPickList(kValueCol, row, !info ? nullptr : info->IsCheckBox ? &yesNo : &info->PickList);
    if (info && info->IsCheckBox) sg1->SetCells(kValueCol, row, "N");
    sg1->SetCellNumbersOnly(kValueCol, row, IsNumberOnlyRow(row));
    if (Trim(sg1->Cells(kOperatorCol, row)).empty()) sg1->SetCells(kOperatorCol, row, OperatorLabel(0));
    if (Trim(sg1->Cells(kLogicCol, row)).empty()) sg1->SetCells(kLogicCol, row, "AND");
}

bool TQBEForm::IsNumberOnlyRow(int row) const {
    const TRecordInfo* info = GridFields.FindCaption(Trim(sg1->Cells(kFieldCol, row)));
    return info && QBEFieldKind(info->DataType) == 0 && info->PickList.Count() == 0 && !info->IsCheckBox;
}

// --- Handlers -----------------------------------------------------------------------------------------

void TQBEForm::sg1SelectCell(TObject* Sender, int ACol, int ARow, bool& CanSelect) {
    if (ARow < 1) return;
    if (Trim(sg1->Cells(kOperatorCol, ARow)).empty()) sg1->SetCells(kOperatorCol, ARow, OperatorLabel(0));
    if (Trim(sg1->Cells(kLogicCol, ARow)).empty()) sg1->SetCells(kLogicCol, ARow, "AND");
    if (ARow != sg1->Row()) LastGridField = Trim(sg1->Cells(kFieldCol, ARow));
}

void TQBEForm::sg1KeyDown(TObject* Sender, WORD& Key, TShiftState Shift) {
    if (Key == VK_RETURN && Shift.Empty() && sg1->Col() == kLogicCol) {
        // Enter in the last column: on to a new row when one may be made, else back to the first column.
        Key = 0;
        if (sg1->EditorMode()) sg1->SetEditorMode(false);
        if (sg1->EditorMode()) return;
        const int next = NewRowIndex(VK_RETURN);
        if (next > 0) {
            AddGridRow(next);
            LastGridField.clear();
        }
        sg1->FocusCell(kFieldCol, next > 0 ? next : sg1->Row());
        return;
    }
    if (Key == VK_UP || Key == VK_DOWN) {
        if (sg1->EditorMode()) sg1->SetEditorMode(false);
        if (RemoveEmptyRows()) {
            Key = 0;
            return;
        }
    }
    if (Key == VK_DELETE && Shift.Contains(ssCtrl)) {
        Key = 0;
        sg1->SetEditorMode(false);
        DeleteGridRow(sg1->Row());
        return;
    }
    if (Key == VK_DOWN || Key == VK_INSERT) {
        const int index = NewRowIndex(Key);
        if (index < 1) return;
        Key = 0;
        AddGridRow(index);
        sg1->FocusCell(kFieldCol, index);
        LastGridField.clear();
    }
}

void TQBEForm::sg1ValidateEdit(TObject* Sender, int ACol, int ARow, std::string& Value, bool& Accept) {
    if (ACol == kFieldCol) {
        if (GridFields.FindCaption(Trim(Value)))
            sg1PickListClick(ARow, Trim(Value));
        else
            sg1->SetCellNumbersOnly(kValueCol, ARow, false);
        return;
    }
    if (ACol != kValueCol || Trim(Value).empty()) return;
    if (sg1->CellNumbersOnly(kValueCol, ARow)) {
        double number = 0;
        if (!TryStrToFloat(Value, number)) Value.clear();
        return;
    }
    const TRecordInfo* info = GridFields.FindCaption(Trim(sg1->Cells(kFieldCol, ARow)));
    if (!info || info->EditMask.empty()) return;
    const TQBEDateRules rules = DateRules();
    if (info->EditMask == rules.DateMask) {
        const std::string stored = TextToStoredDate(Value, rules.DateOrder, rules.DateSeparator);
        if (stored == "0" || stored.empty() || !IsValidStoredDate(stored)) {
            RkConverter->ShowMessageBox(MessageLine(6), mtError, {mbOK});
            Accept = false;
        }
    } else if (info->EditMask == rules.YearMonthMask) {
        if (!rules.YearMonth || !IsValidYearMonth(rules.YearMonth(Value))) {
            RkConverter->ShowMessageBox(MessageLine(7), mtError, {mbOK});
            Accept = false;
        }
    }
}

void TQBEForm::sg1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
    int col = -1, row = -1;
    sg1->MouseToCell(X, Y, col, row);
    if (row >= 1 && !Trim(sg1->Cells(kFieldCol, row)).empty()) RemoveEmptyRows();
}

void TQBEForm::sg1DrawCell(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State) {
    if (ARow < 1 || State.Contains(gdSelected) || (sg1->EditorMode() && ACol == sg1->Col() && ARow == sg1->Row())) return;
    TCanvas* canvas = sg1->Canvas();
    canvas->Brush()->SetColor(ARow % 2 ? kOddRowColor : kEvenRowColor);
    canvas->FillRect(Rect);
    canvas->Font()->SetColor(clBlack);
    canvas->TextRect({Rect.Left + 2, Rect.Top + 2, Rect.Right, Rect.Bottom}, sg1->Cells(ACol, ARow), TTextFormat{tfLeft, tfTop});
}
