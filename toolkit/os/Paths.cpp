#include "toolkit/os/Paths.h"

#include <dlfcn.h>
#include <pwd.h>
#include <unistd.h>
#include <climits>
#include <cstdlib>

#include "toolkit/rtl/SysUtils.h"

std::string ExecutableFileName() {
    char buf[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    return n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : std::string();
}

std::string ModuleFileName(const void* addressInModule) {
    Dl_info info{};
    if (!addressInModule || ::dladdr(addressInModule, &info) == 0 || !info.dli_fname) return {};
    std::string name = info.dli_fname;
    // The main program reports its name as given on the command line; libraries as loaded.
    char resolved[PATH_MAX];
    if (name.empty() || name.find('/') == std::string::npos) return ExecutableFileName();
    if (::realpath(name.c_str(), resolved)) return resolved;
    return name;
}

std::string ToolkitFileName() { return ModuleFileName(reinterpret_cast<const void*>(&ToolkitFileName)); }

std::string UserName() {
    char buf[4096];
    passwd pw{};
    passwd* result = nullptr;
    if (::getpwuid_r(::geteuid(), &pw, buf, sizeof buf, &result) == 0 && result && result->pw_name) return result->pw_name;
    const char* user = std::getenv("USER");
    return user ? user : "";
}

std::string TempFolder() {
    const char* dir = std::getenv("TMPDIR");
    return IncludeTrailingPathDelimiter(dir && *dir ? dir : "/tmp");
}
