#pragma once

// TsuiArrowButton: a button of the style's button strip with a small black
// triangle pointing up or down and no caption; a spin edit is two of them.
// Transparent follows the style, as for TsuiButton.

#include "skin/buttons/button_face.h"
#include "skin/buttons/custom_button.h"

namespace pellamo {

const EnumInfo& ArrowButtonTypeNames();

class TsuiArrowButton : public TsuiCustomButton {
public:
    explicit TsuiArrowButton(TComponent* owner);

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    TsuiArrowButtonType Arrow() const { return arrow_; }
    void SetArrow(TsuiArrowButtonType arrow);

protected:
    void UIStyleChanged() override;
    void PaintPic(pellamo::Canvas& canvas, Bitmap& picture) override;
    void PaintText(pellamo::Canvas&, const std::string&) override { }

private:
    TsuiArrowButtonType arrow_ = TsuiArrowButtonType::suiUp;
};

}
