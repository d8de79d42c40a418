#pragma once

namespace pellamo {

// Makes TsuiCheckGroup and TsuiRadioGroup known to window descriptions.
void RegisterGroupClasses();

}
