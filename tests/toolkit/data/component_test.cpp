#include <gtest/gtest.h>

#include "toolkit/classes/Properties.h"
#include "toolkit/data/ClientDataSet.h"
#include "toolkit/data/DataSource.h"
#include "toolkit/data/Fields.h"

// Data modules own their datasets and sources; language files reach fields by name.
TEST(DataComponents, DatasetsAndSourcesAreOwnedAndFoundByName) {
    auto* module = CreateComponent<TComponent>(nullptr);
    auto* cds = CreateComponent<TClientDataSet>(module);
    cds->SetName("cdsMain");
    auto* ds = CreateComponent<TDataSource>(module);
    ds->SetName("dsMain");
    ds->SetDataSet(cds);

    EXPECT_EQ(module->FindComponent("CDSMAIN"), cds);
    EXPECT_EQ(module->FindComponent("dsMain"), ds);
    EXPECT_TRUE(cds->InheritsFrom("TDataSet"));
    EXPECT_EQ(std::string(cds->ClassName()), "TClientDataSet");

    cds->FieldDefs().Add("MC001", ftString, 10);
    cds->CreateDataSet();
    TField* f = cds->FieldByName("MC001");
    SetPropValue(f, "DisplayLabel", "文档编号");
    EXPECT_EQ(f->DisplayLabel(), "文档编号");
    EXPECT_EQ(GetPropValue(f, "DisplayLabel").AsString(), "文档编号");
    SetPropValue(f, "Visible", false);
    EXPECT_FALSE(f->Visible());
    module->Free();
}
