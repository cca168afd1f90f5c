// What the browse grid of a single-table window needs of the data module: the MultiSelected column,
// sorting by a clicked title, and the row colours after a scroll.
#include "env/Log.h"
#include "framework/data/FieldText.h"
#include "framework/data/SingleDM.h"
#include "framework/data/SingleFormLink.h"
#include "i18n/CodeConverter.h"
#include "server/Brokers.h"
#include "toolkit/rtl/ControlsDisabled.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

constexpr const char* kMultiSelected = "MultiSelected";

bool Sortable(const TField* field) {
    if (!field || field->FieldKind() != fkData) return false;
    switch (field->DataType()) {
        case ftMemo:
        case ftBlob:
        case ftDataSet:
        case ftUnknown: return false;
        default: return true;
    }
}

}  // namespace

// --- The MultiSelected column -------------------------------------------------------------------

void TdmSingle::cdsMainBeforeOpen(TDataSet* DataSet) {
    TdmBase::cdsMainBeforeOpen(DataSet);
    CreateMultiSelectedField();
    if (ISingleFormLink* form = FormLink()) form->HeaderDataSetOpening();
}

void TdmSingle::CreateMultiSelectedField() {
    if (cdsMain->FindField(kMultiSelected)) return;
    TField* field = cdsMain->CreateField(ftString, kMultiSelected, fkCalculated, 1);
    field->SetReadOnly(true);
    field->SetVisible(ShowMultiSelected);
    const std::string codePage = Brokers ? Brokers->UICodePage() : std::string("936");
    // (In the interface's script: a traditional interface shows 選定.)
    field->SetDisplayLabel(codePage == "950" || codePage == "936" ? Converter()->ToDisplayText("选定") : "Selected");
    cdsMain->MoveField(field, 0);
    MultiSelectedField = field;
}

void TdmSingle::SetMultiSelectedVisible(bool flag) {
    ShowMultiSelected = flag;
    if (MultiSelectedField) MultiSelectedField->SetVisible(flag);
}

void TdmSingle::cdsMainCalcFields(TDataSet* DataSet) {
    if (!MultiSelectedField) return;
    ISingleFormLink* form = FormLink();
    bool selected = form && form->HeaderRowSelected(DataSet->GetBookmark());
    AssignFieldValue(MultiSelectedField, selected ? "Y" : "N");
}

// --- Sorting by a clicked title -----------------------------------------------------------------

bool TdmSingle::IsAscending(TDataSet* dataSet) const {
    auto* cds = dynamic_cast<TClientDataSet*>(dataSet);
    if (!cds) return false;
    if (!cds->IndexFieldNames().empty()) return true;
    if (cds->IndexName().empty()) return false;
    const TIndexDef* def = cds->IndexDefs().Find(cds->IndexName());
    return !def || !def->Options.contains(ixDescending);
}

void TdmSingle::SortByField(const std::string& fieldName) {
    ISingleFormLink* form = FormLink();
    if (form && !form->TitleSortAllowed()) return;
    const int countBefore = cdsMain->RecordCount();
    if (ClickSort(cdsMain, fieldName, SortField, DefaultIndexFieldNames)) ReshowCurrentRow(countBefore);
}

bool TdmSingle::ClickSort(TClientDataSet* dataSet, const std::string& fieldName, TField*& sortField,
                          const std::string& defaultOrder) {
    if (!dataSet->Active()) return false;
    TField* field = fieldName.empty() ? nullptr : dataSet->FindField(fieldName);
    if (!fieldName.empty() && !Sortable(field)) return false;
    if (!field) {
        if (!sortField) return false;
        dataSet->SetIndexName("");
        dataSet->SetIndexFieldNames(defaultOrder);
        sortField = nullptr;
        return true;
    }
    if (dataSet->State() != dsBrowse) return false;
    const std::string name = field->FieldName();
    if (field != sortField) {
        dataSet->SetIndexFieldNames(name);
    } else if (IsAscending(dataSet)) {
        if (dataSet->IndexDefs().IndexOf(name) < 0) dataSet->AddIndex(name, name, {ixDescending}, name);
        dataSet->SetIndexName(name);
    } else {
        dataSet->SetIndexFieldNames(name);
    }
    sortField = field;
    return true;
}

// A new order can bring rows into view that were fetched meanwhile: step away and back so every
// control shows the current row again.
void TdmSingle::ReshowCurrentRow(int countBefore) {
    if (cdsMain->RecordCount() == countBefore) return;
    try {
        TBookmark here = cdsMain->GetBookmark();
        TControlsDisabled still(cdsMain);
        cdsMain->Next();
        cdsMain->Prior();
        if (here) cdsMain->GotoBookmark(here);
    } catch (const std::exception& e) {
        WriteAlert(Brokers ? Brokers->ProgramId : std::string(), std::string("Single-763:") + e.what(), "D");
    }
}

// --- Row colours --------------------------------------------------------------------------------

void TdmSingle::cdsMainAfterScroll(TDataSet* DataSet) {
    TdmBase::cdsMainAfterScroll(DataSet);
    if (!SuppressRowColors) ApplyRowColors();
}

void TdmSingle::ApplyRowColors() {
    ISingleFormLink* form = FormLink();
    if (!form || !form->ColorManaged()) return;
    try {
        if (cdsMainColor->Active() && cdsMainColor->RecordCount() < cdsMain->RecordCount() && cdsMainColor->MoreRowsAvailable())
            cdsMainColor->GetNextPacket();
        form->ResetRowColors();
        if (!cdsMainColor->Active()) return;
        std::vector<std::string> keys = KeyFieldNames();
        std::vector<Variant> values;
        std::string names;
        for (const std::string& key : keys) {
            TField* field = cdsMain->FindField(key);
            values.push_back(field ? field->Value() : Variant());
            names += (names.empty() ? "" : ";") + key;
        }
        Variant keyValues = values.size() == 1 ? values[0] : VarArrayOf(values);
        if (!names.empty() && cdsMainColor->Locate(names, keyValues)) form->ApplyColorSettings(cdsMainColor);
    } catch (const std::exception&) {
        // Colours are decoration: the window works without them.
    }
}
