#pragma once

// A skinned control's reference to its file theme: not owned, and the
// control asks to be told when the theme goes away, so that its
// Notification can forget it and fall back to its own style.
//
//   void TsuiSomething::Notification(TComponent* c, TOperation op)
//   {
//       TCustomControl::Notification(c, op);
//       if (op == TOperation::opRemove && file_theme_.Forget(c))
//           SetUIStyle(TsuiUIStyle::DeepBlue);
//   }

#include "platform/components/component.h"
#include "skin/theme/file_theme.h"

namespace pellamo {

class FileThemeLink {
public:
    explicit FileThemeLink(TComponent& holder) : holder_(holder) {}
    FileThemeLink(const FileThemeLink&) = delete;
    FileThemeLink& operator=(const FileThemeLink&) = delete;

    TsuiFileTheme* Get() const { return theme_; }
    void Set(TsuiFileTheme* theme)
    {
        if (theme_ && theme_ != theme)
            holder_.RemoveFreeNotification(theme_);
        theme_ = theme;
        if (theme)
            holder_.FreeNotification(theme);
    }
    // True (and the link is cleared) when `removed` is the linked theme.
    bool Forget(const TComponent* removed)
    {
        if (!removed || removed != theme_)
            return false;
        theme_ = nullptr;
        return true;
    }

private:
    TComponent& holder_;
    TsuiFileTheme* theme_ = nullptr;
};

}
