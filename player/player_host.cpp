#include "player/player_host.h"

#include "platform/text/gbk.h"

#include <string>

namespace pellamo {

PlayerHost::PlayerHost(MediaPlayerControl& media, RealPlayerControl& real)
    : media_(media)
    , real_(real)
{
}

// Visibility is switched before the addresses, so a control that rejects its
// address still leaves the pair with exactly one shown.
void PlayerHost::PlayStream(std::string_view address)
{
    real_.SetVisible(false);
    media_.SetVisible(true);
    real_.SetSource(std::u16string());
    media_.SetURL(GbkToUtf16(address));
}

void PlayerHost::PlayReal(std::u16string_view source)
{
    media_.SetVisible(false);
    real_.SetVisible(true);
    media_.SetURL(std::u16string());
    real_.SetSource(std::u16string(source));
}

}
