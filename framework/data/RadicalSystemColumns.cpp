// The suite's system columns: stamping rows before they are posted, finalizing the FLAG marks when
// saving, and the helpers that show, hide and fill columns.
#include <array>
#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

#include "env/Log.h"
#include "framework/data/FieldText.h"
#include "framework/data/NestedRowChanges.h"
#include "framework/data/RadicalDM.h"
#include "server/Brokers.h"
#include "toolkit/data/DataSetField.h"
#include "toolkit/rtl/ControlsDisabled.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/rtl/ValueRollback.h"

namespace {

bool EditState(const TDataSet* dataSet) { return dataSet->State() == dsEdit || dataSet->State() == dsInsert; }

// FLAG as a number; 0 when the dataset has none.
long long FlagOf(const TDataSet* dataSet) {
    TField* flag = dataSet->FindField("FLAG");
    return flag ? TdmRadical::FlagMark(flag->Value()) : 0;
}

void Stamp(TDataSet* dataSet, const char* column, const Variant& value) { AssignFieldValue(dataSet->FindField(column), value); }

// The dataset's own events, taken away while the marks are finalized and given back afterwards; its
// controls are held still meanwhile and shown the result once.
class TSuspendedEvents {
public:
    explicit TSuspendedEvents(TDataSet& dataSet) : ds_(dataSet) {
        for (std::size_t i = 0; i < kEvents.size(); ++i) saved_[i] = std::exchange(ds_.*kEvents[i], nullptr);
        ds_.DisableControls();
    }
    ~TSuspendedEvents() {
        for (std::size_t i = 0; i < kEvents.size(); ++i) ds_.*kEvents[i] = std::move(saved_[i]);
        try {
            ds_.EnableControls();
        } catch (const std::exception&) {
            // A control that cannot repaint must not stop the save.
        }
    }
    TSuspendedEvents(const TSuspendedEvents&) = delete;
    TSuspendedEvents& operator=(const TSuspendedEvents&) = delete;

private:
    static constexpr std::array<TDataSetNotifyEvent TDataSet::*, 10> kEvents = {
        &TDataSet::AfterEdit,    &TDataSet::AfterInsert, &TDataSet::AfterOpen,  &TDataSet::AfterPost,    &TDataSet::BeforeEdit,
        &TDataSet::BeforeInsert, &TDataSet::BeforeOpen,  &TDataSet::BeforePost, &TDataSet::BeforeScroll, &TDataSet::AfterScroll};
    TDataSet& ds_;
    std::array<TDataSetNotifyEvent, 10> saved_;
};

std::vector<TDataSet*> NestedDataSets(const TDataSet* dataSet) {
    std::vector<TDataSet*> nested;
    for (TField* field : dataSet->FieldList())
        if (auto* dataSetField = AsDataSetField(field); dataSetField && dataSetField->NestedDataSet())
            nested.push_back(dataSetField->NestedDataSet());
    return nested;
}

// Posts what is being edited, details first, with the datasets' own events (so rows still get
// their stamps).
void PostPending(TDataSet* dataSet) {
    for (TDataSet* nested : NestedDataSets(dataSet)) PostPending(nested);
    if (EditState(dataSet)) dataSet->Post();
}

void FinalizeRow(TDataSet* dataSet) {
    long long flag = FlagOf(dataSet);
    if (flag >= 0) return;
    dataSet->Edit();
    AssignFieldValue(dataSet->FindField("FLAG"), Variant(std::llabs(flag)));
    dataSet->Post();
}

}  // namespace

long long TdmRadical::FlagMark(const Variant& value) {
    // Read for every line on save: a stored number is taken as it is, not through its text.
    if (value.Type() == VarType::Integer) return value.AsInt64();
    if (value.Type() == VarType::Double && std::isfinite(value.AsDouble()))
        return static_cast<long long>(std::trunc(value.AsDouble()));
    double number = 0;
    if (value.IsNull() || !TryStrToFloat(Trim(value.AsString()), number)) return 0;
    return static_cast<long long>(std::trunc(number));
}

void TdmRadical::StampSystemColumns(TDataSet* dataSet) {
    if (!dataSet) return;
    const std::string user = Brokers ? Brokers->UserId : std::string();
    const long long flag = FlagOf(dataSet);
    if (flag < 0) return;  // stamped in this edit already
    if (dataSet->State() == dsInsert) {
        Stamp(dataSet, "COMPANY", Brokers ? Brokers->CompanyId : std::string());
        Stamp(dataSet, "CREATOR", user);
        Stamp(dataSet, "CREATE_DATE", Today);
        Stamp(dataSet, "USR_GROUP", Brokers ? Brokers->UserGroup : std::string());
        Stamp(dataSet, "FLAG", Variant(-1));
    } else if (dataSet->State() == dsEdit) {
        Stamp(dataSet, "MODIFIER", user);
        Stamp(dataSet, "MODI_DATE", Today);
        Stamp(dataSet, "FLAG", Variant(-((flag + 1) % 1000)));
    }
}

void TdmRadical::FinalizeMarks(TDataSet* dataSet, bool nested) {
    TSuspendedEvents suspended(*dataSet);
    for (TDataSet* detail : NestedDataSets(dataSet)) FinalizeMarks(detail, true);
    if (!dataSet->Active() || dataSet->IsEmpty()) return;
    if (nested) {
        TField* flag = dataSet->FindField("FLAG");
        auto* rows = dynamic_cast<TClientDataSet*>(dataSet);
        if (flag && rows) {
            // Every line in one pass: only FLAG changes, each line logged as its own edit would be.
            const auto slot = static_cast<std::size_t>(flag->Slot());
            ModifyNestedRows(rows, [flag, slot](std::vector<Variant>& values) {
                const long long mark = FlagMark(values[slot]);
                if (mark >= 0) return false;
                values[slot] = flag->Normalize(Variant(std::llabs(mark)));
                return true;
            });
            dataSet->First();
            return;
        }
        dataSet->Last();
        while (!dataSet->Bof()) {
            FinalizeRow(dataSet);
            dataSet->Prior();
        }
    } else {
        FinalizeRow(dataSet);
        // Finalizing details puts the master into edit; its own values did not change.
        if (EditState(dataSet)) dataSet->Post();
    }
}

bool TdmRadical::ApplyDataSet(TClientDataSet* dataSet) {
    if (!dataSet) return false;
    try {
        // A row still being edited is posted first, with its events, so that it is stamped and then
        // finalized like every other; posted after the finalizing it would be stored marked.
        PostPending(dataSet);
        FinalizeMarks(dataSet, false);
        if (EditState(dataSet)) dataSet->Post();
        return dataSet->ApplyUpdates(0) == 0;
    } catch (const std::exception& e) {
        WriteAlert("Class knlRadical-311", e.what(), "D");
        throw;
    }
}

void TdmRadical::FillNulls(TDataSet* dataSet) {
    if (!dataSet) return;
    for (TField* field : dataSet->FieldList()) {
        if (field->FieldKind() != fkData || !field->IsNull()) continue;
        Variant value;
        switch (field->DataType()) {
            case ftString: value = std::string(); break;
            case ftSmallint:
            case ftInteger:
            case ftWord:
            case ftFloat:
            case ftCurrency: value = 0; break;
            default: continue;
        }
        TValueRollback validate(field->OnValidate, TFieldNotifyEvent());
        AssignFieldValue(field, value);
    }
}

void TdmRadical::ShowSystemColumns(TDataSet* dataSet, bool visible) {
    if (!dataSet) return;
    TControlsDisabled still(dataSet);
    for (TField* field : dataSet->FieldList()) {
        if (!IsSystemColumn(field->FieldName())) continue;
        field->SetVisible(visible);
        field->SetReadOnly(visible);
    }
}
