#include "skin/edits/bordered_edit.h"

#include "platform/components/props.h"
#include "skin/theme/file_theme.h"

namespace pellamo {

namespace {

// The style properties every skinned edit publishes.
template <class E> std::vector<PropInfo> StyleProps()
{
    return {
        props::Ref<E, TsuiFileTheme>("FileTheme", &E::FileTheme, &E::SetFileTheme),
        props::Enum<E>("UIStyle", UIStyleNames(), &E::UIStyle, &E::SetUIStyle),
        props::Color<E>("BorderColor", &E::BorderColor, &E::SetBorderColor),
    };
}

}

const ClassInfo& TsuiEdit::StaticClass()
{
    static const ClassInfo info("TsuiEdit", &TCustomEdit::StaticClass(), StyleProps<TsuiEdit>(), FactoryOf<TsuiEdit>());
    return info;
}

const ClassInfo& TsuiMaskEdit::StaticClass()
{
    static const ClassInfo info(
        "TsuiMaskEdit", &TCustomMaskEdit::StaticClass(), StyleProps<TsuiMaskEdit>(), FactoryOf<TsuiMaskEdit>());
    return info;
}

}
