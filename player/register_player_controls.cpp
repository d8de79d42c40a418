#include "player/register_player_controls.h"

#include "platform/components/class_registry.h"
#include "player/real_audio.h"
#include "player/windows_media_player.h"

namespace pellamo {

void RegisterPlayerControls() { RegisterClasses({ &TWindowsMediaPlayer::StaticClass(), &TRealAudio::StaticClass() }); }

}
