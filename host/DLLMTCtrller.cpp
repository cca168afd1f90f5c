#include "host/DLLMTCtrller.h"

#include "host/ControllerClass.h"
#include "server/Brokers.h"
#include "toolkit/os/Paths.h"
#include "toolkit/rtl/Dispatch.h"
#include "toolkit/ui/dialogs/Dialogs.h"

namespace {

[[maybe_unused]] const bool controllerRegistered =
    (DLLControllerClass = TDLLControllerClass::Of<TDLLMTCtrller>("TDLLMTCtrller"), true);

// Host bit -> command-rights element.
constexpr int kRightsElementOfBit[8] = {0, 3, 2, 1, 4, 5, 6, 7};

}  // namespace

TDLLMTCtrller::~TDLLMTCtrller() {
    try {
        if (ProgramForm) CloseProgram(false);
    } catch (...) {
        // A destructor cannot report; the window is gone either way.
    }
}

void TDLLMTCtrller::GetProgramVersion(std::string& version) {
    if (ProgramForm) version = ProgramForm->VersionText;
}

std::int32_t TDLLMTCtrller::GetVisible() { return ProgramForm && ProgramForm->Visible() ? -1 : 0; }

void TDLLMTCtrller::SetVisible(bool visible) {
    if (!ProgramForm) return;
    ProgramForm->SetVisible(visible);
    if (!visible || !ProgramForm) return;
    if (ProgramForm->WindowState() == wsMinimized) ProgramForm->SetWindowState(wsNormal);
    ProgramForm->BringToFront();
}

HWND TDLLMTCtrller::GetWindowHandle() { return ProgramForm ? ProgramForm->Handle() : 0; }

void TDLLMTCtrller::CheckHostVersion() {
    const Variant needed = kDependencyVersion;
    try {
        if (VarCompare(OleGet(HostManager, "DependencyVersion"), needed) > 0) {
            ShowMessage(kProgramTooOld);
            throw Exception(kProgramTooOld);
        }
        if (VarCompare(OleGet(HostManager, "DependencyVersion"), needed) < 0) {
            ShowMessage(kHostTooOld);
            throw Exception(kHostTooOld);
        }
    } catch (const std::exception& e) {
        ShowMessage(kHostTooOldFailure);
        throw Exception(std::string(kHostTooOldFailure) + e.what());
    }
}

std::int32_t TDLLMTCtrller::CreateProgram(Variant startParams) {
    std::int32_t result = -1;
    if (!ProgramForm) {
        if (!frmRadicalClass) throw Exception(kNoFormClass);
        ProgramForm = frmRadicalClass.Create(nullptr);
        ProgramForm->LibraryPath = ModuleFileName(reinterpret_cast<const void*>(&GetController));
        // A refused host leaves the form to the controller (closing or destroying it frees it).
        CheckHostVersion();
        ProgramForm->Brokers->HostManager = HostManager;
        NotifyCreated();
    }
    HookFormEvents();
    TComponentRef<TfrmRadical> form(ProgramForm);
    if (form->StartProgram(startParams)) result = 0;
    return result;
}

// Puts the controller's handlers in front of the form's own. A form hooked already keeps the handlers
// saved the first time (saving the controller's own handlers would make them call themselves).
void TDLLMTCtrller::HookFormEvents() {
    if (!ProgramForm || hookedForm_.Get() == ProgramForm) return;
    hookedForm_ = ProgramForm;
    SavedOnShow = ProgramForm->OnShow;
    ProgramForm->OnShow = [this](TObject* sender) { DoFormShow(sender); };
    SavedOnHide = ProgramForm->OnHide;
    ProgramForm->OnHide = [this](TObject* sender) { DoFormHide(sender); };
    SavedOnDestroy = ProgramForm->OnDestroy;
    ProgramForm->OnDestroy = [this](TObject* sender) { DoFormDestroy(sender); };
    SavedOnClose = ProgramForm->OnClose;
    ProgramForm->OnClose = [this](TObject* sender, TCloseAction& action) { DoFormClose(sender, action); };
}

std::int32_t TDLLMTCtrller::SetStartParameter(const Variant& params) {
    if (!ProgramForm || !params.IsArray()) return -1;
    try {
        if (params.DimCount() != 1 || params.Count() < 2) return -1;
        const Variant& value = params[params.Low() + 1];
        if (value.IsNull() || !value.IsArray()) {
            ProgramForm->StartParamText = VarToStr(value);
        } else {
            if (value.DimCount() != 1 || value.Count() < 2) return -1;
            ProgramForm->StartParamText = VarToStr(value[value.Low()]);
            ProgramForm->StartParamValue = value[value.Low() + 1];
        }
        return 0;
    } catch (const std::exception&) {
        return -1;
    }
}

std::uint8_t TDLLMTCtrller::FormRunMode(std::int32_t hostRunMode, bool& keepsParameter) {
    keepsParameter = false;
    switch (hostRunMode) {
        case 1:
        case 2:
        case 3:
        case 4:
        case 5: return static_cast<std::uint8_t>(hostRunMode);
        case 7: keepsParameter = true; return 7;
        case 8: keepsParameter = true; return 8;
        case 10: keepsParameter = true; return 9;
        case 12: return 10;
        case 13: return 11;
        default: return 0;
    }
}

std::int32_t TDLLMTCtrller::SetRunMode(std::int32_t runMode, std::int32_t rights, const Variant& modeParam) {
    if (!ProgramForm) return -1;
    for (int bit = 0; bit < 8; ++bit)
        if ((rights & (1 << bit)) == 0) ProgramForm->CommandRights.Exclude(kRightsElementOfBit[bit]);
    ProgramForm->UpdateCommandStates();
    bool keepsParameter = false;
    ProgramForm->RunMode = FormRunMode(runMode, keepsParameter);
    if (keepsParameter) ProgramForm->RunModeParam = modeParam;
    return 0;
}

void TDLLMTCtrller::ShowProgramModal(Variant& returnValue) {
    if (!ProgramForm) return;
    TComponentRef<TfrmRadical> form(ProgramForm);
    form->ShowModal();
    returnValue = form ? form->ReturnValue : ReturnValue;
    CloseProgram(false);
}

void TDLLMTCtrller::CloseProgram(bool silent) {
    TfrmRadical* form = ProgramForm;
    if (!form || form->ComponentState().Contains(csDestroying)) return;
    TComponentRef<TfrmRadical> alive(form);
    if (!silent) {
        TCloseAction action = caFree;
        DoFormClose(form, action);
    }
    if (alive) form->Free();
    ProgramForm = nullptr;
}

std::int32_t TDLLMTCtrller::GetConnectInfo(Variant& info) {
    if (!ProgramForm) return -1;
    const TBrokers& b = *ProgramForm->Brokers;
    info = VarArrayOf({b.UserId, b.CompanyId, b.ProgramId, b.ProgramName});
    return 0;
}

bool TDLLMTCtrller::IsProgramClosed() { return ProgramForm == nullptr; }

void TDLLMTCtrller::DoFormShow(TObject* sender) {
    if (SavedOnShow) SavedOnShow(sender);
    NotifyHost(heShown);
}

void TDLLMTCtrller::DoFormHide(TObject* sender) {
    if (SavedOnHide) SavedOnHide(sender);
    NotifyHost(heHidden);
}

void TDLLMTCtrller::DoFormDestroy(TObject* sender) {
    struct ClearForm {
        TDLLMTCtrller& self;
        ~ClearForm() { self.ProgramForm = nullptr; }
    } clear{*this};
    if (ProgramForm) {
        ResultCode = ProgramForm->ResultCode;
        ReturnValue = ProgramForm->ReturnValue;
    }
    if (SavedOnDestroy) SavedOnDestroy(sender);
    NotifyHost(heDestroyed);
}

void TDLLMTCtrller::DoFormClose(TObject* sender, TCloseAction& action) {
    if (SavedOnClose) SavedOnClose(sender, action);
    NotifyHost(heClosing);
}
