#pragma once

// An ordered, owned list of collection items of one class, published as a
// property of its owner (Panels of a status bar). Descriptions store it as
//   Panels = <item Width = 50 end item end>

#include "platform/components/collection_item.h"

#include <functional>
#include <vector>

namespace pellamo {

class TCollection : public TPersistent {
public:
    using ItemFactory = std::function<TCollectionItem*(TCollection*)>;

    // `make_item` creates an item of the collection's class; the item's
    // constructor adds it. ItemsOf<T>() is the usual one.
    TCollection(TPersistent* owner, ItemFactory make_item);
    ~TCollection() override;

    template <class T> static ItemFactory ItemsOf()
    {
        return [](TCollection* c) -> TCollectionItem* { return new T(c); };
    }

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    int Count() const { return static_cast<int>(items_.size()); }
    // Throws EComponentError for an index out of range.
    TCollectionItem* Items(int index) const;
    template <class T> T* ItemAs(int index) const { return dynamic_cast<T*>(Items(index)); }

    TCollectionItem* Add();
    TCollectionItem* Insert(int index);
    void Delete(int index);
    void Clear();

    // Changes between these calls are reported once, at the end.
    void BeginUpdate() { ++update_count_; }
    void EndUpdate();

    // Same number of items, each assigned from the source's item.
    void Assign(const TPersistent& source) override;
    TPersistent* GetOwner() const override { return owner_; }

    // Called when an item changed (null: the list itself changed). Owners
    // hook this to repaint.
    std::function<void(TCollectionItem*)> OnUpdate;

protected:
    virtual void Update(TCollectionItem* item);

private:
    friend class TCollectionItem;
    void Changed(TCollectionItem* item);
    void Attach(TCollectionItem* item);
    void Detach(TCollectionItem* item);

    TPersistent* owner_;
    ItemFactory make_item_;
    std::vector<TCollectionItem*> items_;
    int update_count_ = 0;
    bool clearing_ = false;
};

}
