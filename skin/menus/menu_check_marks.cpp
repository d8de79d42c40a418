#include "skin/menus/menu_check_marks.h"

#include "platform/gfx/resources.h"
#include "skin/theme_data/named_pictures.h"

namespace pellamo {

std::unique_ptr<ImageList> MakeMenuCheckMarks()
{
    auto list = std::make_unique<ImageList>(16, 16);
    list->AddMasked(*Resources::CachedBitmap(kMenuChecked), Rgb(255, 255, 255));
    return list;
}

const ImageList& SharedMenuCheckMarks()
{
    static const std::unique_ptr<ImageList> shared = MakeMenuCheckMarks();
    return *shared;
}

}
