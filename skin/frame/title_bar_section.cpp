#include "skin/frame/title_bar_section.h"

#include "platform/components/props.h"
#include "skin/frame/refusal_box.h"
#include "skin/frame/title_bar.h"

namespace pellamo {

TsuiTitleBarSection::TsuiTitleBarSection(TCollection* collection)
    : TCollectionItem(collection)
{
    picture_.OnChange = [this] { PictureChanged(); };
}

const ClassInfo& TsuiTitleBarSection::StaticClass()
{
    using S = TsuiTitleBarSection;
    static const ClassInfo info("TsuiTitleBarSection", &TCollectionItem::StaticClass(),
        {
            props::Bool<S>("AutoSize", &S::AutoSize, &S::SetAutoSize),
            props::Int<S>("Width", &S::Width, &S::SetWidth),
            props::Enum<S>("Align", TitleBarAlignNames(), &S::Align, &S::SetAlign),
            props::Object<S>("Picture", [](S& s) -> TPicture& { return s.picture_; }),
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
    width_ = from->width_;
    align_ = from->align_;
    picture_.Assign(from->picture_);
    stretch_ = from->stretch_;
    auto_size_ = from->auto_size_;
    Changed();
}

void TsuiTitleBarSection::SetAutoSize(bool on)
{
    auto_size_ = on;
    if (!picture_.Empty())
        width_ = picture_.Width();
    Changed();
}

void TsuiTitleBarSection::SetWidth(int width)
{
    width_ = width;
    Changed();
}

void TsuiTitleBarSection::SetAlign(TsuiTitleBarAlign align)
{
    if (align == TsuiTitleBarAlign::suiClient && Collection()) {
        for (int i = 0; i < Collection()->Count(); ++i) {
            auto* other = dynamic_cast<TsuiTitleBarSection*>(Collection()->Items(i));
            if (other && other->align_ == TsuiTitleBarAlign::suiClient) {
                ShowRefusal("Sorry, only one section's Align property can be \"suiClient\"");
                return;
            }
        }
        stretch_ = true;
    }
    align_ = align;
    Changed();
}

void TsuiTitleBarSection::SetPicture(const TPicture& picture) { picture_.Assign(picture); }

void TsuiTitleBarSection::PictureChanged()
{
    if (auto_size_ && !picture_.Empty())
        width_ = picture_.Width();
    Changed();
}

void TsuiTitleBarSection::SetStretch(bool on)
{
    stretch_ = on || align_ == TsuiTitleBarAlign::suiClient;
    Changed();
}

TsuiTitleBarSections::TsuiTitleBarSections(TsuiTitleBar* bar)
    : TCollection(bar, ItemsOf<TsuiTitleBarSection>())
    , bar_(bar)
{
}

const ClassInfo& TsuiTitleBarSections::StaticClass()
{
    static const ClassInfo info("TsuiTitleBarSections", &TCollection::StaticClass());
    return info;
}

}
