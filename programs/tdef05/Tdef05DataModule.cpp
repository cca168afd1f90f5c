#include "programs/tdef05/Tdef05DataModule.h"

#include "framework/data/FieldText.h"
#include "framework/data/SingleFormLink.h"
#include "i18n/LangKeys.h"
#include "i18n/LangMessage.h"
#include "server/Brokers.h"
#include "toolkit/classes/Properties.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

// The fields' labels: keyed texts "s" + field name, so that the language packs give them.
const TLangKeys kLabels("TdmTdef05", {{"sMC001", "文档编号"},
                                      {"sMC002", "文件名"},
                                      {"sMC003", "类型"},
                                      {"sMC004", "系统编号"},
                                      {"sMC004C", "系统名称"},
                                      {"sMC005", "备注"},
                                      {"sMD001", "文档代码"},
                                      {"sMD002", "序号"},
                                      {"sMD003", "字段编号"},
                                      {"sMD004", "字段名称"},
                                      {"sMD005", "类型"},
                                      {"sMD006", "长度"},
                                      {"sMD007", "字段说明"},
                                      {"sMD008", "实体类型"}});

struct TFieldLook {
    const char* name;
    int displayWidth;  // characters shown in a grid; 0 keeps the field's own
};

constexpr TFieldLook kHeaderFields[] = {{"MC001", 0}, {"MC002", 0}, {"MC003", 12}, {"MC004", 0}, {"MC004C", 0}, {"MC005", 30}};
constexpr TFieldLook kBodyFields[] = {{"MD001", 0},  {"MD002", 0}, {"MD003", 0},  {"MD004", 0},
                                      {"MD005", 10}, {"MD006", 8}, {"MD007", 30}, {"MD008", 0}};

// The user-defined columns are there for the customisation, not for the screen.
void HideUserFields(TDataSet* dataSet) {
    for (TField* field : dataSet->FieldList())
        if (StartsText("UDF", field->FieldName())) field->SetVisible(false);
}

}  // namespace

void TdmTdef05::Publish(TPublisher<TdmTdef05>& p) {
    p.Method("cdsMainMC001Validate", &TdmTdef05::cdsMainMC001Validate);
    p.Method("cdsMainMC004Validate", &TdmTdef05::cdsMainMC004Validate);
    p.Method("cdsBody1MD003Validate", &TdmTdef05::cdsBody1MD003Validate);
    p.Method("cdsBody1MD006Validate", &TdmTdef05::cdsBody1MD006Validate);
}

TdmTdef05::TdmTdef05(TComponent* owner) : TdmDouble(owner) {
    MIDAS.ServerName = "Nexor01S.Class1";
    MIDAS.Address = "127.0.0.1";
    cdsMain->ProviderName = "pvdMain";
    ControlType(cdsMain).Add("MC003;CustomEdit;cboMC003G");
    ControlType(cdsBody1).Add("MD005;CustomEdit;cboMD005G");
    BodyDataSetFieldName = "qryBody";
    cdsBody1->SetIndexFieldNames("MD001;MD002");
    cdsMain->AfterOpen = [this](TDataSet* ds) {
        cdsMainAfterOpen(ds);
        PrepareHeaderFields();
    };
    cdsBody1->AfterOpen = [this](TDataSet* ds) {
        PrepareBodyFields();
        cdsBody1AfterOpen(ds);
    };
}

// Every open labels the fields anew, in the interface's language (the window's texts when there is
// one, else the client's language file).
void TdmTdef05::Label(TDataSet* dataSet, const char* name, int displayWidth) {
    TField* field = dataSet->FindField(name);
    if (!field) return;
    const std::string key = std::string("s") + name;
    ISingleFormLink* texts = FormLink();
    field->SetDisplayLabel(texts ? texts->KeyedText(kLabels.ClassName(), key, kLabels.Default(key)) : kLabels.Text(key));
    if (displayWidth > 0) field->SetDisplayWidth(displayWidth);
}

void TdmTdef05::PrepareHeaderFields() {
    TLangLookupBatch labels;
    for (const TFieldLook& look : kHeaderFields) Label(cdsMain, look.name, look.displayWidth);
    HideUserFields(cdsMain);
    if (TField* code = cdsMain->FindField("MC001")) code->OnValidate = [this](TField* f) { cdsMainMC001Validate(f); };
    if (TField* system = cdsMain->FindField("MC004")) system->OnValidate = [this](TField* f) { cdsMainMC004Validate(f); };
}

void TdmTdef05::PrepareBodyFields() {
    TLangLookupBatch labels;
    for (const TFieldLook& look : kBodyFields) Label(cdsBody1, look.name, look.displayWidth);
    HideUserFields(cdsBody1);
    for (TField* field : cdsBody1->FieldList())
        if (IsSystemColumn(field->FieldName())) field->SetVisible(false);
    if (TField* document = cdsBody1->FindField("MD001")) document->SetVisible(false);
    if (TField* code = cdsBody1->FindField("MD003")) code->OnValidate = [this](TField* f) { cdsBody1MD003Validate(f); };
    if (TField* length = cdsBody1->FindField("MD006")) length->OnValidate = [this](TField* f) { cdsBody1MD006Validate(f); };
}

// --- Defaults -------------------------------------------------------------------------------------

void TdmTdef05::InitNewRecord() {
    if (TField* type = cdsMain->FindField("MC003")) SetFieldText(type, "1", false);
}

void TdmTdef05::InitBodyRecord() {
    TdmDouble::InitBodyRecord();
    if (TField* type = cdsBody1->FindField("MD005")) SetFieldText(type, "C", false);
    // The program numbers its lines itself: one above the highest, four digits ("%.4d").
    std::string number;
    NextLineNumber(BodyClone, "MD002", number);
    if (TField* line = cdsBody1->FindField("MD002"); line && !number.empty()) SetFieldText(line, number, false);
}

// --- Checks ---------------------------------------------------------------------------------------

void TdmTdef05::cdsMainMC001Validate(TField* Sender) { CheckNotExists(Sender, "ADMMC", "E", "MC001", "01"); }

void TdmTdef05::cdsMainMC004Validate(TField* Sender) { CheckAndFill(Sender, "ADMMA", "E", Variant(), "MC004C", "01"); }

void TdmTdef05::cdsBody1MD003Validate(TField* Sender) {
    if (!Sender->AsString().empty() && IsDuplicateBodyKey(Sender, "")) RefuseEntry("000002", {Sender->DisplayLabel()});
}

void TdmTdef05::cdsBody1MD006Validate(TField* Sender) {
    TField* type = cdsBody1->FindField("MD005");
    const bool numeric = type && Trim(type->AsString()) == "N";
    if (!numeric && Sender->AsString().find('.') != std::string::npos) {
        // Only numbers have decimals: warned, and refused whatever the answer.
        if (Brokers) Brokers->ShowMessageByCode("W", "100001", {"", "", ""});
        Abort();
    }
    if (!Sender->IsNull() && Sender->AsFloat() <= 0) RefuseEntry("100012", {Sender->DisplayLabel()});
}
