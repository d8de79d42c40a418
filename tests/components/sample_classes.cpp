#include "tests/components/sample_classes.h"

#include "platform/components/class_info.h"
#include "platform/components/class_registry.h"
#include "platform/components/enum_info.h"
#include "platform/components/props.h"

#include <algorithm>

namespace pellamo::sample {

namespace {

const EnumInfo& AlignNames()
{
    static const EnumInfo info("TAlign", { "alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient" });
    return info;
}

const EnumInfo& AnchorNames()
{
    static const EnumInfo info("TAnchorKind", { "akLeft", "akTop", "akRight", "akBottom" });
    return info;
}

const EnumInfo& FontStyleNames()
{
    static const EnumInfo info("TFontStyle", { "fsBold", "fsItalic", "fsUnderline", "fsStrikeOut" });
    return info;
}

}

const ClassInfo& Font::StaticClass()
{
    static const ClassInfo info("TFont", &TPersistent::StaticClass(),
        {
            props::Str<Font>("Name", &Font::name),
            props::Int<Font>("Height", &Font::height),
            props::Color<Font>("Color", &Font::color),
            props::Set<Font>("Style", FontStyleNames(), &Font::style),
        });
    return info;
}

void Font::Assign(const TPersistent& source)
{
    if (auto* f = dynamic_cast<const Font*>(&source)) {
        name = f->name;
        height = f->height;
        color = f->color;
        style = f->style;
        return;
    }
    TPersistent::Assign(source);
}

const ClassInfo& PanelItem::StaticClass()
{
    static const ClassInfo info("TPanelItem", &TCollectionItem::StaticClass(),
        {
            props::Int<PanelItem>("Width", &PanelItem::width),
            props::Str<PanelItem>("Text", &PanelItem::text),
            props::Ref<PanelItem, Control>("Link", &PanelItem::link),
        });
    return info;
}

void PanelItem::Assign(const TPersistent& source)
{
    if (auto* p = dynamic_cast<const PanelItem*>(&source)) {
        width = p->width;
        text = p->text;
        link = p->link;
        return;
    }
    TCollectionItem::Assign(source);
}

Control::Control(TComponent* owner)
    : TComponent(owner)
    , panels(this, TCollection::ItemsOf<PanelItem>())
{
}

Control::~Control()
{
    // Children point back at this control.
    for (TComponent* c : children)
        if (auto* child = dynamic_cast<Control*>(c))
            child->parent_ = nullptr;
}

const ClassInfo& Control::StaticClass()
{
    static const ClassInfo info("TControlSample", &TComponent::StaticClass(),
        {
            props::Int<Control>("Left", &Control::Left, &Control::SetLeft),
            props::Int<Control>("Top", &Control::top),
            props::Int<Control>("Width", &Control::width),
            props::Float<Control>("Scale", &Control::scale),
            props::Bool<Control>("Visible", &Control::visible),
            props::Enum<Control>("Align", AlignNames(), &Control::align),
            props::Color<Control>("Color", &Control::color),
            props::Str<Control>("Caption", &Control::caption),
            props::Set<Control>("Anchors", AnchorNames(), &Control::anchors),
            props::Object<Control>("Font", &Control::font),
            props::Object<Control>("Lines", &Control::lines),
            props::Collection<Control>("Panels", &Control::panels),
            props::Binary<Control>("Data", &Control::data),
            props::Ref<Control, Control>("Buddy", &Control::Buddy, &Control::SetBuddy),
            props::Event<Control>("OnClick", &Control::OnClick),
            props::Event<Control>("OnMove", &Control::OnMove),
        },
        FactoryOf<Control>());
    return info;
}

void Control::InsertNestedChild(TComponent& child)
{
    children.push_back(&child);
    if (auto* c = dynamic_cast<Control*>(&child))
        c->parent_ = this;
}

void Control::Loaded()
{
    TComponent::Loaded();
    log.push_back(HasState(csLoading) ? "loaded while loading" : "loaded");
}

void Control::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    bool insert = operation == TOperation::opInsert;
    log.push_back(std::string(insert ? "insert " : "remove ") + (insert ? "?" : component->Name()));
    if (!insert) {
        children.erase(std::remove(children.begin(), children.end(), component), children.end());
        if (component == parent_)
            parent_ = nullptr;
    }
}

const ClassInfo& Button::StaticClass()
{
    static const ClassInfo info("TButtonSample", &Control::StaticClass(),
        {
            // Redeclared: the same place in the list, another default.
            props::Int<Button>("Width", &Button::width),
            // Written only when set, as most defaults would be.
            props::Stored<Button>(
                props::Bool<Button>("Default", &Button::is_default), [](const Button& b) { return b.is_default; }),
        },
        FactoryOf<Button>());
    return info;
}

const ClassInfo& Abstract::StaticClass()
{
    static const ClassInfo info("TAbstractSample", &TComponent::StaticClass());
    return info;
}

Form::Form(TComponent* owner)
    : TComponent(owner)
{
    RegisterMethod("FormCreate", this, &Form::FormCreate);
    RegisterMethod("ButtonClick", this, &Form::ButtonClick);
    RegisterMethod("ControlMove", this, &Form::ControlMove);
}

const ClassInfo& Form::StaticClass()
{
    static const ClassInfo info("TFormSample", &TComponent::StaticClass(),
        {
            props::Str<Form>("Caption", &Form::caption),
            props::Ref<Form, Control>("ActiveControl", &Form::active),
            props::Event<Form>("OnCreate", &Form::OnCreate),
        },
        FactoryOf<Form>());
    return info;
}

void Form::FormCreate(TObject*) { calls.push_back("FormCreate"); }

void Form::ButtonClick(TObject* sender)
{
    auto* c = dynamic_cast<TComponent*>(sender);
    calls.push_back("ButtonClick " + (c ? c->Name() : std::string("?")));
}

void Form::ControlMove(TObject*, int distance) { calls.push_back("ControlMove " + std::to_string(distance)); }

void RegisterSampleClasses()
{
    RegisterClasses(
        { &Control::StaticClass(), &Button::StaticClass(), &Abstract::StaticClass(), &Form::StaticClass() });
}

}
