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
    bool AutoSize() const { return auto_size_; }
    void SetAutoSize(bool on);
    int Width() const { return width_; }
    void SetWidth(int width);
    TsuiTitleBarAlign Align() const { return align_; }
    // A second middle section is refused with an error box; the middle one
    // is always stretched.
    void SetAlign(TsuiTitleBarAlign align);
    TPicture& Picture() { return picture_; }
    const TPicture& Picture() const { return picture_; }
    void SetPicture(const TPicture& picture);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool on);

private:
    void PictureChanged();

    bool auto_size_ = false;
    int width_ = 10;
    TsuiTitleBarAlign align_ = TsuiTitleBarAlign::suiLeft;
    TPicture picture_;
    bool stretch_ = false;
};

class TsuiTitleBarSections : public TCollection {
public:
    explicit TsuiTitleBarSections(TsuiTitleBar* bar);
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    TsuiTitleBarSection* Items(int index) const { return ItemAs<TsuiTitleBarSection>(index); }
    TsuiTitleBarSection* Add() { return static_cast<TsuiTitleBarSection*>(TCollection::Add()); }
    TsuiTitleBar* Bar() const { return bar_; }

private:
    TsuiTitleBar* bar_;
};

}
