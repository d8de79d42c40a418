#pragma once

// TCustomLabel / TLabel: text without a window, painted by its parent.
// Transparent labels let the parent show through; AutoSize fits the label
// to its text (to the text's height only, when WordWrap keeps the width).

#include "platform/components/controls/graphic_control.h"

namespace pellamo {

enum class TTextLayout { tlTop, tlCenter, tlBottom };
const EnumInfo& TextLayoutNames();

class TCustomLabel : public TGraphicControl {
public:
    explicit TCustomLabel(TComponent* owner);

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a);
    bool AutoSize() const { return auto_size_; }
    void SetAutoSize(bool on);
    bool WordWrap() const { return word_wrap_; }
    void SetWordWrap(bool on);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout l);
    bool ShowAccelChar() const { return show_accel_char_; }
    void SetShowAccelChar(bool on);

    // The text's size with the current font (width limited by the label's
    // width when wrapping).
    Size TextSize() const;

protected:
    void Paint() override;
    void Loaded() override;
    void TextChanged() override;
    void FontChanged() override;
    void AdjustBounds();
    unsigned TextFlags() const;

private:
    TAlignment alignment_ = TAlignment::taLeftJustify;
    bool auto_size_ = true;
    bool word_wrap_ = false;
    bool transparent_ = false;
    TTextLayout layout_ = TTextLayout::tlTop;
    bool show_accel_char_ = true;
};

class TLabel : public TCustomLabel {
public:
    using TCustomLabel::TCustomLabel;
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }
};

}
