#pragma once

// Stand-ins for skinned components: what the theme code asks of them is
// only their published UIStyle and FileTheme, so these publish those and
// log what is set, in order.

#include "platform/components/controls/custom_control.h"
#include "skin/theme/file_theme.h"
#include "skin/theme_data/ui_style.h"

#include <string>
#include <vector>

namespace pellamo::test {

class TStyledSample : public TCustomControl {
public:
    explicit TStyledSample(TComponent* owner)
        : TCustomControl(owner)
    {
    }
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    TsuiUIStyle UIStyle() const { return style_; }
    void SetUIStyle(TsuiUIStyle style);
    TsuiFileTheme* FileTheme() const { return theme_; }
    void SetFileTheme(TsuiFileTheme* theme);

    std::vector<std::string> log;

private:
    TsuiUIStyle style_ = TsuiUIStyle::DeepBlue;
    TsuiFileTheme* theme_ = nullptr;
};

// A skinned control of the engine's own kind (its class name begins with "Tsui").
class TsuiSample : public TStyledSample {
public:
    using TStyledSample::TStyledSample;
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }
};

// Stands in for the window frame, recognised by its class name.
class TSampleFrame : public TStyledSample {
public:
    using TStyledSample::TStyledSample;
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }
};

// Publishes a UIStyle but no FileTheme.
class TsuiStyleOnly : public TCustomControl {
public:
    explicit TsuiStyleOnly(TComponent* owner)
        : TCustomControl(owner)
    {
    }
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }
    TsuiUIStyle UIStyle() const { return style_; }
    void SetUIStyle(TsuiUIStyle style) { style_ = style; }

private:
    TsuiUIStyle style_ = TsuiUIStyle::DeepBlue;
};

}
