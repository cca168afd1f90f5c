// Function keys, their window messages, Enter as Tab, and context help of program forms.
#include "framework/forms/ContextHelp.h"
#include "framework/forms/RadicalForm.h"
#include "server/Brokers.h"
#include "toolkit/os/Shell.h"
#include "toolkit/rtl/Dispatch.h"
#include "toolkit/ui/kernel/Application.h"

namespace {
bool IsGrid(const TControl* control) { return control && control->InheritsFrom("TCustomGrid"); }
}  // namespace

void TfrmRadical::GiveFocusBack(TWinControl* control) {
    if (control && control->CanFocus() && !IsGrid(control->Parent())) control->SetFocus();
}

void TfrmRadical::OnF2Key(WORD& key, TWinControl* control) { GiveFocusBack(control); }
void TfrmRadical::OnF3Key(WORD& key, TWinControl* control) { GiveFocusBack(control); }
void TfrmRadical::OnF4Key(WORD& key, TWinControl* control) { GiveFocusBack(control); }
void TfrmRadical::OnF11Key(WORD& key, TWinControl* control) { GiveFocusBack(control); }

void TfrmRadical::FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift) {
    switch (Key) {
        case VK_F1: ContextHelp(); break;
        case VK_F2:
            LookupParamMode = lpmNormal;
            OnF2Key(Key, ActiveControl());
            break;
        case VK_F3: OnF3Key(Key, ActiveControl()); break;
        case VK_F4: OnF4Key(Key, ActiveControl()); break;
        case VK_F11: OnF11Key(Key, ActiveControl()); break;
        case 'V':
            if (Shift == TShiftState{ssCtrl, ssAlt}) ShellExecute("properties", LibraryPath);
            break;
        default: break;
    }
}

void TfrmRadical::FunctionKeyMessage(TMessage& message, WORD key) {
    auto* control = dynamic_cast<TWinControl*>(Application->FindControl(static_cast<HWND>(message.WParam)));
    switch (key) {
        case VK_F2:
            LookupParamMode = lpmNormal;
            OnF2Key(key, control);
            break;
        case VK_F3: OnF3Key(key, control); break;
        case VK_F4: OnF4Key(key, control); break;
        default: OnF11Key(key, control); break;
    }
}

void TfrmRadical::FormKeyPress(TObject* Sender, char32_t& Key) {
    if (Key != U'\r') return;
    TWinControl* active = ActiveControl();
    if (IsGrid(active) || (active && IsGrid(active->Parent()))) return;
    Key = 0;
    Perform(WM_NEXTDLGCTL, 0, 0);
}

void TfrmRadical::ContextHelp() {
    const std::string programId = ProgramId();
    const std::string base = HelpBase(programId);
    if (base.empty() || !Brokers || !Brokers->HostManager.IsDispatch()) return;
    const std::string context = HelpContextString(base, Active() ? ActiveControl() : nullptr);
    OleCall(Brokers->HostManager, "CallHelp", {VarArrayOf({programId.substr(0, 3), context})});
}
