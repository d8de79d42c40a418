#include "platform/window/show_command.h"

#include "platform/window/messages.h"

namespace pellamo {

ShowCommand ShowCommandOf(int cmd)
{
    switch (cmd) {
    case SW_HIDE:
        return { ShowAction::Hide, false };
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
        return { ShowAction::Minimize, false };
    case SW_SHOWMAXIMIZED:
        return { ShowAction::Maximize, true };
    case SW_RESTORE:
    case SW_SHOWNORMAL:
        return { ShowAction::Restore, true };
    case SW_SHOW:
        return { ShowAction::Show, true };
    case SW_SHOWNA:
    case SW_SHOWNOACTIVATE:
    default:
        return { ShowAction::Show, false };
    }
}

}
