#include "app/picture_menu.h"

#include "platform/components/controls/menu_item.h"
#include "platform/components/controls/popup_menu.h"
#include "platform/text/gbk.h"
#include "player/player_view.h"

namespace pellamo {

PictureMenu::PictureMenu(TPopupMenu& menu, PlayerView& view, std::function<void(const std::string&)> tell)
    : menu_(menu)
    , view_(view)
    , tell_(std::move(tell))
{
}

std::string PictureMenu::TrackLabel(
    int number, const std::string& language, const std::string& title, const std::string& codec)
{
    std::string label = "音轨 " + std::to_string(number);
    std::string name = language.empty() ? title : language;
    if (!name.empty())
        label += "\xEF\xBC\x9A" + name; // "："
    if (!codec.empty())
        label += " (" + codec + ")";
    return label;
}

TMenuItem* PictureMenu::Add(const std::string& utf8, std::function<void()> chosen)
{
    auto* item = new TMenuItem(&menu_);
    item->SetCaption(Utf8ToGbk(utf8));
    if (chosen)
        item->OnClick = [chosen = std::move(chosen)](TObject*) { chosen(); };
    menu_.Items()->Add(item);
    return item;
}

void PictureMenu::Fill()
{
    menu_.Items()->Clear();
    if (MpvPlayer* engine = view_.Engine()) {
        std::vector<MpvPlayer::AudioTrack> tracks = engine->AudioTracks();
        if (tracks.size() > 1) {
            for (size_t i = 0; i < tracks.size(); ++i) {
                const MpvPlayer::AudioTrack& t = tracks[i];
                int64_t id = t.id;
                TMenuItem* item = Add(TrackLabel(static_cast<int>(i + 1), t.language, t.title, t.codec), [this, id] {
                    if (MpvPlayer* now = view_.Engine())
                        now->SelectAudioTrack(id);
                });
                item->SetChecked(t.selected);
            }
            Add("-", nullptr);
        }
    }
    Add(view_.Recording() ? "停止录制" : "录制", [this] { ToggleRecording(); })->SetShortCutValue(0x4000 | 'R');
    Add("截图", [this] { SaveScreenshot(); })->SetShortCutValue(0x4000 | 'S');
}

void PictureMenu::Popup(Point screen)
{
    Fill();
    menu_.Popup(screen.x, screen.y);
}

void PictureMenu::ToggleRecording() { tell_(view_.ToggleRecording()); }

void PictureMenu::SaveScreenshot() { tell_(view_.SaveScreenshot()); }

}
