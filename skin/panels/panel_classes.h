#pragma once

namespace pellamo {

// Registers the skinned panels, group box, status bar and link label so
// window descriptions can create them (idempotent).
void RegisterSkinPanelClasses();

}
