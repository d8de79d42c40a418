#pragma once

// One page of the skin gallery: a function that puts a family of skinned
// controls, in their interesting states, on the page's panel. A page file
// registers its function with a GalleryPageRegistration at namespace scope;
// nothing else needs to know about it (see README.md).

#include "platform/components/controls/form.h"
#include "platform/gfx/geometry.h"
#include "skin/theme_data/ui_style.h"

#include <functional>
#include <string>
#include <vector>

namespace pellamo {

class TsuiFileTheme;

// The gallery's look now: a built-in style, or FromThemeFile and the theme.
using GalleryLookChange = std::function<void(TsuiUIStyle style, TsuiFileTheme* theme)>;

class GalleryPageBuilder {
public:
    GalleryPageBuilder(TForm& form, TWinControl& page)
        : form_(form)
        , page_(page)
    {
    }

    TForm& Form() const { return form_; }
    TWinControl& Page() const { return page_; }

    // A control owned by the gallery's form (so its theme manager reaches
    // it), placed on `parent` (the page when null) at `bounds`.
    template <class T> T* Add(Rect bounds, TWinControl* parent = nullptr)
    {
        auto* control = new T(&form_);
        control->SetParent(parent ? parent : &page_);
        control->SetBoundsRect(bounds);
        return control;
    }
    // A component without a window (menus, notifications), owned by the form.
    template <class T> T* AddComponent() { return new T(&form_); }

    // The control that takes the focus whenever the page is shown, so its
    // focused state can be seen.
    void SetFocusControl(TWinControl* control) { focus_ = control; }
    TWinControl* FocusControl() const { return focus_; }

    // What the page shows in a screenshot beyond its controls at rest: a
    // menu opened, a notification popped up. Runs after the page is shown.
    void SetScene(std::function<void()> scene) { scene_ = std::move(scene); }
    const std::function<void()>& Scene() const { return scene_; }

    // Told the gallery's look whenever it changes (and once at the start):
    // for windows of the page that the gallery's theme manager does not
    // reach, such as forms the page opens.
    void SetLookChange(GalleryLookChange change) { look_change_ = std::move(change); }
    const GalleryLookChange& LookChange() const { return look_change_; }

private:
    TForm& form_;
    TWinControl& page_;
    TWinControl* focus_ = nullptr;
    std::function<void()> scene_;
    GalleryLookChange look_change_;
};

using GalleryPageBuild = void (*)(GalleryPageBuilder& page);

struct GalleryPageInfo {
    std::string name; // shown in the page list; --page takes it in any case
    int order = 0; // pages are listed by it
    GalleryPageBuild build = nullptr;
};

// Adds a page to GalleryPages() when the program starts.
class GalleryPageRegistration {
public:
    GalleryPageRegistration(const char* name, int order, GalleryPageBuild build);
};

// Every registered page, by order (then name).
std::vector<GalleryPageInfo> GalleryPages();

}
