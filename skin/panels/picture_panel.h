#pragma once

// TsuiCustomPanel / TsuiImagePanel: a panel that shows a picture (at its
// own size, stretched or tiled) or its colour, optionally see-through, with
// a one-line caption. Scroll bars and tool bars build on it.

#include "platform/components/controls/panel.h"
#include "platform/components/controls/picture.h"
#include "skin/panels/picture_panel_face.h"

namespace pellamo {

class EnumInfo;

const EnumInfo& DrawStyleNames();

class TsuiCustomPanel : public TCustomPanel {
public:
    explicit TsuiCustomPanel(TComponent* owner);
    ~TsuiCustomPanel() override;

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    TPicture& Picture() { return picture_; }
    const TPicture& Picture() const { return picture_; }
    // Copies the picture, then clears and repaints.
    void SetPicture(const TPicture& picture);
    // Draws what the parent shows behind the panel instead of its colour.
    bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool on);
    // Sizes the panel to its picture (not along a side its alignment fixes).
    bool AutoSize() const { return auto_size_; }
    void SetAutoSize(bool on);
    TsuiDrawStyle DrawStyle() const { return draw_style_; }
    void SetDrawStyle(TsuiDrawStyle style);
    // Where the caption's top left goes; -1 in either leaves it to
    // Alignment. Set by code only, never stored.
    Point CaptionPos() const { return caption_pos_; }
    void SetCaptionPosX(int x);
    void SetCaptionPosY(int y);

    // A panel sitting straight in a window of another toolkit would clear
    // that window here; ours always sit in controls, so nothing is needed.
    virtual void ClearPanel() { }
    // For derived panels that draw their text themselves.
    virtual void RepaintText(const Rect&) { }
    // The picture changed (also through SetPicture): size and transparency
    // follow it, then the panel repaints.
    virtual void PictureChanged(TObject* sender);

protected:
    void Paint() override;
    void Resize() override;
    // The panel's picture, painted off-screen and copied onto the canvas.
    void PaintPicturePanel();

private:
    void ApplyAutoSize();
    void ApplyTransparency();

    TPicture picture_;
    bool transparent_ = false;
    bool auto_size_ = false;
    TsuiDrawStyle draw_style_ = TsuiDrawStyle::suiNormal;
    Point caption_pos_ { -1, -1 };
};

class TsuiImagePanel : public TsuiCustomPanel {
public:
    using TsuiCustomPanel::TsuiCustomPanel;
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }
};

}
