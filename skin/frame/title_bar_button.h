#pragma once

// TsuiTitleBarButton: one button of a title bar (close, maximise or
// restore, minimise, help, the window-menu box, or a custom one) with its
// three pictures, and TsuiTitleBarButtons, the bar's stored list of them.
//
// A button of a given type takes its pictures from the title-button strip
// of its style (18 frames, three per type: normal, mouse over, pressed); a
// custom button keeps the pictures it was given.

#include "platform/components/collection.h"
#include "platform/components/controls/picture.h"
#include "skin/frame/title_bar_enums.h"
#include "skin/theme_data/ui_style.h"

namespace pellamo {

class TComponent;
class TsuiTitleBar;

class TsuiTitleBarButton : public TCollectionItem {
public:
    explicit TsuiTitleBarButton(TCollection* collection);
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }
    // Copies Visible, ButtonType, Transparent, Top, UIStyle, the pictures
    // and ControlBoxMenu.
    void Assign(const TPersistent& source) override;

    TsuiUIStyle UIStyle() const { return ui_style_; }
    // Loads the pictures of the style (FromThemeFile: of the bar's file theme).
    void SetUIStyle(TsuiUIStyle style);
    TsuiTitleBarBtnType ButtonType() const { return type_; }
    // A second window-menu box in the list is refused with an error box.
    void SetButtonType(TsuiTitleBarBtnType type);
    // The pictures' bottom-left colour is left out when they are drawn.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    // Stored; the bar places every button at its own button top.
    int Top() const { return top_; }
    void SetTop(int top);
    // The menu a window-menu box opens instead of the bar's window menu.
    TComponent* ControlBoxMenu() const { return control_box_menu_; }
    void SetControlBoxMenu(TComponent* menu);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    TPicture& PicNormal() { return normal_; }
    const TPicture& PicNormal() const { return normal_; }
    TPicture& PicMouseOn() { return mouse_on_; }
    const TPicture& PicMouseOn() const { return mouse_on_; }
    TPicture& PicMouseDown() { return mouse_down_; }
    const TPicture& PicMouseDown() const { return mouse_down_; }

    // Loads the pictures of the type and style again.
    void UpdateUIStyle();
    // A maximise button shows the restore pictures while its window is
    // maximised (unless the bar is Custom).
    void ProcessMaxBtn();

private:
    TsuiTitleBar* Bar() const;
    void LoadFrames(int first);

    TsuiUIStyle ui_style_ = TsuiUIStyle::DeepBlue;
    TsuiTitleBarBtnType type_ = TsuiTitleBarBtnType::suiCustom;
    bool transparent_ = false;
    int top_ = 2;
    TComponent* control_box_menu_ = nullptr;
    bool visible_ = true;
    TPicture normal_;
    TPicture mouse_on_;
    TPicture mouse_down_;
};

class TsuiTitleBarButtons : public TCollection {
public:
    explicit TsuiTitleBarButtons(TsuiTitleBar* bar);
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    TsuiTitleBarButton* Items(int index) const { return ItemAs<TsuiTitleBarButton>(index); }
    TsuiTitleBarButton* Add() { return static_cast<TsuiTitleBarButton*>(TCollection::Add()); }
    TsuiTitleBar* Bar() const { return bar_; }

private:
    TsuiTitleBar* bar_;
};

}
