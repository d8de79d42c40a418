#include "platform/components/controls/menu.h"

#include "platform/components/props.h"

namespace pellamo {

TMenu::TMenu(TComponent* owner)
    : TComponent(owner)
    , m_items(new TMenuItem(nullptr))
{
    m_items->m_menu = this;
}

TMenu::~TMenu()
{
    m_listeners.clear();
    m_items->m_menu = nullptr;
    m_items->Free();
}

const ClassInfo& TMenu::StaticClass()
{
    static const ClassInfo info("TMenu", &TComponent::StaticClass(),
        {
            props::Enum<TMenu>("BiDiMode", BiDiModeNames(), &TMenu::BiDiMode, &TMenu::SetBiDiMode),
            props::Bool<TMenu>("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw),
        });
    return info;
}

namespace {

TMenuItem* FindIn(const TMenuItem* parent, TShortCut shortcut)
{
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* item = parent->Items(i);
        if (!item->Visible() || !item->Enabled())
            continue;
        if (item->GetShortCut() == shortcut)
            return item;
        if (TMenuItem* found = FindIn(item, shortcut))
            return found;
    }
    return nullptr;
}

}

TMenuItem* TMenu::FindShortCut(TShortCut shortcut) const
{
    if ((shortcut & 0xFF) == 0)
        return nullptr;
    return FindIn(m_items, shortcut);
}

bool TMenu::DispatchShortCut(TShortCut shortcut)
{
    TMenuItem* item = FindShortCut(shortcut);
    if (!item)
        return false;
    item->Click();
    return true;
}

uint64_t TMenu::AddChangeListener(std::function<void()> listener)
{
    uint64_t id = m_next_listener++;
    m_listeners[id] = std::move(listener);
    return id;
}

void TMenu::RemoveChangeListener(uint64_t id) { m_listeners.erase(id); }

void TMenu::MenuChanged()
{
    if (HasState(csDestroying | csLoading))
        return;
    auto listeners = m_listeners;
    for (auto& [id, listener] : listeners)
        if (m_listeners.count(id))
            listener();
}

void TMenu::InsertNestedChild(TComponent& child)
{
    if (auto* item = dynamic_cast<TMenuItem*>(&child))
        m_items->Add(item);
}

}
