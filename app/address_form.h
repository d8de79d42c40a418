#pragma once

#include "app/open_target.h"
#include "platform/components/controls/form.h"
#include "platform/gfx/geometry.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace pellamo {

class TWinControl;

// The small dialog behind "打开播放列表…", "打开地址…" and "节目指南…": an edit box
// for a file path or an address, and for addresses a name under which
// "保存并播放" keeps it. What was typed is checked before the dialog
// closes, so a mistyped address keeps it open with the reason shown.
// Controls are reached by the general class that does the job, so a
// skinned description works with this code unchanged.
class TAddressForm : public TForm {
public:
    enum class Mode { Playlist, Address, Guide };
    enum class Choice { Cancel, Open, SaveAndPlay };

    explicit TAddressForm(TComponent* owner);
    TAddressForm(TComponent* owner, std::string_view description);
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    // Shows the dialog modally, centred on `over`, and tells what the
    // viewer chose; Target() and ChannelName() then hold what was typed.
    Choice Ask(Mode mode, const Rect& over);
    const OpenTarget& Target() const { return target_; }
    // The name typed for a saved address (UTF-8), empty when none.
    std::string ChannelName() const;

    void PlayButtonClick(TObject* sender);
    void SaveButtonClick(TObject* sender);
    void CancelButtonClick(TObject* sender);
    // Fills the field with the file OnBrowse chose.
    void BrowseButtonClick(TObject* sender);

    // Asks for a playlist file (UTF-8 path); the dialog shows its "浏览…"
    // button for playlists while this is set.
    std::function<std::optional<std::string>()> OnBrowse;

private:
    void Bind();
    bool Accept(Choice choice);

    TControl* suiForm1 = nullptr;
    TControl* Label1 = nullptr;
    TControl* Label2 = nullptr;
    TWinControl* AddressEdit = nullptr;
    TControl* NameEdit = nullptr;
    TControl* PlayButton = nullptr;
    TControl* SaveButton = nullptr;
    TControl* CancelButton = nullptr;
    TControl* BrowseButton = nullptr;

    Mode mode_ = Mode::Address;
    Choice choice_ = Choice::Cancel;
    OpenTarget target_;
};

}
