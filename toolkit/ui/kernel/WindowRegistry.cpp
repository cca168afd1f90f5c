#include "toolkit/ui/kernel/WindowRegistry.h"

#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/kernel/Controls.h"

HWND TWindowRegistry::Allocate(TWinControl* control) {
    HWND handle = next_;
    next_ += 4;
    windows_[handle] = control;
    return handle;
}

void TWindowRegistry::Release(HWND handle) { windows_.erase(handle); }

TWinControl* TWindowRegistry::Find(HWND handle) const {
    auto it = windows_.find(handle);
    return it == windows_.end() ? nullptr : it->second;
}

HWND TWindowRegistry::FindWindow(std::string_view className, std::string_view windowName) const {
    for (const auto& [handle, control] : windows_) {
        if (control->Parent()) continue;
        if (!className.empty() && !SameText(control->WindowClassName(), std::string(className))) continue;
        if (!windowName.empty() && control->Caption() != windowName) continue;
        return handle;
    }
    return 0;
}

std::vector<HWND> TWindowRegistry::Handles() const {
    std::vector<HWND> handles;
    for (const auto& entry : windows_) handles.push_back(entry.first);
    return handles;
}

TWindowRegistry& WindowRegistry() {
    // Never destroyed: windows may outlive static destruction order.
    static TWindowRegistry* registry = new TWindowRegistry;
    return *registry;
}
