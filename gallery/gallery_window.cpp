#include "gallery/gallery_window.h"

#include "chooser/file_chooser.h"
#include "gallery/menu_item_maker.h"
#include "platform/components/class_info.h"
#include "platform/components/controls/application.h"
#include "platform/components/controls/menu_item.h"
#include "platform/components/controls/panel.h"
#include "platform/components/enum_info.h"
#include "platform/components/property_access.h"
#include "platform/gfx/bmp_codec.h"
#include "platform/text/same_text.h"
#include "skin/buttons/push_button.h"
#include "skin/checks/radio_button.h"
#include "skin/edits/bordered_edit.h"
#include "skin/frame/skin_form.h"
#include "skin/menus/skin_main_menu.h"
#include "skin/panels/grip_status_bar.h"
#include "skin/panels/group_box.h"
#include "skin/theme/file_theme.h"
#include "skin/theme/style_properties.h"
#include "skin/theme/theme_manager.h"
#include "skin/theme_data/theme_file_check.h"

#include <filesystem>
#include <stdexcept>

namespace pellamo {

namespace {

constexpr int kClientWidth = 780;
constexpr int kClientHeight = 540;
constexpr int kPageLeft = 136;
constexpr int kPageTop = 62;

constexpr TsuiUIStyle kBuiltInStyles[]
    = { TsuiUIStyle::MacOS, TsuiUIStyle::WinXP, TsuiUIStyle::DeepBlue, TsuiUIStyle::Protein, TsuiUIStyle::BlueGlass };
// With the letter Alt takes them by.
constexpr const char* kStyleCaptions[] = { "Mac&OS", "Win&XP", "&DeepBlue", "Pro&tein", "Blue&Glass" };

}

TfrmGallery::TfrmGallery(TComponent* owner)
    : TForm(owner)
{
    SetCaption("Pellamo skin gallery");
    SetPosition(TPosition::poScreenCenter);
    // The pages are laid out for this size.
    SetBorderStyle(TFormBorderStyle::bsDialog);
    SetClientWidth(kClientWidth);
    SetClientHeight(kClientHeight);
    // Ctrl+PageDown and Ctrl+PageUp turn the pages, wherever the focus is.
    SetKeyPreview(true);
    OnKeyDown = [this](TObject*, UINT& key, TShiftState shift) {
        if ((key != VK_NEXT && key != VK_PRIOR) || !shift.Contains(ssCtrl) || pages_.empty())
            return;
        size_t count = pages_.size();
        ShowPage(pages_[(current_ + (key == VK_NEXT ? 1 : count - 1)) % count].name);
        key = 0;
    };
    ShowError = [this](const std::string& message) {
        if (Application)
            Application->MessageBox(message, Caption(), MB_OK | MB_ICONERROR);
    };

    file_theme_ = new TsuiFileTheme(this);
    file_theme_->SetName("GalleryTheme");
    manager_ = new TsuiThemeManager(this);
    manager_->SetName("ThemeManager");

    BuildFrame();
    BuildStyleBar();
    BuildPages();
    BuildMenu();
    status_bar_ = new TsuiStatusBar(this);
    status_bar_->SetParent(content_);
    status_bar_->SetSimplePanel(true);
    status_bar_->SetSizeGrip(false);

    // Every skinned component is dressed by the manager, which finds them
    // by name: the pages need not name theirs.
    int unnamed = 0;
    for (int i = 0; i < ComponentCount(); ++i) {
        TComponent* component = Components(i);
        if (component == manager_ || !IsHasProperty(component, "UIStyle") || !IsHasProperty(component, "FileTheme"))
            continue;
        if (component->Name().empty())
            component->SetName("Skinned" + std::to_string(++unnamed));
        manager_->CompList().Add(component->Name());
    }
    ShowPage(pages_.empty() ? "" : pages_.front().name);
    SetStyle(TsuiUIStyle::MacOS);
}

TfrmGallery::~TfrmGallery() = default;

const ClassInfo& TfrmGallery::StaticClass()
{
    static const ClassInfo info("TfrmGallery", &TForm::StaticClass(), {}, FactoryOf<TfrmGallery>());
    return info;
}

void TfrmGallery::BuildFrame()
{
    frame_ = new TsuiForm(this);
    frame_->SetName("Frame");
    content_ = new TPanel(this);
    content_->SetParent(frame_);
    content_->SetBevelOuter(TBevelCut::bvNone);
    content_->SetParentColor(true);
    content_->SetAlign(TAlign::alClient);
}

void TfrmGallery::BuildMenu()
{
    menu_ = new TsuiMainMenu(this);
    menu_->SetName("GalleryMenu");
    // Letters that the buttons inside do not take.
    TMenuItem* styles = AddMenuItem(this, menu_->Items(), "St&yle");
    for (size_t i = 0; i < std::size(kBuiltInStyles); ++i)
        style_items_.push_back(
            AddMenuItem(this, styles, kStyleCaptions[i], [this, style = kBuiltInStyles[i]] { SetStyle(style); }));
    AddMenuItem(this, styles, "-");
    AddMenuItem(this, styles, "&Load theme file...", [this] { ChooseThemeFile(); });
    TMenuItem* pages = AddMenuItem(this, menu_->Items(), "P&ages");
    for (Page& page : pages_)
        page.item = AddMenuItem(this, pages, "&" + page.name, [this, name = page.name] { ShowPage(name); });
    TMenuItem* help = AddMenuItem(this, menu_->Items(), "&Help");
    AddMenuItem(this, help, "&About", [this] { ShowAbout(); });
    AddMenuItem(this, help, "-");
    AddMenuItem(this, help, "&Quit", [this] { Close(); });
    menu_->MenuAdded();
    frame_->SetMenu(menu_);
}

void TfrmGallery::ShowAbout()
{
    if (Application)
        Application->MessageBox("Pellamo skin gallery\n\nEvery skinned control of Pellamo, in the five built-in styles "
                                "or from a theme file.",
            "About", MB_OK | MB_ICONINFORMATION);
}

void TfrmGallery::FitContent()
{
    int wider = kClientWidth - content_->Width();
    int taller = kClientHeight - content_->Height();
    if (wider != 0 || taller != 0)
        SetBounds(Left(), Top(), Width() + wider, Height() + taller);
}

void TfrmGallery::BuildStyleBar()
{
    auto* bar = new TsuiGroupBox(this);
    bar->SetParent(content_);
    bar->SetBounds(8, 4, kClientWidth - 16, 52);
    bar->SetCaption("Style");
    for (size_t i = 0; i < std::size(kBuiltInStyles); ++i) {
        auto* button = new TsuiRadioButton(this);
        button->SetParent(bar);
        button->SetBounds(12 + static_cast<int>(i) * 84, 22, 80, 20);
        button->SetCaption(kStyleCaptions[i]);
        TsuiUIStyle style = kBuiltInStyles[i];
        button->OnClick = [this, button, style](TObject*) {
            if (!showing_choice_ && button->Checked())
                SetStyle(style);
        };
        style_buttons_.push_back(button);
    }
    theme_field_ = new TsuiEdit(this);
    theme_field_->SetParent(bar);
    theme_field_->SetBounds(436, 20, 236, 22);
    // Enter in the field loads the file, as the button does.
    theme_field_->OnKeyDown = [this](TObject*, UINT& key, TShiftState) {
        if (key != VK_RETURN)
            return;
        key = 0;
        LoadFromField();
    };
    load_button_ = new TsuiButton(this);
    load_button_->SetParent(bar);
    load_button_->SetBounds(680, 19, 76, 24);
    load_button_->SetCaption("&Load file");
    load_button_->OnClick = [this](TObject*) { LoadFromField(); };
}

void TfrmGallery::BuildPages()
{
    auto* list = new TsuiGroupBox(this);
    list->SetParent(content_);
    list->SetCaption("Pages");
    int y = 22;
    for (const GalleryPageInfo& info : GalleryPages()) {
        Page page;
        page.name = info.name;
        page.panel = new TPanel(this);
        page.panel->SetParent(content_);
        page.panel->SetBevelOuter(TBevelCut::bvNone);
        page.panel->SetParentColor(true);
        page.panel->SetBounds(kPageLeft, kPageTop, kClientWidth - kPageLeft - 8, kClientHeight - kPageTop - 28);
        page.panel->SetVisible(false);
        GalleryPageBuilder builder(*this, *page.panel);
        info.build(builder);
        page.focus = builder.FocusControl();
        page.scene = builder.Scene();
        page.look_change = builder.LookChange();

        page.button = new TsuiRadioButton(this);
        page.button->SetParent(list);
        page.button->SetBounds(10, y, 100, 20);
        // Alt and the first letter takes the page.
        page.button->SetCaption("&" + info.name);
        page.button->OnClick = [this, name = info.name, button = page.button](TObject*) {
            if (!showing_choice_ && button->Checked())
                ShowPage(name);
        };
        y += 26;
        pages_.push_back(std::move(page));
    }
    list->SetBounds(8, kPageTop, kPageLeft - 16, y + 8);
}

int TfrmGallery::FindPage(std::string_view name) const
{
    for (size_t i = 0; i < pages_.size(); ++i)
        if (SameText(pages_[i].name, name))
            return static_cast<int>(i);
    return -1;
}

bool TfrmGallery::ShowPage(std::string_view name)
{
    int index = FindPage(name);
    if (index < 0)
        return false;
    pages_[current_].panel->SetVisible(false);
    current_ = static_cast<size_t>(index);
    Page& page = pages_[current_];
    page.panel->SetVisible(true);
    // Taken now, or when the form is next activated.
    if (page.focus)
        SetActiveControl(page.focus);
    ShowChoice();
    return true;
}

std::vector<std::string> TfrmGallery::PageNames() const
{
    std::vector<std::string> names;
    for (const Page& page : pages_)
        names.push_back(page.name);
    return names;
}

TWinControl* TfrmGallery::PagePanel(std::string_view name) const
{
    int index = FindPage(name);
    return index < 0 ? nullptr : pages_[static_cast<size_t>(index)].panel;
}

bool TfrmGallery::PlayScene()
{
    if (pages_.empty() || !pages_[current_].scene)
        return false;
    pages_[current_].scene();
    return true;
}

void TfrmGallery::SetStyle(TsuiUIStyle style)
{
    if (BuiltInStyleColumn(style) < 0)
        return;
    manager_->SetUIStyle(style);
    DressEverything();
}

void TfrmGallery::LoadThemeFile(const std::string& path)
{
    std::string problem = ThemeFileProblem(path);
    if (!problem.empty())
        throw std::runtime_error(problem);
    // The full path: the theme component would otherwise also look in its
    // folders for a file of that name.
    std::string full = std::filesystem::absolute(path).lexically_normal().string();
    try {
        file_theme_->ReloadThemeFile(full);
    } catch (const std::exception& e) {
        throw std::runtime_error(path + ": " + e.what());
    }
    manager_->SetFileTheme(file_theme_);
    manager_->SetUIStyle(TsuiUIStyle::FromThemeFile);
    theme_field_->SetText(full);
    DressEverything();
}

TsuiUIStyle TfrmGallery::Style() const { return manager_->UIStyle(); }

std::string TfrmGallery::ThemeFileName() const
{
    return file_theme_->CanUse() ? file_theme_->LoadedFile() : std::string();
}

TsuiRadioButton& TfrmGallery::StyleButton(TsuiUIStyle style) const
{
    int column = BuiltInStyleColumn(style);
    return *style_buttons_.at(static_cast<size_t>(column < 0 ? 0 : column));
}

void TfrmGallery::DressEverything()
{
    // The manager has dressed the frame, whose title bar may have another
    // height now; the pages' own windows are dressed by the pages.
    FitContent();
    for (const Page& page : pages_)
        if (page.look_change)
            page.look_change(manager_->UIStyle(), manager_->FileTheme());
    ShowChoice();
}

void TfrmGallery::ShowChoice()
{
    showing_choice_ = true;
    TsuiUIStyle style = manager_->UIStyle();
    for (size_t i = 0; i < style_buttons_.size(); ++i)
        style_buttons_[i]->SetChecked(kBuiltInStyles[i] == style);
    for (size_t i = 0; i < style_items_.size(); ++i)
        style_items_[i]->SetChecked(kBuiltInStyles[i] == style);
    for (size_t i = 0; i < pages_.size(); ++i) {
        pages_[i].button->SetChecked(i == current_);
        if (pages_[i].item)
            pages_[i].item->SetChecked(i == current_);
    }
    showing_choice_ = false;
    std::string look = style == TsuiUIStyle::FromThemeFile
        ? "Theme file " + std::filesystem::path(ThemeFileName()).filename().string()
        : "Style " + UIStyleNames().Name(static_cast<int>(style));
    status_bar_->SetSimpleText(look + "  |  Page " + (pages_.empty() ? std::string() : pages_[current_].name));
}

void TfrmGallery::LoadFromField()
{
    try {
        LoadThemeFile(theme_field_->Text());
    } catch (const std::exception& e) {
        if (ShowError)
            ShowError(e.what());
    }
}

void TfrmGallery::ChooseThemeFile()
{
    OpenFileRequest request;
    request.title = "Load theme file";
    request.filters = { FileFilter::Parse("Theme files", "*.sui") };
    std::string loaded = ThemeFileName();
    if (!loaded.empty())
        request.folder = std::filesystem::path(loaded).parent_path();
    FileChooserOptions options;
    options.try_portal = try_portal_;
    // The chooser wears the gallery's look.
    options.dress = [this](TForm& dialog) {
        for (int i = 0; i < dialog.ComponentCount(); ++i) {
            TComponent* c = dialog.Components(i);
            if (IsHasProperty(c, "UIStyle") && IsHasProperty(c, "FileTheme")) {
                SetComponentProp(*c, "FileTheme", manager_->FileTheme());
                SetOrdProp(*c, "UIStyle", static_cast<int64_t>(manager_->UIStyle()));
            }
        }
    };
    if (std::optional<std::filesystem::path> file = ChooseFileToOpen(*this, request, options)) {
        theme_field_->SetText(file->string());
        LoadFromField();
        return;
    }
    // Nothing chosen: the field takes a typed path, Enter loads it.
    theme_field_->SetFocus();
    theme_field_->SelectAll();
    status_bar_->SetSimpleText("Type the theme file's path and press Enter");
}
}
