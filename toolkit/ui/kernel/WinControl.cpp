#include <algorithm>

#include "toolkit/ui/kernel/DragDrop.h"
#include "toolkit/ui/kernel/Forms.h"
#include "toolkit/ui/kernel/WinControl.h"
#include "toolkit/ui/kernel/WindowRegistry.h"

TCustomForm* GetParentForm(const TControl* control) {
    if (!control) return nullptr;
    while (control->Parent()) control = control->Parent();
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(control));
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    // Reached without BeforeDestruction only when deleted directly: still leave no dangling links.
    if (!winPartsDone_) {
        winPartsDone_ = true;
        if (TCustomForm* form = GetParentForm(this); form && form != this) form->DefocusControl(this, true);
        DestroyChildren();
        DestroyHandle();
        if (Parent()) Parent()->RemoveControl(this);
    }
}

void TWinControl::BeforeDestruction() {
    if (!winPartsDone_) {
        winPartsDone_ = true;
        Destroying();
        if (TCustomForm* form = GetParentForm(this); form && form != this) form->DefocusControl(this, true);
        DestroyChildren();
        DestroyHandle();
    }
    TControl::BeforeDestruction();
}

void TWinControl::DestroyChildren() {
    while (!controls_.empty()) {
        TControl* child = controls_.back();
        RemoveControl(child);
        child->Free();
    }
}

TControl* TWinControl::Controls(int index) const {
    if (index < 0 || index >= ControlCount()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return controls_[static_cast<std::size_t>(index)];
}

bool TWinControl::ContainsControl(const TControl* control) const {
    for (; control; control = control->Parent())
        if (control == this) return true;
    return false;
}

void TWinControl::InsertControl(TControl* control) {
    if (!control || control->parent_ == this) return;
    control->parent_ = this;
    controls_.push_back(control);
    if (auto* win = dynamic_cast<TWinControl*>(control)) {
        tabList_.push_back(win);
        if (win->pendingTabOrder_ >= 0) {
            int order = win->pendingTabOrder_;
            win->pendingTabOrder_ = -1;
            win->SetTabOrder(order);
        }
    }
    control->FollowParent();
    if (Peer()) control->CreatePeer();
    if (control->Align() != alNone) RequestAlign();
}

void TWinControl::RemoveControl(TControl* control) {
    if (!control || control->parent_ != this) return;
    auto same = [control](const TControl* c) { return c == control; };
    auto inTabList = std::find_if(tabList_.begin(), tabList_.end(), same);
    if (inTabList != tabList_.end()) {
        if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(*inTabList, true);
        tabList_.erase(inTabList);
    }
    controls_.erase(std::find_if(controls_.begin(), controls_.end(), same));
    control->parent_ = nullptr;
    if (control->Align() != alNone) RequestAlign();
}

int TWinControl::TabOrder() const {
    if (!Parent()) return -1;
    const auto& list = Parent()->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int order) {
    if (!Parent()) {
        pendingTabOrder_ = order;
        return;
    }
    auto& list = Parent()->tabList_;
    int current = TabOrder();
    if (current < 0) return;
    int count = static_cast<int>(list.size());
    order = std::clamp(order, 0, count - 1);
    if (order == current) return;
    list.erase(list.begin() + current);
    list.insert(list.begin() + order, this);
    Changed(TPropertyId::TabOrder);
}

void TWinControl::SetTabStop(bool value) { SetProperty(tabStop_, value, TPropertyId::TabStop); }

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
    for (TWinControl* control : tabList_) {
        list.push_back(control);
        control->GetTabOrderList(list);
    }
}

bool TWinControl::CanFocus() const {
    const TCustomForm* form = GetParentForm(this);
    if (form) {
        for (const TControl* c = this; c && c != form; c = c->Parent())
            if (!c->Visible() || !c->Enabled()) return false;
    }
    return true;
}

bool TWinControl::Focused() const {
    const TCustomForm* form = GetParentForm(this);
    return form && form->ActiveControl() == this;
}

void TWinControl::SetFocus() {
    TCustomForm* form = GetParentForm(this);
    if (!form) throw EInvalidOperation("Control '" + Name() + "' has no parent window");
    form->FocusControl(this);
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent) const {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    int count = static_cast<int>(list.size());
    auto found = std::find(list.begin(), list.end(), current);
    int start = found == list.end() ? (goForward ? count - 1 : 0) : static_cast<int>(found - list.begin());
    int i = start;
    do {
        if (goForward) {
            if (++i == count) i = 0;
        } else {
            if (i == 0) i = count;
            --i;
        }
        TWinControl* candidate = list[static_cast<std::size_t>(i)];
        if (candidate->CanFocus() && (!checkTabStop || candidate->TabStop()) && (!checkParent || candidate->Parent() == this))
            return candidate;
    } while (i != start);
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
    if (TWinControl* next = FindNextControl(current, goForward, checkTabStop, !checkTabStop)) next->SetFocus();
}

void TWinControl::SelectFirst() {
    TCustomForm* form = GetParentForm(this);
    if (!form) return;
    TWinControl* first = FindNextControl(nullptr, true, true, false);
    if (!first) first = FindNextControl(nullptr, true, false, false);
    if (first) form->SetActiveControl(first);
}

HWND TWinControl::Handle() {
    if (!handle_) {
        if (Parent()) Parent()->HandleNeeded();
        handle_ = WindowRegistry().Allocate(this);
        CreatePeer();
    }
    return handle_;
}

void TWinControl::DestroyHandle() {
    for (TControl* child : controls_)
        if (auto* win = dynamic_cast<TWinControl*>(child)) win->DestroyHandle();
    if (handle_) {
        WindowRegistry().Release(handle_);
        handle_ = 0;
    }
}

std::string TWinControl::WindowClassName() const { return windowClass_.empty() ? ClassName() : windowClass_; }

bool TWinControl::DoKeyDown(WORD& key, TShiftState shift) {
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() && form->DoKeyDown(key, shift)) return true;
    if (key != 0) KeyDown(key, shift);
    return key == 0;
}

bool TWinControl::DoKeyPress(char32_t& key) {
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() && form->DoKeyPress(key)) return true;
    if (key != 0) KeyPress(key);
    return key == 0;
}

bool TWinControl::DoKeyUp(WORD& key, TShiftState shift) {
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() && form->DoKeyUp(key, shift)) return true;
    if (key != 0) KeyUp(key, shift);
    return key == 0;
}

void TWinControl::KeyDown(WORD& key, TShiftState shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyPress(char32_t& key) {
    if (OnKeyPress) OnKeyPress(this, key);
}

void TWinControl::KeyUp(WORD& key, TShiftState shift) {
    if (OnKeyUp) OnKeyUp(this, key, shift);
}

bool TWinControl::HandleKeyDownMessage(WORD key, TShiftState shift) {
    // As on the desktop: Escape ends a drag first, then menu shortcuts, dialog keys, and only then
    // the key events.
    if (CancelDragByKey(key)) return true;
    TCustomForm* form = GetParentForm(this);
    for (TControl* c = this; c; c = c->Parent())
        if (auto* menu = dynamic_cast<IShortCutHandler*>(c->PopupMenu()); menu && menu->IsShortCut(key, shift)) return true;
    if (form && form->IsShortCut(key, shift)) return true;
    // Alt with a letter or digit is an accelerator: a label focuses its control, a button clicks.
    const bool accelerator =
        shift.Contains(ssAlt) && !shift.Contains(ssCtrl) && ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'));
    bool dialogKey = key == VK_TAB || key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN || key == VK_RETURN ||
                     key == VK_EXECUTE || key == VK_ESCAPE || key == VK_CANCEL || accelerator;
    if (dialogKey && form && !WantsKey(key, shift) && form->DialogKey(key, shift)) return true;
    WORD k = key;
    return DoKeyDown(k, shift);
}

bool TWinControl::DialogKey(WORD key, TShiftState shift) {
    std::vector<TControl*> children = controls_;
    for (TControl* child : children)
        if (child->DialogKey(key, shift)) return true;
    return false;
}

void TWinControl::Dispatch(TMessage& message) {
    TShiftState shift = WParamToShiftState(static_cast<WPARAM>(message.LParam));
    switch (message.Msg) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: message.Result = HandleKeyDownMessage(static_cast<WORD>(message.WParam), shift) ? 1 : 0; return;
        case WM_CHAR: {
            char32_t ch = static_cast<char32_t>(message.WParam);
            bool consumed = DoKeyPress(ch);
            if (!consumed) CharTyped(ch);
            message.Result = consumed ? 1 : 0;
            return;
        }
        case WM_KEYUP:
        case WM_SYSKEYUP: {
            WORD key = static_cast<WORD>(message.WParam);
            message.Result = DoKeyUp(key, shift) ? 1 : 0;
            return;
        }
        default: TControl::Dispatch(message);
    }
}

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

void TWinControl::EnableAlign() {
    if (alignDisabled_ > 0 && --alignDisabled_ == 0) AlignControls();
}

void TWinControl::RequestAlign() {
    if (!aligning_ && alignDisabled_ == 0) AlignControls();
}

void TWinControl::AlignControls() {
    if (aligning_) return;
    struct Aligning {
        bool& flag;
        explicit Aligning(bool& f) : flag(f) { flag = true; }
        ~Aligning() { flag = false; }
    } aligning(aligning_);

    int left = 0, top = 0, right = Width(), bottom = Height();
    auto aligned = [this](TAlign align, auto before) {
        std::vector<TControl*> list;
        for (TControl* c : controls_)
            if (c->Visible() && c->Align() == align) list.push_back(c);
        std::stable_sort(list.begin(), list.end(), before);
        return list;
    };
    for (TControl* c : aligned(alTop, [](TControl*a, TControl*b) { return a->Top() < b->Top(); })) {
        c->SetBounds(left, top, std::max(right - left, 0), c->Height());
        top += c->Height();
    }
    for (TControl* c :
         aligned(alBottom, [](TControl*a, TControl*b) { return a->Top() + a->Height() > b->Top() + b->Height(); })) {
        c->SetBounds(left, bottom - c->Height(), std::max(right - left, 0), c->Height());
        bottom -= c->Height();
    }
    for (TControl* c : aligned(alLeft, [](TControl*a, TControl*b) { return a->Left() < b->Left(); })) {
        c->SetBounds(left, top, c->Width(), std::max(bottom - top, 0));
        left += c->Width();
    }
    for (TControl* c : aligned(alRight, [](TControl*a, TControl*b) { return a->Left() + a->Width() > b->Left() + b->Width(); })) {
        c->SetBounds(right - c->Width(), top, c->Width(), std::max(bottom - top, 0));
        right -= c->Width();
    }
    for (TControl* c : aligned(alClient, [](TControl*, TControl*) { return false; }))
        c->SetBounds(left, top, std::max(right - left, 0), std::max(bottom - top, 0));
}

void TWinControl::FontChanged() {
    TControl::FontChanged();
    for (TControl* child : std::vector<TControl*>(controls_)) child->FollowParent();
}

void TWinControl::ColorChanged() {
    TControl::ColorChanged();
    for (TControl* child : std::vector<TControl*>(controls_)) child->FollowParent();
}

void TWinControl::ShowHintChanged() {
    TControl::ShowHintChanged();
    for (TControl* child : std::vector<TControl*>(controls_)) child->FollowParent();
}

void TWinControl::VisibleChanged() {
    TControl::VisibleChanged();
    if (!Visible() && Parent())
        if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(this, false);
}

void TWinControl::EnabledChanged() {
    TControl::EnabledChanged();
    if (!Enabled() && Parent())
        if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(this, false);
}

void TWinControl::SizeChanged() {
    RequestAlign();
    TControl::SizeChanged();
}
