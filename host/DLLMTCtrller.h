#pragma once
// The library's controller: creates the program form, checks the host's dependency version, hands
// the form the host's manager and start parameters, and passes the form's events on to the host.
#include "contract/DLLBaseController.h"
#include "framework/forms/RadicalForm.h"

// The dependency version this library needs of the host (exactly this one).
inline constexpr int kDependencyVersion = 8000;
inline constexpr const char* kProgramTooOld = "This program's version is too old, please update.";
inline constexpr const char* kHostTooOld = "TorvaneWorkCenter version too old,please update.";
inline constexpr const char* kHostTooOldFailure = "TorvaneWorkCenter version too old,please update!";

class TDLLMTCtrller : public TDLLBaseController {
public:
    TDLLMTCtrller() = default;
    // Closes and frees a program window that still exists (events 320 and 304).
    ~TDLLMTCtrller() override;

    void GetProgramVersion(std::string& version) override;
    std::int32_t GetVisible() override;
    void SetVisible(bool visible) override;
    HWND GetWindowHandle() override;
    std::int32_t CreateProgram(Variant startParams) override;
    std::int32_t SetStartParameter(const Variant& params) override;
    std::int32_t SetRunMode(std::int32_t runMode, std::int32_t rights, const Variant& modeParam) override;
    void ShowProgramModal(Variant& returnValue) override;
    void CloseProgram(bool silent) override;
    std::int32_t GetConnectInfo(Variant& info) override;
    bool IsProgramClosed() override;
    void DoFormShow(TObject* sender) override;
    void DoFormHide(TObject* sender) override;
    void DoFormDestroy(TObject* sender) override;
    void DoFormClose(TObject* sender, TCloseAction& action) override;

    // After the base fields: the program window (nullptr when none), a field kept for layout, and the
    // form's own show, hide, destroy and close handlers that the controller's handlers call first.
    TfrmRadical* ProgramForm = nullptr;
    std::int32_t Reserved2 = 0;
    TNotifyEvent SavedOnShow;
    TNotifyEvent SavedOnHide;
    TNotifyEvent SavedOnDestroy;
    TCloseEvent SavedOnClose;

    // The form's run mode for a host run mode (0 for modes it does not know) and whether the host's
    // mode parameter goes with it.
    static std::uint8_t FormRunMode(std::int32_t hostRunMode, bool& keepsParameter);

private:
    void CheckHostVersion();
    void HookFormEvents();
    TComponentRef<TfrmRadical> hookedForm_;  // the form whose handlers are saved
};
