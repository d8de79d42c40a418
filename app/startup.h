#pragma once

namespace pellamo {

// The program: the application object with its title, the main, load and
// about windows created in that order, and the message loop until the main
// window closes. Anything that escapes is shown by the application's
// exception display. Returns the process status: 0, or 1 when there is no
// display to show anything on (said on standard error).
int RunPellamo();

}
