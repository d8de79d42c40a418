#include "app/designed_look.h"

#include "platform/components/class_info.h"
#include "platform/components/controls/form.h"
#include "platform/components/prop_info.h"
#include "platform/components/property_access.h"
#include "skin/frame/skin_form.h"
#include "skin/frame/title_bar_button.h"
#include "skin/frame/title_bar_section.h"
#include "skin/theme/style_properties.h"

#include <set>
#include <string_view>

namespace pellamo {

namespace {

constexpr const char* kName = "PellamoDesignedLook";

// What the window's own code and the viewer change, never a style: places,
// texts, values and states stay as they are now.
bool IsLook(std::string_view name)
{
    static const std::set<std::string_view> not_look = { "Left", "Top", "Width", "Height", "ClientWidth",
        "ClientHeight", "Visible", "Enabled", "TabOrder", "TabStop", "Align", "Name", "Tag", "Caption", "Text", "Hint",
        "ShowHint", "Position", "Min", "Max", "PageSize", "SmallChange", "LargeChange", "LineButton", "Checked", "Down",
        "ItemIndex", "SelStart", "SelLength", "ReadOnly", "ModalResult", "Default", "Cancel", "SimplePanel",
        "SimpleText", "UIStyle", "Version", "Expanded", "TopItem", "MaxLength", "WindowState" };
    return !not_look.count(name);
}

}

struct DesignedLook::TitleBars {
    std::string frame;
    TsuiTitleBarSections sections { nullptr };
    TsuiTitleBarButtons buttons { nullptr };
};

DesignedLook& DesignedLook::Of(TForm& form)
{
    if (auto* look = dynamic_cast<DesignedLook*>(form.FindComponent(kName)))
        return *look;
    auto* look = new DesignedLook(&form);
    look->SetName(kName);
    for (int i = 0; i < form.ComponentCount(); ++i) {
        TComponent* c = form.Components(i);
        if (c == look || c->Name().empty() || !IsHasProperty(c, "UIStyle") || !IsHasProperty(c, "FileTheme"))
            continue;
        look->styles_.push_back({ c->Name(), GetOrdProp(*c, "UIStyle") });
        look->Record(*c, { c->Name() });
        if (auto* frame = dynamic_cast<TsuiForm*>(c)) {
            auto bars = std::make_unique<TitleBars>();
            bars->frame = c->Name();
            bars->sections.Assign(frame->TitleBar().Sections());
            bars->buttons.Assign(frame->TitleBar().Buttons());
            look->title_bars_.push_back(std::move(bars));
        }
    }
    return *look;
}

DesignedLook::DesignedLook(TComponent* owner)
    : TComponent(owner)
{
}
DesignedLook::~DesignedLook() = default;

const ClassInfo& DesignedLook::StaticClass()
{
    static const ClassInfo info("DesignedLook", &TComponent::StaticClass());
    return info;
}

void DesignedLook::Record(TComponent& component, std::vector<std::string> owners)
{
    RecordProps(component, owners, "");
    // The parts a skinned component makes for itself (a frame's title bar)
    // take its style with it.
    for (int i = 0; i < component.ComponentCount(); ++i) {
        TComponent* part = component.Components(i);
        if (part->Name().empty())
            continue;
        std::vector<std::string> path = owners;
        path.push_back(part->Name());
        Record(*part, path);
    }
}

void DesignedLook::RecordProps(TPersistent& object, const std::vector<std::string>& owners, const std::string& prefix)
{
    for (const PropInfo* prop : object.Class().Props()) {
        if (!IsLook(prop->name))
            continue;
        Value value;
        value.owners = owners;
        value.path = prefix + prop->name;
        value.prop = prop;
        switch (prop->kind) {
        case PropKind::Integer:
        case PropKind::Boolean:
        case PropKind::Enumeration:
        case PropKind::Color:
        case PropKind::Set:
            if (!prop->get_ord || !prop->set_ord)
                continue;
            value.ord = prop->get_ord(object);
            break;
        case PropKind::Float:
            if (!prop->get_float || !prop->set_float)
                continue;
            value.real = prop->get_float(object);
            break;
        case PropKind::String:
            if (!prop->get_str || !prop->set_str)
                continue;
            value.text = prop->get_str(object);
            break;
        case PropKind::Object:
            // One level down: a font's name, size and colour.
            if (prefix.empty() && prop->get_object)
                if (TPersistent* sub = prop->get_object(object))
                    RecordProps(*sub, owners, prop->name + ".");
            continue;
        default:
            continue;
        }
        values_.push_back(std::move(value));
    }
}

TComponent* DesignedLook::Find(const std::vector<std::string>& owners) const
{
    TComponent* c = Owner();
    for (const std::string& name : owners) {
        c = c ? c->FindComponent(name) : nullptr;
        if (!c)
            return nullptr;
    }
    return c;
}

void DesignedLook::Restore()
{
    for (const Style& style : styles_) {
        if (TComponent* c = Owner()->FindComponent(style.component)) {
            SetComponentProp(*c, "FileTheme", nullptr);
            SetOrdProp(*c, "UIStyle", style.style);
        }
    }
    for (const auto& bars : title_bars_) {
        if (auto* frame = dynamic_cast<TsuiForm*>(Owner()->FindComponent(bars->frame))) {
            frame->TitleBar().Sections().Assign(bars->sections);
            frame->TitleBar().Buttons().Assign(bars->buttons);
        }
    }
    for (const Value& value : values_) {
        TComponent* c = Find(value.owners);
        if (!c)
            continue;
        TPersistent* object_ptr = c;
        if (size_t dot = value.path.find('.'); dot != std::string::npos) {
            const PropInfo* sub = FindPropInfo(*c, value.path.substr(0, dot));
            object_ptr = sub && sub->get_object ? sub->get_object(*c) : nullptr;
        }
        if (!object_ptr)
            continue;
        TPersistent& object = *object_ptr;
        switch (value.prop->kind) {
        case PropKind::Float:
            if (value.prop->get_float(object) != value.real)
                value.prop->set_float(object, value.real);
            break;
        case PropKind::String:
            if (value.prop->get_str(object) != value.text)
                value.prop->set_str(object, value.text);
            break;
        default:
            if (value.prop->get_ord(object) != value.ord)
                value.prop->set_ord(object, value.ord);
            break;
        }
    }
}

}
