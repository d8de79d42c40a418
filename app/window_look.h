#pragma once

// Dressing a window in the look the user chose: on the command line at
// start, or in the skin menu while the windows are open.

#include "app/player_options.h"

namespace pellamo {

class TForm;

// Gives every skinned component of `form` the chosen style or theme file
// through a theme manager the form owns, and lays the window out again so
// that its contents keep their designed places below the menu bar. Called
// again it changes the look in place; "no choice" brings back the look
// the form's description gives (and leaves a form never dressed alone).
// The theme file must have been checked whole (ThemeFileProblem) before;
// a file that still fails throws.
void DressForm(TForm& form, const PlayerLook& look);

}
