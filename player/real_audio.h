#pragma once

#include "player/player_control.h"

#include <string>

namespace pellamo {

// The RealMedia player of the main window, in its "imagewindow" look: the
// picture alone on black, or the station display for radio. SetSource plays.
// Its other published settings are kept as stored; the engine needs none.
class TRealAudio : public TPlayerControl {
public:
    explicit TRealAudio(TComponent* owner);

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    const std::u16string& Source() const { return Address(); }
    void SetSource(const std::u16string& source) { SetAddress(source); }

    // The published Source, as UTF-8.
    std::string SourceText() const;
    void SetSourceText(const std::string& source);

    std::string console;
    std::string controls = "imagewindow";
    bool no_labels = false;
    bool auto_start = true;
    bool auto_goto_url = true;
    std::string window_name;
};

}
