#include "tests/double/program/Tdbl01DataModule.h"

#include "toolkit/data/DataSetField.h"
#include "toolkit/data/DataSource.h"

TdmTdbl01::TdmTdbl01(TComponent* owner) : TdmDouble(owner) {
    cdsMain->ProviderName = "pvdMain";
    cdsSubBody1 = CreateComponent<TClientDataSet>(this);
    cdsSubBody1->SetName("cdsSubBody1");
    dsSubBody1 = CreateComponent<TDataSource>(this);
    dsSubBody1->SetName("dsSubBody1");
    dsSubBody1->SetDataSet(cdsSubBody1);
    cdsMain->AfterOpen = [this](TDataSet* ds) {
        cdsMainAfterOpen(ds);
        AttachHandlers();
    };
    cdsBody1->AfterOpen = [this](TDataSet* ds) {
        cdsBody1AfterOpen(ds);
        LinkSubBody();
    };
    SetAutoNumber(true);
}

void TdmTdbl01::AttachHandlers() {
    if (TField* category = cdsMain->FindField("MA001"))
        category->OnChange = [this](TField*) {
            if (cdsMain->State() == dsInsert && OnCategoryChange) OnCategoryChange();
        };
}

// Every open of the lines brings a new dataset field for the lots.
void TdmTdbl01::LinkSubBody() {
    auto* field = dynamic_cast<TDataSetField*>(cdsBody1->FindField("qrySubBody"));
    if (!field) return;
    field->SetVisible(false);
    if (cdsSubBody1->DataSetField() != field) cdsSubBody1->SetDataSetField(field);
    if (!cdsSubBody1->Active()) cdsSubBody1->Open();
}
