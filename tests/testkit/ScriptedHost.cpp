#include "tests/testkit/ScriptedHost.h"

#include <dlfcn.h>

#include "tests/testkit/TestInstallation.h"
#include "toolkit/ui/kernel/Application.h"

std::string TScriptedHost::DefaultLibraryPath() { return TTestInstallation::BinFolder() + "Tdef05C.so"; }

TScriptedHost::TScriptedHost(const std::string& libraryPath) : libraryPath_(libraryPath) {
    handle_ = dlopen(libraryPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char* reason = dlerror();
        error_ = reason ? reason : "cannot load " + libraryPath;
        return;
    }
    getController_ = reinterpret_cast<TGetControllerFn>(dlsym(handle_, kGetControllerSymbol));
    if (!getController_) error_ = libraryPath + " has no " + kGetControllerSymbol;
}

std::unique_ptr<TDLLBaseController> TScriptedHost::NewController(const Variant& hostManager) {
    if (!getController_) throw EOSError("No program library: " + error_);
    std::unique_ptr<TDLLBaseController> controller(getController_());
    controller->HostManager = hostManager;
    controller->OnHostNotify = THostNotifyEvent::Of<TScriptedHost, &TScriptedHost::HostNotify>(this);
    return controller;
}

void* TScriptedHost::Symbol(const std::string& name) { return handle_ ? dlsym(handle_, name.c_str()) : nullptr; }

void TScriptedHost::HostNotify(std::int32_t eventCode, TDLLBaseController*) { events_.push_back(eventCode); }

Variant TScriptedHost::StartParams(const std::string& user, const std::string& company, const std::string& database,
                                   bool withExtraValue) {
    if (withExtraValue) return VarArrayOf({user, company, database, 0, ""});
    return VarArrayOf({user, company, database, 0});
}

TCustomForm* TScriptedHost::ProgramWindow(TDLLBaseController& controller) {
    HWND handle = controller.GetWindowHandle();
    return handle ? dynamic_cast<TCustomForm*>(Application->FindControl(handle)) : nullptr;
}
