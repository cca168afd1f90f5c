#pragma once
// Collections: an ordered list of items of one class that the collection owns (list-view columns,
// status-bar panels, grid columns). Items are persistent objects with published properties, so a
// property path reaches them by index ("Columns_0.Caption", see Properties.h).
//
//   class TStatusPanels : public TCollection {
//   public:
//       explicit TStatusPanels(TPersistent* owner)
//           : TCollection([] { return new TStatusPanel; }, owner) {}
//       TStatusPanel* Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }
//   };
#include <functional>
#include <string>
#include <vector>

#include "toolkit/classes/Component.h"

class TCollection;

class TCollectionItem : public TPersistent {
    TK_CLASS(TCollectionItem, TPersistent)
public:
    TCollectionItem() = default;
    // An item freed on its own leaves its collection first.
    ~TCollectionItem() override;

    TCollection* Collection() const { return collection_; }
    // Moves the item to another collection (appended) or out of any (nullptr).
    void SetCollection(TCollection* collection);
    // Position in the collection (-1 without one); setting it moves the item.
    int Index() const;
    void SetIndex(int index);
    // A number unique within the collection, kept while the item lives.
    int ID() const { return id_; }
    // The text a designer lists the item by; the class name unless a descendant knows better.
    virtual std::string DisplayName() const { return ClassName(); }

protected:
    // Tells the collection that this item (or, with allItems, the whole collection) changed.
    void Changed(bool allItems = false);

private:
    friend class TCollection;
    TCollection* collection_ = nullptr;
    int id_ = 0;
};

enum TCollectionNotification {
    cnAdded,
    cnExtracting,
    cnDeleting
};

class TCollection : public TPersistent, public IIndexedItems {
    TK_CLASS(TCollection, TPersistent)
public:
    using TItemFactory = std::function<TCollectionItem*()>;

    explicit TCollection(TItemFactory factory, TPersistent* owner = nullptr);
    ~TCollection() override;

    TPersistent* Owner() const { return owner_; }
    int Count() const { return static_cast<int>(items_.size()); }
    TCollectionItem* Items(int index) const;  // EListError when out of range
    TCollectionItem* Add();
    TCollectionItem* Insert(int index);  // before index (clamped)
    void Delete(int index);
    void Clear();
    TCollectionItem* FindItemID(int id) const;

    // Changes between BeginUpdate and EndUpdate are reported once, as a change of the whole collection.
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();
    bool Updating() const { return updateCount_ > 0; }

    // Copies the items of another collection (same count, each item assigned from its counterpart).
    void Assign(const TPersistent* source) override;

    // Called after every change (item nullptr: the whole collection), before Update's own work.
    std::function<void(TCollectionItem* Item)> OnUpdate;

    int IndexedItemCount() const override { return Count(); }
    TObject* IndexedItem(int index) const override { return Items(index); }

protected:
    // An item (or the whole collection, item nullptr) changed; the owner repaints or relays out here.
    virtual void Update(TCollectionItem* item);
    virtual void Notify(TCollectionItem* item, TCollectionNotification action) {}

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* item, int index);
    void RemoveItem(TCollectionItem* item);
    void Changed(TCollectionItem* item);

    TItemFactory factory_;
    TPersistent* owner_;
    std::vector<TCollectionItem*> items_;
    int nextId_ = 0;
    int updateCount_ = 0;
    bool pendingChange_ = false;
};
