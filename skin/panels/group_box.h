#pragma once

// TsuiCustomGroupBox / TsuiGroupBox: a thin frame round a group of
// controls with its caption set into the top edge. The radio and check
// groups build on it and restyle their buttons in UpdateUIStyle.
//
// The caption is the group box's own (Caption() here); the control's text
// stays " " so the picture-panel painting underneath draws no text.

#include "skin/panels/picture_panel.h"
#include "skin/theme/style_choice.h"
#include "skin/theme_data/ui_style.h"

namespace pellamo {

class TsuiCustomGroupBox : public TsuiCustomPanel {
public:
    explicit TsuiCustomGroupBox(TComponent* owner);

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    TColor BorderColor() const { return border_color_; }
    void SetBorderColor(TColor color);
    TsuiUIStyle UIStyle() const { return style_.Style(); }
    void SetUIStyle(TsuiUIStyle style);
    TsuiFileTheme* FileTheme() const { return style_.FileTheme(); }
    void SetFileTheme(TsuiFileTheme* theme);

    // The area inside the frame: (L+3, T+h, R-2, B-2) of the client area,
    // h being the font's height.
    Rect GetClient() const;

    // Passes the style to the child controls, then takes the border and
    // font colours from it.
    virtual void UpdateUIStyle(TsuiUIStyle style, TsuiFileTheme* file_theme);

protected:
    void Paint() override;
    Rect AlignRect() const override;
    void FontChanged() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    int FontHeight() const;

    std::string caption_;
    TColor border_color_ = 0;
    StyleChoice style_ { *this };
};

class TsuiGroupBox : public TsuiCustomGroupBox {
public:
    using TsuiCustomGroupBox::TsuiCustomGroupBox;
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }
};

}
