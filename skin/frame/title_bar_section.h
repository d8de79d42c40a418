#pragma once

// TsuiTitleBarSection: one picture of a title bar (the left end, the right
// end or the stretched middle), and TsuiTitleBarSections, the bar's stored
// list of them. Painting takes the sections by position (0 left, 1 right,
// 2 middle); Align, Width, Stretch and AutoSize describe them for design
// tools and are kept consistent by their setters.

#include "platform/components/collection.h"
#include "platform/components/controls/picture.h"
#include "skin/frame/title_bar_enums.h"

namespace pellamo {

class TsuiTitleBar;

class TsuiTitleBarSection : public TCollectionItem {
public:
    explicit TsuiTitleBarSection(TCollection* collection);
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }
    // Copies Width, Align, Picture, Stretch and AutoSize.
    void Assign(const TPersistent& source) override;

    // Width follows the picture's.
    bool AutoSize() const { return m_auto_size; }
    void SetAutoSize(bool on);
    int Width() const { return m_width; }
    void SetWidth(int width);
    TsuiTitleBarAlign Align() const { return m_align; }
    // A second middle section is refused with an error box; the middle one
    // is always stretched.
    void SetAlign(TsuiTitleBarAlign align);
    TPicture& Picture() { return m_picture; }
    const TPicture& Picture() const { return m_picture; }
    void SetPicture(const TPicture& picture);
    bool Stretch() const { return m_stretch; }
    void SetStretch(bool on);

private:
    void PictureChanged();

    bool m_auto_size = false;
    int m_width = 10;
    TsuiTitleBarAlign m_align = TsuiTitleBarAlign::suiLeft;
    TPicture m_picture;
    bool m_stretch = false;
};

class TsuiTitleBarSections : public TCollection {
public:
    explicit TsuiTitleBarSections(TsuiTitleBar* bar);
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    TsuiTitleBarSection* Items(int index) const { return ItemAs<TsuiTitleBarSection>(index); }
    TsuiTitleBarSection* Add() { return static_cast<TsuiTitleBarSection*>(TCollection::Add()); }
    TsuiTitleBar* Bar() const { return m_bar; }

private:
    TsuiTitleBar* m_bar;
};

}
