#include "tests/single/program/Tsgl01DataModule.h"

#include "i18n/LangKeys.h"

namespace {

// The fields' labels: keyed texts "s" + field name, so that the language packs give them.
const TLangKeys kLabels("TdmTsgl01", {{"sMA001", "类别"},
                                      {"sMA002", "单号"},
                                      {"sMA003", "名称"},
                                      {"sMA004", "数量"},
                                      {"sMA005", "金额"},
                                      {"sMA006", "比率"},
                                      {"sMA007", "日期"},
                                      {"sMA008", "备注"},
                                      {"sUDF01", "自定义项1"},
                                      {"sUDF51", "自定义项51"}});
constexpr const char* kLabelledFields[] = {"MA001", "MA002", "MA003", "MA004", "MA005",
                                           "MA006", "MA007", "MA008", "UDF01", "UDF51"};

}  // namespace

TdmTsgl01::TdmTsgl01(TComponent* owner) : TdmSingle(owner) {
    cdsMain->AfterOpen = [this](TDataSet* ds) {
        cdsMainAfterOpen(ds);
        AttachHandlers();
    };
    SetAutoNumber(true);
    KeepValueOf("MA001");
    KeepValueOf("MA007");
}

void TdmTsgl01::AttachHandlers() {
    for (const char* name : kLabelledFields)
        if (TField* field = cdsMain->FindField(name)) field->SetDisplayLabel(kLabels.Text(std::string("s") + name));
    if (TField* date = cdsMain->FindField("MA007")) {
        for (const char* handler : {"DateFieldGetText", "DateFieldSetText", "DateFieldValidate", "DateFieldEditMask"})
            AttachFieldHandler(date, handler);
        DateField = date;
        date->SetDisplayWidth(10);
    }
    if (TField* category = cdsMain->FindField("MA001"))
        category->OnChange = [this](TField*) {
            if (cdsMain->State() == dsInsert && OnCategoryChange) OnCategoryChange();
        };
    if (TField* rate = cdsMain->FindField("MA006"))
        for (const char* handler : {"PercentFieldGetText", "PercentFieldSetText"}) AttachFieldHandler(rate, handler);
}

void TdmTsgl01::InitNewRecord() {
    if (TField* quantity = cdsMain->FindField("MA004"); quantity && quantity->IsNull()) quantity->SetValue(1);
}
