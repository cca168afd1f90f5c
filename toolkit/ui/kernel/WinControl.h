#pragma once
// TWinControl: a control with child controls, tab order and focus, keyboard events and a window
// handle allocated on demand.
#include <string>
#include <vector>

#include "toolkit/ui/kernel/Control.h"

class TWinControl : public TControl {
    TK_CLASS(TWinControl, TControl)
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;
    void BeforeDestruction() override;

    // Child controls, in insertion (z) order.
    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const;  // EListError when out of range
    const std::vector<TControl*>& ControlList() const { return controls_; }
    // True for this control and every control inside it.
    bool ContainsControl(const TControl* control) const;
    // Used by TControl::SetParent; call SetParent instead.
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);

    // Tab order: the position among the parent's windowed controls. Setting it moves the control
    // and renumbers the others; values are clamped to the valid range. Set before the control has a
    // parent, it is applied when the control is inserted.
    int TabOrder() const;
    void SetTabOrder(int order);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value);
    // Windowed controls in tab order, each followed by those inside it.
    void GetTabOrderList(std::vector<TWinControl*>& list) const;
    // Visible and enabled along the parent chain up to the form.
    virtual bool CanFocus() const;
    bool Focused() const;
    // EInvalidOperation "Cannot focus a disabled or invisible window" when it cannot take the focus.
    virtual void SetFocus();
    TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent) const;
    void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);
    void SelectFirst();

    // Handle allocated from the application's window registry on first request.
    HWND Handle();
    bool HandleAllocated() const { return handle_ != 0; }
    void HandleNeeded() { Handle(); }
    void DestroyHandle();
    // Window class used to find windows by class; the class name unless set.
    virtual std::string WindowClassName() const;
    void SetWindowClassName(const std::string& name) { windowClass_ = name; }

    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    // Keyboard events as the control receives them: with the form's key preview on, the form's
    // handler runs first and may consume the key by setting it to 0; true when consumed.
    bool DoKeyDown(WORD& key, TShiftState shift);
    bool DoKeyPress(char32_t& key);
    bool DoKeyUp(WORD& key, TShiftState shift);
    // Keys the control handles itself rather than leaving them to the dialog (Tab, arrows, Enter,
    // Escape); controls such as edits and grids claim theirs.
    virtual bool WantsKey(WORD key, TShiftState shift) const { return false; }
    // Offers a dialog key to the controls inside.
    bool DialogKey(WORD key, TShiftState shift) override;
    // What typing a character does when nobody consumed it (an edit inserts it, a button clicks).
    virtual void CharTyped(char32_t ch) {}

    void DisableAlign() { ++alignDisabled_; }
    void EnableAlign();
    void Realign() { AlignControls(); }

    void Dispatch(TMessage& message) override;

protected:
    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void KeyPress(char32_t& key);
    virtual void KeyUp(WORD& key, TShiftState shift);
    virtual void DoEnter();
    virtual void DoExit();
    // Lays out the aligned child controls: top, bottom, left, right, then client.
    virtual void AlignControls();
    void FontChanged() override;
    void ColorChanged() override;
    void ShowHintChanged() override;
    void VisibleChanged() override;
    void EnabledChanged() override;
    void SizeChanged() override;

    template <class C>
    static void PublishStandardWin(TPublisher<C>& p) {
        PublishStandard(p);
        p.Property("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder);
        p.Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop);
        p.Property("OnEnter", &TWinControl::OnEnter);
        p.Property("OnExit", &TWinControl::OnExit);
        p.Property("OnKeyDown", &TWinControl::OnKeyDown);
        p.Property("OnKeyPress", &TWinControl::OnKeyPress);
        p.Property("OnKeyUp", &TWinControl::OnKeyUp);
    }

private:
    friend class TControl;
    friend class TCustomForm;
    void RequestAlign();
    void DestroyChildren();
    // The key-down pipeline of WM_KEYDOWN: shortcuts, dialog keys, then the key events.
    bool HandleKeyDownMessage(WORD key, TShiftState shift);

    std::vector<TControl*> controls_;
    std::vector<TWinControl*> tabList_;
    bool tabStop_ = false;
    int pendingTabOrder_ = -1;
    HWND handle_ = 0;
    std::string windowClass_;
    int alignDisabled_ = 0;
    bool aligning_ = false;
    bool winPartsDone_ = false;
};

// The form a control sits on (the top of its parent chain when that is a form), or nullptr.
TCustomForm* GetParentForm(const TControl* control);
