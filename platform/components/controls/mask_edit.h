#pragma once

// TCustomMaskEdit / TMaskEdit: an edit whose typed text must fit EditMask,
// one mask character per text character: 0 (digit), 9 (digit or blank),
// # (digit, sign or blank), L/l (letter), A/a (letter or digit), C/c (any);
// > and < switch to upper and lower case, \ makes the next character a
// literal, and every other character is a literal the edit puts in by
// itself. What follows the first ';' (the stored mask's options) is ignored.

#include "platform/components/controls/edit.h"

namespace pellamo {

class TCustomMaskEdit : public TCustomEdit {
public:
    explicit TCustomMaskEdit(TComponent* owner);

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    const std::string& EditMask() const { return edit_mask_; }
    void SetEditMask(const std::string& mask);
    bool IsMasked() const { return !slots_.empty(); }

protected:
    bool AcceptInsert(std::string& text) override;

private:
    struct Slot {
        char kind; // mask character, or 0 for a literal
        char literal;
        int case_shift; // +1 upper, -1 lower, 0 as typed
    };
    static bool Fits(char kind, char c);
    std::string edit_mask_;
    std::vector<Slot> slots_;
};

class TMaskEdit : public TCustomMaskEdit {
public:
    using TCustomMaskEdit::TCustomMaskEdit;
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }
};

}
