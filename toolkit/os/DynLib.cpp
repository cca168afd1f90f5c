#include "toolkit/os/DynLib.h"

#include <dlfcn.h>

#include "toolkit/os/Paths.h"
#include "toolkit/rtl/SysUtils.h"

TDynLib::TDynLib(const std::string& fileName, bool global) { Load(fileName, global); }

TDynLib::TDynLib(TDynLib&& other) noexcept
    : handle_(other.handle_), fileName_(std::move(other.fileName_)), error_(std::move(other.error_)) {
    other.handle_ = nullptr;
}

TDynLib& TDynLib::operator=(TDynLib&& other) noexcept {
    if (this != &other) {
        Unload();
        handle_ = other.handle_;
        fileName_ = std::move(other.fileName_);
        error_ = std::move(other.error_);
        other.handle_ = nullptr;
    }
    return *this;
}

TDynLib::~TDynLib() { Unload(); }

bool TDynLib::Load(const std::string& fileName, bool global) {
    Unload();
    fileName_ = fileName;
    error_.clear();
    ::dlerror();
    handle_ = ::dlopen(fileName.c_str(), RTLD_NOW | (global ? RTLD_GLOBAL : RTLD_LOCAL));
    if (!handle_) {
        const char* e = ::dlerror();
        error_ = e ? e : "cannot load " + fileName;
    }
    return handle_ != nullptr;
}

void TDynLib::Unload() {
    if (handle_) ::dlclose(handle_);
    handle_ = nullptr;
}

void TDynLib::Release() { handle_ = nullptr; }

void* TDynLib::Symbol(const std::string& name) {
    if (!handle_) {
        error_ = fileName_ + " is not loaded";
        return nullptr;
    }
    ::dlerror();
    void* p = ::dlsym(handle_, name.c_str());
    if (!p) {
        const char* e = ::dlerror();
        error_ = e ? e : "symbol " + name + " not found";
    }
    return p;
}

std::string ResolveLibraryPath(const std::string& name) {
    std::string path = NormalizePath(name);
    if (path.find('/') != std::string::npos) return path;
    for (const std::string& beside : {ExecutableFileName(), ToolkitFileName()}) {
        if (beside.empty()) continue;
        std::string candidate = ExtractFilePath(beside) + path;
        if (FileExists(candidate)) return candidate;
    }
    return path;
}
