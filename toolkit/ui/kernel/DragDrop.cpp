#include "toolkit/ui/kernel/DragDrop.h"

#include <cstdlib>
#include <optional>

#include "toolkit/ui/kernel/Forms.h"
#include "toolkit/ui/kernel/Screen.h"

namespace {

constexpr int kDefaultThreshold = 5;

struct TDrag {
    TComponentRef<TControl> source;
    TComponentRef<TControl> target;  // the control last asked
    TPoint start;
    int threshold = kDefaultThreshold;
    bool running = false;
    bool accepted = false;
    TCursor savedCursor = crDefault;
};

std::optional<TDrag> drag;
TPoint mousePos;  // screen coordinates of the last mouse message

TControl* ControlAt(TWinControl& parent, TPoint local) {
    const auto& children = parent.ControlList();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        TControl* child = *it;
        if (!child->Visible() || !child->Enabled()) continue;
        if (!Bounds(child->Left(), child->Top(), child->Width(), child->Height()).Contains(local)) continue;
        TPoint inner{local.X - child->Left(), local.Y - child->Top()};
        if (auto* win = dynamic_cast<TWinControl*>(child)) {
            TControl* deeper = ControlAt(*win, inner);
            return deeper ? deeper : child;
        }
        return child;
    }
    return nullptr;
}

// Asks target (in its coordinates) whether it takes the drag.
bool AskTarget(TControl* target, TControl* source, TPoint screen, TDragState state) {
    if (!target) return false;
    TPoint at = target->ScreenToClient(screen);
    bool accept = false;
    target->DoDragOver(source, at.X, at.Y, state, accept);
    return accept;
}

void MoveTo(TPoint screen) {
    TControl* source = drag->source.Get();
    TControl* under = FindDragTarget(screen);
    TControl* last = drag->target.Get();
    if (under != last) {
        if (last) AskTarget(last, source, screen, dsDragLeave);
        if (!drag) return;
        drag->target = under;
        drag->accepted = AskTarget(under, source, screen, dsDragEnter);
    } else {
        drag->accepted = AskTarget(under, source, screen, dsDragMove);
    }
    if (!drag) return;
    Screen->SetCursor(drag->accepted ? source->DragCursor() : crNoDrop);
}

void Start() {
    drag->running = true;
    drag->savedCursor = Screen->Cursor();
    TControl* source = drag->source.Get();
    source->DoStartDrag();
    if (drag && drag->source) MoveTo(mousePos);
}

void Finish(bool drop) {
    if (!drag) return;
    TDrag ended = *drag;
    drag.reset();
    if (!ended.running) return;
    Screen->SetCursor(ended.savedCursor);
    TControl* source = ended.source.Get();
    TControl* target = ended.target.Get();
    TPoint at = target ? target->ScreenToClient(mousePos) : TPoint{};
    if (target && (!drop || !ended.accepted)) AskTarget(target, source, mousePos, dsDragLeave);
    TControl* droppedOn = drop && ended.accepted ? target : nullptr;
    if (droppedOn) droppedOn->DoDragDrop(source, at.X, at.Y);
    if (source) source->DoEndDrag(droppedOn, at.X, at.Y);
}

}  // namespace

void BeginDragOf(TControl& source, bool immediate, int threshold) {
    if (drag) return;
    drag = TDrag{};
    drag->source = &source;
    drag->start = mousePos;
    drag->threshold = threshold < 0 ? kDefaultThreshold : threshold;
    if (immediate) Start();
}

bool DragArmed(const TControl* source) { return drag && drag->source.Get() == source; }

bool DragRunning(const TControl* source) { return DragArmed(source) && drag->running; }

void EndDragOf(TControl& source, bool drop) {
    if (DragArmed(&source)) Finish(drop);
}

bool RouteDragMouse(TControl& control, const TMessage& message) {
    const bool isMouse = message.Msg == WM_MOUSEMOVE || message.Msg == WM_LBUTTONDOWN || message.Msg == WM_LBUTTONUP ||
                         message.Msg == WM_RBUTTONDOWN || message.Msg == WM_RBUTTONUP || message.Msg == WM_LBUTTONDBLCLK;
    if (!isMouse) return false;
    mousePos = control.ClientToScreen({LParamLow(message.LParam), LParamHigh(message.LParam)});
    if (!drag) return false;
    if (!drag->source) {
        drag.reset();
        return false;
    }
    if (drag->source.Get() != &control) return false;
    if (message.Msg == WM_MOUSEMOVE && !WParamToShiftState(message.WParam).Contains(ssLeft)) {
        // The button went up where the source did not hear it (a window opened meanwhile): no drop.
        Finish(false);
        return false;
    }
    if (message.Msg == WM_MOUSEMOVE) {
        if (!drag->running) {
            if (std::abs(mousePos.X - drag->start.X) < drag->threshold && std::abs(mousePos.Y - drag->start.Y) < drag->threshold)
                return false;
            Start();
            return true;
        }
        MoveTo(mousePos);
        return true;
    }
    if (message.Msg == WM_LBUTTONUP) {
        bool running = drag->running;
        Finish(true);
        return running;  // an armed drag that never started leaves the release to the control (a click)
    }
    return drag->running;
}

bool CancelDragByKey(WORD key) {
    if (key != VK_ESCAPE || !drag || !drag->running) return false;
    Finish(false);
    return true;
}

TControl* FindDragTarget(TPoint screenPos) {
    for (TCustomForm* form : Screen->ZOrder()) {
        if (!form->Visible() || !form->Enabled()) continue;
        TPoint local{screenPos.X - form->Left(), screenPos.Y - form->Top()};
        if (!Bounds(0, 0, form->Width(), form->Height()).Contains(local)) continue;
        TControl* inner = ControlAt(*form, local);
        return inner ? inner : form;
    }
    return nullptr;
}
