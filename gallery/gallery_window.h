#pragma once

// TfrmGallery: the skin gallery's window, on a skinned frame (title bar,
// border, and a menu bar with the styles, the pages and help). Inside: a
// style bar (the five built-in styles and a theme-file field), the list of
// pages, the current page and a status bar; every skinned component on it,
// its frame and menu included, is dressed by one theme manager.

#include "gallery/gallery_page.h"
#include "platform/components/controls/form.h"
#include "skin/theme_data/ui_style.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace pellamo {

class TMenuItem;
class TPanel;
class TsuiButton;
class TsuiForm;
class TsuiMainMenu;
class TsuiEdit;
class TsuiFileTheme;
class TsuiRadioButton;
class TsuiStatusBar;
class TsuiThemeManager;

class TfrmGallery : public TForm {
public:
    explicit TfrmGallery(TComponent* owner);
    ~TfrmGallery() override;

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    // Dresses everything in a built-in style (FromThemeFile is ignored).
    void SetStyle(TsuiUIStyle style);
    // Dresses everything from a theme file. Throws std::runtime_error with
    // a message for the user when the file is missing, is no theme file or
    // is damaged; the look stays as it was then.
    void LoadThemeFile(const std::string& path);
    // FromThemeFile while a theme file dresses the gallery.
    TsuiUIStyle Style() const;
    // The loaded theme file's path, empty when none.
    std::string ThemeFileName() const;

    // Shows the page of that name (any case); false when there is none.
    bool ShowPage(std::string_view name);
    const std::string& CurrentPage() const { return pages_[current_].name; }
    std::vector<std::string> PageNames() const;
    // The panel of a page, null when there is none (tests).
    TWinControl* PagePanel(std::string_view name) const;
    // Plays the current page's scene: opens its menu, pops its notice.
    // False when the page has none.
    bool PlayScene();

    TsuiThemeManager& ThemeManager() const { return *manager_; }
    TsuiRadioButton& StyleButton(TsuiUIStyle style) const;
    TsuiEdit& ThemeFileField() const { return *theme_field_; }
    TsuiButton& LoadButton() const { return *load_button_; }
    TsuiStatusBar& StatusBar() const { return *status_bar_; }
    TsuiForm& Frame() const { return *frame_; }
    TsuiMainMenu& MainMenu() const { return *menu_; }
    // The area inside the frame, below its menu bar, that holds the rest.
    TPanel& Content() const { return *content_; }

    // How the gallery tells the user that a theme file could not be used
    // (a message box unless replaced).
    std::function<void(const std::string& message)> ShowError;
    // Off: "Load theme file..." asks our own chooser, never the desktop's.
    void SetTryPortal(bool on) { try_portal_ = on; }

private:
    struct Page {
        std::string name;
        TPanel* panel = nullptr;
        TsuiRadioButton* button = nullptr;
        TWinControl* focus = nullptr;
        std::function<void()> scene;
        GalleryLookChange look_change;
        TMenuItem* item = nullptr;
    };

    void BuildFrame();
    void BuildMenu();
    void BuildStyleBar();
    void BuildPages();
    void DressEverything();
    void ShowChoice();
    void LoadFromField();
    // "Load theme file...": a theme file from a chooser, or the focus in the
    // field for a typed path when none was chosen.
    void ChooseThemeFile();
    void ShowAbout();
    // Keeps the content at the size the pages are laid out for, whatever
    // the style's title bar takes.
    void FitContent();
    int FindPage(std::string_view name) const;

    TsuiForm* frame_ = nullptr;
    TPanel* content_ = nullptr;
    TsuiMainMenu* menu_ = nullptr;
    std::vector<TMenuItem*> style_items_; // MacOS first
    TsuiThemeManager* manager_ = nullptr;
    TsuiFileTheme* file_theme_ = nullptr;
    std::vector<TsuiRadioButton*> style_buttons_; // MacOS first
    TsuiEdit* theme_field_ = nullptr;
    TsuiButton* load_button_ = nullptr;
    TsuiStatusBar* status_bar_ = nullptr;
    std::vector<Page> pages_;
    size_t current_ = 0;
    bool showing_choice_ = false; // radio buttons checked by the gallery itself
    bool try_portal_ = true;
};

}
