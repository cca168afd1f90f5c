#pragma once
// TControl: a headless object that holds all its state: a parent, bounds, texts, looks and mouse
// events. A renderer follows it through IControlPeer; TWinControl (WinControl.h) adds what a
// windowed control has.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "toolkit/classes/Component.h"
#include "toolkit/rtl/ChangeValue.h"
#include "toolkit/ui/graphics/Graphics.h"
#include "toolkit/ui/kernel/ControlPeer.h"
#include "toolkit/ui/kernel/DragTypes.h"
#include "toolkit/ui/kernel/Keys.h"
#include "toolkit/ui/kernel/Messages.h"

class TWinControl;
class TCustomForm;
class TCanvas;

enum TAlign {
    alNone,
    alTop,
    alBottom,
    alLeft,
    alRight,
    alClient,
    alCustom
};
TK_ENUM_TYPE(TAlign, "alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom")
enum TMouseButton {
    mbLeft,
    mbRight,
    mbMiddle
};
TK_ENUM_TYPE(TMouseButton, "mbLeft", "mbRight", "mbMiddle")
enum THelpType {
    htKeyword,
    htContext
};
TK_ENUM_TYPE(THelpType, "htKeyword", "htContext")

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
// WheelDelta: 120 a notch, positive away from the user; MousePos in screen coordinates.
using TMouseWheelEvent = std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
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
    bool Showing() const;  // visible, and every parent too
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
    void SetFont(const TFont* font);  // copies the font
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

    // Drag and drop (DragDrop.h): with dmAutomatic a left press arms a drag.
    TDragMode DragMode() const { return dragMode_; }
    void SetDragMode(TDragMode mode) { dragMode_ = mode; }
    TCursor DragCursor() const { return dragCursor_; }
    void SetDragCursor(TCursor cursor) { dragCursor_ = cursor; }
    // Arms a drag of this control (starting at once when immediate, else after threshold pixels,
    // -1 for the usual distance).
    void BeginDrag(bool immediate, int threshold = -1);
    bool Dragging() const;
    void EndDrag(bool drop);
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    TNotifyEvent OnStartDrag;
    TEndDragEvent OnEndDrag;
    // What the drag asks of the controls it passes and of its source.
    virtual void DoDragOver(TObject* source, int x, int y, TDragState state, bool& accept);
    virtual void DoDragDrop(TObject* source, int x, int y);
    virtual void DoStartDrag();
    virtual void DoEndDrag(TObject* target, int x, int y);

    virtual void Click();
    virtual void DblClick();

    // Messages: Perform delivers at once. WndProc gives the message to a handler installed for its
    // number, or else to Dispatch, the class's own handling (a handler may call Dispatch itself to
    // fall back on it).
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    virtual void WndProc(TMessage& message);
    virtual void Dispatch(TMessage& message);
    void SetMessageHandler(UINT msg, TMessageHandler handler);  // an empty handler removes it
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
    virtual void Changed(TPropertyId what);
    // The setters' common step: stores value and tells the peer when it differs from field; true
    // when it did.
    template <class T, class U>
    bool SetProperty(T& field, U&& value, TPropertyId what) {
        if (!ChangeValue(field, std::forward<U>(value))) return false;
        Changed(what);
        return true;
    }
    virtual void Resize();
    // The size changed (after the bounds are stored): lays out and raises OnResize.
    virtual void SizeChanged() { Resize(); }
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    // The wheel turned over the control: OnMouseWheel; true when it handled the turn.
    virtual bool MouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos);
    virtual void TextChanged() { Changed(TPropertyId::Caption); }
    virtual void VisibleChanged();
    virtual void EnabledChanged();
    virtual void FontChanged();
    virtual void ColorChanged();
    virtual void ShowHintChanged() { Changed(TPropertyId::ShowHint); }
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
        p.Property("DragCursor", &TControl::DragCursor, &TControl::SetDragCursor);
        p.Property("DragMode", &TControl::DragMode, &TControl::SetDragMode);
        p.Property("OnClick", &TControl::OnClick);
        p.Property("OnDblClick", &TControl::OnDblClick);
        p.Property("OnDragDrop", &TControl::OnDragDrop);
        p.Property("OnDragOver", &TControl::OnDragOver);
        p.Property("OnEndDrag", &TControl::OnEndDrag);
        p.Property("OnStartDrag", &TControl::OnStartDrag);
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
    TDragMode dragMode_ = dmManual;
    TCursor dragCursor_ = crDrag;
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
