#pragma once

namespace pellamo {

// Makes the skinned buttons known to window descriptions by class name
// (TsuiButton, TsuiImageButton, TsuiControlButton, TsuiArrowButton,
// TsuiToolBarSpeedButton). Registering again is harmless.
void RegisterButtonClasses();

}
