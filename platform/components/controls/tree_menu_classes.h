#pragma once

namespace pellamo {

// Registers the tree view, menu and tool bar classes so window
// descriptions can create them, and has a right click on a control show
// its PopupMenu (idempotent).
void RegisterTreeMenuClasses();

}
