#pragma once

namespace pellamo {

// Registers TsuiForm and TsuiTitleBar by class name (with the skinned
// menus and the platform's menu classes), so window descriptions can
// create skinned frames with their stored title bar buttons and sections.
void RegisterSkinFrameClasses();

}
