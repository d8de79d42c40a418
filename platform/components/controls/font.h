#pragma once

// TFont: the published font of a control (name, height, size, colour,
// style, character set). A change calls OnChange, which the owning control
// uses to repaint and to stop following its parent's font.

#include "platform/components/colors.h"
#include "platform/components/enum_set.h"
#include "platform/components/persistent.h"
#include "platform/gfx/font.h"

#include <functional>
#include <string>

namespace pellamo {

enum class TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = EnumSet<TFontStyle>;

class TFont : public TPersistent {
public:
    TFont() = default;
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }
    void Assign(const TPersistent& source) override;

    const std::string& Name() const { return font_.name; }
    void SetName(const std::string& name);
    int Height() const { return font_.height; }
    void SetHeight(int height);
    int Size() const { return font_.Size(); }
    void SetSize(int points);
    TColor Color() const { return font_.color; }
    void SetColor(TColor color);
    TFontStyles Style() const;
    void SetStyle(TFontStyles style);
    int Charset() const { return font_.charset; }
    void SetCharset(int charset);

    // The drawing font.
    const Font& GetFont() const { return font_; }
    void SetFont(const Font& font);

    bool operator==(const TFont& other) const { return font_ == other.font_; }

    std::function<void()> OnChange;

private:
    void Changed();
    Font font_;
};

}
