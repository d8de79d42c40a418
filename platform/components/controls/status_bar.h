#pragma once

// TCustomStatusBar / TStatusBar: a bar along the bottom of its form with
// panels of text (each with a width, alignment and bevel; the last one
// takes the rest), or one simple text, and a size grip in its corner.

#include "platform/components/collection.h"
#include "platform/components/controls/custom_control.h"

namespace pellamo {

enum class TStatusPanelBevel { pbNone, pbLowered, pbRaised };
enum class TStatusPanelStyle { psText, psOwnerDraw };

class TStatusPanel : public TCollectionItem {
public:
    explicit TStatusPanel(TCollection* collection)
        : TCollectionItem(collection)
    {
    }
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }
    void Assign(const TPersistent& source) override;

    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    int Width() const { return width_; }
    void SetWidth(int width);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a);
    TStatusPanelBevel Bevel() const { return bevel_; }
    void SetBevel(TStatusPanelBevel b);
    TStatusPanelStyle Style() const { return style_; }
    void SetStyle(TStatusPanelStyle s);

private:
    std::string text_;
    int width_ = 50;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    TStatusPanelBevel bevel_ = TStatusPanelBevel::pbLowered;
    TStatusPanelStyle style_ = TStatusPanelStyle::psText;
};

using TDrawPanelEvent = TEvent<TObject*, TStatusPanel*, const Rect&>;

class TCustomStatusBar : public TCustomControl {
public:
    explicit TCustomStatusBar(TComponent* owner);
    ~TCustomStatusBar() override;

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    TCollection& Panels() { return panels_; }
    TStatusPanel* Panel(int index) const { return panels_.ItemAs<TStatusPanel>(index); }
    TStatusPanel* AddPanel() { return dynamic_cast<TStatusPanel*>(panels_.Add()); }
    bool SimplePanel() const { return simple_panel_; }
    void SetSimplePanel(bool on);
    const std::string& SimpleText() const { return simple_text_; }
    void SetSimpleText(const std::string& text);
    bool SizeGrip() const { return size_grip_; }
    void SetSizeGrip(bool on);

    // Where panel `index` lies in the client area.
    Rect PanelRect(int index) const;
    // SizeGrip, on a form the viewer can size and while it is not maximized.
    bool ShowsGrip() const;
    // Empty when no grip is shown.
    Rect GripRect() const;

    // The canvas is the bar's; Canvas() draws there during the event.
    TDrawPanelEvent OnDrawPanel;

protected:
    void Paint() override;

private:
    TCollection panels_;
    bool simple_panel_ = false;
    std::string simple_text_;
    bool size_grip_ = true;
};

class TStatusBar : public TCustomStatusBar {
public:
    using TCustomStatusBar::TCustomStatusBar;
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }
};

}
