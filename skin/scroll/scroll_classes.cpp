#include "skin/scroll/scroll_classes.h"

#include "platform/components/class_registry.h"
#include "skin/scroll/scroll_bar.h"
#include "skin/scroll/scroll_track_bar.h"

namespace pellamo {

void RegisterSkinScrollClasses()
{
    RegisterClasses(
        { &TsuiTrackBar::StaticClass(), &TsuiScrollTrackBar::StaticClass(), &TsuiScrollBar::StaticClass() });
}

}
