#include "toolkit/ui/widgets/HintTracker.h"

#include "toolkit/ui/kernel/Application.h"
#include "toolkit/ui/kernel/Control.h"
#include "toolkit/ui/widgets/HintWindow.h"

namespace {

constexpr int kMaxHintWidth = 400;

}  // namespace

THintTracker& ApplicationHints() {
    static THintTracker tracker;
    return tracker;
}

THintWindow& THintTracker::Window() {
    if (!window_) {
        auto* window = CreateComponent<THintWindow>(Application);
        window->SetName("HintWindow");
        window_ = window;
    }
    return *window_.Get();
}

bool THintTracker::Showing() const { return window_ && window_->Active(); }

TControl* THintTracker::HintControlAt(TControl* control) {
    while (control && !control->ShowHint()) control = control->Parent();
    return control;
}

std::string THintTracker::HintOf(const TControl* control) { return control ? GetShortHint(control->Hint()) : std::string(); }

void THintTracker::MouseMove(TControl* control, TPoint screen, long long now) {
    mouse_ = screen;
    TControl* target = Application->ShowHint() ? HintControlAt(control) : nullptr;
    const std::string text = HintOf(target);
    if (text.empty()) {
        if (Showing()) {
            Hide();
            hiddenAt_ = now;
        }
        control_ = nullptr;
        dueAt_ = -1;
        return;
    }
    if (target == control_.Get()) {
        // Over the same control: the window follows the mouse and shows the text as it is now (a
        // hint shown long enough stays away).
        if (Showing()) Show(shownAt_);
        return;
    }
    // Another control: its hint follows after the pause, a short one right after another hint.
    const bool justShown = Showing() || (hiddenAt_ >= 0 && now - hiddenAt_ <= Application->HintPause());
    if (Showing()) {
        Hide();
        hiddenAt_ = now;
    }
    control_ = target;
    dueAt_ = now + (justShown ? Application->HintShortPause() : Application->HintPause());
}

void THintTracker::Tick(long long now) {
    if (!Application->ShowHint()) {
        Cancel();
        return;
    }
    if (!control_) {
        if (Showing()) Hide();
        dueAt_ = -1;
        return;
    }
    if (dueAt_ >= 0 && now >= dueAt_) {
        dueAt_ = -1;
        Show(now);
    } else if (Showing() && now - shownAt_ >= Application->HintHidePause()) {
        // Shown long enough: it stays away until the mouse comes to another control.
        Hide();
    }
}

void THintTracker::Cancel() {
    if (Showing()) Hide();
    control_ = nullptr;
    dueAt_ = -1;
    hiddenAt_ = -1;
}

void THintTracker::Show(long long now) {
    const std::string text = HintOf(control_.Get());
    if (text.empty()) {
        Cancel();
        return;
    }
    THintWindow& window = Window();
    TRect rect = window.CalcHintRect(kMaxHintWidth, text);
    const int left = mouse_.X, top = mouse_.Y + kPointerHeight;
    rect = TRect{left, top, left + rect.Width(), top + rect.Height()};
    window.ActivateHint(rect, text);
    shownAt_ = now;
}

void THintTracker::Hide() {
    if (window_) window_->ReleaseHandle();
}
