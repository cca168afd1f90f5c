#pragma once
#include <vector>

#include "toolkit/data/DataSet.h"

class TDBGrid;

// The records selected in a multi-select grid, by bookmark, in the order they were chosen.
class TBookmarkList {
public:
    explicit TBookmarkList(TDBGrid& grid) : grid_(grid) {}
    int Count() const { return static_cast<int>(list_.size()); }
    TBookmark Items(int index) const;  // EListError when out of range
    const std::vector<TBookmark>& List() const { return list_; }
    bool Contains(TBookmark bookmark) const;
    int IndexOf(TBookmark bookmark) const;
    bool CurrentRowSelected() const;
    void SetCurrentRowSelected(bool value);
    void Clear();
    // Selects every record (moving through the dataset with its controls disabled and coming back).
    void SelectAll();
    // Deletes every selected record from the dataset.
    void Delete();
    // Drops bookmarks whose records are gone; true when some were.
    bool Refresh();

private:
    friend class TDBGrid;
    void Toggle(TBookmark bookmark, bool selected);
    TDBGrid& grid_;
    std::vector<TBookmark> list_;
};
