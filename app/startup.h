#pragma once

#include "app/player_options.h"

#include <functional>
#include <string>
#include <vector>

namespace pellamo {

class TApplication;
class TForm1;
class TForm2;
class TForm4;

// Where the look the viewer chooses in the skin menu is kept between runs
// (LookChoiceText gives it as one line). Either may be empty: then the
// choice lasts as long as the program.
struct LookMemory {
    std::function<PlayerLook()> load; // the look chosen last time
    std::function<void(const PlayerLook&)> save;
};

// The program's windows, created in this order at start-up.
struct PellamoWindows {
    TForm1* main = nullptr;
    TForm4* load = nullptr;
    TForm2* about = nullptr;
};

// Registers every class the window descriptions name.
void RegisterPellamoClasses();

// Sets the title and creates the windows in order: main (the main form),
// load (hidden, its tick running) and about (hidden); the main and about
// windows (and the dialogs the main one opens later) dressed in `look`, or,
// when it chooses nothing, in the look `memory` remembers (a theme file
// that can no longer be used is passed over); the skin menu's choices go
// to `memory`.
PellamoWindows CreatePellamoWindows(TApplication& app, const PlayerLook& look = {}, const LookMemory& memory = {});

// The program: the application on the user's display, its windows, and the
// message loop until the main window closes. Anything that escapes is shown
// by the application's exception display, and 0 is returned; without a
// display nothing can be shown, so that is said on standard error and 1 is
// returned. `arguments` (files, playlist addresses, stream addresses) are
// opened once the window is up, and `guides` (programme guide files or
// addresses) added to the viewer's guides; unless `resume` is off, the
// channel watched last plays again when nothing else is opened. The look
// chosen in the skin menu is kept in the viewer's settings. Unless
// `new_instance`, a player already running in the desktop session takes the
// operands instead (and comes to the front), and 0 is returned at once.
int RunPellamo(const PlayerOptions& options = {});

// The command line first (PlayerOptions): --help, or a bad option, style or
// theme file, are answered without a display (0 for help, 2 for bad use,
// with a message on standard error); otherwise RunPellamo.
int RunPellamoCommandLine(const std::vector<std::string>& args);

}
