#pragma once

namespace pellamo {

// Registers the platform's control classes so window descriptions can
// create them by name; the application does it when it starts. Kept apart
// so that knowing the application does not mean knowing every control.
void RegisterControlClasses();

}
