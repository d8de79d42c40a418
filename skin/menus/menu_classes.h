#pragma once

namespace pellamo {

// Registers TsuiMainMenu and TsuiPopupMenu by class name, so window
// descriptions can create them (with the platform's menu classes).
void RegisterSkinMenuClasses();

}
