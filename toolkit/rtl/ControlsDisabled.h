#pragma once
// A data set's controls (anything with DisableControls and EnableControls) kept still for a scope,
// and enabled again however the scope is left. A null target does nothing.
#include "toolkit/rtl/ScopeExit.h"

template <class T>
class TControlsDisabled : public TScopeGuardBase {
public:
    explicit TControlsDisabled(T* target) : target_(target) {
        if (target_) target_->DisableControls();
    }
    ~TControlsDisabled() noexcept(false) {
        Finish([this] {
            if (target_) target_->EnableControls();
        });
    }

private:
    T* target_;
};
