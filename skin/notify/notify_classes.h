#pragma once

namespace pellamo {

// Registers TsuiMSNPopForm and its window class by name, so window
// descriptions can create them.
void RegisterSkinNotifyClasses();

}
