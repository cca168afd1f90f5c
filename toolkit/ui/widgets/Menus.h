#pragma once
// Menus: a tree of menu items under a main menu (the form's Menu) or a pop-up menu (a control's
// PopupMenu). Shortcuts fire when the form receives the key, before the focused control sees it
// (IShortCutHandler): the item's parents are clicked first, as opening them would, and an enabled
// item is then clicked. Items named "-" are separators; "&" marks the accelerator in captions.
// Renderers listen to a menu's changes through SetChangeListener and draw owner-drawn items with
// PaintItem.
#include <functional>
#include <string>
#include <vector>

#include "toolkit/ui/kernel/Controls.h"
#include "toolkit/ui/kernel/Hotkey.h"

class TMenu;
class TImageList;

using TMenuDrawItemEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, TRect ARect, bool Selected)>;
using TMenuMeasureItemEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height)>;

// "Ctrl+S", "Shift+F5", "Alt+Del" and back; an empty or unknown text is scNone.
std::string ShortCutToText(TShortCut shortCut);
TShortCut TextToShortCut(const std::string& text);

class TMenuItem : public TComponent {
    TK_CLASS_PUBLISHED(TMenuItem, TComponent)
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;
    void BeforeDestruction() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    bool IsLine() const { return caption_ == "-"; }
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut shortCut);
    bool Checked() const { return checked_; }
    // Checking a radio item unchecks the radio items of its group among its siblings.
    void SetChecked(bool value);
    bool RadioItem() const { return radioItem_; }
    void SetRadioItem(bool value);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    bool AutoCheck() const { return autoCheck_; }
    void SetAutoCheck(bool value) { autoCheck_ = value; }
    bool Default() const { return default_; }
    void SetDefault(bool value);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint) { hint_ = hint; }
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);

    // Sub-items, in order. Add and Insert take an item out of its former parent.
    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const;  // EListError when out of range
    void Add(TMenuItem* item);
    void Add(const std::vector<TMenuItem*>& items);
    void Insert(int index, TMenuItem* item);
    // Takes the item out without freeing it.
    void Delete(int index);
    void Remove(TMenuItem* item);
    // Frees every sub-item.
    void Clear();
    int IndexOf(const TMenuItem* item) const;
    // The sub-item whose caption without accelerator marks equals caption (case ignored).
    TMenuItem* Find(const std::string& caption) const;
    TMenuItem* Parent() const { return parent_; }
    int MenuIndex() const { return parent_ ? parent_->IndexOf(this) : -1; }
    void SetMenuIndex(int index);
    // The menu the item belongs to (through its parents), or nullptr.
    TMenu* GetParentMenu() const;

    // Raises OnClick when enabled (toggling Checked first with AutoCheck).
    virtual void Click();
    // Draws the item (OnDrawItem when the menu is owner-drawn and it is assigned).
    void PaintItem(TCanvas& canvas, const TRect& rect, bool selected);

    TNotifyEvent OnClick;
    TMenuDrawItemEvent OnDrawItem;
    TMenuMeasureItemEvent OnMeasureItem;

private:
    friend class TMenu;
    void MenuChanged(bool rebuild);
    void TurnSiblingsOff();

    std::string caption_;
    TShortCut shortCut_ = scNone;
    bool checked_ = false;
    bool radioItem_ = false;
    int groupIndex_ = 0;
    bool enabled_ = true;
    bool visible_ = true;
    bool autoCheck_ = false;
    bool default_ = false;
    std::string hint_;
    int imageIndex_ = -1;
    std::vector<TMenuItem*> items_;
    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr;  // set on the root item only
};

class TMenu : public TComponent, public IShortCutHandler {
    TK_CLASS_PUBLISHED(TMenu, TComponent)
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;

    // The invisible root whose sub-items are the menu's top items.
    TMenuItem* Items() const { return items_; }
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* images);
    bool OwnerDraw() const { return ownerDraw_; }
    void SetOwnerDraw(bool value);
    // The item with this shortcut, anywhere in the menu (nullptr when none).
    TMenuItem* FindItem(TShortCut shortCut) const;
    // Clicks the item the key combination belongs to; true when an enabled item was clicked.
    bool IsShortCut(WORD key, TShiftState shift) override;

    // Something in the menu changed (source nullptr: the whole menu); rebuild when items came or
    // went. OnChange is the program's; the listener is the renderer's.
    std::function<void(TObject* Sender, TMenuItem* Source, bool Rebuild)> OnChange;
    void SetChangeListener(std::function<void(TMenu& menu, TMenuItem* source, bool rebuild)> listener) {
        listener_ = std::move(listener);
    }

    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TMenuItem;
    void Changed(TMenuItem* source, bool rebuild);

    TMenuItem* items_;
    TImageList* images_ = nullptr;
    bool ownerDraw_ = false;
    std::function<void(TMenu&, TMenuItem*, bool)> listener_;
};

class TMainMenu : public TMenu {
    TK_CLASS_PUBLISHED(TMainMenu, TMenu)
public:
    explicit TMainMenu(TComponent* owner) : TMenu(owner) {}
};

enum TPopupAlignment {
    paLeft,
    paRight,
    paCenter
};
TK_ENUM_TYPE(TPopupAlignment, "paLeft", "paRight", "paCenter")

class TPopupMenu : public TMenu {
    TK_CLASS_PUBLISHED(TPopupMenu, TMenu)
public:
    explicit TPopupMenu(TComponent* owner) : TMenu(owner) {}

    bool AutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool value) { autoPopup_ = value; }
    TPopupAlignment Alignment() const { return alignment_; }
    void SetAlignment(TPopupAlignment value) { alignment_ = value; }
    // The control the menu was last shown for.
    TComponent* PopupComponent() const { return popupComponent_.Get(); }
    void SetPopupComponent(TComponent* component) { popupComponent_ = component; }
    // Raises OnPopup and hands the menu to the pop-up service at (x, y) in screen coordinates.
    virtual void Popup(int x, int y);

    TNotifyEvent OnPopup;

private:
    bool autoPopup_ = true;
    TPopupAlignment alignment_ = paLeft;
    TComponentRef<TComponent> popupComponent_;
};

// Shows pop-up menus: the renderer installs a real one; headless runs record (or ignore) them.
using TPopupHandler = std::function<void(TPopupMenu& menu, int x, int y)>;
TPopupHandler SetPopupHandler(TPopupHandler handler);  // returns the previous one
