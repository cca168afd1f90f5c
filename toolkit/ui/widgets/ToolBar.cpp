#include "toolkit/ui/widgets/ToolBar.h"

#include <algorithm>

#include "toolkit/rtl/ChangeValue.h"
#include "toolkit/ui/graphics/Canvas.h"
#include "toolkit/ui/graphics/ImgList.h"
#include "toolkit/ui/kernel/Hotkey.h"
#include "toolkit/ui/widgets/Menus.h"

// --- TToolButton ---------------------------------------------------------------------------------------

void TToolButton::Publish(TPublisher<TToolButton>& p) {
    p.Property("AllowAllUp", &TToolButton::AllowAllUp, &TToolButton::SetAllowAllUp);
    p.Property("Caption", &TToolButton::Caption, &TToolButton::SetCaption);
    p.Property("Down", &TToolButton::Down, &TToolButton::SetDown);
    p.Property("DropdownMenu", &TToolButton::DropdownMenu, &TToolButton::SetDropdownMenu);
    p.Property("Enabled", &TToolButton::Enabled, &TToolButton::SetEnabled);
    p.Property("Grouped", &TToolButton::Grouped, &TToolButton::SetGrouped);
    p.Property("ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex);
    p.Property("Indeterminate", &TToolButton::Indeterminate, &TToolButton::SetIndeterminate);
    p.Property("Marked", &TToolButton::Marked, &TToolButton::SetMarked);
    p.Property("MenuItem", &TToolButton::MenuItem, &TToolButton::SetMenuItem);
    p.Property("ParentShowHint", &TToolButton::ParentShowHint, &TToolButton::SetParentShowHint);
    p.Property("PopupMenu", &TToolButton::PopupMenu, &TToolButton::SetPopupMenu);
    p.Property("ShowHint", &TToolButton::ShowHint, &TToolButton::SetShowHint);
    p.Property("Style", &TToolButton::Style, &TToolButton::SetStyle);
    p.Property("Visible", &TToolButton::Visible, &TToolButton::SetVisible);
    p.Property("Wrap", &TToolButton::Wrap, &TToolButton::SetWrap);
    p.Property("OnClick", &TToolButton::OnClick);
}

TToolButton::TToolButton(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 23, 22); }

TToolButton::~TToolButton() {
    if (toolBar_) toolBar_->RemoveButton(this);
}

void TToolButton::BeforeDestruction() {
    if (toolBar_) toolBar_->RemoveButton(this);
    TGraphicControl::BeforeDestruction();
}

void TToolButton::SetParent(TWinControl* parent) {
    if (parent == Parent()) return;
    if (toolBar_) toolBar_->RemoveButton(this);
    TGraphicControl::SetParent(parent);
    if (auto* bar = dynamic_cast<TToolBar*>(parent)) bar->InsertButton(this);
}

void TToolButton::SetStyle(TToolButtonStyle value) {
    if (value == style_) return;
    style_ = value;
    if (IsSeparator() && Width() == (toolBar_ ? toolBar_->ButtonWidth() : 23)) SetWidth(8);
    if (style_ != tbsCheck) down_ = false;
    Changed(TPropertyId::Style);
    if (toolBar_) toolBar_->ArrangeButtons();
}

void TToolButton::SetImageIndex(int value) {
    if (SetProperty(imageIndex_, value, TPropertyId::ImageIndex)) Invalidate();
}

void TToolButton::SetDown(bool value) {
    if (value == down_) return;
    down_ = value;
    if (value) UpdateGroup();
    Changed(TPropertyId::Down);
    Invalidate();
}

void TToolButton::UpdateGroup() {
    if (!grouped_ || !toolBar_ || style_ != tbsCheck) return;
    // The grouped check buttons next to this one, up to a button of another kind, form the group.
    auto& list = toolBar_->buttons_;
    auto at = std::find(list.begin(), list.end(), this);
    auto release = [this](TToolButton* b) {
        if (b != this && b->down_) {
            b->down_ = false;
            b->Changed(TPropertyId::Down);
        }
    };
    for (auto it = at; it != list.begin();) {
        --it;
        if (!(*it)->grouped_ || (*it)->style_ != tbsCheck) break;
        release(*it);
    }
    for (auto it = at + 1; it != list.end(); ++it) {
        if (!(*it)->grouped_ || (*it)->style_ != tbsCheck) break;
        release(*it);
    }
}

void TToolButton::SetMarked(bool value) { SetProperty(marked_, value, TPropertyId::Marked); }

void TToolButton::SetIndeterminate(bool value) { SetProperty(indeterminate_, value, TPropertyId::Indeterminate); }

void TToolButton::SetWrap(bool value) {
    if (value == wrap_) return;
    wrap_ = value;
    if (toolBar_) toolBar_->ArrangeButtons();
}

void TToolButton::SetDropdownMenu(TPopupMenu* menu) {
    if (menu == dropdownMenu_) return;
    if (dropdownMenu_) dropdownMenu_->RemoveFreeNotification(this);
    dropdownMenu_ = menu;
    if (menu) menu->FreeNotification(this);
    Changed(TPropertyId::DropdownMenu);
}

void TToolButton::SetMenuItem(TMenuItem* item) {
    if (item == menuItem_) return;
    if (menuItem_) menuItem_->RemoveFreeNotification(this);
    menuItem_ = item;
    if (item) {
        item->FreeNotification(this);
        SetCaption(item->Caption());
        SetHint(item->Hint());
        SetImageIndex(item->ImageIndex());
        SetEnabled(item->Enabled());
    }
}

void TToolButton::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == dropdownMenu_) dropdownMenu_ = nullptr;
    if (component == menuItem_) menuItem_ = nullptr;
}

int TToolButton::Index() const {
    if (!toolBar_) return -1;
    const auto& list = toolBar_->buttons_;
    return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TToolButton::SetIndex(int index) {
    if (!toolBar_) return;
    auto& list = toolBar_->buttons_;
    list.erase(std::find(list.begin(), list.end(), this));
    index = std::clamp(index, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + index, this);
    toolBar_->ArrangeButtons();
}

void TToolButton::Click() {
    if (!Enabled() || IsSeparator()) return;
    if (style_ == tbsCheck) {
        if (!down_)
            SetDown(true);
        else if (!grouped_ || allowAllUp_)
            SetDown(false);
    }
    if (OnClick)
        TGraphicControl::Click();
    else if (menuItem_)
        menuItem_->Click();
}

bool TToolButton::CheckMenuDropdown() {
    if (!dropdownMenu_ || !Enabled()) return false;
    dropdownMenu_->SetPopupComponent(this);
    int x = Left(), y = Top() + Height();
    for (TControl* c = Parent(); c; c = c->Parent()) {
        x += c->Left();
        y += c->Top();
    }
    dropdownMenu_->Popup(x, y);
    return true;
}

void TToolButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseUp(button, shift, x, y);
    if (button != mbLeft || !Bounds(0, 0, Width(), Height()).Contains({x, y})) return;
    // A drop-down button's arrow is its right-most part.
    if (style_ == tbsDropDown && x >= Width() - 12)
        CheckMenuDropdown();
    else
        Click();
}

void TToolButton::TextChanged() {
    TGraphicControl::TextChanged();
    if (toolBar_ && toolBar_->ShowCaptions()) toolBar_->ArrangeButtons();
}

void TToolButton::Paint() {
    TCanvas* canvas = Canvas();
    TRect r = Bounds(0, 0, Width(), Height());
    if (IsSeparator()) {
        if (style_ == tbsDivider) {
            canvas->Pen()->SetColor(clBtnShadow);
            canvas->MoveTo(Width() / 2, 2);
            canvas->LineTo(Width() / 2, Height() - 2);
        }
        return;
    }
    if (down_) {
        canvas->Brush()->SetColor(clBtnHighlight);
        canvas->FillRect(r);
    }
    if (down_ || !(toolBar_ && toolBar_->Flat())) {
        canvas->Brush()->SetColor(clBtnShadow);
        canvas->FrameRect(r);
    }
    TImageList* images = toolBar_ ? toolBar_->Images() : nullptr;
    if (!Enabled() && toolBar_ && toolBar_->DisabledImages()) images = toolBar_->DisabledImages();
    int arrow = style_ == tbsDropDown ? 12 : 0;
    if (images && imageIndex_ >= 0 && imageIndex_ < images->Count()) {
        int x = (Width() - arrow - images->Width()) / 2;
        int y = toolBar_ && toolBar_->ShowCaptions() ? 2 : (Height() - images->Height()) / 2;
        images->Draw(canvas, x, y, imageIndex_, Enabled());
    }
    if (toolBar_ && toolBar_->ShowCaptions() && !Caption().empty()) {
        canvas->Brush()->SetStyle(bsClear);
        if (!Enabled()) canvas->Font()->SetColor(clGrayText);
        canvas->TextRect({0, 0, Width() - arrow, Height() - 2}, StripHotkey(Caption()), TTextFormat{tfCenter, tfBottom});
    }
    if (arrow) {
        canvas->Pen()->SetColor(Enabled() ? clBtnText : clGrayText);
        int cx = Width() - 6, cy = Height() / 2;
        for (int i = 0; i < 3; ++i) {
            canvas->MoveTo(cx - 2 + i, cy - 1 + i);
            canvas->LineTo(cx + 3 - i, cy - 1 + i);
        }
    }
}

// --- TToolBar ------------------------------------------------------------------------------------------

void TToolBar::Publish(TPublisher<TToolBar>& p) {
    PublishStandardWin(p);
    p.Property("ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight);
    p.Property("ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth);
    p.Property("Caption", &TToolBar::Caption, &TToolBar::SetCaption);
    p.Property("DisabledImages", &TToolBar::DisabledImages, &TToolBar::SetDisabledImages);
    p.Property("Flat", &TToolBar::Flat, &TToolBar::SetFlat);
    p.Property("Images", &TToolBar::Images, &TToolBar::SetImages);
    p.Property("Indent", &TToolBar::Indent, &TToolBar::SetIndent);
    p.Property("List", &TToolBar::List, &TToolBar::SetList);
    p.Property("ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions);
    p.Property("Wrapable", &TToolBar::Wrapable, &TToolBar::SetWrapable);
}

TToolBar::TToolBar(TComponent* owner) : TWinControl(owner) {
    SetColor(clBtnFace);
    SetBounds(0, 0, 150, 29);
    SetAlign(alTop);
}

TToolButton* TToolBar::Buttons(int index) const {
    if (index < 0 || index >= ButtonCount()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return buttons_[static_cast<std::size_t>(index)];
}

void TToolBar::InsertButton(TToolButton* button) {
    if (std::find(buttons_.begin(), buttons_.end(), button) != buttons_.end()) return;
    buttons_.push_back(button);
    button->toolBar_ = this;
    if (!button->IsSeparator()) button->SetBounds(button->Left(), button->Top(), buttonWidth_, buttonHeight_);
    ArrangeButtons();
}

void TToolBar::RemoveButton(TToolButton* button) {
    auto it = std::find(buttons_.begin(), buttons_.end(), button);
    if (it == buttons_.end()) return;
    buttons_.erase(it);
    button->toolBar_ = nullptr;
    if (!ComponentState().Contains(csDestroying)) ArrangeButtons();
}

void TToolBar::ArrangeButtons() {
    int x = indent_, y = 2;
    int rowHeight = buttonHeight_;
    for (TToolButton* button : buttons_) {
        if (!button->Visible()) continue;
        int width = button->IsSeparator() ? button->Width() : buttonWidth_;
        if (showCaptions_ && !button->IsSeparator())
            width = std::max(buttonWidth_, Canvas()->TextWidth(StripHotkey(button->Caption())) + 8);
        if (button->Style() == tbsDropDown) width += 12;
        if (wrapable_ && x > indent_ && x + width > Width() && Width() > 0) {
            x = indent_;
            y += rowHeight;
        }
        button->SetBounds(x, y, width, buttonHeight_);
        x += width;
        if (button->Wrap()) {
            x = indent_;
            y += rowHeight;
        }
    }
    Changed(TPropertyId::Buttons);
}

void TToolBar::SetImages(TImageList* images) {
    if (images == images_) return;
    if (images_) images_->RemoveFreeNotification(this);
    images_ = images;
    if (images) images->FreeNotification(this);
    Changed(TPropertyId::Images);
    Invalidate();
}

void TToolBar::SetDisabledImages(TImageList* images) {
    if (images == disabledImages_) return;
    if (disabledImages_) disabledImages_->RemoveFreeNotification(this);
    disabledImages_ = images;
    if (images) images->FreeNotification(this);
}

void TToolBar::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == images_) images_ = nullptr;
    if (component == disabledImages_) disabledImages_ = nullptr;
}

void TToolBar::SetButtonWidth(int value) {
    if (value <= 0 || value == buttonWidth_) return;
    buttonWidth_ = value;
    ArrangeButtons();
}

void TToolBar::SetButtonHeight(int value) {
    if (value <= 0 || value == buttonHeight_) return;
    buttonHeight_ = value;
    ArrangeButtons();
}

void TToolBar::SetFlat(bool value) {
    if (SetProperty(flat_, value, TPropertyId::Flat)) Invalidate();
}

void TToolBar::SetShowCaptions(bool value) {
    if (ChangeValue(showCaptions_, value)) ArrangeButtons();
}

void TToolBar::SetList(bool value) {
    if (ChangeValue(list_, value)) ArrangeButtons();
}

void TToolBar::SetWrapable(bool value) {
    if (ChangeValue(wrapable_, value)) ArrangeButtons();
}

void TToolBar::SetIndent(int value) {
    if (value < 0 || value == indent_) return;
    indent_ = value;
    ArrangeButtons();
}

void TToolBar::Paint() { Canvas()->FillRect(Bounds(0, 0, Width(), Height())); }

void TToolBar::SizeChanged() {
    ArrangeButtons();
    TWinControl::SizeChanged();
}
