#pragma once

namespace pellamo {

// Registers the tree view, menu and tool bar classes so window
// descriptions can create them (idempotent).
void RegisterTreeMenuClasses();

}
