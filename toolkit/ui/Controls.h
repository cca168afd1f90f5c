#pragma once
// Controls: headless objects that hold all their state. TControl has a parent, bounds, texts,
// looks and mouse events; TWinControl adds child controls, tab order and focus, keyboard events and
// a window handle allocated on demand. A renderer follows them through IControlPeer.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/classes/Component.h"
#include "toolkit/ui/ControlPeer.h"
#include "toolkit/ui/Graphics.h"
#include "toolkit/ui/Keys.h"
#include "toolkit/ui/Messages.h"

class TWinControl;
class TCustomForm;
class TCanvas;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
TK_ENUM_TYPE(TAlign, "alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom")
enum TMouseButton { mbLeft, mbRight, mbMiddle };
TK_ENUM_TYPE(TMouseButton, "mbLeft", "mbRight", "mbMiddle")
enum THelpType { htKeyword, htContext };
TK_ENUM_TYPE(THelpType, "htKeyword", "htContext")

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
// WheelDelta: 120 a notch, positive away from the user; MousePos in screen coordinates.
using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char32_t& Key)>;
using TMessageHandler = std::function<void(TMessage& Message)>;

// Hints hold a short part and a long part separated by "|"; without "|" both are the whole text.
std::string GetShortHint(const std::string& hint);
std::string GetLongHint(const std::string& hint);

class TControl : public TComponent {
    TK_CLASS_PUBLISHED(TControl, TComponent)
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;
    void BeforeDestruction() override;

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int value) { SetBounds(value, top_, width_, height_); }
    void SetTop(int value) { SetBounds(left_, value, width_, height_); }
    void SetWidth(int value) { SetBounds(left_, top_, value, height_); }
    void SetHeight(int value) { SetBounds(left_, top_, width_, value); }
    virtual void SetBounds(int left, int top, int width, int height);
    // Headless controls have no frame: the client area is the whole control.
    int ClientWidth() const { return width_; }
    int ClientHeight() const { return height_; }
    void SetClientWidth(int value) { SetWidth(value); }
    void SetClientHeight(int value) { SetHeight(value); }
    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    virtual void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Showing() const;   // visible, and every parent too
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);

    // Caption and Text are the same text (a control shows one or the other).
    const std::string& Caption() const { return text_; }
    void SetCaption(const std::string& caption) { SetText(caption); }
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);
    TFont* Font() const { return font_.get(); }
    void SetFont(const TFont* font);   // copies the font
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value);
    bool ParentShowHint() const { return parentShowHint_; }
    void SetParentShowHint(bool value);
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor);
    // The pop-up menu component (menus are defined by the controls layer); cleared when it is freed.
    TComponent* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TComponent* menu);
    const std::string& HelpKeyword() const { return helpKeyword_; }
    void SetHelpKeyword(const std::string& keyword) { helpKeyword_ = keyword; }
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int context) { helpContext_ = context; }
    THelpType HelpType() const { return helpType_; }
    void SetHelpType(THelpType type) { helpType_ = type; }

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnResize;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TMouseWheelEvent OnMouseWheel;

    virtual void Click();
    virtual void DblClick();

    // Messages: Perform delivers at once. WndProc gives the message to a handler installed for its
    // number, or else to Dispatch, the class's own handling (a handler may call Dispatch itself to
    // fall back on it).
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    virtual void WndProc(TMessage& message);
    virtual void Dispatch(TMessage& message);
    void SetMessageHandler(UINT msg, TMessageHandler handler);   // an empty handler removes it
    TMessageHandler MessageHandler(UINT msg) const;

    // Dialog keys (Enter, Escape ...) offered to every control of a form; true when handled.
    virtual bool DialogKey(WORD key, TShiftState shift) { return false; }

    // Order among the parent's controls.
    virtual void BringToFront();
    virtual void SendToBack();

    virtual void Invalidate();
    // Paints the control again now rather than when the event loop next runs (progress windows).
    void Repaint();
    // Client coordinates of this control to screen coordinates and back (a form's client area
    // starts at its Left and Top).
    TPoint ClientToScreen(TPoint point) const;
    TPoint ScreenToClient(TPoint point) const;
    // Paints the control (not its children) on canvas in client coordinates: Canvas() is that
    // canvas while Paint runs, with the control's font. Renderers and tests call it.
    void PaintTo(TCanvas& canvas);
    // The canvas being painted on, or outside painting the control's own canvas for measuring text
    // (CreateMeasureCanvas, with the control's font).
    TCanvas* Canvas();
    IControlPeer* Peer() const { return peer_.get(); }
    void SetPeer(std::unique_ptr<IControlPeer> peer);
    // Builds the peer through the application's peer factory when there is one and no peer yet.
    void CreatePeer();

    void Notification(TComponent* component, TOperation operation) override;

protected:
    // Draws the control on Canvas(); nothing by default.
    virtual void Paint() {}
    // Runs paint with Canvas() pointing at canvas (prepared with the control's font and colour).
    void PaintWith(TCanvas& canvas, const std::function<void()>& paint);
    // Tells the peer that something it shows changed.
    virtual void Changed(std::string_view what);
    virtual void Resize();
    // The size changed (after the bounds are stored): lays out and raises OnResize.
    virtual void SizeChanged() { Resize(); }
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    // The wheel turned over the control: OnMouseWheel; true when it handled the turn.
    virtual bool MouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos);
    virtual void TextChanged() { Changed("Caption"); }
    virtual void VisibleChanged();
    virtual void EnabledChanged();
    virtual void FontChanged();
    virtual void ColorChanged();
    virtual void ShowHintChanged() { Changed("ShowHint"); }
    // The parent's font, colour or hint setting changed (or a new parent): follow it when asked to.
    virtual void FollowParent();
    // Stores the visibility without notifying anyone (for constructors).
    void SetVisibleFlag(bool visible) { visible_ = visible; }

    // Publishes the properties most concrete controls share (Align, Color, Enabled, Font,
    // ParentColor, ParentFont, ParentShowHint, PopupMenu, ShowHint, Visible, click and mouse events).
    template <class C>
    static void PublishStandard(TPublisher<C>& p) {
        p.Property("Align", &TControl::Align, &TControl::SetAlign);
        p.Property("Color", &TControl::Color, &TControl::SetColor);
        p.Property("Enabled", &TControl::Enabled, &TControl::SetEnabled);
        p.Property("Font", &TControl::Font, &TControl::SetFont);
        p.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor);
        p.Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont);
        p.Property("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint);
        p.Property("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu);
        p.Property("ShowHint", &TControl::ShowHint, &TControl::SetShowHint);
        p.Property("Visible", &TControl::Visible, &TControl::SetVisible);
        p.Property("OnClick", &TControl::OnClick);
        p.Property("OnDblClick", &TControl::OnDblClick);
        p.Property("OnMouseDown", &TControl::OnMouseDown);
        p.Property("OnMouseMove", &TControl::OnMouseMove);
        p.Property("OnMouseUp", &TControl::OnMouseUp);
        p.Property("OnMouseWheel", &TControl::OnMouseWheel);
    }

private:
    friend class TWinControl;

    TWinControl* parent_ = nullptr;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    TAlign align_ = alNone;
    bool visible_ = true;
    bool enabled_ = true;
    std::string text_;
    TColor color_ = clWindow;
    bool parentColor_ = false;
    TOwnedPtr<TFont> font_;
    bool parentFont_ = true;
    bool followingParent_ = false;
    std::string hint_;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    TCursor cursor_ = crDefault;
    TComponent* popupMenu_ = nullptr;
    std::string helpKeyword_;
    int helpContext_ = 0;
    THelpType helpType_ = htContext;
    std::map<UINT, TMessageHandler> handlers_;
    std::unique_ptr<IControlPeer> peer_;
    std::unique_ptr<TCanvas> ownCanvas_;
    TCanvas* paintCanvas_ = nullptr;
    bool controlPartsDone_ = false;
};

class TWinControl : public TControl {
    TK_CLASS(TWinControl, TControl)
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;
    void BeforeDestruction() override;

    // Child controls, in insertion (z) order.
    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const;   // EListError when out of range
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
