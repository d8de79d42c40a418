#pragma once

// A window's contents kept where they were designed when a look gives its
// frame another title bar, menu bar or border: every control of the frame
// that is not aligned keeps its place relative to the client area below
// the menu bar, and the window grows or shrinks by the difference. The
// designed look leaves the window exactly as its description made it.

#include "platform/components/component.h"

namespace pellamo {

class TForm;
class TsuiForm;

class LookLayout : public TComponent {
public:
    // The form's layout, made (and the designed frame measured) on first
    // use, so call it before the form's look first changes.
    static LookLayout& Of(TForm& form);
    // How far the contents now stand below their designed place; 0 for a
    // form that never changed its look.
    static int ShiftOf(const TComponent& form);

    explicit LookLayout(TComponent* owner);
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    // The look has changed: moves the contents and sizes the window to fit
    // the frame as it is now.
    void Follow();
    int Shift() const { return shift_; }

private:
    static constexpr const char* kName = "PellamoLookLayout";

    TForm& Form() const;
    TsuiForm* Frame() const;
    // Where the client area below the title and menu bars starts, in the
    // frame's coordinates.
    int ContentTop() const;

    int designed_top_ = 0;
    int designed_client_width_ = 0;
    int designed_client_height_ = 0;
    int shift_ = 0;
};

}
