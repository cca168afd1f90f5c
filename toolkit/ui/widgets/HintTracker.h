#pragma once
// The application's hints: the mouse resting on a control shows the control's hint (the short part,
// before "|") in the application's hint window below the mouse pointer, after Application's HintPause
// (HintShortPause when another hint has just been shown); the window follows the mouse over the
// control, shows a new text when the control's hint changes (list items), and goes away when the
// mouse leaves for a control without a hint, a button is pressed, HintHidePause has passed, or
// Application's ShowHint is off. The control is the one under the mouse or, when its ShowHint is
// off, the nearest parent whose ShowHint is on. Time is given in milliseconds by the caller (the
// renderer's clock, a test's own).
#include <string>

#include "toolkit/classes/Component.h"
#include "toolkit/ui/graphics/Geometry.h"

class TControl;
class THintWindow;

class THintTracker {
public:
    // The mouse moved to the screen point over the control (nullptr: over no window of ours).
    void MouseMove(TControl* control, TPoint screen, long long now);
    // Time passes: shows a due hint, hides one that has been shown long enough.
    void Tick(long long now);
    // A button or key went down, or the mouse left the windows: the hint goes away.
    void Cancel();

    // The window (created on first use, owned by the application), and the control whose hint it shows.
    THintWindow& Window();
    bool Showing() const;
    TControl* HintControl() const { return control_.Get(); }
    // Where the window goes for a mouse at that point: below the pointer.
    static constexpr int kPointerHeight = 20;

private:
    static TControl* HintControlAt(TControl* control);
    static std::string HintOf(const TControl* control);
    void Show(long long now);
    void Hide();

    TComponentRef<THintWindow> window_;
    TComponentRef<TControl> control_;
    TPoint mouse_{};
    long long dueAt_ = -1;     // when the hint of control_ shows; -1 none pending
    long long shownAt_ = -1;   // when the showing hint appeared
    long long hiddenAt_ = -1;  // when the last hint went away for another control (the short pause)
};

// The application's hint tracker.
THintTracker& ApplicationHints();
