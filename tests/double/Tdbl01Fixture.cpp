#include "tests/double/Tdbl01Fixture.h"

#include "server/Brokers.h"
#include "tests/double/program/Tdbl01Install.h"
#include "toolkit/rtl/Format.h"
#include "toolkit/ui/kernel/Application.h"

void Tdbl01Fixture::SetUp() {
    install.CreateCompanyDatabase();
    for (const std::string& sql : Tdbl01InstallStatements()) install.ExecuteSql(sql);
}

void Tdbl01Fixture::TearDown() { CloseForm(); }

TfrmTdbl01* Tdbl01Fixture::Open(const std::string& user) {
    CloseForm();
    form = CreateComponent<TfrmTdbl01>(nullptr);
    form->LibraryPath = TTestInstallation::BinFolder() + "Tdbl01C.so";
    form->Brokers->HostManager = Variant(DispatchPtr(manager));
    OleCall(form->Brokers->HostManager, "Connect", {VarArrayOf({user, "DEMO", "DEMO"})});
    form->StartProgram(VarArrayOf({user, "DEMO", "DEMO", 0, ""}));
    form->Show();
    Application->ProcessMessages();
    return form;
}

void Tdbl01Fixture::CloseForm() {
    if (!form) return;
    TfrmTdbl01* doomed = form;
    form = nullptr;
    doomed->Free();
    Application->ProcessMessages();
}

TdmTdbl01& Tdbl01Fixture::Dm() const { return *dynamic_cast<TdmTdbl01*>(form->DataModule); }

void Tdbl01Fixture::Key(WORD key, TShiftState shift) {
    SimulateKeystroke(nullptr, key, shift);
    Application->ProcessMessages();
}

void Tdbl01Fixture::Type(const std::string& text) {
    SimulateTyping(nullptr, text);
    Application->ProcessMessages();
}

std::string Tdbl01Fixture::Message(const std::string& kind, const std::string& code, const std::vector<Variant>& args) const {
    return Format(manager->GetMessage(kind, code) + " ", args);
}

std::vector<std::string> Tdbl01Fixture::DialogTexts() const {
    std::vector<std::string> texts;
    for (const TShownDialog& dialog : app.Dialogs()) texts.push_back(dialog.Text);
    return texts;
}

void Tdbl01Fixture::ShowOrder(const std::string& category, const std::string& number) {
    form->OpenWithCondition(&Main(), "TDBMA.MA001 = '" + category + "' and TDBMA.MA002 = '" + number + "'", "");
    form->SetEditMode(emBrowse);
    Application->ProcessMessages();
}
