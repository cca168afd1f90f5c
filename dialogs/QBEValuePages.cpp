// The advanced and detail pages: a condition line per field, operator and value, the value box
// prepared for the field chosen, and the sort lists of the advanced page.
#include "dialogs/RkQBE.h"

#include "framework/data/RadicalDM.h"
#include "framework/data/SingleDM.h"
#include "framework/forms/RadicalForm.h"
#include "toolkit/data/ClientDataSet.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/dataaware/DBCheckBox.h"
#include "toolkit/ui/dataaware/DBComboBox.h"
#include "toolkit/ui/graphics/Canvas.h"
#include "toolkit/ui/widgets/ComboBox.h"
#include "toolkit/ui/widgets/ListBox.h"
#include "toolkit/ui/widgets/Memo.h"
#include "toolkit/ui/widgets/PageControl.h"
#include "toolkit/ui/widgets/RadioGroup.h"

namespace {

std::string SecondTabPart(const std::string& line) {
    const std::size_t tab = line.find('\t');
    return tab == std::string::npos ? std::string() : line.substr(tab + 1);
}

void ClearFieldRules(TField* field) {
    field->OnGetText = nullptr;
    field->OnSetText = nullptr;
    field->OnValidate = nullptr;
    field->SetEditMask("");
}

}  // namespace

TQBEForm::TValuePage TQBEForm::Page(bool detail) {
    if (detail)
        return {cboField2, CbOperator2, cboValue2,         ckbValue2,     rgLogic2,    BbAssign2,
                Memo2,     cdsTemp2,    &DetailFieldNames, DetailDataSet, DetailTable, DetailFieldExprs};
    return {cboField, CbOperator, cboValue,    ckbValue,      rgLogic,     BbAssign,
            Memo1,    cdsTemp,    &FieldNames, MasterDataSet, MasterTable, MasterFieldExprs};
}

std::string TQBEForm::TabExpanded(const std::string& text) const {
    const bool chinese = UICodePage() == "936" || UICodePage() == "950";
    const int stop = chinese ? 6 : 10;
    std::string out;
    int column = 0;
    ForEachUtf8Char(text, [&](std::string_view ch) {
        if (ch == "\t") {
            do {
                out += ' ';
                ++column;
            } while (column % stop != 0);
            return;
        }
        out += ch;
        column += ch.size() > 1 ? 2 : 1;
    });
    return out;
}

void TQBEForm::cboFieldDrawItem(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State) {
    auto* box = dynamic_cast<TCustomComboBox*>(Control);
    if (!box || Index < 0 || Index >= box->Items()->Count()) return;
    TCanvas* canvas = box->Canvas();
    canvas->FillRect(Rect);
    canvas->TextOut(Rect.Left + 2, Rect.Top + 1, TabExpanded((*box->Items())[Index]));
}

// --- The value box --------------------------------------------------------------------------------

void TQBEForm::cboFieldChange(TObject* Sender) { PrepareValueEditor(false); }

void TQBEForm::cboField2Change(TObject* Sender) { PrepareValueEditor(true); }

void TQBEForm::PrepareValueEditor(bool detail) {
    TValuePage page = Page(detail);
    if (page.temp->State() == dsBrowse) page.temp->Edit();
    TField* qbe = page.temp->FieldByName("QBE");
    ClearFieldRules(qbe);
    qbe->Clear();
    page.value->OnKeyPress = nullptr;
    page.value->OnExit = nullptr;
    page.value->SetVisible(true);
    page.check->SetVisible(false);
    page.value->Items()->Clear();
    page.value->SetStyle(csDropDown);
    page.value->SetMapList(true);

    const int index = page.field->ItemIndex();
    TField* field =
        page.dataSet && index >= 0 && index < page.names->Count() ? page.dataSet->FindField((*page.names)[index]) : nullptr;
    if (!field) return;
    const std::string name = field->FieldName();
    if (IsQBENumberType(field->DataType())) page.value->OnKeyPress = [this](TObject* s, char32_t& k) { ForFloatKeyPress(s, k); };
    if (TdmRadical* dm = DataModuleOf(page.dataSet)) {
        const std::string mask = field->EditMask();
        const bool stamp = SameText(name, "CREATE_DATE") || SameText(name, "MODI_DATE");
        auto attach = [dm, qbe](std::initializer_list<const char*> handlers) {
            for (const char* handler : handlers) dm->AttachFieldHandler(qbe, handler);
        };
        if (stamp || (!mask.empty() && mask == dm->DateFieldEditMask())) {
            attach({"DateFieldEditMask", "DateFieldGetText", "DateFieldSetText", "DateFieldValidate"});
            page.value->OnExit = [this](TObject* s) { DateFieldDBComboDlgExit(s); };
        } else if (!mask.empty() && mask == dm->YMFieldEditMask()) {
            attach({"YMFieldEditMask", "YMFieldGetText", "YMFieldSetText", "YMFieldValidate"});
        } else if (!mask.empty() && mask == dm->YearFieldEditMask()) {
            attach({"YearFieldEditMask", "YearFieldGetText", "YearFieldSetText"});
        }
        auto* single = dynamic_cast<TdmSingle*>(dm);
        const std::string description = single ? ControlDescription(single->ControlTypeOf(page.dataSet), name) : "";
        const std::vector<std::string> parts = SplitString(description, ';');
        if (parts.size() >= 3 && SameText(Trim(parts[0]), "CheckBox")) {
            page.check->SetValueChecked(parts[1]);
            page.check->SetValueUnchecked(parts[2]);
            page.check->SetVisible(true);
            page.value->SetVisible(false);
        } else if (parts.size() >= 2 && SameText(Trim(parts[0]), "CustomEdit") && MaintenanceForm()) {
            if (auto* source = dynamic_cast<TDBComboBox*>(MaintenanceForm()->FindComponent(Trim(parts[1])))) {
                page.value->SetStyle(source->Style());
                page.value->SetMapList(source->MapList());
                page.value->SetItems(source->Items());
            }
        }
    }
}

void TQBEForm::ForFloatKeyPress(TObject* Sender, char32_t& Key) {
    if ((Key >= U'0' && Key <= U'9') || Key == U'-' || Key == U'\b') return;
    if (Key == U'.') {
        auto* box = dynamic_cast<TCustomComboBox*>(Sender);
        if (!box || box->Text().find('.') == std::string::npos) return;
    }
    Key = 0;
}

void TQBEForm::DateFieldDBComboDlgExit(TObject* Sender) {
    auto* box = dynamic_cast<TDBComboBox*>(Sender);
    if (!box || !box->DataSource() || !box->DataSource()->DataSet()) return;
    std::string rest = box->Text();
    TfrmRadical* form = MaintenanceForm();
    const std::string separator = form && !form->DateSeparator.empty() ? form->DateSeparator.substr(0, 1) : "/";
    rest = StringReplace(rest, separator, "", rfReplaceAll);
    if (!Trim(rest).empty()) return;
    if (TField* field = box->DataSource()->DataSet()->FindField("QBE")) field->Clear();
}

// --- Condition lines ------------------------------------------------------------------------------

void TQBEForm::BbAssignClick(TObject* Sender) { AddConditionLine(false); }

void TQBEForm::BbAssign2Click(TObject* Sender) { AddConditionLine(true); }

void TQBEForm::AddConditionLine(bool detail) {
    TValuePage page = Page(detail);
    page.temp->UpdateRecord();
    const std::string value = page.temp->FieldByName("QBE")->AsString();
    if (value.empty()) {
        RkConverter->ShowMessageBox(MessageLine(0), mtError, {mbOK});
        TWinControl* box = page.value->Visible() ? static_cast<TWinControl*>(page.value) : page.check;
        if (box->CanFocus()) SetActiveControl(box);
        return;
    }
    const int index = page.field->ItemIndex();
    if (index < 0 || index >= page.names->Count()) return;
    TQBEAdvancedInput input;
    input.Table = page.table;
    input.FieldName = (*page.names)[index];
    input.Token = Trim(SecondTabPart((*page.field->Items())[index]));
    input.FieldExprs = page.exprs;
    input.OperatorIndex = page.op->ItemIndex();
    input.Value = value;
    TField* field = page.dataSet ? page.dataSet->FindField(input.FieldName) : nullptr;
    input.DataType = field ? field->DataType() : ftString;
    input.DatabaseKind = DatabaseKind();
    const std::string condition = QBEAdvancedCondition(input);
    if (condition.empty()) return;
    const bool first = Trim(page.memo->Text()).empty();
    const int logic = page.logic->ItemIndex();
    page.memo->Lines()->Add(QBEAdvancedLine(condition, first, logic == 1 ? "OR" : "AND"));
    page.logic->SetEnabled(page.memo->Lines()->Count() > 0);
}

void TQBEForm::BBClearClick(TObject* Sender) {
    Memo1->Lines()->Clear();
    rgLogic->SetEnabled(false);
}

void TQBEForm::BBClear2Click(TObject* Sender) {
    Memo2->Lines()->Clear();
    rgLogic2->SetEnabled(false);
}

void TQBEForm::Memo1Change(TObject* Sender) { rgLogic->SetEnabled(Memo1->Lines()->Count() > 0); }

void TQBEForm::Memo2Change(TObject* Sender) { rgLogic2->SetEnabled(Memo2->Lines()->Count() > 0); }

void TQBEForm::chkBodyClick(TObject* Sender) {
    if (chkBody->Checked()) {
        TabSheet3->SetTabVisible(true);
        ExtPageControl1->SetActivePage(TabSheet3);
    } else {
        TabSheet3->SetTabVisible(false);
        ExtPageControl1->SetActivePage(TabSheet2);
    }
    UpdateDefaultButton();
}

// --- Sort lists -----------------------------------------------------------------------------------

void TQBEForm::ListBox1DblClick(TObject* Sender) {
    for (int i = 0; i < ListBox1->Count(); ++i) {
        if (!ListBox1->Selected(i)) continue;
        const std::string& item = (*ListBox1->Items())[i];
        if (ListBox2->Items()->IndexOf(item) < 0) ListBox2->Items()->Add(item);
    }
}

void TQBEForm::ListBox2DblClick(TObject* Sender) {
    const int index = ListBox2->ItemIndex();
    if (index < 0 || index >= ListBox2->Count()) return;
    ListBox2->Items()->Delete(index);
    ListBox2->SetItemIndex(std::min(index, ListBox2->Count() - 1));
}

void TQBEForm::MoveSortItem(int from, int to) {
    const int count = ListBox2->Count();
    if (from < 0 || from >= count) return;
    if (to < 0 || to >= count) to = count - 1;
    if (from == to) return;
    ListBox2->Items()->Move(from, to);
    ListBox2->SetItemIndex(to);
}

void TQBEForm::ListBox1MouseMove(TObject* Sender, TShiftState Shift, int X, int Y) {
    auto* list = dynamic_cast<TCustomListBox*>(Sender);
    if (!list) return;
    const int index = list->ItemAtPos({X, Y}, true);
    list->SetHint(index >= 0 ? TabExpanded((*list->Items())[index]) : std::string());
    list->SetShowHint(index >= 0);
}
