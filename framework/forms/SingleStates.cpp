// Control states of the single-table form, field colours, required combo boxes, and the browse
// grid's selection and title sorting.
#include "framework/data/FieldLists.h"
#include "framework/forms/SingleCF.h"
#include "toolkit/classes/Properties.h"
#include "toolkit/rtl/ControlsDisabled.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/rtl/ValueRollback.h"
#include "toolkit/ui/grids/DBGrids.h"
#include "toolkit/ui/widgets/ComboBox.h"
#include "toolkit/ui/widgets/Menus.h"
#include "toolkit/ui/widgets/PageControl.h"
#include "toolkit/ui/widgets/ToolBar.h"

namespace {

constexpr TColor kKeyFieldColor = RGB(0, 200, 200);
constexpr TColor kRequiredFieldColor = RGB(255, 255, 175);
constexpr const char* kMultiSelected = "MultiSelected";

bool KeepsOwnColor(const TComponent* control) {
    return control->InheritsFrom("TCustomComboBox") || control->InheritsFrom("TCustomRadioGroup") ||
           control->InheritsFrom("TCustomCheckBox") || control->InheritsFrom("TDBCheckBox");
}

}  // namespace

void TfrmSingle::UpdateCommandStates() {
    TfrmBase::UpdateCommandStates();
    TClientDataSet* cds = MainDataSet();
    const bool open = cds && cds->Active() && !cds->IsEmpty();
    const bool editing = EditMode != emBrowse;
    const bool printing =
        btnPrint->Enabled() && !ReportName.empty() && !editing && open && CanPrint && CommandRights.Contains(cePrint);
    btnPrint->SetEnabled(printing);
    miPrint->SetEnabled(printing);
    miPreview->SetEnabled(printing);
    miFormat->SetEnabled(printing);
    ppDirectPrint->SetEnabled(printing);
    ppPreview->SetEnabled(printing);
    ppFormat->SetEnabled(printing);
    btnOK->SetEnabled(editing);
    miOK->SetEnabled(editing);
    btnCancel->SetEnabled(editing);
    miCancel->SetEnabled(editing);
    const bool exporting = open && !(cds->State() == dsEdit || cds->State() == dsInsert) && CanPrint;
    miTable2Excel->SetEnabled(exporting);
    miTable2Excel2->SetEnabled(exporting);
    tbsBrowse->SetTabVisible(!editing);
    btnColorQuery->SetEnabled(btnQuery->Enabled() && btnQuery->Visible());
    UpdateBatchMenu();
}

void TfrmSingle::UpdateBatchMenu() {
    const bool batchPrint = miPrint->Enabled() && btnPrint->Enabled() && !ReportName.empty();
    miBBPrint->SetEnabled(batchPrint);
    const bool selecting = EditMode == emBrowse && batchPrint;
    miBBSelectAll->SetEnabled(selecting);
    miBBUnSelectAll->SetEnabled(selecting);
    if (TdmSingle* dm = SingleDM(); dm && dm->ShowMultiSelected != selecting) dm->SetMultiSelectedVisible(selecting);
}

void TfrmSingle::AddRequiredCombos() {
    TdmSingle* dm = SingleDM();
    if (!dm || (SysCodePage() == "936" && UICodePage() == "936")) return;
    for (TComponent* component : ComponentList()) {
        auto* combo = dynamic_cast<TCustomComboBox*>(component);
        if (!combo || !combo->Visible() || !combo->Enabled() || StartsText("cboUDF", combo->Name())) continue;
        TField* field = ControlField(combo);
        if (!field || field->DataSet() != dm->cdsMain || field->ReadOnly()) continue;
        bool listed = false;
        for (const std::string& name : FieldListFields(RequiredFields, "cdsMain"))
            listed = listed || SameText(name, field->FieldName());
        if (!listed) RequiredFields = MergeFieldLists(RequiredFields, "cdsMain:" + field->FieldName());
    }
}

void TfrmSingle::ApplyFieldColors() {
    TdmSingle* dm = SingleDM();
    if (!dm) return;
    std::vector<std::string> keys;
    for (const std::string& item : SplitString(dm->KeyFields, ',')) {
        std::string name = Trim(item);
        if (std::size_t dot = name.rfind('.'); dot != std::string::npos) name = name.substr(dot + 1);
        keys.push_back(name);
    }
    const std::vector<std::string> required = FieldListFields(RequiredFields, "cdsMain");
    auto listed = [](const std::vector<std::string>& names, const std::string& name) {
        for (const std::string& n : names)
            if (SameText(n, name)) return true;
        return false;
    };
    for (TComponent* component : ComponentList()) {
        auto* control = dynamic_cast<TControl*>(component);
        TField* field = control ? ControlField(control) : nullptr;
        if (!field || field->DataSet() != dm->cdsMain) continue;
        if (listed(keys, field->FieldName()))
            control->SetColor(kKeyFieldColor);
        else if (listed(required, field->FieldName()) && !KeepsOwnColor(control))
            control->SetColor(kRequiredFieldColor);
    }
    gdHead->OnCalcTitleAttributes = [keys, listed](TObject*, TField* field, TFont*, TBrush* brush, TAlignment&) {
        if (field && listed(keys, field->FieldName())) brush->SetColor(kKeyFieldColor);
    };
}

// --- The browse grid ------------------------------------------------------------------------------

void TfrmSingle::ToggleRowSelection() {
    TClientDataSet* cds = MainDataSet();
    if (!cds || !cds->Active() || cds->IsEmpty()) return;
    TBookmarkList& rows = gdHead->SelectedRows();
    rows.SetCurrentRowSelected(!rows.CurrentRowSelected());
    cds->Resync();
    gdHead->Invalidate();
}

void TfrmSingle::gdHeadDblClick(TObject* Sender) {
    TColumn* column = gdHead->SelectedColumn();
    if (column && SameText(column->FieldName(), kMultiSelected)) {
        ToggleRowSelection();
        UpdateCommandStates();
        return;
    }
    if (pgHead->PageCount() > 0) pgHead->ChangeActivePageByUser(pgHead->Pages(0));
}

void TfrmSingle::gdHeadKeyDown(TObject* Sender, WORD& Key, TShiftState Shift) {
    if (Key != VK_SPACE) return;
    TColumn* column = gdHead->SelectedColumn();
    if (column && SameText(column->FieldName(), kMultiSelected)) {
        ToggleRowSelection();
        Key = 0;
    }
    UpdateCommandStates();
}

void TfrmSingle::gdHeadColEnter(TObject* Sender) {
    // The grid takes input only on the selection column.
    TColumn* column = gdHead->SelectedColumn();
    gdHead->SetReadOnly(!(column && SameText(column->FieldName(), kMultiSelected)));
}

void TfrmSingle::gdHeadTitleClick(TColumn* Column) { SortByTitle(Column); }

void TfrmSingle::SortByTitle(TColumn* column) {
    TdmSingle* dm = SingleDM();
    if (!dm || !column || SameText(column->FieldName(), kMultiSelected)) return;
    dm->SortByField(column->FieldName());
    gdHead->OnCalcTitleImage = [dm](TObject*, TField* field, int& image) {
        if (field && field == dm->SortField) image = dm->IsAscending(dm->cdsMain) ? 0 : 1;
    };
    gdHead->Invalidate();
}

void TfrmSingle::SelectAllRows(bool select) {
    TdmSingle* dm = SingleDM();
    if (!dm) return;
    if (!select) {
        gdHead->SelectedRows().Clear();
    } else {
        ShowBrowsePage();
        TValueRollback fetch(dm->FetchOnScroll, false);
        TValueRollback colors(dm->SuppressRowColors, true);
        gdHead->SelectedRows().SelectAll();
    }
    dm->cdsMain->Resync();
    gdHead->Invalidate();
}

void TfrmSingle::miBBSelectAllClick(TObject* Sender) { SelectAllRows(true); }
void TfrmSingle::miBBUnSelectAllClick(TObject* Sender) { SelectAllRows(false); }
void TfrmSingle::P1Click(TObject* Sender) { UpdateBatchMenu(); }

void TfrmSingle::miBBPrintClick(TObject* Sender) {
    TClientDataSet* cds = MainDataSet();
    if (!cds || !miBBPrint->Enabled()) return;
    std::vector<TBookmark> chosen = gdHead->SelectedRows().List();
    TControlsDisabled still(cds);
    for (TBookmark bookmark : chosen) {
        if (!cds->BookmarkValid(bookmark)) continue;
        cds->GotoBookmark(bookmark);
        DoPrint(false);
    }
    gdHead->SelectedRows().Clear();
}
