#pragma once

#include "platform/components/controls/form.h"
#include "platform/gfx/geometry.h"

#include <string_view>

namespace pellamo {

// The about window: logo, name, support contacts and the web-site label
// that opens the site.
class TForm2 : public TForm {
public:
    explicit TForm2(TComponent* owner);
    TForm2(TComponent* owner, std::string_view description);
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    void Label4Click(TObject* sender);

    // Where a window of outer size `size` goes to sit centred on a window
    // with outer bounds `over`; each halving truncates toward zero.
    static Point CentredOn(const Rect& over, Size size);

    // The client area as designed, the frame's title bar included.
    static constexpr Size kDesignedClient { 286, 123 };
};

}
