#include "framework/forms/RadicalForm.h"

#include "framework/forms/ProgramId.h"
#include "i18n/TableConversion.h"
#include "server/Brokers.h"
#include "server/DataModuleLink.h"
#include "toolkit/com/ComObj.h"
#include "toolkit/os/Paths.h"
#include "toolkit/rtl/Dispatch.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/kernel/Application.h"

void TfrmRadical::Publish(TPublisher<TfrmRadical>& p) {
    p.Method("FormCreate", &TfrmRadical::FormCreate);
    p.Method("FormDestroy", &TfrmRadical::FormDestroy);
    p.Method("FormClose", &TfrmRadical::FormClose);
    p.Method("FormKeyDown", &TfrmRadical::FormKeyDown);
    p.Method("FormKeyPress", &TfrmRadical::FormKeyPress);
    p.Method("FormResize", &TfrmRadical::FormResize);
    p.Method("FormShow", &TfrmRadical::FormShow);
    p.Method("FormPaint", &TfrmRadical::FormPaint);
    p.Method("GetBaseClassParam", &TfrmRadical::GetBaseClassParam);
    p.Method("SetReturn", &TfrmRadical::SetReturn);
    // State a host or a script may read by name.
    p.Property("Brokers", &TfrmRadical::Brokers);
    p.Property("LibraryPath", &TfrmRadical::LibraryPathText);
    p.Property("ProgramId", &TfrmRadical::ProgramId);
    p.Property("RunMode", &TfrmRadical::RunModeValue);
    p.Property("CommandRights", &TfrmRadical::CommandRightsValue);
    p.Property("FunctionRights", &TfrmRadical::FunctionRightsValue);
    p.Property("StartParamText", &TfrmRadical::StartParamTextValue);
    p.Property("StartFailed", &TfrmRadical::StartFailedValue);
}

TfrmRadical::TfrmRadical(TComponent* owner) : TRKForm(owner) {
    OnCreate = [this](TObject* sender) { FormCreate(sender); };
    OnDestroy = [this](TObject* sender) { FormDestroy(sender); };
    OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
    OnKeyDown = [this](TObject* sender, WORD& key, TShiftState shift) { FormKeyDown(sender, key, shift); };
    OnKeyPress = [this](TObject* sender, char32_t& key) { FormKeyPress(sender, key); };
    OnResize = [this](TObject* sender) { FormResize(sender); };
    OnShow = [this](TObject* sender) { FormShow(sender); };
    OnPaint = [this](TObject* sender) { FormPaint(sender); };
    SetMessageHandler(UM_F2KEY, [this](TMessage& m) { FunctionKeyMessage(m, VK_F2); });
    SetMessageHandler(UM_F3KEY, [this](TMessage& m) { FunctionKeyMessage(m, VK_F3); });
    SetMessageHandler(UM_F4KEY, [this](TMessage& m) { FunctionKeyMessage(m, VK_F4); });
    SetMessageHandler(UM_F11KEY, [this](TMessage& m) { FunctionKeyMessage(m, VK_F11); });
}

bool TfrmRadical::IsHosted() {
    const std::string executable = ExecutableFileName();
    if (!LibraryPath.empty()) return LibraryPath != executable;
    if (UpperCase(ExtractFileName(executable)).find("TORVANE") != std::string::npos) return true;
    LibraryPath = executable;
    return false;
}

std::string TfrmRadical::ProgramId() const { return ProgramIdFromLibrary(LibraryPath); }

TDataModuleClass TfrmRadical::DataModuleClass() const { return TDataModuleClass::Of<TDataModule>(); }

IDataModuleLink* TfrmRadical::DataModuleLink() const { return dynamic_cast<IDataModuleLink*>(DataModule); }

int TfrmRadical::OpenProgram(const std::string& programId, const Variant& param) {
    return Brokers->RunProgram(programId, param, true, VarArrayOf({0, 0, Variant()}));
}

std::string TfrmRadical::ProgramNameOf(const std::string& programId) { return Brokers->GetProgramName(programId); }

std::string TfrmRadical::ToUserScript(const std::string& text) {
    if (LanguageMode() == 2) return GBToBig5ByTable(text);
    if (LanguageMode() == 1) return Big5ToGBByTable(text);
    return text;
}

void TfrmRadical::FormCreate(TObject* Sender) {
    TRKForm::FormCreate(Sender);
    Brokers = CreateComponent<TBrokers>(this);
    Brokers->SetName("Brokers");
    ApplyLanguageOnShow = false;  // StartProgram localizes the window
    FunctionRights = InitialFunctionRights();
    CommandRights = InitialCommandRights();
    StartParamText.clear();
    RunMode = 0;
    if (!IsHosted()) StandAloneStart();
    Application->SetHintPause(100);
    Application->SetHintHidePause(500000);
    ClearImeNames();
    LookupParamMode = lpmNormal;
}

// The program runs as its own executable: it logs in to a work-center manager of its own with the
// development login.
void TfrmRadical::StandAloneStart() {
    try {
        Brokers->HostManager = CreateOleObject("TorvaneWorkCenter.Manager");
        OleCall(Brokers->HostManager, "Connect", {VarArrayOf({kStandAloneUser, kStandAloneCompany, kStandAloneDatabase})});
        StartFailed = !StartProgram(VarArrayOf({kStandAloneUser, kStandAloneCompany, kStandAloneDatabase, 0, ""}));
    } catch (const std::exception& e) {
        Application->MessageBox(e.what(), "Error!!", MB_OK | MB_ICONERROR);
        StartFailed = true;
    }
}

void TfrmRadical::FormDestroy(TObject* Sender) {}

void TfrmRadical::FormClose(TObject* Sender, TCloseAction& Action) {
    if (IDataModuleLink* link = DataModuleLink()) link->CloseConnections();
}

void TfrmRadical::FormResize(TObject* Sender) {
    if (HostWindow) Application->SendMessage(HostWindow, WM_PAINT);
}

void TfrmRadical::FormShow(TObject* Sender) {
    TRKForm::FormShow(Sender);
    if (WindowState() == wsMinimized) SetWindowState(wsNormal);
    AfterFormShow();
    BringToFront();
}

void TfrmRadical::FormPaint(TObject* Sender) {
    if (StartFailed) Close();
}
