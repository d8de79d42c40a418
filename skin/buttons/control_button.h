#pragma once

// TsuiControlButton: a button that shows frame PicIndex of PicCount of any
// theme picture (ThemeID), the next frame while the pointer is
// over it, and takes the size of its frame. Title bars and MDI frames
// build their small buttons from it. PicCount 0 shows the whole picture; a
// frame outside 1..PicCount shows nothing. The stored ThemeID is the
// item's number; one that names no item shows nothing.

#include "skin/buttons/custom_button.h"
#include "skin/theme_data/theme_item.h"

namespace pellamo {

class TsuiControlButton : public TsuiCustomButton {
public:
    explicit TsuiControlButton(TComponent* owner);

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    int PicIndex() const { return pic_index_; }
    void SetPicIndex(int index);
    int PicCount() const { return pic_count_; }
    void SetPicCount(int count);
    ThemeItem ThemeID() const { return theme_id_; }
    void SetThemeID(ThemeItem item);

protected:
    void PaintPic(pellamo::Canvas& canvas, Bitmap& picture) override;
    void PaintButtonNormal(Bitmap& picture) override;
    void PaintButtonMouseOn(Bitmap& picture) override;
    void PaintButtonMouseDown(Bitmap& picture) override;
    void PaintButtonDisabled(Bitmap& picture) override;

private:
    Bitmap Frame(int index) const;
    // Takes the picture's size, unless it has it already: a size change
    // repaints, and painting must not keep asking for more.
    void FitTo(const Bitmap& picture);

    int pic_index_ = 0;
    int pic_count_ = 0;
    ThemeItem theme_id_ {};
};

}
