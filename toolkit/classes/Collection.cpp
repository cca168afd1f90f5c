#include "toolkit/classes/Collection.h"
#include "toolkit/rtl/ScopeExit.h"

#include <algorithm>

TCollectionItem::~TCollectionItem() {
    if (collection_) collection_->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* collection) {
    if (collection == collection_) return;
    if (collection_) collection_->RemoveItem(this);
    if (collection) collection->InsertItem(this, collection->Count());
}

int TCollectionItem::Index() const {
    if (!collection_) return -1;
    const auto& items = collection_->items_;
    return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int index) {
    if (!collection_) return;
    auto& items = collection_->items_;
    int current = Index();
    index = std::clamp(index, 0, static_cast<int>(items.size()) - 1);
    if (index == current) return;
    items.erase(items.begin() + current);
    items.insert(items.begin() + index, this);
    Changed(true);
}

void TCollectionItem::Changed(bool allItems) {
    if (collection_) collection_->Changed(allItems ? nullptr : this);
}

TCollection::TCollection(TItemFactory factory, TPersistent* owner) : factory_(std::move(factory)), owner_(owner) {}

TCollection::~TCollection() {
    ++updateCount_;  // nobody is told about a collection going away
    while (!items_.empty()) {
        TCollectionItem* item = items_.back();
        items_.pop_back();
        item->collection_ = nullptr;
        item->Free();
    }
}

TCollectionItem* TCollection::Items(int index) const {
    if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return items_[static_cast<std::size_t>(index)];
}

TCollectionItem* TCollection::Add() { return Insert(Count()); }

TCollectionItem* TCollection::Insert(int index) {
    TCollectionItem* item = factory_();
    InsertItem(item, std::clamp(index, 0, Count()));
    return item;
}

void TCollection::Delete(int index) { Items(index)->Free(); }

void TCollection::Clear() {
    if (items_.empty()) return;
    BeginUpdate();
    while (!items_.empty()) items_.back()->Free();
    EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int id) const {
    for (TCollectionItem* item : items_)
        if (item->id_ == id) return item;
    return nullptr;
}

void TCollection::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0 && pendingChange_) {
        pendingChange_ = false;
        Changed(nullptr);
    }
}

void TCollection::Assign(const TPersistent* source) {
    auto* other = dynamic_cast<const TCollection*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this) return;
    BeginUpdate();
    TScopeExit endUpdate([this] { EndUpdate(); });
    Clear();
    for (TCollectionItem* theirs : other->items_) Add()->Assign(theirs);
}

void TCollection::InsertItem(TCollectionItem* item, int index) {
    item->collection_ = this;
    item->id_ = nextId_++;
    items_.insert(items_.begin() + index, item);
    Notify(item, cnAdded);
    Changed(nullptr);
}

void TCollection::RemoveItem(TCollectionItem* item) {
    auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end()) return;
    Notify(item, cnDeleting);
    items_.erase(it);
    item->collection_ = nullptr;
    Changed(nullptr);
}

void TCollection::Changed(TCollectionItem* item) {
    if (updateCount_ > 0) {
        pendingChange_ = true;
        return;
    }
    Update(item);
}

void TCollection::Update(TCollectionItem* item) {
    if (OnUpdate) OnUpdate(item);
}
