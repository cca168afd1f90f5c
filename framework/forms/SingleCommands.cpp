// The single-table form's record commands: add, edit, delete with attachments, query (also by a
// saved condition), save and cancel.
#include "env/Log.h"
#include "framework/forms/SingleCF.h"
#include "server/Brokers.h"
#include "toolkit/classes/Properties.h"
#include "toolkit/rtl/Dispatch.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/dialogs/Dialogs.h"
#include "toolkit/ui/grids/DBGrids.h"
#include "toolkit/ui/kernel/Application.h"
#include "toolkit/ui/kernel/Screen.h"
#include "toolkit/ui/widgets/Menus.h"
#include "toolkit/ui/widgets/PageControl.h"
#include "toolkit/ui/widgets/ToolBar.h"

namespace {

void FocusIfPossible(TWinControl* control) {
    if (control && control->CanFocus()) control->SetFocus();
}

}  // namespace

bool TfrmSingle::DoAdd(bool reset) {
    TdmSingle* dm = SingleDM();
    if (!dm) return false;
    if (reset) dm->ClearKeptValues();
    if (pgHead->PageCount() > 0) pgHead->SetActivePage(pgHead->Pages(0));
    GeneratedKeyNumber.clear();
    bool added = TfrmBase::DoAdd(reset);
    FocusIfPossible(AddFocusControl);
    return added;
}

bool TfrmSingle::DoEdit() {
    if ((IsFocusPageOne || BrowsePageShowing()) && pgHead->PageCount() > 0) pgHead->SetActivePage(pgHead->Pages(0));
    if (IsColorManage) ResetRowColors();
    bool edited = TfrmBase::DoEdit();
    if (edited) FocusIfPossible(EditFocusControl);
    return edited;
}

std::string TfrmSingle::CurrentKeyText() {
    TdmSingle* dm = SingleDM();
    if (!dm) return {};
    std::vector<std::string> keys;
    for (const std::string& item : SplitString(dm->KeyFields, ',')) {
        std::string name = Trim(item);
        if (std::size_t dot = name.rfind('.'); dot != std::string::npos) name = name.substr(dot + 1);
        if (!name.empty()) keys.push_back(name);
    }
    std::string text;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        TField* field = dm->cdsMain->FindField(keys[i]);
        std::string value = field ? field->AsString() : std::string();
        if (i + 1 == keys.size() && EditMode == emInsert && dm->AutoNumber && !AssignedKeyNumber.empty())
            value = AssignedKeyNumber;
        text += (i ? "||" : "") + value;
    }
    return text;
}

bool TfrmSingle::DoDelete(bool ask) {
    const std::string keyText = CurrentKeyText();
    if (!TfrmBase::DoDelete(ask)) return false;
    try {
        Brokers->CallServer(
            "TransactionSQL",
            VarArrayOf({VarArrayOf({" DELETE FROM ATTACH  WHERE Parent = '" + ProgramId() + "' " + "       AND CompanyID = '" +
                                    Brokers->CompanyId + "' " + "       AND KeyValues = '" + keyText + "' "}),
                        ""}));
    } catch (const std::exception&) {
        // Attachments that stay behind do not undo the delete.
    }
    if (int index = AttachmentKeys.IndexOf(keyText); index >= 0) AttachmentKeys.Delete(index);
    if (TdmSingle* dm = SingleDM()) RecordChanged(dm->cdsMain);
    return true;
}

// --- Query ----------------------------------------------------------------------------------------

// The form's own open swallows errors, a query must report them.
void TfrmSingle::OpenForQuery(const std::string& condition, const std::string& order) {
    TClientDataSet* cds = SingleDM()->cdsMain;
    LastCondition = condition;
    LastOrder = order;
    OpenColorRows(condition, order);
    cds->Close();
    const std::string where = SameText(Trim(condition), "All") ? std::string() : condition;
    cds->DataRequest(VarArrayOf({where, order}));
    cds->Open();
}

bool TfrmSingle::DoQuery() {
    TdmSingle* dm = SingleDM();
    if (!dm) return false;
    EnsureQueryDialog();
    int limit = 0;
    if (Brokers && TryStrToInt(Trim(Brokers->GetSysValue("SYS151")), limit)) QueryDialog->SetRowLimit(limit);
    std::string condition, order;
    bool ran = false;
    if (QueryDialog->Execute(condition, order)) {
        std::string decorated;
        DecorateValue(condition, decorated);
        ran = RunQuery(decorated, order);
    }
    ShowBrowsePage();
    if (gdHead->CanFocus()) gdHead->SetFocus();
    return ran;
}

void TfrmSingle::ShowBrowsePage() {
    if (pgHead->ActivePage() != tbsBrowse) pgHead->SetActivePage(tbsBrowse);
}

bool TfrmSingle::RunQuery(const std::string& condition, const std::string& order) {
    TdmSingle* dm = SingleDM();
    const std::string previousCondition = LastCondition, previousOrder = LastOrder;
    try {
        TCursorScope hourglass;
        if (SqlType == 0 && dm->AppServer.IsDispatch()) OleCall(dm->AppServer, "SetTopRow", {QueryDialog->GetRowLimit()});
        OpenForQuery(condition, order);
        if (!dm->cdsMain->IndexFieldNames().empty()) dm->DefaultIndexFieldNames = dm->cdsMain->IndexFieldNames();
        ColorCondition = condition;
        ColorOrder = order;
        SetEditMode(emBrowse);
        return true;
    } catch (const EAbort&) {
        throw;
    } catch (const std::exception& e) {
        ShowErrorBox(RkConverter->ToDisplayText(e.what()));
        Brokers->ShowMessageByCode("W", "000001");
        // The window keeps what it showed before the refused condition.
        OpenWithCondition(dm->cdsMain, previousCondition, previousOrder);
        SetEditMode(emBrowse);
        return false;
    }
}

void TfrmSingle::LoadSavedConditions() {
    TdmSingle* dm = SingleDM();
    if (!dm || !Brokers || !dm->AppServer.IsDispatch()) return;
    mnCondition->Items()->Clear();
    try {
        OleCall(dm->AppServer, "LoadTable", {VarArrayOf({Brokers->UserId, Brokers->ProgramId})});
        dm->cdsSaveCondition->Close();
        dm->cdsSaveCondition->Open();
        int row = 0;
        for (dm->cdsSaveCondition->First(); !dm->cdsSaveCondition->Eof(); dm->cdsSaveCondition->Next()) {
            auto* item = CreateComponent<TMenuItem>(this);
            item->SetName("mnu" + IntToStr(row++));
            item->SetCaption(RkConverter->ToDisplayText(dm->cdsSaveCondition->FieldByName("NCONDITION")->AsString()));
            item->OnClick = [this](TObject* s) { SavedConditionClick(s); };
            mnCondition->Items()->Add(item);
        }
    } catch (const std::exception&) {
        // Without saved conditions the query button is a plain button.
    }
    const bool any = mnCondition->Items()->Count() > 0;
    btnQuery->SetStyle(any ? tbsDropDown : tbsButton);
    btnQuery->SetDropdownMenu(any ? mnCondition : nullptr);
}

void TfrmSingle::SavedConditionClick(TObject* Sender) {
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    TdmSingle* dm = SingleDM();
    if (!item || !dm || !Brokers) return;
    EnsureQueryDialog();
    TClientDataSet* schemes = dm->cdsSaveCondition;
    const std::string name = RkConverter->ToProgramText(StripHotkey(item->Caption()));
    if (!schemes->Active() ||
        !schemes->Locate("NCONDITION;CREATOR;PROGRAMME", VarArrayOf({name, Brokers->UserId, Brokers->ProgramId})))
        return;
    const std::string page = schemes->FindField("ActivePage") ? schemes->FieldByName("ActivePage")->AsString() : "";
    std::string condition, order;
    if (!QueryDialog->ApplyScheme(page, schemes->FieldByName("VCONDITION")->AsString()) ||
        !QueryDialog->RunScheme(condition, order))
        return;
    std::string decorated;
    DecorateValue(condition, decorated);
    RunQuery(decorated, order);
    ShowBrowsePage();
    if (gdHead->CanFocus()) gdHead->SetFocus();
}

// --- Save and cancel ------------------------------------------------------------------------------

bool TfrmSingle::ValidateBeforePost(TDataSet* dataSet) {
    if (EditMode == emBrowse) return true;
    TdmSingle* dm = SingleDM();
    if (dm && dataSet == dm->cdsMain) {
        for (const std::string& item : SplitString(dm->KeyFields, ',')) {
            std::string name = Trim(item);
            if (std::size_t dot = name.rfind('.'); dot != std::string::npos) name = name.substr(dot + 1);
            TField* field = dataSet->FindField(name);
            if (!field || !Trim(field->AsString()).empty()) continue;
            if (dm->AutoNumber && SameText(name, dm->AutoNumberField)) continue;
            Brokers->ShowMessageByCode("E", "000003", {field->DisplayLabel()});
            FocusField(field);
            return false;
        }
    }
    return TfrmBase::ValidateBeforePost(dataSet);
}

bool TfrmSingle::DoSave() {
    TdmSingle* dm = SingleDM();
    if (!dm) return false;
    TClientDataSet* cds = dm->cdsMain;
    const bool inserting = EditMode == emInsert;
    bool saved = false;
    try {
        if (cds->State() == dsEdit || cds->State() == dsInsert) cds->Post();
        if (inserting) dm->BeforeInsertSave();
        saved = dm->Save();
    } catch (const EAbort&) {
        // The post was refused and the user told why: the input stays as it is.
        LastSaveFailed = true;
        return false;
    } catch (const std::exception& e) {
        WriteAlert("SingleCF-DoSave", e.what(), "D");
        ShowSaveError(RkConverter->ToDisplayText(e.what()));
        saved = false;
    }
    if (saved) {
        if (inserting && dm->AutoNumber && !dm->AutoNumberField.empty())
            if (TField* numbered = cds->FindField(dm->AutoNumberField)) AssignedKeyNumber = numbered->AsString();
        if (CloseAfterSave) {
            SetEditMode(emBrowse);
            Close();
        } else if (inserting && IsKeepOnAdd) {
            DoAdd(false);
        } else {
            SetEditMode(emBrowse);
        }
    } else {
        Brokers->ShowMessageByCode("E", "000008");
        if (cds->Active() && cds->State() == dsBrowse && !cds->IsEmpty()) cds->Edit();
        UpdateCommandStates();
    }
    LastSaveFailed = !saved;
    return saved;
}

bool TfrmSingle::DoCancel(bool ask) {
    bool cancelled = TfrmBase::DoCancel(ask);
    if (cancelled) ColorCondition = "1=1";
    if (TdmSingle* dm = SingleDM()) dm->ApplyRowColors();
    return cancelled;
}

void TfrmSingle::miOKClick(TObject* Sender) {
    if (EditMode != emBrowse) DoSave();
}

void TfrmSingle::miCancelClick(TObject* Sender) {
    if (EditMode != emBrowse) DoCancel(true);
}

void TfrmSingle::OpenWithCondition(TDataSet* dataSet, const std::string& condition, const std::string& order) {
    TfrmBase::OpenWithCondition(dataSet, condition, order);
    TdmSingle* dm = SingleDM();
    if (dm && dataSet == dm->cdsMain && !dm->cdsMain->IndexFieldNames().empty())
        dm->DefaultIndexFieldNames = dm->cdsMain->IndexFieldNames();
}
