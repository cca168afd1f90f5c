#pragma once
// Window handles: ids handed out on demand to windowed controls. Ids are never reused, so a stale
// handle finds nothing instead of another window.
#include <map>
#include <string_view>
#include <vector>

#include "toolkit/ui/kernel/Messages.h"

class TWinControl;

class TWindowRegistry {
public:
    HWND Allocate(TWinControl* control);
    void Release(HWND handle);
    TWinControl* Find(HWND handle) const;  // nullptr for an unknown or released handle
    bool IsWindow(HWND handle) const { return Find(handle) != nullptr; }
    // First top-level window (no parent) in creation order whose window class (without regard to
    // case) and caption match; an empty argument matches any. 0 when none.
    HWND FindWindow(std::string_view className, std::string_view windowName) const;
    std::vector<HWND> Handles() const;

private:
    HWND next_ = 0x1000;
    std::map<HWND, TWinControl*> windows_;
};

// The process's registry (the application's windows).
TWindowRegistry& WindowRegistry();
