#pragma once

namespace pellamo {

// Makes the two player classes known by name to window descriptions.
// Harmless to call again.
void RegisterPlayerControls();

}
