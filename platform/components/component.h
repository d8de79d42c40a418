#pragma once

// TComponent: an object with an owner, a name and owned components.
//
// - An owner frees the components it owns. Free a heap component with
//   Free() (or ComponentPtr): the removal notifications then go out while
//   the component is still whole; plain delete also works.
// - Before a component goes away, its owner and all the owner's other
//   components receive Notification(component, opRemove), and so does every
//   component that asked with FreeNotification. After a class's own
//   Notification, any published reference (also in sub-objects and
//   collection items) still pointing at the removed component is cleared,
//   so no published reference is ever left dangling.
// - Insert notifications are sent from the TComponent constructor, while the
//   new component is still being built: compare pointers, do not ask its
//   class. A class that needs to be recognised by its class (a menu item
//   that menus adopt) calls AnnounceInsertion() at the end of its own
//   constructor, which sends the insert notification again, complete.

#include "platform/components/persistent.h"

#include <any>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace pellamo {

class DescriptionLoader;

enum ComponentStateFlag : unsigned {
    csLoading = 1u << 0, // being read from a description; Loaded() not yet called
    csReading = 1u << 1, // its properties are being read
    csDesigning = 1u << 2, // in a form designer
    csDestroying = 1u << 3, // going away; handlers should do nothing
};

enum class TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    // Sends the removal notifications, frees the owned components and
    // deletes this component.
    void Free();

    TComponent* Owner() const { return owner_; }
    // A number for the program's own use; the framework never reads it.
    long long Tag() const { return tag_; }
    void SetTag(long long tag) { tag_ = tag; }
    const std::string& Name() const { return name_; }
    // Throws EComponentError for a name that is not an identifier or is
    // taken (case-insensitively) by another component of the same owner.
    void SetName(std::string_view name);

    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const;
    int ComponentIndex() const;
    // An owned component by name, case-insensitively; null when none.
    TComponent* FindComponent(std::string_view name) const;

    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    // Frees every owned component, the last first.
    void DestroyComponents();

    // Asks to be told (Notification opRemove) when `component` goes away;
    // needed for references to components of another owner (for a
    // component of the same owner, or owned by this one, it does nothing:
    // the owner tells already).
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    unsigned ComponentState() const { return state_; }
    bool HasState(unsigned flags) const { return (state_ & flags) != 0; }
    // Marks this component and all it owns as being designed.
    void SetDesigning(bool designing);

    // Event handlers this component (usually a form) offers to the
    // descriptions it reads, by name. The handler's signature must match the
    // event it is bound to.
    template <class... Args> void RegisterHandler(std::string name, std::function<void(Args...)> handler)
    {
        AddHandler(std::move(name), std::any(std::move(handler)));
    }
    template <class T, class... Args> void RegisterMethod(std::string name, T* self, void (T::*method)(Args...))
    {
        RegisterHandler<Args...>(std::move(name), std::function<void(Args...)>([self, method](Args... args) {
            (self->*method)(std::forward<Args>(args)...);
        }));
    }
    // The registered handler (a std::function in a std::any) or null.
    const std::any* FindHandler(std::string_view name) const;

    // A description nests `child` inside this component (a control inside a
    // panel, an item inside a menu). The default ignores it; containers
    // override this to adopt the child.
    virtual void InsertNestedChild(TComponent& child);
    // The component a writer nests this one in; null for the root level.
    virtual TComponent* GetParentComponent() const { return nullptr; }

protected:
    // Called once after a description has been read and its references
    // resolved, with csLoading already cleared. Call the inherited Loaded.
    virtual void Loaded() { }
    // Call the inherited Notification first: it passes the news on to the
    // owned components.
    virtual void Notification(TComponent* component, TOperation operation);
    // Tells the owner and its components again that this one was inserted;
    // see above.
    void AnnounceInsertion();

private:
    friend class DescriptionLoader;

    void AddHandler(std::string name, std::any handler);
    void Notify(TComponent* component, TOperation operation);
    void BeginDestruction();
    void SetState(unsigned flags, bool on) { state_ = on ? (state_ | flags) : (state_ & ~flags); }

    TComponent* owner_ = nullptr;
    std::string name_;
    unsigned state_ = 0;
    long long tag_ = 0;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> free_notifies_;
    std::unordered_map<std::string, std::pair<std::string, std::any>> handlers_;
};

struct FreeComponent {
    void operator()(TComponent* c) const { c->Free(); }
};

// Holds a free-standing component (a form, a test fixture) and frees it.
template <class T> using ComponentPtr = std::unique_ptr<T, FreeComponent>;

// True for a letter or '_' followed by letters, digits and '_'.
bool IsValidIdent(std::string_view name);

}
