#pragma once

namespace pellamo {

// Makes TsuiCheckBox and TsuiRadioButton known to window descriptions.
void RegisterCheckClasses();

}
