#pragma once
// THintWindow: the small frameless window that shows a hint near the mouse. Its bounds are screen
// coordinates; it never takes the focus. THintTracker (HintTracker.h) shows the application's one.
#include <string>

#include "toolkit/ui/kernel/WinControl.h"

class THintWindow : public TWinControl {
    TK_CLASS(THintWindow, TWinControl)
public:
    explicit THintWindow(TComponent* owner);

    // The rectangle (at 0,0) the hint text needs, lines broken at maxWidth pixels.
    virtual TRect CalcHintRect(int maxWidth, const std::string& hint);
    // Shows the hint in the rectangle (screen coordinates).
    virtual void ActivateHint(const TRect& rect, const std::string& hint);
    // Hides the window.
    void ReleaseHandle();
    bool Active() const { return Visible(); }

    bool CanFocus() const override { return false; }

protected:
    void Paint() override;

private:
    static constexpr int kMargin = 2;
};
