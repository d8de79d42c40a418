#pragma once

// The UIStyle and FileTheme that a skinned control publishes, with the
// rules every such control keeps: a new control takes the style of its
// owner form's frame (GetSUIFormStyle); FileTheme is a reference, not
// owned, and the control asks to be told when that component goes away,
// so that its Notification can forget it and fall back to DeepBlue:
//
//   void TsuiSomething::Notification(TComponent* c, TOperation op)
//   {
//       TCustomControl::Notification(c, op);
//       if (op == TOperation::opRemove && style_.Forget(c))
//           SetUIStyle(TsuiUIStyle::DeepBlue);
//   }

#include "skin/theme/theme_source.h"
#include "skin/theme_data/ui_style.h"

namespace pellamo {

class TComponent;
class TsuiFileTheme;

class StyleChoice {
public:
    // `control` is the component that holds the choice (for free
    // notifications); its owner's form gives the first style.
    explicit StyleChoice(TComponent& control);
    StyleChoice(const StyleChoice&) = delete;
    StyleChoice& operator=(const StyleChoice&) = delete;

    TsuiUIStyle Style() const { return style_; }
    void SetStyle(TsuiUIStyle style) { style_ = style; }
    TsuiFileTheme* FileTheme() const { return file_theme_; }
    void SetFileTheme(TsuiFileTheme* theme);
    // Call from the control's Notification: true when the removed component
    // was the file theme, which is then forgotten; the caller writes
    // UIStyle DeepBlue.
    bool Forget(const TComponent* removed);

    // Where the items of the current choice come from.
    ThemeSource Theme() const { return ThemeSource(file_theme_, style_); }

private:
    TComponent& control_;
    TsuiUIStyle style_;
    TsuiFileTheme* file_theme_ = nullptr;
};

}
