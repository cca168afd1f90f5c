#pragma once
// Page controls: tab sheets of which one, the active page, is shown (the others are hidden, so
// the controls on them cannot take the focus). A sheet whose tab is hidden (TabVisible false) can
// still be the active page. Setting ActivePage by code raises no events; the user's changes (a tab
// click, Ctrl+Tab, SelectNextPage) ask OnChanging first and report OnChange afterwards.
#include <functional>
#include <vector>

#include "toolkit/ui/kernel/Controls.h"

class TPageControl;
class TImageList;

class TTabSheet : public TWinControl {
    TK_CLASS_PUBLISHED(TTabSheet, TWinControl)
public:
    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;
    void BeforeDestruction() override;

    TPageControl* PageControl() const { return pageControl_; }
    void SetPageControl(TPageControl* pageControl);
    // Position among the pages; setting it moves the page.
    int PageIndex() const;
    void SetPageIndex(int index);
    // Position among the visible tabs (-1 when the tab is hidden).
    int TabIndex() const;
    bool TabVisible() const { return tabVisible_; }
    void SetTabVisible(bool value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    bool Highlighted() const { return highlighted_; }
    void SetHighlighted(bool value);

    void SetParent(TWinControl* parent) override;

    TNotifyEvent OnShow;
    TNotifyEvent OnHide;

protected:
    void VisibleChanged() override;
    void TextChanged() override;
    void Paint() override;

private:
    friend class TPageControl;
    TPageControl* pageControl_ = nullptr;
    bool tabVisible_ = true;
    int imageIndex_ = -1;
    bool highlighted_ = false;
};

enum TTabStyle {
    tsTabs,
    tsButtons,
    tsFlatButtons
};
TK_ENUM_TYPE(TTabStyle, "tsTabs", "tsButtons", "tsFlatButtons")
enum TTabPosition {
    tpTop,
    tpBottom,
    tpLeft,
    tpRight
};
TK_ENUM_TYPE(TTabPosition, "tpTop", "tpBottom", "tpLeft", "tpRight")

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

class TPageControl : public TWinControl {
    TK_CLASS_PUBLISHED(TPageControl, TWinControl)
public:
    explicit TPageControl(TComponent* owner);

    int PageCount() const { return static_cast<int>(pages_.size()); }
    TTabSheet* Pages(int index) const;  // EListError when out of range
    TTabSheet* ActivePage() const { return activePage_; }
    // Shows the page (one of this control's, or nullptr for none) without events. When the focus
    // was on the page left, it moves to the page control.
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const { return activePage_ ? activePage_->PageIndex() : -1; }
    void SetActivePageIndex(int index);
    // The active page's position among the visible tabs.
    int TabIndex() const { return activePage_ ? activePage_->TabIndex() : -1; }
    // Pages with a visible tab, in order.
    std::vector<TTabSheet*> VisibleTabs() const;

    // The next (or previous) page from current, wrapping round; only pages with a visible tab
    // when checkTabVisible. nullptr when there is none.
    TTabSheet* FindNextPage(TTabSheet* current, bool goForward, bool checkTabVisible) const;
    // Moves to the next page as the user would (OnChanging, OnChange).
    void SelectNextPage(bool goForward, bool checkTabVisible = true);
    // A click on the tab of a visible tab index; false when OnChanging refused or nothing changed.
    bool ClickTab(int tabIndex);
    // Changes the active page as the user would: OnChanging may refuse; true when it changed.
    bool ChangeActivePageByUser(TTabSheet* page);

    TImageList* Images() const { return images_; }
    void SetImages(TImageList* images);
    int TabHeight() const { return tabHeight_; }
    void SetTabHeight(int value);
    int TabWidth() const { return tabWidth_; }
    void SetTabWidth(int value);
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool value);
    TTabStyle Style() const { return style_; }
    void SetStyle(TTabStyle value);
    TTabPosition TabPosition() const { return tabPosition_; }
    void SetTabPosition(TTabPosition value);
    // The tab strip's height, and the rectangle of a visible tab (for painting and mouse hits).
    int TabStripHeight() const;
    TRect TabRect(int tabIndex);
    // The visible tab index at a point, -1 when none.
    int IndexOfTabAt(int x, int y);

    TTabChangingEvent OnChanging;
    TNotifyEvent OnChange;

    // With the focus on the control itself the arrow keys move between pages; Ctrl+Tab and
    // Ctrl+Shift+Tab do so from anywhere inside it (before the form's key preview, as dialog keys).
    bool WantsKey(WORD key, TShiftState shift) const override;
    // Ctrl+Tab while the focus is on the control or inside it.
    bool DialogKey(WORD key, TShiftState shift) override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    virtual bool CanChange();
    virtual void Change();
    void KeyDown(WORD& key, TShiftState shift) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void Paint() override;
    void SizeChanged() override;

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void MovePage(TTabSheet* page, int index);
    void TabsChanged();
    void LayoutPages();

    std::vector<TTabSheet*> pages_;
    TTabSheet* activePage_ = nullptr;
    TImageList* images_ = nullptr;
    int tabHeight_ = 0;
    int tabWidth_ = 0;
    bool multiLine_ = false;
    TTabStyle style_ = tsTabs;
    TTabPosition tabPosition_ = tpTop;
};

// The page control of the suite's windows' resources: tabs, pages and events as TPageControl's.
class TExtPageControl : public TPageControl {
    TK_CLASS(TExtPageControl, TPageControl)
public:
    using TPageControl::TPageControl;
};
