#include "tests/double/HostedProgram.h"

#include "server/Brokers.h"
#include "toolkit/rtl/Format.h"
#include "toolkit/ui/kernel/Application.h"

void HostedProgramFixture::Start(TfrmRadical& form, const std::string& library, const std::string& user) {
    form.LibraryPath = TTestInstallation::BinFolder() + library;
    form.Brokers->HostManager = Variant(DispatchPtr(manager));
    // Logged in at the work center: its services work on the company's database.
    OleCall(form.Brokers->HostManager, "Connect", {VarArrayOf({user, "DEMO", "DEMO"})});
    form.StartProgram(VarArrayOf({user, "DEMO", "DEMO", 0, ""}));
    form.Show();
    Application->ProcessMessages();
}

void HostedProgramFixture::Free(TfrmRadical* form) {
    if (!form) return;
    form->Free();
    Application->ProcessMessages();
}

void HostedProgramFixture::Key(WORD key, TShiftState shift) {
    SimulateKeystroke(nullptr, key, shift);
    Application->ProcessMessages();
}

void HostedProgramFixture::Type(const std::string& text) {
    SimulateTyping(nullptr, text);
    Application->ProcessMessages();
}

std::string HostedProgramFixture::Message(const std::string& kind, const std::string& code,
                                          const std::vector<Variant>& args) const {
    return Format(manager->GetMessage(kind, code) + " ", args);
}

std::vector<std::string> HostedProgramFixture::DialogTexts() const {
    std::vector<std::string> texts;
    for (const TShownDialog& dialog : app.Dialogs()) texts.push_back(dialog.Text);
    return texts;
}
