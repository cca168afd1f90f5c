#include "outside/torvane/desk/ProgramHost.h"

#include <strings.h>

#include <filesystem>

#include "toolkit/os/DynLib.h"
#include "toolkit/os/Paths.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/kernel/Application.h"

TProgramHost::~TProgramHost() {
    try {
        CloseAll();
    } catch (...) {}
}

std::string TProgramHost::LibraryOf(const std::string& program) {
    if (program.empty()) return {};
    std::string wanted = program + "C.so";
    std::error_code ec;
    std::filesystem::path folder = std::filesystem::path(ExecutableFileName()).parent_path();
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        std::string name = entry.path().filename().string();
        if (strcasecmp(name.c_str(), wanted.c_str()) == 0) return entry.path().string();
    }
    return {};
}

TGetControllerFn TProgramHost::ControllerFactory(const std::string& program) {
    std::string key = UpperCase(program);
    if (auto it = factories_.find(key); it != factories_.end()) return it->second;
    std::string library = LibraryOf(program);
    if (library.empty()) throw EProgramOpen(-1, "no library for " + program + " (" + program + "C.so) beside the work center");
    TDynLib plugin(library);
    if (!plugin.Loaded()) throw EProgramOpen(-2, "cannot load " + library + ": " + plugin.Error());
    auto factory = plugin.Function<TGetControllerFn>(kGetControllerSymbol);
    if (!factory) throw EProgramOpen(-2, library + " has no " + kGetControllerSymbol);
    // The program's classes stay registered with the toolkit for the rest of the process.
    plugin.Release();
    factories_[key] = factory;
    return factory;
}

TDLLBaseController& TProgramHost::Open(const TOpenRequest& request) {
    Sweep();
    TGetControllerFn factory = ControllerFactory(request.Program);
    TOpen entry{UpperCase(request.Program), nullptr};
    try {
        entry.Controller.reset(factory());
    } catch (const std::exception& e) {
        throw EProgramOpen(-7, request.Program + ": " + e.what());
    }
    TDLLBaseController& controller = *entry.Controller;
    controller.HostManager = manager_;
    controller.OnHostNotify = THostNotifyEvent::Of<TProgramHost, &TProgramHost::HostNotify>(this);
    open_.push_back(std::move(entry));
    try {
        const TLogin& login = request.Login;
        Variant start =
            VarArrayOf({login.User, login.Company, login.Database, static_cast<std::int64_t>(request.HostWindow), ""});
        if (controller.CreateProgram(start) != 0) throw EProgramOpen(-6, request.Program + " did not start");
        if (!request.Param.empty()) controller.SetStartParameter(VarArrayOf({"", request.Param}));
        controller.SetRunMode(request.RunMode, request.Rights, Variant());
        controller.SetVisible(true);
        Application->ProcessMessages();
        if (controller.IsProgramClosed()) throw EProgramOpen(-6, request.Program + " closed itself at start-up");
    } catch (const EProgramOpen&) {
        Close(request.Program);
        throw;
    } catch (const EAbort&) {
        Close(request.Program);
        throw EProgramOpen(-6, request.Program + " was abandoned at start-up");
    } catch (const std::exception& e) {
        Close(request.Program);
        throw EProgramOpen(-7, request.Program + " refused to start: " + e.what());
    }
    return controller;
}

TProgramHost::TOpen* TProgramHost::Find(const std::string& program) {
    Sweep();
    if (open_.empty()) return nullptr;
    if (program.empty()) return &open_.back();
    std::string key = UpperCase(program);
    for (auto it = open_.rbegin(); it != open_.rend(); ++it)
        if (it->Program == key) return &*it;
    return nullptr;
}

TCustomForm* TProgramHost::Window(const std::string& program) {
    TOpen* entry = Find(program);
    if (!entry) return nullptr;
    HWND handle = entry->Controller->GetWindowHandle();
    return handle ? dynamic_cast<TCustomForm*>(Application->FindControl(handle)) : nullptr;
}

bool TProgramHost::IsOpen(const std::string& program) { return Find(program) != nullptr; }

void TProgramHost::Close(const std::string& program) {
    std::string key = UpperCase(program);
    for (auto it = open_.begin(); it != open_.end(); ++it) {
        if (it->Program != key) continue;
        TDLLBaseController* controller = it->Controller.get();
        if (!controller->IsProgramClosed()) controller->CloseProgram(false);
        Application->ProcessMessages();
        // The list may have changed meanwhile.
        std::erase_if(open_, [controller](const TOpen& entry) { return entry.Controller.get() == controller; });
        return;
    }
}

void TProgramHost::CloseAll() {
    while (!open_.empty()) Close(open_.back().Program);
}

std::vector<std::string> TProgramHost::OpenPrograms() {
    Sweep();
    std::vector<std::string> names;
    for (const TOpen& entry : open_) names.push_back(entry.Program);
    return names;
}

void TProgramHost::Sweep() {
    // The host destroys a controller once its program window is gone (never inside its callback).
    if (notifying_ > 0) return;
    std::erase_if(open_, [](const TOpen& entry) { return entry.Controller && entry.Controller->IsProgramClosed(); });
}

void TProgramHost::HostNotify(std::int32_t eventCode, TDLLBaseController* sender) {
    std::string program;
    for (const TOpen& entry : open_)
        if (entry.Controller.get() == sender) program = entry.Program;
    ++notifying_;
    struct Done {
        int& depth;
        ~Done() { --depth; }
    } done{notifying_};
    if (OnEvent) OnEvent(program, eventCode);
}
