#pragma once

// What ShowWindow's command asks for. Commands it does not know show the
// window without activating it.

namespace pellamo {

enum class ShowAction {
    Hide,
    Minimize,
    Maximize,
    Restore, // from minimised or maximised; otherwise as Show
    Show,
};

struct ShowCommand {
    ShowAction action;
    bool activate; // a top-level window that is no pop-up becomes active
};

ShowCommand ShowCommandOf(int cmd);

}
