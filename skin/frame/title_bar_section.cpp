#include "skin/frame/title_bar_section.h"

#include "platform/components/props.h"
#include "skin/frame/refusal_box.h"
#include "skin/frame/title_bar.h"

namespace pellamo {

TsuiTitleBarSection::TsuiTitleBarSection(TCollection* collection)
    : TCollectionItem(collection)
{
    m_picture.OnChange = [this] { PictureChanged(); };
}

const ClassInfo& TsuiTitleBarSection::StaticClass()
{
    using S = TsuiTitleBarSection;
    static const ClassInfo info("TsuiTitleBarSection", &TCollectionItem::StaticClass(),
        {
            props::Bool<S>("AutoSize", &S::AutoSize, &S::SetAutoSize),
            props::Int<S>("Width", &S::Width, &S::SetWidth),
            props::Enum<S>("Align", TitleBarAlignNames(), &S::Align, &S::SetAlign),
            props::Object<S>("Picture", [](S& s) -> TPicture& { return s.m_picture; }),
            props::Bool<S>("Stretch", &S::Stretch, &S::SetStretch),
        });
    return info;
}

void TsuiTitleBarSection::Assign(const TPersistent& source)
{
    auto* from = dynamic_cast<const TsuiTitleBarSection*>(&source);
    if (!from) {
        TCollectionItem::Assign(source);
        return;
    }
    m_width = from->m_width;
    m_align = from->m_align;
    m_picture.Assign(from->m_picture);
    m_stretch = from->m_stretch;
    m_auto_size = from->m_auto_size;
    Changed();
}

void TsuiTitleBarSection::SetAutoSize(bool on)
{
    m_auto_size = on;
    if (!m_picture.Empty())
        m_width = m_picture.Width();
    Changed();
}

void TsuiTitleBarSection::SetWidth(int width)
{
    m_width = width;
    Changed();
}

void TsuiTitleBarSection::SetAlign(TsuiTitleBarAlign align)
{
    if (align == TsuiTitleBarAlign::suiClient && Collection()) {
        for (int i = 0; i < Collection()->Count(); ++i) {
            auto* other = dynamic_cast<TsuiTitleBarSection*>(Collection()->Items(i));
            if (other && other->m_align == TsuiTitleBarAlign::suiClient) {
                ShowRefusal("Sorry, only one section's Align property can be \"suiClient\"");
                return;
            }
        }
        m_stretch = true;
    }
    m_align = align;
    Changed();
}

void TsuiTitleBarSection::SetPicture(const TPicture& picture) { m_picture.Assign(picture); }

void TsuiTitleBarSection::PictureChanged()
{
    if (m_auto_size && !m_picture.Empty())
        m_width = m_picture.Width();
    Changed();
}

void TsuiTitleBarSection::SetStretch(bool on)
{
    m_stretch = on || m_align == TsuiTitleBarAlign::suiClient;
    Changed();
}

TsuiTitleBarSections::TsuiTitleBarSections(TsuiTitleBar* bar)
    : TCollection(bar, ItemsOf<TsuiTitleBarSection>())
    , m_bar(bar)
{
}

const ClassInfo& TsuiTitleBarSections::StaticClass()
{
    static const ClassInfo info("TsuiTitleBarSections", &TCollection::StaticClass());
    return info;
}

}
