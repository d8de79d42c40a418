#include "platform/gfx/system_fonts.h"

namespace pellamo {

namespace {

Font Base()
{
    Font f;
    f.name = "\xCB\xCE\xCC\xE5"; // 宋体 in GBK
    f.height = -12;
    f.charset = kGb2312Charset;
    f.color = clBlack;
    return f;
}

}

Font SystemFonts::Menu() { return Base(); }

Font SystemFonts::Caption()
{
    Font f = Base();
    f.bold = true;
    return f;
}

Font SystemFonts::SmallCaption() { return Base(); }
Font SystemFonts::Message() { return Base(); }
Font SystemFonts::Status() { return Base(); }

}
