#pragma once

// The skinned edits' shared part: a flat two-line border painted into a
// 2-pixel frame round the text (a line in BorderColor, one in the edit's
// colour inside it), with BorderColor taken from the style (ControlBorderColor).

#include "platform/components/controls/edit.h"
#include "platform/components/controls/mask_edit.h"
#include "platform/window/messages.h"
#include "skin/theme/style_choice.h"
#include "skin/theme/style_properties.h"
#include "skin/theme/theme_source.h"
#include "skin/theme_data/ui_style.h"
#include "skin/window/control_border.h"

namespace pellamo {

template <class Edit> class BorderedEdit : public Edit {
public:
    explicit BorderedEdit(TComponent* owner)
        : Edit(owner)
    {
        this->SetBorderStyle(TBorderStyle::bsNone);
        this->SetBorderWidth(2);
        SetUIStyle(GetSUIFormStyle(owner));
    }

    TsuiUIStyle UIStyle() const { return style_.Style(); }
    void SetUIStyle(TsuiUIStyle style)
    {
        style_.SetStyle(style);
        border_color_ = ThemeSource(style_.FileTheme(), style).Color(ThemeItem::ControlBorderColor);
        UIStyleChanged();
        this->Invalidate();
    }
    TsuiFileTheme* FileTheme() const { return style_.FileTheme(); }
    void SetFileTheme(TsuiFileTheme* theme)
    {
        style_.SetFileTheme(theme);
        SetUIStyle(style_.Style());
    }
    TColor BorderColor() const { return border_color_; }
    void SetBorderColor(TColor color)
    {
        border_color_ = color;
        this->Invalidate();
    }

protected:
    // The style or file theme changed; editors pass it on to their parts.
    virtual void UIStyleChanged() { }

    void WndProc(TMessage& message) override
    {
        Edit::WndProc(message);
        // The border goes over whatever the platform painted in the frame.
        if (message.Msg == WM_PAINT || message.Msg == WM_ERASEBKGND || message.Msg == WM_NCPAINT)
            DrawControlBorder(*this, border_color_, this->Color(), true);
    }

    void Notification(TComponent* component, TOperation operation) override
    {
        Edit::Notification(component, operation);
        if (operation == TOperation::opRemove && style_.Forget(component))
            SetUIStyle(TsuiUIStyle::DeepBlue);
    }

private:
    TColor border_color_ = 0;
    StyleChoice style_ { *this };
};

// TsuiEdit: the platform's single-line edit with the skin's border.
class TsuiEdit : public BorderedEdit<TCustomEdit> {
public:
    using BorderedEdit::BorderedEdit;
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }
};

// TsuiMaskEdit: the same border on the masked edit.
class TsuiMaskEdit : public BorderedEdit<TCustomMaskEdit> {
public:
    using BorderedEdit::BorderedEdit;
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }
};

}
