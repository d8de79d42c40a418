#pragma once

// Dressing a window in the look the user chose on the command line.

#include "app/player_options.h"

namespace pellamo {

class TForm;

// Gives every skinned component of `form` the chosen style or theme file
// through a theme manager the form owns. Without a choice the form keeps
// what its description says. The theme file must have been checked whole
// (ThemeFileProblem) before; a file that still fails throws.
void DressForm(TForm& form, const PlayerLook& look);

}
