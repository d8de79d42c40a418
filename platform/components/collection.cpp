#include "platform/components/collection.h"

#include "platform/components/class_info.h"
#include "platform/components/component_errors.h"

#include <algorithm>

namespace pellamo {

const ClassInfo& TCollectionItem::StaticClass()
{
    static const ClassInfo info("TCollectionItem", &TPersistent::StaticClass());
    return info;
}

TCollectionItem::TCollectionItem(TCollection* collection) { SetCollection(collection); }

TCollectionItem::~TCollectionItem() { SetCollection(nullptr); }

void TCollectionItem::SetCollection(TCollection* collection)
{
    if (collection == collection_)
        return;
    if (collection_)
        collection_->Detach(this);
    if (collection)
        collection->Attach(this);
}

int TCollectionItem::Index() const
{
    if (!collection_)
        return -1;
    auto& list = collection_->items_;
    return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TCollectionItem::SetIndex(int index)
{
    if (!collection_)
        return;
    auto& list = collection_->items_;
    int current = Index();
    index = std::clamp(index, 0, static_cast<int>(list.size()) - 1);
    if (index == current)
        return;
    list.erase(list.begin() + current);
    list.insert(list.begin() + index, this);
    collection_->Changed(nullptr);
}

TPersistent* TCollectionItem::GetOwner() const { return collection_; }

void TCollectionItem::Changed()
{
    if (collection_)
        collection_->Changed(this);
}

const ClassInfo& TCollection::StaticClass()
{
    static const ClassInfo info("TCollection", &TPersistent::StaticClass());
    return info;
}

TCollection::TCollection(TPersistent* owner, ItemFactory make_item)
    : owner_(owner)
    , make_item_(std::move(make_item))
{
}

TCollection::~TCollection()
{
    clearing_ = true;
    while (!items_.empty())
        delete items_.back();
}

TCollectionItem* TCollection::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw EComponentError("List index out of bounds (" + std::to_string(index) + ")");
    return items_[static_cast<size_t>(index)];
}

TCollectionItem* TCollection::Add()
{
    TCollectionItem* item = make_item_(this);
    if (item->Collection() != this)
        item->SetCollection(this);
    return item;
}

TCollectionItem* TCollection::Insert(int index)
{
    if (index < 0 || index > Count())
        throw EComponentError("List index out of bounds (" + std::to_string(index) + ")");
    TCollectionItem* item = Add();
    item->SetIndex(index);
    return item;
}

void TCollection::Delete(int index) { delete Items(index); }

void TCollection::Clear()
{
    if (items_.empty())
        return;
    BeginUpdate();
    while (!items_.empty())
        delete items_.back();
    EndUpdate();
}

void TCollection::EndUpdate()
{
    if (update_count_ > 0 && --update_count_ == 0)
        Changed(nullptr);
}

void TCollection::Assign(const TPersistent& source)
{
    auto* other = dynamic_cast<const TCollection*>(&source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this)
        return;
    BeginUpdate();
    try {
        Clear();
        for (TCollectionItem* item : other->items_)
            Add()->Assign(*item);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TCollection::Update(TCollectionItem* item)
{
    if (OnUpdate)
        OnUpdate(item);
}

void TCollection::Changed(TCollectionItem* item)
{
    if (update_count_ == 0 && !clearing_)
        Update(item);
}

void TCollection::Attach(TCollectionItem* item)
{
    items_.push_back(item);
    item->collection_ = this;
    Changed(nullptr);
}

void TCollection::Detach(TCollectionItem* item)
{
    items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
    item->collection_ = nullptr;
    Changed(nullptr);
}

}
