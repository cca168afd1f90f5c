#include "toolkit/ui/grids/BookmarkList.h"

#include "toolkit/rtl/ControlsDisabled.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/grids/DBGrid.h"

TBookmark TBookmarkList::Items(int index) const {
    if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return list_[static_cast<std::size_t>(index)];
}

bool TBookmarkList::Contains(TBookmark bookmark) const { return IndexOf(bookmark) >= 0; }

int TBookmarkList::IndexOf(TBookmark bookmark) const {
    auto it = std::find(list_.begin(), list_.end(), bookmark);
    return it == list_.end() ? -1 : static_cast<int>(it - list_.begin());
}

bool TBookmarkList::CurrentRowSelected() const {
    TDataSet* ds = grid_.DataSet();
    return ds && ds->Active() && Contains(ds->GetBookmark());
}

void TBookmarkList::SetCurrentRowSelected(bool value) {
    TDataSet* ds = grid_.DataSet();
    if (!ds || !ds->Active()) return;
    Toggle(ds->GetBookmark(), value);
}

void TBookmarkList::Toggle(TBookmark bookmark, bool selected) {
    if (bookmark == 0) return;
    int index = IndexOf(bookmark);
    if (selected && index < 0)
        list_.push_back(bookmark);
    else if (!selected && index >= 0)
        list_.erase(list_.begin() + index);
    else
        return;
    grid_.Invalidate();
}

void TBookmarkList::Clear() {
    if (list_.empty()) return;
    list_.clear();
    grid_.Invalidate();
}

void TBookmarkList::SelectAll() {
    TDataSet* ds = grid_.DataSet();
    if (!ds || !ds->Active()) return;
    ds->CheckBrowseMode();
    TBookmark here = ds->GetBookmark();
    {
        TControlsDisabled still(ds);
        for (ds->First(); !ds->Eof(); ds->Next())
            if (!Contains(ds->GetBookmark())) list_.push_back(ds->GetBookmark());
        if (here != 0 && ds->BookmarkValid(here)) ds->GotoBookmark(here);
    }
    grid_.Invalidate();
}

void TBookmarkList::Delete() {
    TDataSet* ds = grid_.DataSet();
    if (!ds || !ds->Active()) return;
    std::vector<TBookmark> doomed = list_;
    {
        TControlsDisabled still(ds);
        for (TBookmark bookmark : doomed) {
            if (!ds->BookmarkValid(bookmark)) continue;
            ds->GotoBookmark(bookmark);
            ds->Delete();
            list_.erase(std::find(list_.begin(), list_.end(), bookmark));
        }
    }
    grid_.Invalidate();
}

bool TBookmarkList::Refresh() {
    TDataSet* ds = grid_.DataSet();
    std::size_t before = list_.size();
    std::erase_if(list_, [ds](TBookmark b) { return !ds || !ds->Active() || !ds->BookmarkValid(b); });
    if (list_.size() != before) grid_.Invalidate();
    return list_.size() != before;
}
