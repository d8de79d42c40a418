#include "platform/components/class_info.h"
#include "platform/components/class_registry.h"
#include "platform/components/component_errors.h"
#include "platform/components/property_access.h"
#include "tests/components/sample_classes.h"

#include <gtest/gtest.h>

namespace pellamo {
namespace {

using sample::Control;
using sample::Form;

// Counts live instances so a test can see what an owner freed.
class Counted : public TComponent {
public:
    explicit Counted(TComponent* owner)
        : TComponent(owner)
    {
        ++alive;
    }
    ~Counted() override { --alive; }
    static inline int alive = 0;
};

Control* MakeControl(TComponent* owner, const char* name)
{
    auto* c = new Control(owner);
    c->SetName(name);
    return c;
}

TEST(ComponentTest, OwnerFreesWhatItOwnsAlsoIndirectly)
{
    Counted::alive = 0;
    {
        ComponentPtr<Form> form(new Form());
        auto* a = new Counted(form.get());
        new Counted(a);
        new Counted(form.get());
        EXPECT_EQ(Counted::alive, 3);
        EXPECT_EQ(form->ComponentCount(), 2);
        a->Free();
        EXPECT_EQ(Counted::alive, 1);
        EXPECT_EQ(form->ComponentCount(), 1);
    }
    EXPECT_EQ(Counted::alive, 0);
}

TEST(ComponentTest, NamesAreIdentifiersUniquePerOwnerAndFoundIgnoringCase)
{
    ComponentPtr<Form> form(new Form());
    Control* a = MakeControl(form.get(), "Button1");
    EXPECT_EQ(form->FindComponent("BUTTON1"), a);
    EXPECT_EQ(form->FindComponent("Button2"), nullptr);
    EXPECT_EQ(form->FindComponent(""), nullptr);

    Control* b = MakeControl(form.get(), "Other");
    EXPECT_THROW(b->SetName("button1"), EComponentError);
    EXPECT_EQ(b->Name(), "Other");
    for (const char* bad : { "1abc", "a b", "a.b", "网" })
        EXPECT_THROW(b->SetName(bad), EComponentError) << bad;
    a->SetName("button1"); // renaming itself in another case is fine
    b->SetName(""); // unnamed components may share the empty name
    MakeControl(form.get(), "")->SetName("");

    // Another owner may use the same name.
    ComponentPtr<Form> other(new Form());
    EXPECT_NO_THROW(MakeControl(other.get(), "Button1"));
}

TEST(ComponentTest, InsertingANameTakenInTheNewOwnerIsRefused)
{
    ComponentPtr<Form> first(new Form());
    ComponentPtr<Form> second(new Form());
    MakeControl(first.get(), "Edit1");
    Control* moving = MakeControl(second.get(), "edit1");
    EXPECT_THROW(first->InsertComponent(moving), EComponentError);
    EXPECT_EQ(moving->Owner(), second.get());

    moving->SetName("Edit2");
    first->InsertComponent(moving);
    EXPECT_EQ(moving->Owner(), first.get());
    EXPECT_EQ(second->ComponentCount(), 0);
}

// Every published reference to a freed component is cleared: a plain
// property, one inside a collection item, one from another owner.
TEST(ComponentTest, ReferencesToAFreedComponentAreCleared)
{
    ComponentPtr<Form> form(new Form());
    ComponentPtr<Form> other(new Form());
    Control* target = MakeControl(form.get(), "Target");
    Control* holder = MakeControl(form.get(), "Holder");
    Control* far = MakeControl(other.get(), "Far");

    holder->SetBuddy(target);
    static_cast<sample::PanelItem*>(holder->panels.Add())->link = target;
    form->active = target;
    SetComponentProp(*far, "Buddy", target);

    target->Free();
    EXPECT_EQ(holder->Buddy(), nullptr);
    EXPECT_EQ(holder->panels.ItemAs<sample::PanelItem>(0)->link, nullptr);
    EXPECT_EQ(form->active, nullptr);
    EXPECT_EQ(far->Buddy(), nullptr);
}

TEST(ComponentTest, OwnerFreeingItsComponentsClearsReferencesBetweenThem)
{
    // Destroyed last first: Second's reference to First must not be left
    // pointing at freed memory while First goes, and vice versa.
    ComponentPtr<Form> form(new Form());
    Control* first = MakeControl(form.get(), "First");
    Control* second = MakeControl(form.get(), "Second");
    first->SetBuddy(second);
    second->SetBuddy(first);
    form.reset(); // ASan reports any use of a freed control
}

TEST(ComponentTest, NotificationsReachOwnerAndSiblings)
{
    ComponentPtr<Form> form(new Form());
    Control* watcher = MakeControl(form.get(), "Watcher");
    Control* other = MakeControl(form.get(), "Other");
    EXPECT_EQ(watcher->log, std::vector<std::string> { "insert ?" });

    other->Free();
    EXPECT_EQ(watcher->log, (std::vector<std::string> { "insert ?", "remove Other" }));

    // A component freed with plain delete notifies too.
    Control* third = MakeControl(form.get(), "Third");
    delete third;
    EXPECT_EQ(watcher->log.back(), "remove Third");
    EXPECT_EQ(form->ComponentCount(), 1);
}

// Insert notices come from the base constructor, before the new
// component is complete; a class that must be recognised announces itself
// again once it is.
TEST(ComponentTest, InsertNoticeCanBeRepeatedOnceComplete)
{
    struct Item : TComponent {
        explicit Item(TComponent* owner)
            : TComponent(owner)
        {
            AnnounceInsertion();
        }
    };
    struct Menu : TComponent {
        using TComponent::TComponent;
        std::vector<bool> recognised;
        void Notification(TComponent* c, TOperation op) override
        {
            TComponent::Notification(c, op);
            if (op == TOperation::opInsert && c != this)
                recognised.push_back(dynamic_cast<Item*>(c) != nullptr);
        }
    };
    ComponentPtr<Form> form(new Form());
    auto* menu = new Menu(form.get());
    new Item(form.get());
    EXPECT_EQ(menu->recognised, (std::vector<bool> { false, true }));
}

TEST(ComponentTest, FreeNotificationWorksBothWaysAndCanBeWithdrawn)
{
    ComponentPtr<Form> a(new Form());
    ComponentPtr<Form> b(new Form());
    Control* x = MakeControl(a.get(), "X");
    Control* y = MakeControl(b.get(), "Y");
    x->FreeNotification(y);

    y->Free();
    EXPECT_EQ(x->log.back(), "remove Y");

    Control* z = MakeControl(b.get(), "Z");
    x->FreeNotification(z);
    x->RemoveFreeNotification(z);
    size_t before = x->log.size();
    z->Free();
    EXPECT_EQ(x->log.size(), before);

    // Within one owner the owner's notice is the only one.
    Control* sibling = MakeControl(a.get(), "Sibling");
    x->FreeNotification(sibling);
    before = x->log.size();
    sibling->Free();
    EXPECT_EQ(std::vector<std::string>(x->log.begin() + static_cast<long>(before), x->log.end()),
        std::vector<std::string> { "remove Sibling" });

    // The watcher may go first; the watched one then must not call it.
    Control* w = MakeControl(b.get(), "W");
    w->FreeNotification(x);
    x->Free();
    w->Free();
}

TEST(ComponentTest, DestroyingAndDesigningStates)
{
    ComponentPtr<Form> form(new Form());
    Control* c = MakeControl(form.get(), "C");
    form->SetDesigning(true);
    EXPECT_TRUE(c->HasState(csDesigning));
    form->SetDesigning(false);
    EXPECT_FALSE(c->HasState(csDesigning));

    // While a component is being freed, its own flag says so.
    struct Probe : Control {
        using Control::Control;
        bool seen = false;
        TComponent* target = nullptr;
        void Notification(TComponent* comp, TOperation op) override
        {
            Control::Notification(comp, op);
            if (op == TOperation::opRemove && comp == target)
                seen = comp->HasState(csDestroying);
        }
    };
    auto* probe = new Probe(form.get());
    probe->target = c;
    c->Free();
    EXPECT_TRUE(probe->seen);
}

TEST(ComponentTest, ClassNamesAndRegistry)
{
    sample::RegisterSampleClasses();
    sample::RegisterSampleClasses(); // twice is harmless

    ComponentPtr<Form> form(new Form());
    TComponent* made = CreateComponent("tbuttonsample", form.get());
    EXPECT_EQ(made->ClassName(), "TButtonSample");
    EXPECT_EQ(made->Owner(), form.get());
    EXPECT_TRUE(made->InheritsFrom(Control::StaticClass()));
    EXPECT_FALSE(made->InheritsFrom(Form::StaticClass()));
    EXPECT_TRUE(made->InheritsFromClassNamed(Control::StaticClass().Name()));
    EXPECT_FALSE(made->InheritsFromClassNamed("tcontrolsample")); // names compare exactly

    EXPECT_EQ(&FindClass("TControlSample"), &Control::StaticClass());
    EXPECT_EQ(GetClass("TNothing"), nullptr);
    EXPECT_THROW(FindClass("TNothing"), EClassNotFound);
    EXPECT_THROW(CreateComponent("TAbstractSample", form.get()), EClassNotFound);

    // Another class under a registered name is refused.
    static const ClassInfo impostor("TControlSample", &TComponent::StaticClass());
    EXPECT_THROW(RegisterClass(impostor), EComponentError);
}

}
}
