#include "tests/single/SingleFixture.h"

#include "server/Brokers.h"
#include "tests/single/program/Tsgl01DataModule.h"
#include "tests/single/program/Tsgl01Install.h"
#include "toolkit/rtl/DateTime.h"
#include "toolkit/rtl/Format.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/kernel/Application.h"
#include "toolkit/ui/widgets/Edit.h"

void SingleFixture::SetUp() {
    install.CreateCompanyDatabase();
    for (const std::string& sql : Tsgl01InstallStatements()) install.ExecuteSql(sql);
    savedLookup = DefaultLookupCallbacks();
}

void SingleFixture::TearDown() {
    CloseForm();
    DefaultLookupCallbacks() = savedLookup;
}

TfrmTsgl01* SingleFixture::Open(const std::string& user, bool show, const std::function<void(TfrmTsgl01&)>& prepare) {
    CloseForm();
    form = CreateComponent<TfrmTsgl01>(nullptr);
    if (prepare) prepare(*form);
    form->LibraryPath = TTestInstallation::BinFolder() + "Tsgl01C.so";
    form->Brokers->HostManager = Variant(DispatchPtr(manager));
    form->StartProgram(VarArrayOf({user, "DEMO", "DEMO", 0, ""}));
    if (show) form->Show();
    Application->ProcessMessages();
    return form;
}

void SingleFixture::CloseForm() {
    if (!form) return;
    TfrmTsgl01* doomed = form;
    form = nullptr;
    doomed->Free();
    Application->ProcessMessages();
}

TdmTsgl01& SingleFixture::Dm() const { return *dynamic_cast<TdmTsgl01*>(form->DataModule); }

TClientDataSet& SingleFixture::Main() const { return *Dm().cdsMain; }

std::string SingleFixture::Sql(const std::string& select) const { return install.SqlValue(select); }

int SingleFixture::Count(const std::string& where) const {
    return StrToIntDef(Sql("SELECT COUNT(*) FROM TSGMA WHERE " + where), -1);
}

void SingleFixture::Key(WORD key, TShiftState shift) {
    SimulateKeystroke(nullptr, key, shift);
    Application->ProcessMessages();
}

void SingleFixture::Type(const std::string& text) {
    SimulateTyping(nullptr, text);
    Application->ProcessMessages();
}

void SingleFixture::Enter(TWinControl* control, const std::string& text) {
    control->SetFocus();
    SimulateKeystroke(nullptr, 'A', {ssCtrl});  // select all
    if (auto* edit = dynamic_cast<TCustomEdit*>(control)) edit->SelectAll();
    Type(text);
    Key(VK_TAB);
}

std::string SingleFixture::Message(const std::string& kind, const std::string& code, const std::vector<Variant>& args) const {
    return Format(manager->GetMessage(kind, code) + " ", args);
}

std::vector<std::string> SingleFixture::DialogTexts() const {
    std::vector<std::string> texts;
    for (const TShownDialog& dialog : app.Dialogs()) texts.push_back(dialog.Text);
    return texts;
}

std::string SingleFixture::LastDialogText() const {
    std::vector<std::string> texts = app.ShownTexts();
    return texts.empty() ? std::string() : texts.back();
}

std::string SingleFixture::Today() { return FormatDateTime("yyyymmdd", Now()); }
