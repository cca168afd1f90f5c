#include "tests/single/program/Tsgl01DataModule.h"

namespace {

struct TLabelled {
    const char* field;
    const char* label;
};
constexpr TLabelled kLabels[] = {{"MA001", "类别"}, {"MA002", "单号"}, {"MA003", "名称"},   {"MA004", "数量"},
                                 {"MA005", "金额"}, {"MA006", "比率"}, {"MA007", "日期"},   {"MA008", "备注"},
                                 {"UDF01", "自定义项1"}, {"UDF51", "自定义项51"}};

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
    for (const TLabelled& l : kLabels)
        if (TField* field = cdsMain->FindField(l.field)) field->SetDisplayLabel(l.label);
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
