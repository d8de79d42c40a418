#include "platform/window/messages.h"
#include "platform/window/show_command.h"

#include <gtest/gtest.h>

namespace pellamo {
namespace {

TEST(ShowCommand, EachCommandNamesAnActionAndWhetherItActivates)
{
    struct Case {
        int cmd;
        ShowAction action;
        bool activate;
    } const cases[] = {
        { SW_HIDE, ShowAction::Hide, false },
        { SW_SHOWNORMAL, ShowAction::Restore, true },
        { SW_RESTORE, ShowAction::Restore, true },
        { SW_SHOWMINIMIZED, ShowAction::Minimize, false },
        { SW_MINIMIZE, ShowAction::Minimize, false },
        { SW_SHOWMAXIMIZED, ShowAction::Maximize, true },
        { SW_SHOW, ShowAction::Show, true },
        { SW_SHOWNA, ShowAction::Show, false },
        { SW_SHOWNOACTIVATE, ShowAction::Show, false },
        { 7, ShowAction::Show, false }, // not known here: shown, not activated
        { -1, ShowAction::Show, false },
    };
    for (const Case& c : cases) {
        ShowCommand command = ShowCommandOf(c.cmd);
        EXPECT_EQ(command.action, c.action) << c.cmd;
        EXPECT_EQ(command.activate, c.activate) << c.cmd;
    }
}

}
}
