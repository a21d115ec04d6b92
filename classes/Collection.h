#pragma once

#include "classes/Persistent.h"

#include <memory>
#include <vector>

class TClassInfo;
class TCollection;

// One item of a collection; its published properties are those of its class.
class TCollectionItem : public TPersistent {
public:
    VELTRANE_CLASS_INFO

    // Remembers the collection; TCollection::Add inserts the item.
    explicit TCollectionItem(TCollection* collection = nullptr) : FCollection(collection) {}
    TCollectionItem(const TCollectionItem&) = delete;
    TCollectionItem& operator=(const TCollectionItem&) = delete;

    TCollection* Collection() const { return FCollection; }
    int Index() const;
    // An item of the same class: copies every published property that has a getter and a setter
    // (events excepted: their handlers cannot be read back); other sources as TPersistent does.
    void Assign(const TPersistent& source) override;

private:
    friend class TCollection;
    TCollection* FCollection;
};

// An owned, ordered list of items of one class (the item class), stored in form definitions
// as < item ... end item ... end >.
class TCollection : public TPersistent {
public:
    VELTRANE_CLASS_INFO

    // The item class must derive from TCollectionItem and be created by MakeClass (it needs a
    // constructor taking the collection).
    explicit TCollection(const TClassInfo& itemClass, TPersistent* owner = nullptr);
    ~TCollection() override;

    const TClassInfo& ItemClass() const { return *FItemClass; }
    TPersistent* Owner() const { return FOwner; }
    int Count() const { return static_cast<int>(FItems.size()); }
    TCollectionItem& Items(int index) const;
    // Creates, appends and answers a new item of the item class.
    TCollectionItem& Add();
    void Delete(int index);
    void Clear();
    // Copies the items of another collection of the same item class, property by property.
    void Assign(const TPersistent& source) override;

protected:
    // Runs after every change of the list.
    virtual void Changed() {}

private:
    const TClassInfo* FItemClass;
    TPersistent* FOwner;
    std::vector<std::unique_ptr<TCollectionItem>> FItems;
};
