#pragma once

// TsuiImageButton: a button drawn from four pictures of its own (normal,
// pointer over, pressed, disabled); a missing one falls back to the normal
// picture. The picture's top-left colour is transparent where
// PicTransparent is on. No style picture is used: UIStyle reads
// FromThemeFile whatever was written.

#include "platform/components/controls/picture.h"
#include "skin/buttons/custom_button.h"

namespace pellamo {

class TsuiImageButton : public TsuiCustomButton {
public:
    explicit TsuiImageButton(TComponent* owner);
    ~TsuiImageButton() override;

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    TsuiUIStyle UIStyle() const override { return TsuiUIStyle::FromThemeFile; }

    // Each copies the picture given to it; a change re-applies AutoSize and repaints.
    TPicture& PicNormal() { return pic_normal_; }
    TPicture& PicMouseOn() { return pic_mouse_on_; }
    TPicture& PicMouseDown() { return pic_mouse_down_; }
    TPicture& PicDisabled() { return pic_disabled_; }
    void SetPicNormal(const TPicture& picture) { pic_normal_.Assign(picture); }
    void SetPicMouseOn(const TPicture& picture) { pic_mouse_on_.Assign(picture); }
    void SetPicMouseDown(const TPicture& picture) { pic_mouse_down_.Assign(picture); }
    void SetPicDisabled(const TPicture& picture) { pic_disabled_.Assign(picture); }
    bool Stretch() const { return stretch_; }
    void SetStretch(bool on);
    bool DrawFocused() const { return draw_focused_; }
    void SetDrawFocused(bool on);

protected:
    void AutoSizeChanged() override;
    void PaintPic(pellamo::Canvas& canvas, Bitmap& picture) override;
    void PaintFocus(pellamo::Canvas& canvas) override;
    void PaintButtonNormal(Bitmap& picture) override;
    void PaintButtonMouseOn(Bitmap& picture) override;
    void PaintButtonMouseDown(Bitmap& picture) override;
    void PaintButtonDisabled(Bitmap& picture) override;

private:
    void PictureChanged();
    // `own` when it holds a graphic, else the normal picture (maybe empty).
    void TakeOr(const TPicture& own, Bitmap& picture) const;

    TPicture pic_normal_;
    TPicture pic_mouse_on_;
    TPicture pic_mouse_down_;
    TPicture pic_disabled_;
    bool stretch_ = false;
    bool draw_focused_ = false;
};

}
