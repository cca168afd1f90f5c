#include "tests/double/Tdbl01Fixture.h"

#include <utility>

#include "tests/double/program/Tdbl01Install.h"
#include "toolkit/ui/kernel/Application.h"

void Tdbl01Fixture::SetUp() {
    install.CreateCompanyDatabase();
    for (const std::string& sql : Tdbl01InstallStatements()) install.ExecuteSql(sql);
}

void Tdbl01Fixture::TearDown() { Free(std::exchange(form, nullptr)); }

TfrmTdbl01* Tdbl01Fixture::Open(const std::string& user) {
    Free(std::exchange(form, nullptr));
    form = CreateComponent<TfrmTdbl01>(nullptr);
    Start(*form, "Tdbl01C.so", user);
    return form;
}

TdmTdbl01& Tdbl01Fixture::Dm() const { return *dynamic_cast<TdmTdbl01*>(form->DataModule); }

void Tdbl01Fixture::ShowOrder(const std::string& category, const std::string& number) {
    form->OpenWithCondition(&Main(), "TDBMA.MA001 = '" + category + "' and TDBMA.MA002 = '" + number + "'", "");
    form->SetEditMode(emBrowse);
    Application->ProcessMessages();
}
