// The master-detail form's record commands: add, edit, delete, query, save with its body rules,
// cancel, re-reading the current document, and the control states.
#include "env/Log.h"
#include "framework/forms/DoubleCF.h"
#include "framework/forms/FormImages.h"
#include "server/Brokers.h"
#include "toolkit/rtl/ControlsDisabled.h"
#include "toolkit/rtl/DateTime.h"
#include "toolkit/rtl/Dispatch.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/grids/DBGrids.h"
#include "toolkit/ui/kernel/Application.h"
#include "toolkit/ui/kernel/Screen.h"
#include "toolkit/ui/widgets/Image.h"
#include "toolkit/ui/widgets/Menus.h"
#include "toolkit/ui/widgets/PageControl.h"
#include "toolkit/ui/widgets/Panel.h"
#include "toolkit/ui/widgets/ToolBar.h"

namespace {

const TLangKeys kKeys("TfrmDouble", {{"sNoBodyRec", "单身没有资料"}});

constexpr int kAnswerOk = mrOk;

bool Editing(const TDataSet* dataSet) { return dataSet && (dataSet->State() == dsEdit || dataSet->State() == dsInsert); }

std::vector<std::string> FieldNames(const std::string& list) {
    std::vector<std::string> names;
    for (const std::string& item : SplitString(list, ',')) {
        std::string name = Trim(item);
        if (std::size_t blank = name.find(' '); blank != std::string::npos) name = name.substr(0, blank);
        if (std::size_t dot = name.rfind('.'); dot != std::string::npos) name = name.substr(dot + 1);
        if (!name.empty()) names.push_back(name);
    }
    return names;
}

bool BareValue(const TField* field) {
    switch (field->DataType()) {
        case ftSmallint:
        case ftInteger:
        case ftWord:
        case ftFloat: return true;
        default: return false;
    }
}

// Runs work with the dataset's controls (and data-change reactions) held still.
template <class Work>
void WithControlsDisabled(TDataSet* dataSet, Work work) {
    TControlsDisabled still(dataSet);
    work();
}

}  // namespace

// --- Body state -----------------------------------------------------------------------------------

void TfrmDouble::AllowBodyChanges(bool allow) {
    bodyEditable_ = allow;
    gdBody1->SetReadOnly(!allow || EditMode == emBrowse);
    pnlFoot->SetEnabled(allow);
}

void TfrmDouble::IndexBody() {
    TdmDouble* dm = DoubleDM();
    if (!dm || !dm->cdsBody1->Active()) return;
    if (dm->cdsBody1->IndexName().empty() && dm->cdsBody1->IndexFieldNames().empty()) {
        const std::vector<std::string> head = FieldNames(dm->KeyFields);
        const std::vector<std::string> body = dm->BodyKeyFieldNames();
        if (head.size() < body.size()) dm->cdsBody1->SetIndexFieldNames(body[head.size()]);
    }
    if (dm->DefaultBodyIndexFieldNames.empty()) dm->DefaultBodyIndexFieldNames = dm->cdsBody1->IndexFieldNames();
    if (dm->BodyClone && dm->BodyClone->Active()) {
        dm->BodyClone->SetIndexName("");
        dm->BodyClone->SetIndexFieldNames(dm->cdsBody1->IndexFieldNames());
    }
}

void TfrmDouble::PrepareBody() {
    TdmDouble* dm = DoubleDM();
    AllowBodyChanges(true);
    ApplyRights();
    IndexBody();
    if (!dm->RecloneBody()) throw Exception("Copy Body Clone Error!!");
}

bool TfrmDouble::ConfirmationLocks() const {
    TdmDouble* dm = DoubleDM();
    TField* field = dm && !ConfirmField.empty() && dm->cdsMain->Active() ? dm->cdsMain->FindField(ConfirmField) : nullptr;
    const std::string code = field ? UpperCase(Trim(field->AsString())) : std::string();
    return code == "Y" || code == "U" || code == "V";
}

bool TfrmDouble::PassesClosingDate() {
    TdmDouble* dm = DoubleDM();
    if (!CheckClosingDate || ClosingDate <= 0 || !dm || !dm->DateField) return true;
    double date = 0;
    TField* field = dm->DateField;
    if (field->DataType() == ftString) {
        const std::string text = Trim(field->AsString());
        TDateTime parsed;
        if (text.size() == 8 && TryEncodeDate(StrToIntDef(text.substr(0, 4), 0), StrToIntDef(text.substr(4, 2), 0),
                                              StrToIntDef(text.substr(6, 2), 0), parsed))
            date = parsed;
    } else if (!field->IsNull()) {
        date = field->AsFloat();
    }
    if (date > ClosingDate) return true;
    Brokers->ShowMessageByCode("E", "000009");
    return false;
}

// --- Add, edit, delete, query -------------------------------------------------------------------

bool TfrmDouble::DoAdd(bool reset) {
    TdmDouble* dm = DoubleDM();
    if (!dm) return false;
    if (reset) dm->ClearKeptValues();
    bool added = TfrmSingle::DoAdd(reset);
    UpdateLayout();
    if (!dm->cdsBody1->Active() && dm->cdsMain->Active()) dm->cdsBody1->Open();
    if (!added) return false;
    ImgConfirm->Picture()->Assign(nullptr);
    if (!BrowsePageShowing() && SavedHeadHeight > 0) pgHead->SetHeight(SavedHeadHeight);
    PrepareBody();
    return true;
}

bool TfrmDouble::DoEdit() {
    TdmDouble* dm = DoubleDM();
    if (!dm || !PassesClosingDate() || ConfirmationLocks()) return false;
    const TBookmark line = dm->cdsBody1->Active() ? dm->cdsBody1->GetBookmark() : 0;
    bool edited = TfrmSingle::DoEdit();
    UpdateLayout();
    if (!edited) return false;
    PrepareBody();
    if (line && dm->cdsBody1->Active()) {
        dm->cdsBody1->First();
        if (dm->cdsBody1->BookmarkValid(line)) dm->cdsBody1->GotoBookmark(line);
    }
    return true;
}

bool TfrmDouble::DoDelete(bool ask) {
    if (!PassesClosingDate() || ConfirmationLocks()) return false;
    bool deleted = false;
    try {
        deleted = TfrmSingle::DoDelete(ask);
        if (deleted) {
            if (TdmDouble* dm = DoubleDM(); dm && dm->ServerRecordCount > 0) --dm->ServerRecordCount;
            SetEditMode(emBrowse);
        }
    } catch (const EAbort&) {
        throw;
    } catch (const std::exception& e) {
        WriteAlert("DoubleCF-DoDelete", e.what(), "D");
        Brokers->ShowMessageByCode("E", "000007");
        deleted = false;
    }
    ApplyRights();
    if (deleted) btnAttach->SetImageIndex(kImageAttach);
    return deleted;
}

bool TfrmDouble::DoQuery() {
    TdmDouble* dm = DoubleDM();
    if (!dm) return false;
    bool ran = TfrmSingle::DoQuery();
    UpdateLayout();
    if (!ran) return false;
    dm->cdsBody1->Close();
    dm->cdsBody1->Open();
    IndexBody();
    if (dm->cdsMain->Active() && !dm->cdsMain->IsEmpty()) {
        // Every scroll reaction runs once for the first document.
        dm->cdsMain->First();
        dm->cdsMain->Next();
        dm->cdsMain->Prior();
    }
    LoadAttachmentKeys();
    ShowAttachmentState();
    return true;
}

// --- Save -----------------------------------------------------------------------------------------

bool TfrmDouble::ServerNumbering() const {
    TdmDouble* dm = DoubleDM();
    return dm && dm->AutoNumber && !dm->AutoNumberField.empty();
}

bool TfrmDouble::EmptyBodyRefused() {
    TdmDouble* dm = DoubleDM();
    const bool bodyShown = pgBody->Visible() && gdBody1->Visible() && pgBody->Height() > 5;
    if (!bodyShown || !dm->cdsBody1->Active() || dm->cdsBody1->RecordCount() > 0) return false;
    const std::string text = LangText(kKeys, "sNoBodyRec", true);
    if (BodyRequired == 2) {
        Brokers->ShowMessageByCode("E", "000032", {text});
        return true;
    }
    if (BodyRequired == 1) return Brokers->ShowMessageByCode("W", "100079", {text}) != kAnswerOk;
    return false;
}

bool TfrmDouble::DoSave() {
    TdmDouble* dm = DoubleDM();
    if (!dm) return false;
    TClientDataSet* main = dm->cdsMain;
    TClientDataSet* body = dm->cdsBody1;
    const bool inserting = EditMode == emInsert;
    try {
        if (Editing(body)) body->Post();
        if (Editing(main)) main->Post();
    } catch (const EAbort&) {
        // The post was refused and the user told why: the input stays.
        LastSaveFailed = true;
        return false;
    }
    SavedSequenceNumber.clear();
    if (ServerNumbering())
        if (TField* sequence = main->FindField(dm->AutoNumberField)) SavedSequenceNumber = sequence->AsString();

    auto stop = [&] {
        btnOK->SetEnabled(true);
        miOK->SetEnabled(true);
        if (main->State() == dsBrowse && !main->IsEmpty()) main->Edit();
        LastSaveFailed = true;
        return false;
    };
    if (EmptyBodyRefused()) return stop();
    dm->RememberKeyValues();
    if (!PassesClosingDate()) return stop();

    bool saved = false;
    try {
        saved = SaveDocument(inserting);
    } catch (const EAbort&) {
        if (main->Active() && main->State() == dsBrowse && !main->IsEmpty()) main->Edit();
        btnOK->SetEnabled(true);
        LastSaveFailed = true;
        return false;
    } catch (const std::exception& e) {
        WriteAlert(Brokers ? Brokers->ProgramId : std::string("DoubleCF"), std::string("DoubleCF-876 :") + e.what(), "D");
        if (main->Active() && main->State() == dsBrowse && !main->IsEmpty()) main->Edit();
        btnOK->SetEnabled(true);
        LastSaveFailed = true;
        throw;
    }
    if (saved) {
        AfterSuccessfulSave(
            inserting, ServerNumbering() && !AssignedSequenceNumber.empty() && AssignedSequenceNumber != SavedSequenceNumber);
    } else {
        Brokers->ShowMessageByCode("E", "000008");
        if (main->Active() && main->State() == dsBrowse && !main->IsEmpty()) main->Edit();
        UpdateCommandStates();
    }
    LastSaveFailed = !saved;
    return saved;
}

// Steps 5 to 7: the links into every body row, the lines' keys of a new document, the header posted,
// and the data module's save of header and body in one call.
bool TfrmDouble::SaveDocument(bool inserting) {
    TdmDouble* dm = DoubleDM();
    TClientDataSet* main = dm->cdsMain;
    TClientDataSet* body = dm->cdsBody1;
    WithControlsDisabled(body, [&] {
        if (main->State() == dsBrowse && !main->IsEmpty()) main->Edit();
        if (!Trim(dm->HeadToBodyFields).empty()) {
            const TBookmark here = body->GetBookmark();
            for (body->First(); !body->Eof(); body->Next()) {
                dm->CopyHeaderFieldsToBody();
                if (Editing(body)) body->Post();
            }
            if (here && body->BookmarkValid(here)) body->GotoBookmark(here);
        }
        if (inserting) dm->BeforeInsertSave();
        if (Editing(main)) main->Post();
    });
    if (dm->AppServer.IsDispatch()) {
        try {
            OleCall(dm->AppServer, "SetIsSeq", {ServerNumbering()});
        } catch (const std::exception&) {
            // A server without numbering keeps the number the window gave.
        }
    }
    btnOK->SetEnabled(false);
    miOK->SetEnabled(false);
    const bool saved = dm->Save();
    if (!saved) return false;
    main->MergeChangeLog();
    AllowBodyChanges(false);
    AfterSave();
    AssignedSequenceNumber.clear();
    if (inserting && dm->AppServer.IsDispatch()) {
        try {
            AssignedSequenceNumber = VarToStr(OleCall(dm->AppServer, "WhatIs", {"SEQNO"}));
        } catch (const std::exception&) {
            AssignedSequenceNumber.clear();
        }
    }
    if (inserting && ServerNumbering() && !AssignedSequenceNumber.empty() && AssignedSequenceNumber != SavedSequenceNumber) {
        TField* sequence = main->FindField(dm->AutoNumberField);
        Brokers->ShowMessageByCode("I", "000006",
                                   {sequence ? sequence->DisplayLabel() : dm->AutoNumberField, AssignedSequenceNumber});
    }
    if (inserting && PrintAfterSave) DoPrint(false);
    return true;
}

void TfrmDouble::AfterSuccessfulSave(bool inserting, bool renumbered) {
    TdmDouble* dm = DoubleDM();
    const bool wasEdit = EditMode == emEdit;
    if (CloseAfterSave) {
        SetEditMode(emBrowse);
        Close();
        return;
    }
    if (IsKeepOnAdd) {
        KeepPosition = true;
        if (inserting)
            DoAdd(false);
        else
            SetEditMode(emBrowse);
    } else {
        if (inserting && ConfirmAfterSave == 1 && CanConfirm) {
            TCursorScope hourglass;
            ReopenOnKey(KeyCondition());
            KeepPosition = true;
        } else {
            KeepPosition = false;
        }
        SetEditMode(emBrowse);
        if (renumbered && !wasEdit) {
            if (TField* sequence = dm->cdsMain->FindField(dm->AutoNumberField)) {
                // The document as the server numbered it.
                std::string condition;
                for (const std::string& name : FieldNames(dm->KeyFields)) {
                    TField* field = dm->cdsMain->FindField(name);
                    if (!field) continue;
                    const std::string value = field == sequence ? AssignedSequenceNumber : field->AsString();
                    condition += (condition.empty() ? "" : " and ") +
                                 (dm->MainTable.empty() ? name : dm->MainTable + "." + name) + "=" +
                                 (BareValue(field) ? value : QuotedStr(value));
                }
                ReopenOnKey(condition);
            }
        }
    }
    ApplyRights();
}

// --- Cancel and re-read ---------------------------------------------------------------------------

bool TfrmDouble::DoCancel(bool ask) {
    const bool closing = CloseAfterSave;
    bool cancelled = TfrmSingle::DoCancel(ask);
    if (cancelled && closing) {
        ResultCode = 0;
        Close();
    }
    if (cancelled) AllowBodyChanges(false);
    ApplyRights();
    return cancelled;
}

std::string TfrmDouble::KeyCondition() {
    TdmDouble* dm = DoubleDM();
    std::string condition;
    if (!dm) return condition;
    for (const std::string& name : FieldNames(dm->KeyFields)) {
        TField* field = dm->cdsMain->FindField(name);
        if (!field) continue;
        condition += (condition.empty() ? "" : " and ") + (dm->MainTable.empty() ? name : dm->MainTable + "." + name) + "=" +
                     (BareValue(field) ? field->AsString() : QuotedStr(field->AsString()));
    }
    return condition;
}

void TfrmDouble::ReopenOnKey(const std::string& condition) {
    TdmDouble* dm = DoubleDM();
    if (!dm || condition.empty()) return;
    OpenWithCondition(dm->cdsMain, condition, QueryDialog ? QueryDialog->GetOrder() : LastOrder);
}

// Every key but the last equal, the last from the current value on; string keys also compare their
// blank-padded concatenation, each side padded to the field sizes so that every backend orders alike.
std::string TfrmDouble::ReopenFromCurrentCondition() {
    TdmDouble* dm = DoubleDM();
    std::vector<TField*> keys;
    for (const std::string& name : FieldNames(dm->KeyFields))
        if (TField* field = dm->cdsMain->FindField(name)) keys.push_back(field);
    if (keys.empty()) return {};
    auto column = [dm](const TField* field) {
        return dm->MainTable.empty() ? field->FieldName() : dm->MainTable + "." + field->FieldName();
    };
    auto value = [](const TField* field) { return BareValue(field) ? field->AsString() : QuotedStr(field->AsString()); };
    std::string condition;
    bool allStrings = true;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        condition += (i ? " and " : "") + column(keys[i]) + (i + 1 < keys.size() ? "=" : ">=") + value(keys[i]);
        allStrings = allStrings && keys[i]->DataType() == ftString;
    }
    if (allStrings) {
        std::string columns, padded;
        for (std::size_t i = 0; i < keys.size(); ++i) {
            const int size = keys[i]->Size();
            columns += (i ? "+" : "") + std::string("RPAD(") + column(keys[i]) + "," + std::to_string(size) + ",' ')";
            std::string text = keys[i]->AsString();
            if (static_cast<int>(text.size()) < size) text.append(static_cast<std::size_t>(size) - text.size(), ' ');
            padded += text;
        }
        condition += " and " + columns + ">=" + QuotedStr(padded);
    }
    return condition;
}

void TfrmDouble::ReopenWithQuery() {
    TdmDouble* dm = DoubleDM();
    if (!dm || !dm->cdsMain->Active()) return;
    std::string condition;
    if (!KeepPosition) {
        condition = KeyCondition();
        KeepPosition = true;
    } else {
        condition = ReopenFromCurrentCondition();
    }
    if (condition.empty()) return;
    const std::string current = QueryDialog ? Trim(QueryDialog->GetCondition()) : Trim(LastCondition);
    if (!current.empty() && !SameText(current, "All") && !SameText(current, "1=2")) condition += " and (" + current + ")";
    condition = RkConverter->ToStorageText(condition);
    OpenWithCondition(dm->cdsMain, condition, QueryDialog ? QueryDialog->GetOrder() : LastOrder);
    SetEditMode(emBrowse);
}

void TfrmDouble::btnReFreshClick(TObject* /*Sender*/) {
    if (EditMode == emBrowse) ReopenWithQuery();
}

void TfrmDouble::OpenWithCondition(TDataSet* dataSet, const std::string& condition, const std::string& order) {
    TfrmSingle::OpenWithCondition(dataSet, condition, order);
    TdmDouble* dm = DoubleDM();
    if (!dm || dataSet != dm->cdsMain) return;
    if (dm->cdsMain->Active() && !dm->cdsBody1->Active()) {
        try {
            dm->cdsBody1->Open();
        } catch (const std::exception& e) {
            WriteAlert("DoubleCF-OpenBody", e.what(), "D");
        }
    }
    IndexBody();
}

// --- Modes and control states ---------------------------------------------------------------------

void TfrmDouble::ShowMode(int mode) {
    TfrmSingle::ShowMode(mode);
    gdBody1->SetReadOnly(mode == 1 || !bodyEditable_);
    pnlFoot->SetEnabled(mode != 1);
}

void TfrmDouble::UpdateCommandStates() {
    TfrmSingle::UpdateCommandStates();
    if (ConfirmationLocks()) {
        btnEdit->SetEnabled(false);
        miEdit->SetEnabled(false);
        btnDelete->SetEnabled(false);
        miDelete->SetEnabled(false);
    }
    mnuCopy->SetEnabled(btnFirst->Enabled());
    miCopy->SetEnabled(btnFirst->Enabled());
    btnReFresh->SetEnabled(EditMode == emBrowse && btnFirst->Enabled());
    btnFlow->SetEnabled(btnFirst->Enabled());
    ShowAttachmentState();
    miBodyToExcel->SetEnabled(miTable2Excel->Enabled());
    miBodyToExcel2->SetEnabled(miTable2Excel2->Enabled());
}

void TfrmDouble::UpdateBatchMenu() { TfrmSingle::UpdateBatchMenu(); }

void TfrmDouble::miBodyToExcelClick(TObject* Sender) {
    if (TdmDouble* dm = DoubleDM(); dm && miBodyToExcel->Enabled()) dm->ExportToExcel(dm->cdsBody1, Sender, true);
}

void TfrmDouble::miBodyToExcel2Click(TObject* Sender) {
    if (TdmDouble* dm = DoubleDM(); dm && miBodyToExcel2->Enabled()) dm->ExportTextToExcel(dm->cdsBody1, Sender);
}
