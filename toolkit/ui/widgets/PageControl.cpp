#include "toolkit/ui/widgets/PageControl.h"

#include <algorithm>

#include "toolkit/rtl/ChangeValue.h"
#include "toolkit/ui/graphics/Canvas.h"
#include "toolkit/ui/graphics/ImgList.h"
#include "toolkit/ui/kernel/Forms.h"
#include "toolkit/ui/kernel/Hotkey.h"

// --- TTabSheet -----------------------------------------------------------------------------------------

void TTabSheet::Publish(TPublisher<TTabSheet>& p) {
    p.Property("Caption", &TTabSheet::Caption, &TTabSheet::SetCaption);
    p.Property("Color", &TTabSheet::Color, &TTabSheet::SetColor);
    p.Property("Enabled", &TTabSheet::Enabled, &TTabSheet::SetEnabled);
    p.Property("Font", &TTabSheet::Font, &TTabSheet::SetFont);
    p.Property("Highlighted", &TTabSheet::Highlighted, &TTabSheet::SetHighlighted);
    p.Property("ImageIndex", &TTabSheet::ImageIndex, &TTabSheet::SetImageIndex);
    p.Property("PageIndex", &TTabSheet::PageIndex, &TTabSheet::SetPageIndex);
    p.Property("ParentFont", &TTabSheet::ParentFont, &TTabSheet::SetParentFont);
    p.Property("ParentShowHint", &TTabSheet::ParentShowHint, &TTabSheet::SetParentShowHint);
    p.Property("ShowHint", &TTabSheet::ShowHint, &TTabSheet::SetShowHint);
    p.Property("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible);
    p.Property("OnEnter", &TTabSheet::OnEnter);
    p.Property("OnExit", &TTabSheet::OnExit);
    p.Property("OnHide", &TTabSheet::OnHide);
    p.Property("OnResize", &TTabSheet::OnResize);
    p.Property("OnShow", &TTabSheet::OnShow);
}

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
    SetVisibleFlag(false);
    SetColor(clBtnFace);
    SetParentColor(true);
}

TTabSheet::~TTabSheet() {
    if (pageControl_) pageControl_->RemovePage(this);
}

void TTabSheet::BeforeDestruction() {
    if (pageControl_) pageControl_->RemovePage(this);
    TWinControl::BeforeDestruction();
}

void TTabSheet::SetPageControl(TPageControl* pageControl) { SetParent(pageControl); }

void TTabSheet::SetParent(TWinControl* parent) {
    if (parent == Parent()) return;
    if (pageControl_) pageControl_->RemovePage(this);
    TWinControl::SetParent(parent);
    if (auto* pages = dynamic_cast<TPageControl*>(parent)) pages->InsertPage(this);
}

int TTabSheet::PageIndex() const {
    if (!pageControl_) return -1;
    const auto& pages = pageControl_->pages_;
    return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int index) {
    if (pageControl_) pageControl_->MovePage(this, index);
}

int TTabSheet::TabIndex() const {
    if (!pageControl_ || !tabVisible_) return -1;
    int index = 0;
    for (TTabSheet* page : pageControl_->pages_) {
        if (page == this) return index;
        if (page->tabVisible_) ++index;
    }
    return -1;
}

void TTabSheet::SetTabVisible(bool value) {
    if (value == tabVisible_) return;
    tabVisible_ = value;
    Changed(TPropertyId::TabVisible);
    if (pageControl_) pageControl_->TabsChanged();
}

void TTabSheet::SetImageIndex(int value) {
    if (value == imageIndex_) return;
    imageIndex_ = value;
    if (pageControl_) pageControl_->TabsChanged();
}

void TTabSheet::SetHighlighted(bool value) {
    if (value == highlighted_) return;
    highlighted_ = value;
    if (pageControl_) pageControl_->TabsChanged();
}

void TTabSheet::VisibleChanged() {
    if (Visible() && OnShow) OnShow(this);
    if (!Visible() && OnHide) OnHide(this);
    TWinControl::VisibleChanged();
}

void TTabSheet::TextChanged() {
    TWinControl::TextChanged();
    if (pageControl_) pageControl_->TabsChanged();
}

void TTabSheet::Paint() { Canvas()->FillRect(Bounds(0, 0, Width(), Height())); }

// --- TPageControl --------------------------------------------------------------------------------------

void TPageControl::Publish(TPublisher<TPageControl>& p) {
    PublishStandardWin(p);
    p.Property("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage);
    p.Property("ActivePageIndex", &TPageControl::ActivePageIndex, &TPageControl::SetActivePageIndex);
    p.Property("Images", &TPageControl::Images, &TPageControl::SetImages);
    p.Property("MultiLine", &TPageControl::MultiLine, &TPageControl::SetMultiLine);
    p.Property("Style", &TPageControl::Style, &TPageControl::SetStyle);
    p.Property("TabHeight", &TPageControl::TabHeight, &TPageControl::SetTabHeight);
    p.Property("TabPosition", &TPageControl::TabPosition, &TPageControl::SetTabPosition);
    p.Property("TabWidth", &TPageControl::TabWidth, &TPageControl::SetTabWidth);
    p.Property("OnChange", &TPageControl::OnChange);
    p.Property("OnChanging", &TPageControl::OnChanging);
}

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    SetBounds(0, 0, 289, 193);
    SetColor(clBtnFace);
}

TTabSheet* TPageControl::Pages(int index) const {
    if (index < 0 || index >= PageCount()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return pages_[static_cast<std::size_t>(index)];
}

void TPageControl::InsertPage(TTabSheet* page) {
    if (std::find(pages_.begin(), pages_.end(), page) != pages_.end()) return;
    pages_.push_back(page);
    page->pageControl_ = this;
    LayoutPages();
    if (!activePage_) SetActivePage(page);
    TabsChanged();
}

void TPageControl::RemovePage(TTabSheet* page) {
    auto it = std::find(pages_.begin(), pages_.end(), page);
    if (it == pages_.end()) return;
    if (page == activePage_) {
        TTabSheet* next = FindNextPage(page, true, false);
        if (next == page) next = nullptr;
        activePage_ = nullptr;
        pages_.erase(std::find(pages_.begin(), pages_.end(), page));
        page->pageControl_ = nullptr;
        if (next && !ComponentState().Contains(csDestroying)) SetActivePage(next);
    } else {
        pages_.erase(it);
        page->pageControl_ = nullptr;
    }
    if (!ComponentState().Contains(csDestroying)) TabsChanged();
}

void TPageControl::MovePage(TTabSheet* page, int index) {
    auto it = std::find(pages_.begin(), pages_.end(), page);
    if (it == pages_.end()) return;
    pages_.erase(it);
    index = std::clamp(index, 0, PageCount());
    pages_.insert(pages_.begin() + index, page);
    TabsChanged();
}

std::vector<TTabSheet*> TPageControl::VisibleTabs() const {
    std::vector<TTabSheet*> tabs;
    for (TTabSheet* page : pages_)
        if (page->TabVisible()) tabs.push_back(page);
    return tabs;
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page && page->pageControl_ != this) return;
    if (page == activePage_) return;
    TCustomForm* form = GetParentForm(this);
    TTabSheet* old = activePage_;
    if (form && old && form->ActiveControl() && old->ContainsControl(form->ActiveControl()) && old->CanFocus()) {
        // The focus leaves the page first; a control that refuses to let it go keeps the page.
        form->SetActiveControl(old);
        if (form->ActiveControl() != old) return;
    }
    activePage_ = page;
    if (page) {
        LayoutPages();
        page->BringToFront();
        page->SetVisible(true);
    }
    if (old) old->SetVisible(false);
    if (form && old && form->ActiveControl() == nullptr) {
        // Hiding the old page took the focus away: give it to the new page or to this control.
        if (page && page->CanFocus())
            form->SetActiveControl(page);
        else if (CanFocus())
            form->SetActiveControl(this);
    }
    Changed(TPropertyId::ActivePage);
}

void TPageControl::SetActivePageIndex(int index) {
    SetActivePage(index >= 0 && index < PageCount() ? pages_[static_cast<std::size_t>(index)] : nullptr);
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* current, bool goForward, bool checkTabVisible) const {
    int count = PageCount();
    if (count == 0) return nullptr;
    auto it = std::find(pages_.begin(), pages_.end(), current);
    int start = it == pages_.end() ? (goForward ? count - 1 : 0) : static_cast<int>(it - pages_.begin());
    int i = start;
    do {
        i = goForward ? (i + 1) % count : (i + count - 1) % count;
        TTabSheet* page = pages_[static_cast<std::size_t>(i)];
        if (!checkTabVisible || page->TabVisible()) return page;
    } while (i != start);
    return nullptr;
}

bool TPageControl::CanChange() {
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    return allow;
}

void TPageControl::Change() {
    if (OnChange) OnChange(this);
}

bool TPageControl::ChangeActivePageByUser(TTabSheet* page) {
    if (!page || page == activePage_ || page->pageControl_ != this) return false;
    if (!CanChange()) return false;
    SetActivePage(page);
    if (activePage_ != page) return false;
    Change();
    return true;
}

void TPageControl::SelectNextPage(bool goForward, bool checkTabVisible) {
    TTabSheet* page = FindNextPage(activePage_, goForward, checkTabVisible);
    if (page && page != activePage_) ChangeActivePageByUser(page);
}

bool TPageControl::ClickTab(int tabIndex) {
    std::vector<TTabSheet*> tabs = VisibleTabs();
    if (tabIndex < 0 || tabIndex >= static_cast<int>(tabs.size()) || !Enabled()) return false;
    return ChangeActivePageByUser(tabs[static_cast<std::size_t>(tabIndex)]);
}

void TPageControl::SetImages(TImageList* images) {
    if (images == images_) return;
    if (images_) images_->RemoveFreeNotification(this);
    images_ = images;
    if (images) images->FreeNotification(this);
    TabsChanged();
}

void TPageControl::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component == images_) images_ = nullptr;
}

void TPageControl::SetTabHeight(int value) {
    if (value < 0 || value == tabHeight_) return;
    tabHeight_ = value;
    TabsChanged();
}

void TPageControl::SetTabWidth(int value) {
    if (value < 0 || value == tabWidth_) return;
    tabWidth_ = value;
    TabsChanged();
}

void TPageControl::SetMultiLine(bool value) {
    if (ChangeValue(multiLine_, value)) TabsChanged();
}

void TPageControl::SetStyle(TTabStyle value) {
    if (ChangeValue(style_, value)) TabsChanged();
}

void TPageControl::SetTabPosition(TTabPosition value) {
    if (ChangeValue(tabPosition_, value)) TabsChanged();
}

int TPageControl::TabStripHeight() const {
    bool anyTab = std::any_of(pages_.begin(), pages_.end(), [](TTabSheet* p) { return p->TabVisible(); });
    if (!anyTab) return 0;
    if (tabHeight_ > 0) return tabHeight_ + 2;
    return HeadlessTextExtent(*Font(), "Wg").cy + 8;
}

TRect TPageControl::TabRect(int tabIndex) {
    std::vector<TTabSheet*> tabs = VisibleTabs();
    if (tabIndex < 0 || tabIndex >= static_cast<int>(tabs.size())) return {};
    int left = 2;
    int height = TabStripHeight();
    for (int i = 0; i <= tabIndex; ++i) {
        TTabSheet* page = tabs[static_cast<std::size_t>(i)];
        int width = tabWidth_ > 0 ? tabWidth_ : Canvas()->TextWidth(StripHotkey(page->Caption())) + 12;
        if (images_ && page->ImageIndex() >= 0 && tabWidth_ == 0) width += images_->Width() + 4;
        if (i == tabIndex) return {left, 0, left + width, height};
        left += width;
    }
    return {};
}

int TPageControl::IndexOfTabAt(int x, int y) {
    int count = static_cast<int>(VisibleTabs().size());
    for (int i = 0; i < count; ++i)
        if (TabRect(i).Contains({x, y})) return i;
    return -1;
}

void TPageControl::TabsChanged() {
    LayoutPages();
    Changed(TPropertyId::Tabs);
    Invalidate();
}

void TPageControl::LayoutPages() {
    int strip = TabStripHeight();
    for (TTabSheet* page : pages_) page->SetBounds(2, strip + 2, std::max(Width() - 4, 0), std::max(Height() - strip - 4, 0));
}

void TPageControl::SizeChanged() {
    LayoutPages();
    TWinControl::SizeChanged();
}

bool TPageControl::WantsKey(WORD key, TShiftState shift) const { return key == VK_LEFT || key == VK_RIGHT; }

bool TPageControl::DialogKey(WORD key, TShiftState shift) {
    if (key == VK_TAB && shift.Contains(ssCtrl) && !shift.Contains(ssAlt)) {
        TCustomForm* form = GetParentForm(this);
        TWinControl* focused = form ? form->ActiveControl() : nullptr;
        if (focused && ContainsControl(focused) && Showing()) {
            SelectNextPage(!shift.Contains(ssShift));
            return true;
        }
    }
    return TWinControl::DialogKey(key, shift);
}

void TPageControl::KeyDown(WORD& key, TShiftState shift) {
    TWinControl::KeyDown(key, shift);
    if (key == VK_LEFT || key == VK_RIGHT) {
        SelectNextPage(key == VK_RIGHT);
        key = 0;
    }
}

void TPageControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TWinControl::MouseDown(button, shift, x, y);
    if (button != mbLeft) return;
    int tab = IndexOfTabAt(x, y);
    if (tab >= 0) ClickTab(tab);
}

void TPageControl::Paint() {
    TCanvas* canvas = Canvas();
    canvas->FillRect(Bounds(0, 0, Width(), Height()));
    int strip = TabStripHeight();
    std::vector<TTabSheet*> tabs = VisibleTabs();
    for (int i = 0; i < static_cast<int>(tabs.size()); ++i) {
        TTabSheet* page = tabs[static_cast<std::size_t>(i)];
        TRect r = TabRect(i);
        bool active = page == activePage_;
        // Inactive tabs sit lower on a lighter face, so that a disabled caption stays readable.
        canvas->Brush()->SetColor(active ? clBtnFace : cl3DLight);
        canvas->FillRect(active ? r : r.Inflate(0, -2).Offset(0, 2));
        canvas->Brush()->SetColor(clBtnShadow);
        canvas->FrameRect(r);
        int left = r.Left + 6;
        if (images_ && page->ImageIndex() >= 0) {
            images_->Draw(canvas, left, r.Top + (r.Height() - images_->Height()) / 2, page->ImageIndex(), Enabled());
            left += images_->Width() + 4;
        }
        canvas->Brush()->SetStyle(bsClear);
        // A disabled sheet keeps a readable tab (its controls take no input); only a disabled page
        // control greys its tabs.
        canvas->Font()->SetColor(Enabled() ? Font()->Color() : clGrayText);
        canvas->TextRect(r, left, r.Top + 3, StripHotkey(page->Caption()));
        canvas->Brush()->SetStyle(bsSolid);
    }
    canvas->Brush()->SetColor(clBtnShadow);
    canvas->FrameRect({0, strip, Width(), Height()});
}
