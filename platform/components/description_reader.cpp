#include "platform/components/description_reader.h"

#include "platform/components/class_info.h"
#include "platform/components/class_registry.h"
#include "platform/components/collection.h"
#include "platform/components/colors.h"
#include "platform/components/component.h"
#include "platform/components/component_errors.h"
#include "platform/components/description_parser.h"
#include "platform/components/enum_info.h"
#include "platform/components/strings.h"
#include "platform/text/same_text.h"

#include <algorithm>
#include <limits>
#include <set>
#include <unordered_map>
#include <unordered_set>

namespace pellamo {

namespace {

[[noreturn]] void Fail(int line, const std::string& reason) { throw EDescriptionError(line, reason); }

// Runs `f`, turning a failure of component code into a description error
// at `line`.
template <class F> void AtLine(int line, F&& f)
{
    try {
        f();
    } catch (const EDescriptionError&) {
        throw;
    } catch (const std::exception& e) {
        Fail(line, e.what());
    }
}

struct Fixup {
    TComponent* holder; // the component whose properties were read
    TPersistent* object; // holds the property
    const PropInfo* info;
    std::string path;
    std::string name;
    int line;
    bool dropped = false; // its object went away
};

}

class DescriptionLoader;

namespace {

// Hears when a component goes away during loading, so the loader never
// touches it again.
class LoadWatcher : public TComponent {
public:
    explicit LoadWatcher(DescriptionLoader& loader)
        : TComponent(nullptr)
        , loader_(loader)
    {
    }

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    DescriptionLoader& loader_;
};

}

class DescriptionLoader {
public:
    explicit DescriptionLoader(TComponent& root)
        : root_(root)
        , watcher_(*this)
    {
    }

    ~DescriptionLoader()
    {
        for (TComponent* c : watched_)
            watcher_.RemoveFreeNotification(c);
    }

    void Run(const DescObject& tree)
    {
        try {
            Load(tree);
        } catch (...) {
            Rollback();
            throw;
        }
    }

    void Forget(TComponent* c)
    {
        watched_.erase(c);
        alive_.erase(c);
        loaded_.erase(std::remove(loaded_.begin(), loaded_.end(), c), loaded_.end());
        created_.erase(std::remove(created_.begin(), created_.end(), c), created_.end());
        for (Fixup& f : fixups_)
            if (f.holder == c)
                f.dropped = true;
        for (auto it = by_name_.begin(); it != by_name_.end();)
            it = it->second == c ? by_name_.erase(it) : std::next(it);
    }

private:
    void Load(const DescObject& node)
    {
        bool class_fits = false;
        for (const ClassInfo* c = &root_.Class(); c; c = c->Parent())
            class_fits = class_fits || SameText(c->Name(), node.class_name);
        if (!class_fits)
            Fail(node.line, "the description is for a " + node.class_name + ", not a " + root_.ClassName());
        AtLine(node.line, [&] { root_.SetName(node.name); });
        names_.insert(LowerName(node.name));
        for (int i = 0; i < root_.ComponentCount(); ++i) {
            TComponent* c = root_.Components(i);
            by_name_.emplace(LowerName(c->Name()), c);
            Watch(c);
        }

        loaded_.push_back(&root_);
        alive_.insert(&root_);
        root_.SetState(csLoading | csReading, true);
        ApplyAll(root_, root_, node.properties);
        root_.SetState(csReading, false);
        for (const DescObject& child : node.children)
            LoadChild(child, root_);

        for (size_t i = 0; i < fixups_.size(); ++i)
            if (!fixups_[i].dropped)
                Resolve(fixups_[i]);
        fixups_.clear();

        for (TComponent* c : loaded_)
            c->SetState(csLoading | csReading, false);
        std::vector<TComponent*> order = loaded_;
        for (size_t i = 0; i < order.size(); ++i) {
            // A Loaded() may free another component; skip those.
            if (!alive_.count(order[i]))
                continue;
            TComponent* c = order[i];
            AtLine(node.line, [&] { c->Loaded(); });
        }
    }

    void LoadChild(const DescObject& node, TComponent& container)
    {
        if (!names_.insert(LowerName(node.name)).second)
            Fail(node.line, "duplicate component name " + node.name);
        TComponent* c = Lookup(node.name);
        if (c) {
            if (!SameText(c->ClassName(), node.class_name))
                Fail(node.line, "component " + node.name + " exists already as a " + c->ClassName());
        } else {
            const ClassInfo* info = GetClass(node.class_name);
            if (!info)
                Fail(node.line, "unknown class " + node.class_name);
            if (!info->InheritsFrom(TComponent::StaticClass()) || !info->CanCreate())
                Fail(node.line, "class " + node.class_name + " cannot be created");
            AtLine(node.line, [&] { c = info->Create(&root_); });
            if (c->Owner() != &root_)
                AtLine(node.line, [&] { root_.InsertComponent(c); });
            created_.push_back(c);
            Watch(c);
            AtLine(node.line, [&] { c->SetName(node.name); });
            by_name_[LowerName(node.name)] = c;
        }
        if (alive_.insert(c).second)
            loaded_.push_back(c);
        c->SetState(csLoading | csReading, true);
        AtLine(node.line, [&] { container.InsertNestedChild(*c); });
        ApplyAll(*c, *c, node.properties);
        if (IsAlive(c))
            c->SetState(csReading, false);
        for (const DescObject& child : node.children) {
            if (!IsAlive(c))
                Fail(child.line, "component " + node.name + " went away while it was being read");
            LoadChild(child, *c);
        }
    }

    bool IsAlive(TComponent* c) const { return alive_.count(c) != 0; }

    void Watch(TComponent* c)
    {
        if (watched_.insert(c).second)
            watcher_.FreeNotification(c);
    }

    // A component of the root by name; checked against its current name in
    // case a setter renamed it.
    TComponent* Lookup(const std::string& name) const
    {
        auto it = by_name_.find(LowerName(name));
        if (it != by_name_.end() && SameText(it->second->Name(), name))
            return it->second;
        return root_.FindComponent(name);
    }

    void ApplyAll(TPersistent& object, TComponent& holder, const std::vector<DescAssignment>& assignments)
    {
        for (const DescAssignment& a : assignments) {
            // A setter may have freed the holder (only a component can do that).
            if (!IsAlive(&holder))
                Fail(a.line, "component went away while it was being read");
            Apply(object, holder, a);
        }
    }

    void Apply(TPersistent& start, TComponent& holder, const DescAssignment& a)
    {
        TPersistent* object = &start;
        std::string_view rest = a.path;
        const PropInfo* info = nullptr;
        for (;;) {
            size_t dot = rest.find('.');
            std::string_view part = rest.substr(0, dot);
            info = object->Class().FindProp(part);
            if (!info)
                Fail(a.line, "unknown property \"" + a.path + "\" in " + start.ClassName());
            if (dot == std::string_view::npos)
                break;
            if (info->kind != PropKind::Object) {
                std::string inner = a.path.substr(0, a.path.size() - rest.size() + dot);
                Fail(a.line,
                    "\"" + inner + "\" of " + start.ClassName() + " is " + PropKindName(info->kind)
                        + ", not an object");
            }
            object = info->get_object(*object);
            if (!object)
                Fail(a.line, "property \"" + std::string(part) + "\" of " + start.ClassName() + " holds no object");
            rest = rest.substr(dot + 1);
        }
        // Names come from the object lines; renaming in between would
        // break the references by name.
        if (info == TComponent::StaticClass().FindProp("Name") && dynamic_cast<TComponent*>(object))
            Fail(a.line, "the component name is given in its object line, not as a property");
        AtLine(a.line, [&] { ApplyValue(*object, holder, *info, a); });
    }

    [[noreturn]] static void WrongType(const DescAssignment& a, const PropInfo& info)
    {
        Fail(a.value.line,
            "property " + a.path + " is " + PropKindName(info.kind) + ", not " + DescValueTypeName(a.value.type));
    }

    void ApplyValue(TPersistent& object, TComponent& holder, const PropInfo& info, const DescAssignment& a)
    {
        const DescValue& v = a.value;
        using T = DescValue::Type;
        switch (info.kind) {
        case PropKind::Integer:
            if (v.type != T::Integer)
                WrongType(a, info);
            if (v.integer < info.min_value || v.integer > info.max_value)
                Fail(v.line,
                    "value " + std::to_string(v.integer) + " out of range for " + a.path + " ("
                        + std::to_string(info.min_value) + " to " + std::to_string(info.max_value) + ")");
            info.set_ord(object, v.integer);
            return;
        case PropKind::Float:
            if (v.type == T::Float)
                info.set_float(object, v.real);
            else if (v.type == T::Integer)
                info.set_float(object, static_cast<double>(v.integer));
            else
                WrongType(a, info);
            return;
        case PropKind::Boolean:
            if (v.type != T::Identifier || !(SameText(v.text, "True") || SameText(v.text, "False")))
                Fail(v.line, "property " + a.path + " is a Boolean; write True or False");
            info.set_ord(object, SameText(v.text, "True") ? 1 : 0);
            return;
        case PropKind::Enumeration: {
            if (v.type != T::Identifier)
                WrongType(a, info);
            auto ordinal = info.enum_info->Ordinal(v.text);
            if (!ordinal)
                Fail(v.line, "\"" + v.text + "\" is not a value of " + info.enum_info->TypeName());
            info.set_ord(object, *ordinal);
            return;
        }
        case PropKind::Color:
            if (v.type == T::Integer) {
                // Colours may be written unsigned ($80000005) or signed.
                if (v.integer < std::numeric_limits<std::int32_t>::min()
                    || v.integer > std::numeric_limits<std::uint32_t>::max())
                    Fail(v.line, "colour " + std::to_string(v.integer) + " out of range");
                info.set_ord(object, static_cast<std::int32_t>(static_cast<std::uint32_t>(v.integer)));
                return;
            }
            if (v.type == T::Identifier) {
                auto color = ColorFromName(v.text);
                if (!color)
                    Fail(v.line, "unknown colour " + v.text);
                info.set_ord(object, *color);
                return;
            }
            WrongType(a, info);
        case PropKind::String:
            if (v.type != T::String)
                WrongType(a, info);
            info.set_str(object, v.text);
            return;
        case PropKind::Set: {
            if (v.type != T::Set)
                WrongType(a, info);
            std::uint64_t bits = 0;
            for (const std::string& name : v.names) {
                auto ordinal = info.enum_info->Ordinal(name);
                if (!ordinal)
                    Fail(v.line, "\"" + name + "\" is not a value of " + info.enum_info->TypeName());
                bits |= std::uint64_t { 1 } << *ordinal;
            }
            info.set_ord(object, static_cast<std::int64_t>(bits));
            return;
        }
        case PropKind::Component:
        case PropKind::Event:
            if (v.type != T::Identifier)
                WrongType(a, info);
            if (SameText(v.text, "nil")) {
                if (info.kind == PropKind::Component)
                    info.set_component(object, nullptr);
                else
                    info.set_handler(object, {}, nullptr);
                return;
            }
            for (TCollectionItem* item : items_)
                if (TCollection* coll = item->Collection())
                    by_collection_[coll].push_back(fixups_.size());
            fixups_.push_back(Fixup { &holder, &object, &info, a.path, v.text, v.line });
            return;
        case PropKind::Binary:
            if (v.type != T::Binary)
                WrongType(a, info);
            info.set_bytes(object, v.bytes);
            return;
        case PropKind::Object: {
            auto* strings = dynamic_cast<TStrings*>(info.get_object(object));
            if (!strings || v.type != T::List)
                Fail(v.line, "property " + a.path + " is an object; set its properties as " + a.path + ".Name");
            for (const DescValue& item : v.list)
                if (item.type != T::String)
                    Fail(item.line, "list of " + a.path + " holds strings, not " + DescValueTypeName(item.type));
            strings->BeginUpdate();
            try {
                strings->Clear();
                for (const DescValue& item : v.list)
                    strings->Add(item.text);
            } catch (...) {
                strings->EndUpdate();
                throw;
            }
            strings->EndUpdate();
            return;
        }
        case PropKind::Collection: {
            if (v.type != T::Collection)
                WrongType(a, info);
            auto* coll = dynamic_cast<TCollection*>(info.get_object(object));
            if (!coll)
                Fail(v.line, "property " + a.path + " holds no collection");
            DropFixupsInto(*coll);
            coll->BeginUpdate();
            try {
                coll->Clear();
                for (const std::vector<DescAssignment>& item_values : v.items) {
                    TCollectionItem* item = coll->Add();
                    items_.push_back(item);
                    ApplyAll(*item, holder, item_values);
                    items_.pop_back();
                }
            } catch (...) {
                coll->EndUpdate();
                throw;
            }
            coll->EndUpdate();
            return;
        }
        }
    }

    // Reading a collection again replaces its items; pending references
    // into the old ones (also inside their own collections) must not
    // outlive them. A stale key left by a freed inner collection only
    // names fixups that were dropped already.
    void DropFixupsInto(const TCollection& coll)
    {
        auto it = by_collection_.find(&coll);
        if (it == by_collection_.end())
            return;
        for (size_t index : it->second)
            fixups_[index].dropped = true;
        by_collection_.erase(it);
    }

    void Resolve(const Fixup& f)
    {
        if (f.info->kind == PropKind::Component) {
            TComponent* target = SameText(f.name, root_.Name()) ? &root_ : Lookup(f.name);
            if (!target)
                Fail(f.line, "unknown component " + f.name + " for " + f.path);
            if (!target->InheritsFrom(f.info->ref_class()))
                Fail(f.line,
                    f.name + " is a " + target->ClassName() + "; " + f.path + " needs a " + f.info->ref_class().Name());
            AtLine(f.line, [&] { f.info->set_component(*f.object, target); });
            if (target != f.holder)
                f.holder->FreeNotification(target);
            return;
        }
        const std::any* handler = root_.FindHandler(f.name);
        if (!handler)
            Fail(f.line, root_.ClassName() + " has no handler named " + f.name);
        bool fits = false;
        AtLine(f.line, [&] { fits = f.info->set_handler(*f.object, f.name, handler); });
        if (!fits)
            Fail(f.line, "handler " + f.name + " does not fit event " + f.path);
    }

    void Rollback()
    {
        fixups_.clear();
        while (!created_.empty()) {
            TComponent* c = created_.back();
            created_.pop_back();
            loaded_.erase(std::remove(loaded_.begin(), loaded_.end(), c), loaded_.end());
            alive_.erase(c);
            watched_.erase(c);
            watcher_.RemoveFreeNotification(c);
            c->Free();
        }
        for (TComponent* c : loaded_)
            c->SetState(csLoading | csReading, false);
    }

    TComponent& root_;
    LoadWatcher watcher_;
    std::vector<TComponent*> loaded_; // root first, then in reading order
    std::vector<TComponent*> created_; // freed again on failure
    std::vector<Fixup> fixups_;
    std::vector<TCollectionItem*> items_; // collection items being read
    std::set<std::string> names_; // object names of this description
    std::unordered_set<TComponent*> alive_; // the root and the components read
    std::unordered_set<TComponent*> watched_; // all the root's components
    std::unordered_map<std::string, TComponent*> by_name_;
    std::unordered_map<const TCollection*, std::vector<size_t>> by_collection_;
};

void LoadWatcher::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove)
        loader_.Forget(component);
}

void DescriptionReader::Read(std::string_view text, TComponent& root)
{
    DescObject tree = ParseDescription(text);
    DescriptionLoader(root).Run(tree);
}

}
