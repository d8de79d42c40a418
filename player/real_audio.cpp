#include "player/real_audio.h"

#include "platform/components/class_info.h"
#include "platform/components/props.h"
#include "platform/text/gbk.h"

namespace pellamo {

TRealAudio::TRealAudio(TComponent* owner)
    : TPlayerControl(owner, false)
{
}

const ClassInfo& TRealAudio::StaticClass()
{
    static const ClassInfo info("TRealAudio", &TPlayerControl::StaticClass(),
        {
            props::Str<TRealAudio>("Source", &TRealAudio::SourceText, &TRealAudio::SetSourceText),
            props::Str<TRealAudio>("Console", &TRealAudio::console),
            props::Str<TRealAudio>("Controls", &TRealAudio::controls),
            props::Bool<TRealAudio>("NoLabels", &TRealAudio::no_labels),
            props::Bool<TRealAudio>("AutoStart", &TRealAudio::auto_start),
            props::Bool<TRealAudio>("AutoGotoURL", &TRealAudio::auto_goto_url),
            props::Str<TRealAudio>("WindowName", &TRealAudio::window_name),
        },
        FactoryOf<TRealAudio>());
    return info;
}

std::string TRealAudio::SourceText() const { return Utf16ToUtf8(Source()); }

void TRealAudio::SetSourceText(const std::string& source) { SetSource(Utf8ToUtf16(source)); }

}
