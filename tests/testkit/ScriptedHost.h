#pragma once
// A host for tests: loads a program library with dlopen as the work center does, hands out
// controllers with the manager and this host's callback written in, and records the events heard.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "contract/DLLBaseController.h"
#include "toolkit/os/DynLib.h"

class TCustomForm;

class TScriptedHost {
public:
    // The library stays loaded for the rest of the process (its classes stay known to the toolkit).
    explicit TScriptedHost(const std::string& libraryPath = DefaultLibraryPath());

    static std::string DefaultLibraryPath();  // Tdef05C.so beside the tests

    bool Loaded() const { return getController_ != nullptr; }
    const std::string& Error() const { return error_; }
    const std::string& LibraryPath() const { return libraryPath_; }

    // GetController of the library; raises what it raises.
    std::unique_ptr<TDLLBaseController> NewController(const Variant& hostManager);
    // The address of a symbol of the library (its class references, for instance); nullptr if none.
    void* Symbol(const std::string& name);

    const std::vector<std::int32_t>& Events() const { return events_; }
    void ClearEvents() { events_.clear(); }

    // [user, company, database, host window 0, extra value ""] (the extra value left out on request).
    static Variant StartParams(const std::string& user = "DS", const std::string& company = "DEMO",
                               const std::string& database = "DEMO", bool withExtraValue = true);
    // The program window of a controller, found by its handle; nullptr when none.
    static TCustomForm* ProgramWindow(TDLLBaseController& controller);

    void HostNotify(std::int32_t eventCode, TDLLBaseController* sender);

private:
    std::string libraryPath_;
    void* handle_ = nullptr;
    TGetControllerFn getController_ = nullptr;
    std::string error_;
    std::vector<std::int32_t> events_;
};
