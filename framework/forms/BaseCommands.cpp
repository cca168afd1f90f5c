// The base form's commands: add, edit, delete, cancel, exit, closing, keys, navigation, opening
// with a condition and the other menu commands.
#include "env/Log.h"
#include "framework/forms/BaseForm.h"
#include "i18n/LangMessage.h"
#include "server/Brokers.h"
#include "toolkit/classes/Properties.h"
#include "toolkit/rtl/ControlsDisabled.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/rtl/ValueRollback.h"
#include "toolkit/ui/dialogs/Dialogs.h"
#include "toolkit/ui/grids/Grids.h"
#include "toolkit/ui/kernel/Screen.h"
#include "toolkit/ui/widgets/Menus.h"
#include "toolkit/ui/widgets/ToolBar.h"

namespace {

constexpr int kAnswerOk = mrOk;  // "C" and "W" questions continue on 1

bool HasRows(const TDataSet* dataSet) { return dataSet && dataSet->Active() && !dataSet->IsEmpty(); }

// Removes the handlers of a dataset for the lifetime of the object.
class TSuspendedHandlers {
public:
    TSuspendedHandlers(TDataSet* dataSet, bool suspend) : ds_(suspend ? dataSet : nullptr) {
        if (!ds_) return;
        saved_ = {ds_->AfterDelete, ds_->AfterScroll, ds_->BeforeDelete, ds_->BeforeScroll};
        ds_->AfterDelete = ds_->AfterScroll = ds_->BeforeDelete = ds_->BeforeScroll = nullptr;
    }
    ~TSuspendedHandlers() {
        if (!ds_) return;
        ds_->AfterDelete = saved_[0];
        ds_->AfterScroll = saved_[1];
        ds_->BeforeDelete = saved_[2];
        ds_->BeforeScroll = saved_[3];
    }
    TSuspendedHandlers(const TSuspendedHandlers&) = delete;
    TSuspendedHandlers& operator=(const TSuspendedHandlers&) = delete;

private:
    TDataSet* ds_;
    std::vector<TDataSetNotifyEvent> saved_;
};

}  // namespace

bool TfrmBase::HasPendingChanges() const {
    TClientDataSet* cds = MainDataSet();
    return cds && cds->Active() && (cds->ChangeCount() > 0 || cds->Modified() || cds->State() == dsInsert);
}

// --- Add, edit, delete, cancel, exit ------------------------------------------------------------

bool TfrmBase::DoAdd(bool reset) {
    TdmBase* dm = BaseDM();
    if (!dm) return false;
    dm->LoadToday();
    OpenWithCondition(dm->cdsMain, "1=2", dm->KeyFields);
    SetEditMode(emInsert);
    if (dm->cdsMain->Active()) dm->cdsMain->Append();
    SetEditMode(emInsert);
    return true;
}

bool TfrmBase::DoEdit() {
    TdmBase* dm = BaseDM();
    if (!dm || !dm->VerifyDataRights()) return false;
    TClientDataSet* cds = dm->cdsMain;
    if (!cds->Active() || cds->State() != dsBrowse || cds->IsEmpty()) return false;
    dm->LoadToday();
    SetEditMode(emEdit);
    cds->Edit();
    SetEditMode(emEdit);
    return true;
}

bool TfrmBase::DoDelete(bool ask) {
    TdmBase* dm = BaseDM();
    TClientDataSet* cds = MainDataSet();
    if (!dm || !cds->Active() || cds->State() != dsBrowse || cds->IsEmpty()) return false;
    bool result = false;
    if (dm->VerifyDataRights() && (!ask || Brokers->ShowMessageByCode("C", "000001") == kAnswerOk)) {
        try {
            DeleteCurrent(cds, false, true);
            if (cds->ApplyUpdates(0) == 0) {
                result = true;
                // The server's count of the query's rows goes down with the row.
                if (dm->ServerRecordCount > 0) --dm->ServerRecordCount;
            } else {
                // The server kept the row: it shows again as it was.
                cds->CancelUpdates();
                Brokers->ShowMessageByCode("E", "000007");
            }
        } catch (const std::exception& e) {
            WriteAlert("BaseCF-484", e.what(), "D");
            if (cds->Active() && cds->ChangeCount() > 0) cds->CancelUpdates();
            Brokers->ShowMessageByCode("E", "000007");
        }
    }
    SetEditMode(emBrowse);
    return result;
}

bool TfrmBase::DoCancel(bool ask) {
    TClientDataSet* cds = MainDataSet();
    if (!cds) return false;
    if (ask && HasPendingChanges()) {
        const char* code = EditMode == emInsert ? "000004" : "000002";
        // Refusing keeps the input, also after a failed save: nothing typed is thrown away unasked.
        if (Brokers->ShowMessageByCode("C", code) != kAnswerOk) return false;
    }
    if (cds->Active()) {
        cds->Cancel();
        cds->CancelUpdates();
    }
    SetEditMode(emBrowse);
    if (CloseAfterSave) {
        LastCondition.clear();
        LastOrder.clear();
        cds->Close();
    }
    return true;
}

bool TfrmBase::DoExitForm() {
    Close();
    return true;
}

void TfrmBase::FormCloseQuery(TObject* Sender, bool& CanClose) {
    if (EditMode == emBrowse) return;
    const int answer = Brokers->ShowMessageByCode("D", EditMode == emInsert ? "000001" : "000002");
    if (answer == mrYes)
        CanClose = DoSave();
    else if (answer == mrNo)
        CanClose = DoCancel(false);
    else
        CanClose = false;
}

void TfrmBase::FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift) {
    TfrmRadical::FormKeyDown(Sender, Key, Shift);
    if (Key != VK_ESCAPE || !Shift.Empty()) return;
    Key = 0;
    if (EditMode == emBrowse)
        DoExitForm();
    else
        DoCancel(true);
}

// --- Lookup keys --------------------------------------------------------------------------------

namespace {
bool IsReadOnlyControl(const TWinControl* control) {
    return control && IsPublishedProp(control, "ReadOnly") && GetOrdProp(control, "ReadOnly") != 0;
}
}  // namespace

void TfrmBase::OnF2Key(WORD& key, TWinControl* control) {
    TfrmRadical::OnF2Key(key, control);
    if (IsReadOnlyControl(control)) key = 0;
}

void TfrmBase::OnF3Key(WORD& key, TWinControl* control) {
    TfrmRadical::OnF3Key(key, control);
    if (IsReadOnlyControl(control)) key = 0;
}

void TfrmBase::OnF4Key(WORD& key, TWinControl* control) {
    TfrmRadical::OnF4Key(key, control);
    if (IsReadOnlyControl(control)) key = 0;
}

// --- Menu commands ------------------------------------------------------------------------------

void TfrmBase::miAddClick(TObject* Sender) { DoAdd(true); }
void TfrmBase::miQueryClick(TObject* Sender) { DoQuery(); }
void TfrmBase::miEditClick(TObject* Sender) { DoEdit(); }
void TfrmBase::miDeleteClick(TObject* Sender) { DoDelete(true); }
void TfrmBase::miViewItemClick(TObject* Sender) { ViewDocument(); }
void TfrmBase::miExitClick(TObject* Sender) { DoExitForm(); }
void TfrmBase::NGClick(TObject* Sender) { SaveGridViews(); }

void TfrmBase::miFirstClick(TObject* Sender) {
    if (TClientDataSet* cds = MainDataSet(); HasRows(cds)) cds->First();
}

void TfrmBase::miPriorClick(TObject* Sender) {
    if (TClientDataSet* cds = MainDataSet(); HasRows(cds) && !cds->Bof()) cds->Prior();
}

void TfrmBase::miNextClick(TObject* Sender) {
    TClientDataSet* cds = MainDataSet();
    if (!HasRows(cds)) return;
    cds->Next();
    if (cds->Eof()) cds->Next();  // past the last fetched row the next packet comes
}

void TfrmBase::miLastClick(TObject* Sender) {
    TClientDataSet* cds = MainDataSet();
    if (!HasRows(cds)) return;
    // The last record of the query, not the last one fetched so far: the rest comes first.
    if (cds->MoreRowsAvailable()) {
        TCursorScope hourglass;
        cds->DisableControls();
        try {
            while (cds->MoreRowsAvailable() && cds->GetNextPacket() > 0) {}
        } catch (...) {
            cds->EnableControls();
            throw;
        }
        cds->EnableControls();
    }
    cds->Last();
}

void TfrmBase::miToolBarClick(TObject* Sender) {
    miToolBar->SetChecked(!miToolBar->Checked());
    ToolBar1->SetVisible(miToolBar->Checked());
}

void TfrmBase::miManagerClick(TObject* Sender) {
    miManager->SetChecked(!miManager->Checked());
    if (TdmBase* dm = BaseDM()) dm->SetFieldManagement(miManager->Checked());
}

void TfrmBase::MenuItem11Click(TObject* Sender) { mnSearch->SetEnabled(ActiveGrid() != nullptr); }

void TfrmBase::mnSearchClick(TObject* Sender) {
    TCustomGrid* grid = ActiveGrid();
    TdmBase* dm = BaseDM();
    if (!grid || !dm) return;
    TValueRollback fetch(dm->FetchOnScroll, false);
    QuickSearch(grid);
}

// --- Opening with a condition -------------------------------------------------------------------

void TfrmBase::OpenWithCondition(TDataSet* dataSet, const std::string& condition, const std::string& order) {
    auto* cds = dynamic_cast<TClientDataSet*>(dataSet);
    if (!cds) return;
    TLangLookupBatch texts;  // labels and counts of one open
    if (cds == MainDataSet()) {
        LastCondition = condition;
        LastOrder = order;
        OpenColorRows(condition, order);
    }
    try {
        cds->Close();
        const std::string where = SameText(Trim(condition), "All") ? std::string() : condition;
        TCursorScope hourglass;
        cds->DataRequest(VarArrayOf({where, order}));
        cds->Open();
    } catch (const std::exception& e) {
        WriteAlert("knlBase-103", e.what(), "D");
    }
}

bool TfrmBase::OpenColorRows(const std::string& condition, const std::string& order) {
    TdmBase* dm = BaseDM();
    if (!dm || !dm->cdsMainColor->RemoteServer) return false;
    try {
        dm->cdsMainColor->Close();
        const std::string where = SameText(Trim(condition), "All") ? std::string() : condition;
        dm->cdsMainColor->DataRequest(VarArrayOf({where, order}));
        dm->cdsMainColor->Open();
        AfterColorRowsOpened();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool TfrmBase::OpenColorRowsForCurrent() {
    TdmBase* dm = BaseDM();
    if (!dm) return false;
    std::string condition;
    for (const std::string& item : SplitString(dm->KeyFields, ',')) {
        std::string name = Trim(item);
        if (std::size_t dot = name.rfind('.'); dot != std::string::npos) name = name.substr(dot + 1);
        TField* field = dm->cdsMain->FindField(name);
        if (!field) continue;
        const std::string value = IsNumericFieldType(field->DataType()) ? field->AsString() : QuotedStr(field->AsString());
        condition += (condition.empty() ? "" : " and ") + dm->MainTable + "." + name + "=" + value;
    }
    LastCondition = condition;
    return OpenColorRows(condition, LastOrder);
}

IQueryDialog* TfrmBase::EnsureQueryDialog() {
    if (!QueryDialog) {
        QueryDialog = CreateQueryDialog(this);
        QueryForm = QueryDialog->Window();
        QueryDialog->SetSchemesChanged([this] { SchemesChanged(); });
    }
    return QueryDialog;
}

void TfrmBase::ReopenWithQuery() {
    if (!QueryDialog) return;
    if (TdmBase* dm = BaseDM()) OpenWithCondition(dm->cdsMain, QueryDialog->GetCondition(), QueryDialog->GetOrder());
}

void TfrmBase::DeleteCurrent(TDataSet* dataSet, bool nested, bool suspend) {
    if (!dataSet) return;
    TSuspendedHandlers suspended(dataSet, suspend);
    if (!nested) {
        dataSet->Delete();
        return;
    }
    TControlsDisabled still(dataSet);
    dataSet->Last();
    while (!dataSet->IsEmpty()) dataSet->Delete();
}
