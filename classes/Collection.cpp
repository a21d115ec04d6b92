#include "classes/Collection.h"

#include "classes/ClassInfo.h"
#include "classes/Errors.h"
#include "classes/Published.h"

const TClassInfo& TCollectionItem::StaticClass() {
    static const TClassInfo info("TCollectionItem", &TPersistent::StaticClass(), {});
    return info;
}

int TCollectionItem::Index() const {
    if (!FCollection) return -1;
    for (int i = 0; i < FCollection->Count(); ++i)
        if (&FCollection->Items(i) == this) return i;
    return -1;
}

void TCollectionItem::Assign(const TPersistent& source) {
    if (&source.ClassType() != &ClassType()) {
        TPersistent::Assign(source);
        return;
    }
    if (&source == this) return;
    for (const TPropInfo& property : ClassType().Properties()) {
        if (!property.HasGetter() || !property.HasSetter()) continue;
        switch (property.Kind()) {
        case tkString: case tkLString: property.SetStr(*this, property.GetStr(source)); break;
        case tkWString: property.SetWideStr(*this, property.GetWideStr(source)); break;
        case tkClass: property.SetObject(*this, property.GetObject(source)); break;
        case tkMethod: case tkUnknown: break;
        default: property.SetOrd(*this, property.GetOrd(source)); break;
        }
    }
}

const TClassInfo& TCollection::StaticClass() {
    static const TClassInfo info("TCollection", &TPersistent::StaticClass(), {});
    return info;
}

TCollection::TCollection(const TClassInfo& itemClass, TPersistent* owner) : FItemClass(&itemClass), FOwner(owner) {
    if (!itemClass.InheritsFrom(TCollectionItem::StaticClass()) || !itemClass.CanCreateItem())
        throw EPropertyError("Class " + itemClass.ClassName() + " cannot be a collection item");
}

TCollection::~TCollection() = default;

TCollectionItem& TCollection::Items(int index) const {
    if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return *FItems[static_cast<std::size_t>(index)];
}

TCollectionItem& TCollection::Add() {
    std::unique_ptr<TCollectionItem> item = FItemClass->CreateItem(this);
    item->FCollection = this;
    FItems.push_back(std::move(item));
    Changed();
    return *FItems.back();
}

void TCollection::Delete(int index) {
    if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    FItems.erase(FItems.begin() + index);
    Changed();
}

void TCollection::Clear() {
    if (FItems.empty()) return;
    FItems.clear();
    Changed();
}

void TCollection::Assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TCollection*>(&source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this) return;
    std::vector<std::unique_ptr<TCollectionItem>> items;
    for (int i = 0; i < other->Count(); ++i) {
        std::unique_ptr<TCollectionItem> item = FItemClass->CreateItem(this);
        item->FCollection = this;
        item->Assign(other->Items(i));
        items.push_back(std::move(item));
    }
    FItems = std::move(items);
    Changed();
}
