#include "platform/components/controls/menu_item.h"

#include "platform/components/controls/menu.h"
#include "platform/components/controls/menu_window.h"
#include "platform/components/props.h"
#include "platform/text/access_keys.h"
#include "platform/window/messages.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace pellamo {

namespace {

struct KeyName {
    unsigned vk;
    const char* name;
};

const KeyName kKeyNames[] = {
    { 0x08, "BkSp" },
    { 0x09, "Tab" },
    { 0x0D, "Enter" },
    { 0x1B, "Esc" },
    { 0x20, "Space" },
    { 0x21, "PgUp" },
    { 0x22, "PgDn" },
    { 0x23, "End" },
    { 0x24, "Home" },
    { 0x25, "Left" },
    { 0x26, "Up" },
    { 0x27, "Right" },
    { 0x28, "Down" },
    { 0x2D, "Ins" },
    { 0x2E, "Del" },
};

std::string KeyText(unsigned vk)
{
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z'))
        return std::string(1, static_cast<char>(vk));
    if (vk >= 0x70 && vk <= 0x87) {
        // Built in two steps: GCC 12 at -O3 misreads "F" + to_string(...) as an overlapping copy.
        std::string text = "F";
        text += std::to_string(vk - 0x70 + 1);
        return text;
    }
    for (const KeyName& k : kKeyNames)
        if (k.vk == vk)
            return k.name;
    return {};
}

bool SameNoCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

}

TShortCut ShortCut(unsigned vk, TShortCut modifiers)
{
    return static_cast<TShortCut>((vk & 0xFF) | (modifiers & (scShift | scCtrl | scAlt)));
}

std::string ShortCutToText(TShortCut shortcut)
{
    std::string key = KeyText(shortcut & 0xFF);
    if (key.empty())
        return {};
    std::string text;
    if (shortcut & scShift)
        text += "Shift+";
    if (shortcut & scCtrl)
        text += "Ctrl+";
    if (shortcut & scAlt)
        text += "Alt+";
    return text + key;
}

TShortCut TextToShortCut(const std::string& text)
{
    TShortCut modifiers = 0;
    std::string rest = text;
    const std::pair<const char*, TShortCut> prefixes[]
        = { { "Shift+", scShift }, { "Ctrl+", scCtrl }, { "Alt+", scAlt } };
    for (bool found = true; found;) {
        found = false;
        for (auto& [name, bit] : prefixes) {
            std::string n = name;
            if (rest.size() > n.size() && SameNoCase(rest.substr(0, n.size()), n)) {
                modifiers |= bit;
                rest = rest.substr(n.size());
                found = true;
            }
        }
    }
    for (unsigned vk = 1; vk < 0x100; ++vk) {
        std::string name = KeyText(vk);
        if (!name.empty() && SameNoCase(name, rest))
            return ShortCut(vk, modifiers);
    }
    return scNone;
}

char GetHotkey(const std::string& caption)
{
    AccessKeyText scanned = ScanAccessKeys(caption);
    if (scanned.marked < 0)
        return 0;
    unsigned char key = static_cast<unsigned char>(scanned.shown[static_cast<size_t>(scanned.marked)]);
    return key < 0x80 ? static_cast<char>(std::toupper(key)) : 0; // a GBK character is no key
}

std::string StripHotkey(const std::string& caption) { return ScanAccessKeys(caption).shown; }

TMenuItem::TMenuItem(TComponent* owner)
    : TComponent(owner)
{
    AnnounceInsertion();
}

TMenuItem::~TMenuItem()
{
    TMenuWindow::ItemGoing(this);
    if (m_parent) {
        auto& siblings = m_parent->m_items;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
        m_parent->Changed(true);
        m_parent = nullptr;
    }
    Clear();
}

const ClassInfo& TMenuItem::StaticClass()
{
    using M = TMenuItem;
    static const ClassInfo info("TMenuItem", &TComponent::StaticClass(),
        {
            props::Str<M>("Caption", &M::Caption, &M::SetCaption),
            props::Bool<M>("Checked", &M::Checked, &M::SetChecked),
            props::Bool<M>("Default", &M::Default, &M::SetDefault),
            props::Bool<M>("Enabled", &M::Enabled, &M::SetEnabled),
            props::Int<M>("ImageIndex", &M::ImageIndex, &M::SetImageIndex),
            props::Int<M>("ShortCut", &M::ShortCutValue, &M::SetShortCutValue),
            props::Bool<M>("Visible", &M::Visible, &M::SetVisible),
            props::Event<M>("OnAdvancedDrawItem", &M::OnAdvancedDrawItem),
            props::Event<M>("OnClick", &M::OnClick),
            props::Event<M>("OnDrawItem", &M::OnDrawItem),
            props::Event<M>("OnMeasureItem", &M::OnMeasureItem),
        },
        FactoryOf<TMenuItem>());
    return info;
}

void TMenuItem::SetCaption(const std::string& caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    Changed(false);
}

void TMenuItem::SetChecked(bool v)
{
    m_checked = v;
    Changed(false);
}

void TMenuItem::SetDefault(bool v)
{
    if (v == m_default)
        return;
    if (v && m_parent)
        for (TMenuItem* sibling : m_parent->m_items)
            sibling->m_default = false;
    m_default = v;
    Changed(false);
}

void TMenuItem::SetEnabled(bool v)
{
    m_enabled = v;
    Changed(false);
}

void TMenuItem::SetVisible(bool v)
{
    m_visible = v;
    Changed(true);
}

void TMenuItem::SetImageIndex(int v)
{
    m_image_index = v;
    Changed(false);
}

void TMenuItem::SetShortCutValue(int v)
{
    m_shortcut = static_cast<TShortCut>(v);
    Changed(false);
}

TMenuItem* TMenuItem::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw std::out_of_range("Menu index " + std::to_string(index) + " out of bounds");
    return m_items[static_cast<size_t>(index)];
}

int TMenuItem::IndexOf(const TMenuItem* item) const
{
    auto it = std::find(m_items.begin(), m_items.end(), item);
    return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item)
{
    if (!item)
        throw std::invalid_argument("Menu item is null");
    if (index < 0 || index > Count())
        throw std::out_of_range("Menu index " + std::to_string(index) + " out of bounds");
    for (const TMenuItem* p = this; p; p = p->m_parent)
        if (p == item)
            throw std::invalid_argument("Menu item cannot hold itself");
    if (item->m_parent == this && item->MenuIndex() < index)
        --index;
    if (item->m_parent)
        item->m_parent->Remove(item);
    if (item->m_default)
        for (TMenuItem* sibling : m_items)
            sibling->m_default = false;
    m_items.insert(m_items.begin() + index, item);
    item->m_parent = this;
    Changed(true);
}

void TMenuItem::Delete(int index)
{
    TMenuItem* item = Items(index);
    item->Free(); // takes itself out
}

void TMenuItem::Remove(TMenuItem* item)
{
    int index = IndexOf(item);
    if (index < 0)
        return;
    m_items.erase(m_items.begin() + index);
    item->m_parent = nullptr;
    Changed(true);
}

void TMenuItem::Clear()
{
    while (!m_items.empty())
        m_items.back()->Free();
}

TMenu* TMenuItem::GetParentMenu() const
{
    const TMenuItem* root = this;
    while (root->m_parent)
        root = root->m_parent;
    return root->m_menu;
}

TMenuItem* TMenuItem::FindByHotkey(char key) const
{
    char wanted = static_cast<char>(std::toupper(static_cast<unsigned char>(key)));
    if (!wanted)
        return nullptr;
    for (TMenuItem* item : m_items)
        if (item->Visible() && !item->IsLine() && GetHotkey(item->Caption()) == wanted)
            return item;
    return nullptr;
}

void TMenuItem::Click()
{
    if (m_enabled)
        OnClick(this);
}

void TMenuItem::InsertNestedChild(TComponent& child)
{
    if (auto* item = dynamic_cast<TMenuItem*>(&child))
        Add(item);
}

TComponent* TMenuItem::GetParentComponent() const
{
    if (!m_parent)
        return nullptr;
    if (m_parent->m_menu)
        return m_parent->m_menu;
    return m_parent;
}

void TMenuItem::Changed(bool)
{
    if (TMenu* menu = GetParentMenu())
        menu->MenuChanged();
}

}
