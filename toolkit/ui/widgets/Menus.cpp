#include "toolkit/ui/widgets/Menus.h"

#include <algorithm>

#include "toolkit/rtl/ChangeValue.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/graphics/Canvas.h"
#include "toolkit/ui/graphics/ImgList.h"

// --- Shortcut texts ------------------------------------------------------------------------------------

namespace {
struct KeyName {
    WORD key;
    const char* name;
};
// The first name of a key is the one written; the others are also read.
constexpr KeyName kKeyNames[] = {
    {VK_BACK, "BkSp"},    {VK_BACK, "Backspace"}, {VK_TAB, "Tab"},     {VK_ESCAPE, "Esc"}, {VK_ESCAPE, "Escape"},
    {VK_RETURN, "Enter"}, {VK_RETURN, "Return"},  {VK_SPACE, "Space"}, {VK_PRIOR, "PgUp"}, {VK_PRIOR, "PageUp"},
    {VK_NEXT, "PgDn"},    {VK_NEXT, "PageDown"},  {VK_END, "End"},     {VK_HOME, "Home"},  {VK_LEFT, "Left"},
    {VK_UP, "Up"},        {VK_RIGHT, "Right"},    {VK_DOWN, "Down"},   {VK_INSERT, "Ins"}, {VK_INSERT, "Insert"},
    {VK_DELETE, "Del"},   {VK_DELETE, "Delete"},
};

std::string KeyToName(WORD key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::string(1, static_cast<char>(key));
    if (key >= VK_F1 && key <= VK_F12) return "F" + std::to_string(key - VK_F1 + 1);
    for (const KeyName& k : kKeyNames)
        if (k.key == key) return k.name;
    return {};
}

WORD NameToKey(const std::string& name) {
    if (name.size() == 1) {
        char c = name[0];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return static_cast<WORD>(c);
        return 0;
    }
    if ((name[0] == 'F' || name[0] == 'f') && name.size() <= 3) {
        int n = 0;
        if (TryStrToInt(name.substr(1), n) && n >= 1 && n <= 12) return static_cast<WORD>(VK_F1 + n - 1);
    }
    for (const KeyName& k : kKeyNames)
        if (SameText(k.name, name)) return k.key;
    return 0;
}
}  // namespace

std::string ShortCutToText(TShortCut shortCut) {
    WORD key;
    TShiftState shift;
    ShortCutToKey(shortCut, key, shift);
    std::string name = KeyToName(key);
    if (name.empty()) return {};
    std::string text;
    if (shift.Contains(ssShift)) text += "Shift+";
    if (shift.Contains(ssCtrl)) text += "Ctrl+";
    if (shift.Contains(ssAlt)) text += "Alt+";
    return text + name;
}

TShortCut TextToShortCut(const std::string& text) {
    std::string rest = Trim(text);
    TShortCut modifiers = 0;
    for (;;) {
        if (StartsText("Shift+", rest)) {
            modifiers |= scShift;
            rest = rest.substr(6);
        } else if (StartsText("Ctrl+", rest)) {
            modifiers |= scCtrl;
            rest = rest.substr(5);
        } else if (StartsText("Alt+", rest)) {
            modifiers |= scAlt;
            rest = rest.substr(4);
        } else {
            break;
        }
    }
    if (rest.empty()) return scNone;
    WORD key = NameToKey(rest);
    return key == 0 ? scNone : static_cast<TShortCut>(key | modifiers);
}

// --- TMenuItem -----------------------------------------------------------------------------------------

void TMenuItem::Publish(TPublisher<TMenuItem>& p) {
    p.Property("AutoCheck", &TMenuItem::AutoCheck, &TMenuItem::SetAutoCheck);
    p.Property("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption);
    p.Property("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked);
    p.Property("Default", &TMenuItem::Default, &TMenuItem::SetDefault);
    p.Property("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled);
    p.Property("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex);
    p.Property("Hint", &TMenuItem::Hint, &TMenuItem::SetHint);
    p.Property("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex);
    p.Property("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem);
    p.Property("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut);
    p.Property("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible);
    p.Property("OnClick", &TMenuItem::OnClick);
    p.Property("OnDrawItem", &TMenuItem::OnDrawItem);
    p.Property("OnMeasureItem", &TMenuItem::OnMeasureItem);
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
    // Deleted without Free: still leave the tree.
    for (TMenuItem* item : items_) item->parent_ = nullptr;
    if (parent_) parent_->Remove(this);
}

void TMenuItem::BeforeDestruction() {
    while (!items_.empty()) items_.back()->Free();
    if (parent_) parent_->Remove(this);
    TComponent::BeforeDestruction();
}

void TMenuItem::SetCaption(const std::string& caption) {
    if (ChangeValue(caption_, caption)) MenuChanged(false);
}

void TMenuItem::SetShortCut(TShortCut shortCut) {
    if (ChangeValue(shortCut_, shortCut)) MenuChanged(false);
}

void TMenuItem::SetChecked(bool value) {
    if (value == checked_) return;
    checked_ = value;
    if (value && radioItem_) TurnSiblingsOff();
    MenuChanged(false);
}

void TMenuItem::TurnSiblingsOff() {
    if (!parent_) return;
    for (TMenuItem* sibling : parent_->items_) {
        if (sibling != this && sibling->radioItem_ && sibling->groupIndex_ == groupIndex_ && sibling->checked_) {
            sibling->checked_ = false;
            sibling->MenuChanged(false);
        }
    }
}

void TMenuItem::SetRadioItem(bool value) {
    if (value == radioItem_) return;
    radioItem_ = value;
    if (value && checked_) TurnSiblingsOff();
    MenuChanged(false);
}

void TMenuItem::SetGroupIndex(int value) {
    if (value == groupIndex_) return;
    groupIndex_ = value;
    if (radioItem_ && checked_) TurnSiblingsOff();
    MenuChanged(false);
}

void TMenuItem::SetEnabled(bool value) {
    if (ChangeValue(enabled_, value)) MenuChanged(false);
}

void TMenuItem::SetVisible(bool value) {
    if (ChangeValue(visible_, value)) MenuChanged(true);
}

void TMenuItem::SetDefault(bool value) {
    if (ChangeValue(default_, value)) MenuChanged(false);
}

void TMenuItem::SetImageIndex(int value) {
    if (ChangeValue(imageIndex_, value)) MenuChanged(false);
}

TMenuItem* TMenuItem::Items(int index) const {
    if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return items_[static_cast<std::size_t>(index)];
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Add(const std::vector<TMenuItem*>& items) {
    for (TMenuItem* item : items) Add(item);
}

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item) return;
    for (const TMenuItem* p = this; p; p = p->parent_)
        if (p == item) throw EInvalidOperation("A menu item cannot contain itself");
    if (item->parent_) item->parent_->Remove(item);
    index = std::clamp(index, 0, Count());
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
    if (item->radioItem_ && item->checked_) item->TurnSiblingsOff();
    MenuChanged(true);
}

void TMenuItem::Delete(int index) { Remove(Items(index)); }

void TMenuItem::Remove(TMenuItem* item) {
    auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end()) return;
    items_.erase(it);
    item->parent_ = nullptr;
    MenuChanged(true);
}

void TMenuItem::Clear() {
    while (!items_.empty()) items_.back()->Free();
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
    auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

TMenuItem* TMenuItem::Find(const std::string& caption) const {
    std::string wanted = StripHotkey(caption);
    for (TMenuItem* item : items_)
        if (SameText(StripHotkey(item->caption_), wanted)) return item;
    return nullptr;
}

void TMenuItem::SetMenuIndex(int index) {
    if (!parent_) return;
    TMenuItem* parent = parent_;
    auto& list = parent->items_;
    list.erase(std::find(list.begin(), list.end(), this));
    index = std::clamp(index, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + index, this);
    MenuChanged(true);
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* root = this;
    while (root->parent_) root = root->parent_;
    return root->menu_;
}

void TMenuItem::MenuChanged(bool rebuild) {
    if (TMenu* menu = GetParentMenu()) menu->Changed(this, rebuild);
}

void TMenuItem::Click() {
    if (!enabled_) return;
    if (autoCheck_) SetChecked(!checked_);
    if (OnClick) OnClick(this);
}

void TMenuItem::PaintItem(TCanvas& canvas, const TRect& rect, bool selected) {
    TMenu* menu = GetParentMenu();
    if (menu && menu->OwnerDraw() && OnDrawItem) {
        OnDrawItem(this, &canvas, rect, selected);
        return;
    }
    canvas.Brush()->SetColor(selected ? clHighlight : clMenu);
    canvas.Font()->SetColor(!enabled_ ? clGrayText : selected ? clHighlightText : clMenuText);
    canvas.FillRect(rect);
    if (IsLine()) {
        canvas.Pen()->SetColor(clBtnShadow);
        canvas.MoveTo(rect.Left, rect.Top + rect.Height() / 2);
        canvas.LineTo(rect.Right, rect.Top + rect.Height() / 2);
        return;
    }
    int textLeft = rect.Left + 4;
    if (menu && menu->Images() && imageIndex_ >= 0) {
        menu->Images()->Draw(&canvas, rect.Left + 2, rect.Top + (rect.Height() - menu->Images()->Height()) / 2, imageIndex_,
                             enabled_);
        textLeft = rect.Left + menu->Images()->Width() + 6;
    } else if (checked_) {
        canvas.TextOut(rect.Left + 2, rect.Top, radioItem_ ? "\xE2\x97\x8F" : "\xE2\x9C\x93");
        textLeft = rect.Left + 18;
    }
    canvas.Brush()->SetStyle(bsClear);
    canvas.TextRect(rect, textLeft, rect.Top, StripHotkey(caption_));
    if (shortCut_ != scNone) {
        std::string keys = ShortCutToText(shortCut_);
        canvas.TextRect(rect, rect.Right - canvas.TextWidth(keys) - 4, rect.Top, keys);
    }
}

// --- TMenu ---------------------------------------------------------------------------------------------

void TMenu::Publish(TPublisher<TMenu>& p) {
    p.Property("Images", &TMenu::Images, &TMenu::SetImages);
    p.Property("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw);
    p.Property("OnChange", &TMenu::OnChange);
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(new TMenuItem(nullptr)) { items_->menu_ = this; }

TMenu::~TMenu() {
    items_->menu_ = nullptr;
    items_->Free();
}

void TMenu::SetImages(TImageList* images) {
    if (images == images_) return;
    if (images_) images_->RemoveFreeNotification(this);
    images_ = images;
    if (images) images->FreeNotification(this);
    Changed(nullptr, false);
}

void TMenu::SetOwnerDraw(bool value) {
    if (ChangeValue(ownerDraw_, value)) Changed(nullptr, true);
}

void TMenu::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == images_) images_ = nullptr;
}

void TMenu::Changed(TMenuItem* source, bool rebuild) {
    if (ComponentState().Contains(csDestroying)) return;
    if (OnChange) OnChange(this, source, rebuild);
    if (listener_) listener_(*this, source, rebuild);
}

namespace {
TMenuItem* FindByShortCut(TMenuItem* item, TShortCut shortCut) {
    for (int i = 0; i < item->Count(); ++i) {
        TMenuItem* child = item->Items(i);
        if (child->ShortCut() == shortCut) return child;
        if (TMenuItem* found = FindByShortCut(child, shortCut)) return found;
    }
    return nullptr;
}
}  // namespace

TMenuItem* TMenu::FindItem(TShortCut shortCut) const {
    if (shortCut == scNone) return nullptr;
    return FindByShortCut(items_, shortCut);
}

bool TMenu::IsShortCut(WORD key, TShiftState shift) {
    TMenuItem* item = FindItem(::ShortCut(key, shift));
    if (!item) return false;
    TComponentRef<TMenuItem> alive(item);
    // The parents hear a click first, as when the user opens them (they may enable the item).
    std::vector<TMenuItem*> parents;
    for (TMenuItem* p = item->Parent(); p && p != items_; p = p->Parent()) parents.push_back(p);
    for (auto it = parents.rbegin(); it != parents.rend(); ++it) {
        (*it)->Click();
        if (!alive) return true;
    }
    for (TMenuItem* p = item; p && p != items_; p = p->Parent())
        if (!p->Enabled()) return false;
    item->Click();
    return true;
}

// --- TPopupMenu ----------------------------------------------------------------------------------------

void TMainMenu::Publish(TPublisher<TMainMenu>& p) {}

void TPopupMenu::Publish(TPublisher<TPopupMenu>& p) {
    p.Property("Alignment", &TPopupMenu::Alignment, &TPopupMenu::SetAlignment);
    p.Property("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup);
    p.Property("OnPopup", &TPopupMenu::OnPopup);
}

namespace {
TPopupHandler& PopupHandler() {
    static auto* handler = new TPopupHandler;
    return *handler;
}
}  // namespace

TPopupHandler SetPopupHandler(TPopupHandler handler) {
    TPopupHandler previous = std::move(PopupHandler());
    PopupHandler() = std::move(handler);
    return previous;
}

void TPopupMenu::Popup(int x, int y) {
    if (OnPopup) OnPopup(this);
    if (PopupHandler()) PopupHandler()(*this, x, y);
}
