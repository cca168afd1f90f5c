#include "framework/data/RadicalDM.h"

#include <array>

#include "framework/data/FieldText.h"
#include "server/Brokers.h"
#include "toolkit/classes/Properties.h"
#include "toolkit/data/Field.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

constexpr std::array<const char*, 7> kSystemColumns = {"COMPANY",  "CREATOR",   "USR_GROUP", "CREATE_DATE",
                                                       "MODIFIER", "MODI_DATE", "FLAG"};

}  // namespace

void TdmRadical::Publish(TPublisher<TdmRadical>& p) {
    p.Property("ConnectOption", &TdmRadical::ConnectOption);
    p.Property("DateOrder", &TdmRadical::DateOrder);
    p.Property("DateSeparator", &TdmRadical::DateSeparator);
    p.Property("Today", &TdmRadical::Today);

    p.Method("TimeFieldEditMask", &TdmRadical::TimeFieldEditMask);
    p.Method("TimeFieldGetText", &TdmRadical::TimeFieldGetText);
    p.Method("TimeFieldSetText", &TdmRadical::TimeFieldSetText);
    p.Method("TimeFieldValidate", &TdmRadical::TimeFieldValidate);
    p.Method("DayFieldEditMask", &TdmRadical::DayFieldEditMask);
    p.Method("MonthFieldEditMask", &TdmRadical::MonthFieldEditMask);
    p.Method("DayFieldSetText", &TdmRadical::DayFieldSetText);
    p.Method("MonthFieldSetText", &TdmRadical::MonthFieldSetText);
    p.Method("DayFieldValidate", &TdmRadical::DayFieldValidate);
    p.Method("MonthFieldValidate", &TdmRadical::MonthFieldValidate);
    p.Method("DateFieldEditMask", &TdmRadical::DateFieldEditMask);
    p.Method("DateFieldGetText", &TdmRadical::DateFieldGetText);
    p.Method("DateFieldSetText", &TdmRadical::DateFieldSetText);
    p.Method("DateFieldValidate", &TdmRadical::DateFieldValidate);
    p.Method("DateTimeFieldGetText", &TdmRadical::DateTimeFieldGetText);
    p.Method("MDFieldEditMask", &TdmRadical::MDFieldEditMask);
    p.Method("MDFieldGetText", &TdmRadical::MDFieldGetText);
    p.Method("MDFieldSetText", &TdmRadical::MDFieldSetText);
    p.Method("MDFieldValidate", &TdmRadical::MDFieldValidate);
    p.Method("YMFieldEditMask", &TdmRadical::YMFieldEditMask);
    p.Method("YMFieldGetText", &TdmRadical::YMFieldGetText);
    p.Method("YMFieldSetText", &TdmRadical::YMFieldSetText);
    p.Method("YMFieldValidate", &TdmRadical::YMFieldValidate);
    p.Method("YearFieldEditMask", &TdmRadical::YearFieldEditMask);
    p.Method("YearFieldGetText", &TdmRadical::YearFieldGetText);
    p.Method("YearFieldSetText", &TdmRadical::YearFieldSetText);
    p.Method("SecondFieldEditMask", &TdmRadical::SecondFieldEditMask);
    p.Method("SecondFldGetText", &TdmRadical::SecondFldGetText);
    p.Method("SecondFldSetText", &TdmRadical::SecondFldSetText);
    p.Method("PercentFieldEditMask", &TdmRadical::PercentFieldEditMask);
    p.Method("PercentFieldGetText", &TdmRadical::PercentFieldGetText);
    p.Method("PercentFieldSetText", &TdmRadical::PercentFieldSetText);
    p.Method("NumberFieldDisplayFormat", &TdmRadical::NumberFieldDisplayFormat);
    p.Method("NumberFieldEditFormat", &TdmRadical::NumberFieldEditFormat);
    p.Method("CustomerFieldSetText", &TdmRadical::CustomerFieldSetText);
    p.Method("ProviderFieldSetText", &TdmRadical::ProviderFieldSetText);
    p.Method("CostFieldSetText", &TdmRadical::CostFieldSetText);
    p.Method("BarCodeFieldSetText", &TdmRadical::BarCodeFieldSetText);
    p.Method("DOGetText", &TdmRadical::DOGetText);
    p.Method("DOSetText", &TdmRadical::DOSetText);
    p.Method("DataModuleCreate", &TdmRadical::DataModuleCreate);
    p.Method("DataModuleDestroy", &TdmRadical::DataModuleDestroy);
}

TdmRadical::TdmRadical(TComponent* owner) : TDataModule(owner) {
    MIDAS.Name = "MIDAS";
    MIDAS.ServerName = "Nexor01S.Class1";
    MIDAS.Address = "127.0.0.1";
    MIDAS.SupportCallbacks = false;

    SOB = CreateComponent<TSimpleObjectBroker>(this);
    SOB->SetName("SOB");

    scLookUpData.Name = "scLookUpData";
    scLookUpData.ServerName = "PickvuS.Class1";
    scLookUpData.ServerGUID = "{BB19C8CE-93C6-11D2-B924-0080C8938389}";
    scLookUpData.Address = "127.0.0.1";

    cdsSaveCondition = CreateComponent<TClientDataSet>(this);
    cdsSaveCondition->SetName("cdsSaveCondition");
    cdsSaveCondition->ProviderName = "pvdConSave";
    cdsSaveCondition->RemoteServer = &MIDAS;
    cdsSaveCondition->AddIndex("Index1", "NCONDITION;CREATOR;PROGRAMME");
    cdsSaveCondition->SetIndexName("Index1");

    OnCreate = [this](TObject* sender) { DataModuleCreate(sender); };
    OnDestroy = [this](TObject* sender) { DataModuleDestroy(sender); };
}

TdmRadical::~TdmRadical() {
    // The datasets go with the owned components; they must not outlive the connection they name.
    DestroyComponents();
}

bool TdmRadical::IsSystemColumn(const std::string& name) {
    for (const char* column : kSystemColumns)
        if (SameText(name, column)) return true;
    return false;
}

void TdmRadical::DataModuleCreate(TObject* /*Sender*/) { ConnectOption = true; }

void TdmRadical::DataModuleDestroy(TObject* /*Sender*/) {}

void TdmRadical::SetDateSettings(int dateOrder, const std::string& dateSeparator) {
    DateOrder = dateOrder;
    DateSeparator = dateSeparator;
}

std::string TdmRadical::Separator() const { return DateSeparator.substr(0, DateSeparator.empty() ? 0 : 1); }

void TdmRadical::RefuseEntry(const std::string& code, const std::vector<Variant>& args) {
    if (Brokers) Brokers->ShowMessageByCode("E", code, args);
    Abort();
}

void TdmRadical::SetFieldText(TField* field, const std::string& text, bool asEditText) {
    ::SetFieldText(field, text, asEditText);
}

void TdmRadical::AttachFieldHandler(TField* field, const std::string& handlerName) {
    if (!field) return;
    if (auto getText = MethodAddress<void(TField*, std::string&, bool)>(this, handlerName)) {
        field->OnGetText = std::move(getText);
    } else if (auto setText = MethodAddress<void(TField*, const std::string&)>(this, handlerName)) {
        field->OnSetText = std::move(setText);
    } else if (auto validate = MethodAddress<void(TField*)>(this, handlerName)) {
        field->OnValidate = std::move(validate);
    } else if (auto format = MethodAddress<std::string()>(this, handlerName); format && EndsText("EditMask", handlerName)) {
        field->SetEditMask(format());
    } else if (format && EndsText("EditFormat", handlerName)) {
        field->SetEditFormat(format());
    } else {
        throw EInvalidOperation("No field handler " + handlerName + " in " + ClassName());
    }
}
