#pragma once

#include "platform/gfx/geometry.h"

#include <functional>
#include <string>

namespace pellamo {

class PlayerView;
class TComponent;
class TMenuItem;
class TPopupMenu;

// The pop-up menu of the picture, filled each time it opens: the stream's
// sound tracks when it has more than one (language and codec, the one
// playing checked), recording and saving the picture.
class PictureMenu {
public:
    // `menu` is the window's (empty) pop-up menu; `tell` shows a line in the
    // status bar.
    PictureMenu(TPopupMenu& menu, PlayerView& view, std::function<void(const std::string&)> tell);

    void Popup(Point screen);
    void ToggleRecording();
    void SaveScreenshot();

    // "音轨 2：chi (aac)"; the title stands in for a missing language.
    static std::string TrackLabel(
        int number, const std::string& language, const std::string& title, const std::string& codec);

private:
    void Fill();
    TMenuItem* Add(const std::string& utf8, std::function<void()> chosen);

    TPopupMenu& menu_;
    PlayerView& view_;
    std::function<void(const std::string&)> tell_;
};

}
