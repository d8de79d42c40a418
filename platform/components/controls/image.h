#pragma once

// TImage: shows a TPicture without a window: at the top left, centred,
// stretched to the control, or sizing the control to the picture.

#include "platform/components/controls/graphic_control.h"
#include "platform/components/controls/picture.h"

namespace pellamo {

class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* owner);
    ~TImage() override;

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    TPicture& Picture() { return picture_; }
    const TPicture& Picture() const { return picture_; }
    bool Stretch() const { return stretch_; }
    void SetStretch(bool on);
    bool Center() const { return center_; }
    void SetCenter(bool on);
    bool AutoSize() const { return auto_size_; }
    void SetAutoSize(bool on);
    // Pixels of the picture's bottom-left colour are left out.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    bool Proportional() const { return proportional_; }
    void SetProportional(bool on);

    // Where the picture is drawn, in client coordinates.
    Rect DestRect() const;

protected:
    void Paint() override;
    void Loaded() override;

private:
    void PictureChanged();
    TPicture picture_;
    bool stretch_ = false;
    bool center_ = false;
    bool auto_size_ = false;
    bool transparent_ = false;
    bool proportional_ = false;
};

}
