#pragma once

#include "platform/gfx/image_list.h"

#include <memory>

namespace pellamo {

// A 16 x 16 image list holding the menu check mark (MENU_CHECKED, white
// transparent) at index 0. Throws ResourceError when the skin pictures are
// not part of the program.
std::unique_ptr<ImageList> MakeMenuCheckMarks();

// The one list all skinned pop-up menus share, built when first asked for
// (not while the program loads, when pictures may not be registered yet)
// and kept until the program ends.
const ImageList& SharedMenuCheckMarks();

}
