#pragma once

// One item of a TCollection (a status bar panel, a title bar button). The
// collection owns its items; an item removes itself when freed.

#include "platform/components/persistent.h"

namespace pellamo {

class TCollection;

class TCollectionItem : public TPersistent {
public:
    // Appends the new item to `collection` (which may be null).
    explicit TCollectionItem(TCollection* collection);
    ~TCollectionItem() override;

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    TCollection* Collection() const { return collection_; }
    void SetCollection(TCollection* collection);
    int Index() const;
    // Moves the item within its collection.
    void SetIndex(int index);

    TPersistent* GetOwner() const override;

protected:
    // Tells the collection that this item changed (it may repaint).
    void Changed();

private:
    friend class TCollection;
    TCollection* collection_ = nullptr;
};

}
