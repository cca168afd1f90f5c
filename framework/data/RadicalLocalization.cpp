// Field labels and texts in the user's script.
#include "framework/data/RadicalDM.h"
#include "i18n/CodeConverter.h"
#include "i18n/LangKeys.h"
#include "toolkit/data/Field.h"

namespace {

const TLangKeys kRadicalKeys("TdmRadical", {{"sCompany", "公司编号"},
                                            {"sCreator", "录入者"},
                                            {"sGroup", "组编号"},
                                            {"sCreateDate", "录入日期"},
                                            {"sModifier", "更改者"},
                                            {"sModiDate", "更改日期"},
                                            {"sFlag", "标识"}});

struct TSystemColumnLabel {
    const char* column;
    const char* key;
};

constexpr TSystemColumnLabel kSystemColumnLabels[] = {
    {"COMPANY", "sCompany"},   {"CREATOR", "sCreator"},    {"USR_GROUP", "sGroup"}, {"CREATE_DATE", "sCreateDate"},
    {"MODIFIER", "sModifier"}, {"MODI_DATE", "sModiDate"}, {"FLAG", "sFlag"},
};

bool IsTextField(const TField* field) { return field->DataType() == ftString || field->DataType() == ftMemo; }

}  // namespace

void TdmRadical::LabelSystemColumns(TDataSet* dataSet) {
    if (!dataSet) return;
    for (const TSystemColumnLabel& label : kSystemColumnLabels) {
        if (TField* field = dataSet->FindField(label.column)) field->SetDisplayLabel(kRadicalKeys.Text(label.key));
    }
    for (const char* stamp : {"CREATE_DATE", "MODI_DATE"}) {
        if (TField* field = dataSet->FindField(stamp)) AttachFieldHandler(field, "DateTimeFieldGetText");
    }
}

void TdmRadical::LocalizeFields() {
    for (TComponent* component : ComponentList()) {
        auto* dataSet = dynamic_cast<TClientDataSet*>(component);
        if (!dataSet) continue;
        for (TField* field : dataSet->FieldList()) {
            field->SetDisplayLabel(Converter()->ToDisplayText(field->DisplayLabel()));
            if (!IsTextField(field)) continue;
            if (!field->OnGetText) AttachFieldHandler(field, "DOGetText");
            if (!field->OnSetText) AttachFieldHandler(field, "DOSetText");
        }
    }
}

void TdmRadical::DOGetText(TField* Sender, std::string& Text, bool /*DisplayText*/) {
    Text = Converter()->FromStorageText(Sender->AsString());
}

void TdmRadical::DOSetText(TField* Sender, const std::string& Text) { Sender->SetAsString(Converter()->ToStorageText(Text)); }

TCodeConverter* TdmRadical::Converter() {
    if (Owner())
        if (auto* windows = dynamic_cast<TCodeConverter*>(Owner()->FindComponent("RkConverter"))) return windows;
    if (!ownConverter_) ownConverter_ = CreateComponent<TCodeConverter>(this);
    return ownConverter_;
}
