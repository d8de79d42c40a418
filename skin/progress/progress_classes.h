#pragma once

namespace pellamo {

// Makes TsuiProgressBar known to window descriptions.
void RegisterProgressClasses();

}
