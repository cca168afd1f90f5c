#include "toolkit/ui/kernel/Control.h"

#include <algorithm>
#include <cstdint>

#include "toolkit/rtl/ChangeValue.h"
#include "toolkit/ui/graphics/Canvas.h"
#include "toolkit/ui/kernel/DragDrop.h"
#include "toolkit/ui/kernel/WinControl.h"

std::string GetShortHint(const std::string& hint) {
    std::size_t bar = hint.find('|');
    return bar == std::string::npos ? hint : hint.substr(0, bar);
}

std::string GetLongHint(const std::string& hint) {
    std::size_t bar = hint.find('|');
    return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

void TControl::Publish(TPublisher<TControl>& p) {
    p.Property("Left", &TControl::Left, &TControl::SetLeft);
    p.Property("Top", &TControl::Top, &TControl::SetTop);
    p.Property("Width", &TControl::Width, &TControl::SetWidth);
    p.Property("Height", &TControl::Height, &TControl::SetHeight);
    p.Property("Cursor", &TControl::Cursor, &TControl::SetCursor);
    p.Property("Hint", &TControl::Hint, &TControl::SetHint);
    p.Property("HelpType", &TControl::HelpType, &TControl::SetHelpType);
    p.Property("HelpKeyword", &TControl::HelpKeyword, &TControl::SetHelpKeyword);
    p.Property("HelpContext", &TControl::HelpContext, &TControl::SetHelpContext);
}

TControl::TControl(TComponent* owner) : TComponent(owner), font_(new TFont) {
    font_->OnChange = [this](TObject*) { FontChanged(); };
}

TControl::~TControl() {
    if (!controlPartsDone_) {
        controlPartsDone_ = true;
        if (parent_) parent_->RemoveControl(this);
        peer_.reset();
    }
}

void TControl::BeforeDestruction() {
    if (!controlPartsDone_) {
        controlPartsDone_ = true;
        Destroying();
        if (parent_) parent_->RemoveControl(this);
        peer_.reset();
    }
    TComponent::BeforeDestruction();
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    if (parent == this) throw EInvalidOperation("A control cannot have itself as its parent");
    if (auto* self = dynamic_cast<TWinControl*>(this); self && parent && self->ContainsControl(parent))
        throw EInvalidOperation("A control cannot have one of its children as its parent");
    if (parent_) parent_->RemoveControl(this);
    if (parent) parent->InsertControl(this);
    Changed(TPropertyId::Parent);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    bool resized = width != width_ || height != height_;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Changed(TPropertyId::Bounds);
    if (parent_ && align_ != alNone) parent_->RequestAlign();
    if (resized) SizeChanged();
}

void TControl::SetAlign(TAlign align) {
    if (align == align_) return;
    align_ = align;
    if (parent_) parent_->RequestAlign();
}

bool TControl::Showing() const { return visible_ && (!parent_ || parent_->Showing()); }

void TControl::SetVisible(bool visible) {
    if (ChangeValue(visible_, visible)) VisibleChanged();
}

void TControl::VisibleChanged() {
    Changed(TPropertyId::Visible);
    if (parent_ && align_ != alNone) parent_->RequestAlign();
}

void TControl::SetEnabled(bool enabled) {
    if (ChangeValue(enabled_, enabled)) EnabledChanged();
}

void TControl::EnabledChanged() { Changed(TPropertyId::Enabled); }

void TControl::SetText(const std::string& text) {
    if (ChangeValue(text_, text)) TextChanged();
}

void TControl::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    if (!followingParent_) parentColor_ = false;
    ColorChanged();
}

void TControl::ColorChanged() { Changed(TPropertyId::Color); }

void TControl::SetParentColor(bool value) {
    if (value == parentColor_) return;
    parentColor_ = value;
    if (value) FollowParent();
}

void TControl::SetFont(const TFont* font) { font_->Assign(font); }

void TControl::FontChanged() {
    if (!followingParent_) parentFont_ = false;
    Changed(TPropertyId::Font);
}

void TControl::SetParentFont(bool value) {
    if (value == parentFont_) return;
    parentFont_ = value;
    if (value) FollowParent();
}

void TControl::SetHint(const std::string& hint) { SetProperty(hint_, hint, TPropertyId::Hint); }

void TControl::SetShowHint(bool value) {
    if (value == showHint_) return;
    showHint_ = value;
    if (!followingParent_) parentShowHint_ = false;
    ShowHintChanged();
}

void TControl::SetParentShowHint(bool value) {
    if (value == parentShowHint_) return;
    parentShowHint_ = value;
    if (value) FollowParent();
}

void TControl::FollowParent() {
    if (!parent_) return;
    struct Following {
        bool& flag;
        explicit Following(bool& f) : flag(f) { flag = true; }
        ~Following() { flag = false; }
    } following(followingParent_);
    if (parentFont_) font_->Assign(parent_->Font());
    if (parentColor_) SetColor(parent_->Color());
    if (parentShowHint_) SetShowHint(parent_->ShowHint());
}

void TControl::SetCursor(TCursor cursor) { SetProperty(cursor_, cursor, TPropertyId::Cursor); }

void TControl::SetPopupMenu(TComponent* menu) {
    if (menu == popupMenu_) return;
    if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
    popupMenu_ = menu;
    if (menu) menu->FreeNotification(this);
}

void TControl::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == popupMenu_) popupMenu_ = nullptr;
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

void TControl::Resize() {
    if (OnResize) OnResize(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::BeginDrag(bool immediate, int threshold) { BeginDragOf(*this, immediate, threshold); }

bool TControl::Dragging() const { return DragRunning(this); }

void TControl::EndDrag(bool drop) { EndDragOf(*this, drop); }

void TControl::DoDragOver(TObject* source, int x, int y, TDragState state, bool& accept) {
    accept = static_cast<bool>(OnDragOver);
    if (OnDragOver) OnDragOver(this, source, x, y, state, accept);
}

void TControl::DoDragDrop(TObject* source, int x, int y) {
    if (OnDragDrop) OnDragDrop(this, source, x, y);
}

void TControl::DoStartDrag() {
    if (OnStartDrag) OnStartDrag(this);
}

void TControl::DoEndDrag(TObject* target, int x, int y) {
    if (OnEndDrag) OnEndDrag(this, target, x, y);
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage message{msg, wParam, lParam, 0};
    WndProc(message);
    return message.Result;
}

void TControl::WndProc(TMessage& message) {
    if (RouteDragMouse(*this, message)) return;
    auto it = handlers_.find(message.Msg);
    if (it != handlers_.end()) {
        TMessageHandler handler = it->second;  // the handler may replace itself
        handler(message);
        return;
    }
    Dispatch(message);
}

void TControl::Dispatch(TMessage& message) {
    TShiftState shift = WParamToShiftState(message.WParam);
    int x = LParamLow(message.LParam);
    int y = LParamHigh(message.LParam);
    switch (message.Msg) {
        case WM_LBUTTONDOWN: {
            TComponentRef<TControl> alive(this);
            MouseDown(mbLeft, shift + ssLeft, x, y);
            if (alive && dragMode_ == dmAutomatic && Enabled()) BeginDrag(false);
            break;
        }
        case WM_RBUTTONDOWN: MouseDown(mbRight, shift + ssRight, x, y); break;
        case WM_MBUTTONDOWN: MouseDown(mbMiddle, shift + ssMiddle, x, y); break;
        case WM_LBUTTONUP: MouseUp(mbLeft, shift, x, y); break;
        case WM_RBUTTONUP: MouseUp(mbRight, shift, x, y); break;
        case WM_MBUTTONUP: MouseUp(mbMiddle, shift, x, y); break;
        case WM_MOUSEMOVE: MouseMove(shift, x, y); break;
        case WM_MOUSEWHEEL: {
            const int delta = static_cast<std::int16_t>(static_cast<std::uint16_t>((message.WParam >> 16) & 0xFFFF));
            message.Result = MouseWheel(shift, delta, TPoint{x, y}) ? 1 : 0;
            break;
        }
        case WM_LBUTTONDBLCLK:
            DblClick();
            MouseDown(mbLeft, shift + ssLeft + ssDouble, x, y);
            break;
        default: break;
    }
}

void TControl::SetMessageHandler(UINT msg, TMessageHandler handler) {
    if (handler)
        handlers_[msg] = std::move(handler);
    else
        handlers_.erase(msg);
}

TMessageHandler TControl::MessageHandler(UINT msg) const {
    auto it = handlers_.find(msg);
    return it == handlers_.end() ? TMessageHandler() : it->second;
}

void TControl::BringToFront() {
    if (parent_) {
        auto& list = parent_->controls_;
        list.erase(std::find(list.begin(), list.end(), this));
        list.push_back(this);
    }
    Changed(TPropertyId::BringToFront);
}

void TControl::SendToBack() {
    if (parent_) {
        auto& list = parent_->controls_;
        list.erase(std::find(list.begin(), list.end(), this));
        list.insert(list.begin(), this);
    }
    Changed(TPropertyId::SendToBack);
}

void TControl::Invalidate() {
    if (peer_) peer_->Invalidate(*this);
}

void TControl::Repaint() {
    if (peer_) peer_->Repaint(*this);
}

TPoint TControl::ClientToScreen(TPoint point) const {
    for (const TControl* c = this; c; c = c->Parent()) {
        point.X += c->Left();
        point.Y += c->Top();
    }
    return point;
}

TPoint TControl::ScreenToClient(TPoint point) const {
    const TPoint origin = ClientToScreen(TPoint{});
    return TPoint{point.X - origin.X, point.Y - origin.Y};
}

bool TControl::MouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
    bool handled = false;
    if (OnMouseWheel) OnMouseWheel(this, shift, wheelDelta, mousePos, handled);
    return handled;
}

void TControl::PaintTo(TCanvas& canvas) {
    PaintWith(canvas, [this] { Paint(); });
}

void TControl::PaintWith(TCanvas& canvas, const std::function<void()>& paint) {
    struct Painting {
        TCanvas*& slot;
        TCanvas* saved;
        Painting(TCanvas*& s, TCanvas* c) : slot(s), saved(s) { slot = c; }
        ~Painting() { slot = saved; }
    } painting(paintCanvas_, &canvas);
    canvas.SetFont(Font());
    canvas.Brush()->SetColor(Color());
    canvas.Pen()->SetColor(clBlack);
    paint();
}

TCanvas* TControl::Canvas() {
    if (paintCanvas_) return paintCanvas_;
    if (!ownCanvas_) ownCanvas_ = CreateMeasureCanvas();
    ownCanvas_->SetFont(Font());
    return ownCanvas_.get();
}

void TControl::SetPeer(std::unique_ptr<IControlPeer> peer) { peer_ = std::move(peer); }

void TControl::CreatePeer() {
    if (!peer_ && PeerFactory()) peer_ = PeerFactory()(*this);
}

void TControl::Changed(TPropertyId what) {
    if (peer_) peer_->PropertyChanged(*this, what);
}
