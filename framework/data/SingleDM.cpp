#include "framework/data/SingleDM.h"

#include "env/Log.h"
#include "framework/data/FieldText.h"
#include "framework/data/RecordEventsOwner.h"
#include "framework/data/SingleFormLink.h"
#include "i18n/LangKeys.h"
#include "server/Brokers.h"
#include "toolkit/classes/Properties.h"
#include "toolkit/data/Provider.h"
#include "toolkit/rtl/ControlsDisabled.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

constexpr int kInsertMode = 2;

// The refusal texts of a save; the log lines carry sFailedSave's built-in text.
const TLangKeys kSaveKeys("TdmSingle", {{"sFailedSave", "保存失败"},
                                        {"sRecordChanged", "资料已被其他用户更改, 请重新查询后再改"},
                                        {"sRecordDeleted", "资料已被其他用户删除"},
                                        {"sRecordExists", "相同键值的资料已经存在"}});
const std::string& kFailedSave = kSaveKeys.Default("sFailedSave");

}  // namespace

void TdmSingle::Publish(TPublisher<TdmSingle>& p) {
    p.Property("AutoNumber", &TdmSingle::AutoNumber);
    p.Property("AutoNumberField", &TdmSingle::AutoNumberField);
    p.Property("KeyFieldCount", &TdmSingle::KeyFieldCount);
    p.Property("DefaultIndexFieldNames", &TdmSingle::DefaultIndexFieldNames);
    p.Property("ShowMultiSelected", &TdmSingle::ShowMultiSelected);
    p.Method("DataModuleCreate", &TdmSingle::DataModuleCreate);
    p.Method("DataModuleDestroy", &TdmSingle::DataModuleDestroy);
    p.Method("cdsMainReconcileError", &TdmSingle::cdsMainReconcileError);
    p.Method("cdsMainBeforeOpen", &TdmSingle::cdsMainBeforeOpen);
    p.Method("cdsMainAfterOpen", &TdmSingle::cdsMainAfterOpen);
    p.Method("cdsMainAfterScroll", &TdmSingle::cdsMainAfterScroll);
}

TdmSingle::TdmSingle(TComponent* owner) : TdmBase(owner) {
    cdsMain->BeforeOpen = [this](TDataSet* ds) { cdsMainBeforeOpen(ds); };
    cdsMain->AfterOpen = [this](TDataSet* ds) { cdsMainAfterOpen(ds); };
    cdsMain->AfterScroll = [this](TDataSet* ds) { cdsMainAfterScroll(ds); };
    cdsMain->OnCalcFields = [this](TDataSet* ds) { cdsMainCalcFields(ds); };
    cdsMain->OnReconcileError = [this](TClientDataSet* ds, EReconcileError& e, TUpdateKind kind, TReconcileAction& action) {
        cdsMainReconcileError(ds, e, kind, action);
    };
    OnCreate = [this](TObject* sender) { DataModuleCreate(sender); };
    OnDestroy = [this](TObject* sender) { DataModuleDestroy(sender); };
}

TdmSingle::~TdmSingle() = default;

void TdmSingle::DataModuleCreate(TObject* Sender) { TdmBase::DataModuleCreate(Sender); }

void TdmSingle::DataModuleDestroy(TObject* Sender) { TdmBase::DataModuleDestroy(Sender); }

ISingleFormLink* TdmSingle::FormLink() const { return dynamic_cast<ISingleFormLink*>(Owner()); }

std::vector<std::string> TdmSingle::KeyFieldNames() const {
    std::vector<std::string> names;
    for (const std::string& item : SplitString(KeyFields, ',')) {
        std::string name = Trim(item);
        if (std::size_t dot = name.rfind('.'); dot != std::string::npos) name = name.substr(dot + 1);
        if (!name.empty()) names.push_back(name);
    }
    return names;
}

// --- Saving -------------------------------------------------------------------------------------

bool TdmSingle::Save() {
    IRecordEventsOwner* owner = RecordEventsOwner();
    const bool inserting = owner && owner->RecordEditMode() == kInsertMode;
    bool saved = ApplyDataSet(cdsMain);
    if (saved && inserting) RememberKeptValues();
    if (ISingleFormLink* form = FormLink(); form && form->ColorManaged() && cdsMainColor->Active()) {
        form->ReopenColorRows(inserting);
        ApplyRowColors();
    }
    return saved;
}

namespace {

// "类别=A, 单号=202401020001" from the server's context "TSGMA: MA001=A, MA002=202401020001".
std::string RecordText(const TDataSet* dataSet, const std::string& context) {
    std::size_t colon = context.find(':');
    std::string text;
    for (const std::string& pair : SplitString(colon == std::string::npos ? context : context.substr(colon + 1), ',')) {
        std::size_t equals = pair.find('=');
        if (equals == std::string::npos) continue;
        std::string name = Trim(pair.substr(0, equals));
        const TField* field = dataSet ? dataSet->FindField(name) : nullptr;
        text += (text.empty() ? "" : ", ") + (field ? field->DisplayLabel() : name) + "=" + Trim(pair.substr(equals + 1));
    }
    return text;
}

}  // namespace

std::string TdmSingle::RefusalText(const TDataSet* dataSet, const EReconcileError& error) const {
    ISingleFormLink* form = FormLink();
    auto keyed = [form](const char* key) {
        return form ? form->KeyedText(kSaveKeys.ClassName(), key, kSaveKeys.Default(key)) : kSaveKeys.Default(key);
    };
    std::string reason;
    switch (error.ErrorCode()) {
        case rcChanged: reason = keyed("sRecordChanged"); break;
        case rcDeleted: reason = keyed("sRecordDeleted"); break;
        case rcExists: reason = keyed("sRecordExists"); break;
        default: reason = form ? form->ToUserScript(error.Message()) : error.Message(); break;
    }
    const std::string record = RecordText(dataSet, error.Context());
    return keyed("sFailedSave") + (record.empty() ? "" : " [" + record + "]") + "\n" + reason;
}

void TdmSingle::cdsMainReconcileError(TClientDataSet* DataSet, EReconcileError& E, TUpdateKind UpdateKind,
                                      TReconcileAction& Action) {
    ISingleFormLink* form = FormLink();
    if (form) form->ShowSaveError(RefusalText(DataSet, E));
    try {
        const std::string program = Brokers ? Brokers->ProgramId : std::string();
        WriteAlert(program, std::string("Single") + kFailedSave + "Context :" + E.Context(), "D");
        WriteAlert(program, std::string("Single") + kFailedSave + "PreviousError :" + IntToStr(E.PreviousError()), "D");
    } catch (...) {
        // A log that cannot be written must not hide the refusal.
    }
}

void TdmSingle::cdsMainAfterOpen(TDataSet* DataSet) {
    TdmBase::cdsMainAfterOpen(DataSet);
    // Fields come anew with every open: the numbered key is never typed.
    if (TField* numbered = AutoNumber && !AutoNumberField.empty() ? cdsMain->FindField(AutoNumberField) : nullptr)
        numbered->SetRequired(false);
}

// --- Kept values --------------------------------------------------------------------------------

void TdmSingle::KeepValueOf(const std::string& fieldName) {
    if (KeptValues.IndexOfName(fieldName) < 0) KeptValues.Add(fieldName + "=");
}

void TdmSingle::RememberKeptValues() {
    for (int i = 0; i < KeptValues.Count(); ++i) {
        std::string value;
        try {
            TField* field = cdsMain->FindField(KeptValues.Names(i));
            if (field && !field->IsNull()) value = field->Text() + " ";
        } catch (const std::exception&) {
            value.clear();
        }
        KeptValues.SetStrings(i, KeptValues.Names(i) + "=" + value);
    }
}

void TdmSingle::RestoreKeptValues() {
    for (int i = 0; i < KeptValues.Count(); ++i) {
        try {
            if (TField* field = cdsMain->FindField(KeptValues.Names(i)))
                SetFieldText(field, Trim(KeptValues.ValueFromIndex(i)), true);
        } catch (const std::exception&) {
            // A kept value the new record refuses is simply not carried over.
        }
    }
}

void TdmSingle::ClearKeptValues() {
    for (int i = 0; i < KeptValues.Count(); ++i) KeptValues.SetStrings(i, KeptValues.Names(i) + "= ");
}

// --- New records and defaults -------------------------------------------------------------------

void TdmSingle::NewRecordStep(TDataSet* dataSet) {
    AutoNumber = false;
    RestoreKeptValues();
    ApplyDefaultValues();
    ISingleFormLink* form = FormLink();
    if (!form) return;
    form->ApplyUserDefaults();
    TUDFRules rules = form->UDFDefinitions("Z01", "N");
    if (!rules.empty()) LoadUDFValues(cdsMain, rules);
}

void TdmSingle::ApplyDefaultValues() {
    if (!DefaultValues.IsArray() || DefaultValues.DimCount() != 2) return;
    for (int i = DefaultValues.Low(2); i <= DefaultValues.High(2); ++i) {
        std::string name = VarToStr(DefaultValues.At(DefaultValues.Low(1), i));
        if (TField* field = cdsMain->FindField(name)) AssignFieldValue(field, DefaultValues.At(DefaultValues.Low(1) + 1, i));
    }
}

// --- Keys and the automatic number --------------------------------------------------------------

void TdmSingle::SetAutoNumber(bool flag) {
    if (flag != AutoNumber) AutoNumberField.clear();
    AutoNumber = flag;
    if (!flag) return;
    std::vector<std::string> keys = KeyFieldNames();
    if (keys.empty()) return;
    AutoNumberField = keys.back();
    if (TField* field = cdsMain->FindField(AutoNumberField)) field->SetRequired(false);
}

void TdmSingle::SetKeyFields(const std::string& keys) {
    TdmBase::SetKeyFields(keys);
    KeyFieldCount = static_cast<int>(KeyFieldNames().size());
    if (AutoNumber && AutoNumberField.empty()) {
        AutoNumber = false;
        SetAutoNumber(true);
    }
}

bool TdmSingle::KeyCondition(std::string& text) {
    text.clear();
    if (cdsMain->State() != dsBrowse) return false;
    IRecordEventsOwner* owner = RecordEventsOwner();
    ISingleFormLink* form = FormLink();
    const bool numbering = AutoNumber && owner && owner->RecordEditMode() == kInsertMode && form;
    for (const std::string& name : KeyFieldNames()) {
        TField* field = cdsMain->FindField(name);
        if (!field) continue;
        std::string value = field->AsString();
        bool quoted = !IsNumericFieldType(field->DataType());
        if (numbering && SameText(name, AutoNumberField)) {
            value = form->GeneratedNumber();
            quoted = true;
        }
        if (!text.empty()) text += " and ";
        text += (MainTable.empty() ? std::string() : MainTable + ".") + name + " = " + (quoted ? QuotedStr(value) : value);
    }
    return !text.empty();
}

void TdmSingle::RememberKeyValues() {
    std::vector<std::string> keys = KeyFieldNames();
    for (std::size_t i = 0; i < keys.size() && i < KeyValues.size(); ++i) {
        TField* field = cdsMain->FindField(keys[i]);
        KeyValues[i] = field ? field->Text() : std::string();
    }
}

// --- Utilities of the forms ---------------------------------------------------------------------

void TdmSingle::FetchAll(TDataSet* dataSet) {
    auto* cds = dynamic_cast<TClientDataSet*>(dataSet);
    if (!cds || !cds->Active()) return;
    TControlsDisabled still(cds);
    while (cds->GetNextPacket() > 0) {}
    cds->First();
}

int TdmSingle::DigitGroupOf(const std::string& fieldName, int def) {
    for (int n = 0; n <= 10; ++n) {
        int decimals = GetDigitFieldGroupDecimals(n);
        if (decimals >= 0 && GetDigitFieldGroup(n).find(fieldName) != std::string::npos) return decimals;
    }
    return def;
}

void TdmSingle::ComboDisplayText(TDataSet* dataSet, TObject* caller, std::string& text, const std::string& value,
                                 const std::string& fieldName) {
    text = value;
    const TStrings* types = ControlTypeOf(dataSet);
    if (!types) return;
    for (int i = 0; i < types->Count(); ++i) {
        std::vector<std::string> parts = SplitString(types->Strings(i), ';');
        if (parts.size() < 3 || !SameText(Trim(parts[0]), fieldName) || !SameText(Trim(parts[1]), "CustomEdit")) continue;
        TComponent* control = Owner() ? Owner()->FindComponent(Trim(parts[2])) : nullptr;
        TStrings* items = control && control->InheritsFrom("TCustomComboBox") ? GetStringsProp(control, "Items") : nullptr;
        if (!items) return;
        for (int j = 0; j < items->Count(); ++j)
            if (items->Strings(j).find(value) != std::string::npos) {
                text = items->Strings(j).substr(0, items->Strings(j).find('\t'));
                return;
            }
        return;
    }
}

void TdmSingle::ApplyHomeCurrencyFormats() {
    for (TCurrencyDigitType kind : {cdtPrice, cdtMoney, cdtUnitCost, cdtCostsAmount}) {
        std::string spec = CurrencyFieldGroups.Values(std::string("SYS003||") + CurrencyDigitTypeName(kind));
        if (Trim(spec).empty()) continue;
        int digits = Brokers ? CurrencyDigits(Brokers->GetSysValue("SYS003"), kind) : -1;
        ApplyNumberFormats(spec, digits, true);
    }
}

TStrings& TdmSingle::ControlType(TDataSet* dataSet) { return controlTypes_[dataSet]; }

const TStrings* TdmSingle::ControlTypeOf(const TDataSet* dataSet) const {
    auto found = controlTypes_.find(dataSet);
    return found == controlTypes_.end() ? nullptr : &found->second;
}
