#include "tests/skin/styled_samples.h"

#include "platform/components/class_info.h"
#include "platform/components/enum_info.h"
#include "platform/components/props.h"

namespace pellamo::test {

const ClassInfo& TStyledSample::StaticClass()
{
    static const ClassInfo info("TStyledSample", &TCustomControl::StaticClass(),
        {
            props::Enum<TStyledSample>("UIStyle", UIStyleNames(), &TStyledSample::UIStyle, &TStyledSample::SetUIStyle),
            props::Ref<TStyledSample, TsuiFileTheme>(
                "FileTheme", &TStyledSample::FileTheme, &TStyledSample::SetFileTheme),
        },
        FactoryOf<TStyledSample>());
    return info;
}

void TStyledSample::SetUIStyle(TsuiUIStyle style)
{
    style_ = style;
    log.push_back("UIStyle=" + UIStyleNames().Name(static_cast<int>(style)));
}

void TStyledSample::SetFileTheme(TsuiFileTheme* theme)
{
    theme_ = theme;
    log.push_back("FileTheme=" + (theme ? theme->Name() : std::string("none")));
}

const ClassInfo& TsuiSample::StaticClass()
{
    static const ClassInfo info("TsuiSample", &TStyledSample::StaticClass(), {}, FactoryOf<TsuiSample>());
    return info;
}

const ClassInfo& TSampleFrame::StaticClass()
{
    static const ClassInfo info("TsuiForm", &TStyledSample::StaticClass(), {}, FactoryOf<TSampleFrame>());
    return info;
}

const ClassInfo& TsuiStyleOnly::StaticClass()
{
    static const ClassInfo info("TsuiStyleOnly", &TCustomControl::StaticClass(),
        {
            props::Enum<TsuiStyleOnly>("UIStyle", UIStyleNames(), &TsuiStyleOnly::UIStyle, &TsuiStyleOnly::SetUIStyle),
        },
        FactoryOf<TsuiStyleOnly>());
    return info;
}

}
