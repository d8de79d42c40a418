#pragma once

namespace pellamo {

// Makes TsuiToolBar known to window descriptions.
void RegisterToolBarClasses();

}
