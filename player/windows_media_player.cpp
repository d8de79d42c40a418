#include "player/windows_media_player.h"

#include "platform/components/class_info.h"
#include "platform/components/props.h"
#include "platform/text/gbk.h"

namespace pellamo {

TWindowsMediaPlayer::TWindowsMediaPlayer(TComponent* owner)
    : TPlayerControl(owner, true)
{
}

const ClassInfo& TWindowsMediaPlayer::StaticClass()
{
    static const ClassInfo info("TWindowsMediaPlayer", &TPlayerControl::StaticClass(),
        {
            props::Str<TWindowsMediaPlayer>("URL", &TWindowsMediaPlayer::URLText, &TWindowsMediaPlayer::SetURLText),
        },
        FactoryOf<TWindowsMediaPlayer>());
    return info;
}

std::string TWindowsMediaPlayer::URLText() const { return Utf16ToUtf8(URL()); }

void TWindowsMediaPlayer::SetURLText(const std::string& url) { SetURL(Utf8ToUtf16(url)); }

}
