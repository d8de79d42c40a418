// Windows: an MDI window on a skinned frame, opened from the page, with
// skinned children. The page's buttons (and the window's own Window menu)
// add children, cascade, tile and maximise the active one, which puts its
// control buttons into the frame's menu bar; the Window menu lists the
// children.
#include "gallery/gallery_page.h"
#include "gallery/menu_item_maker.h"
#include "platform/components/controls/menu_item.h"
#include "skin/buttons/push_button.h"
#include "skin/edits/bordered_edit.h"
#include "skin/frame/mdi_form.h"
#include "skin/frame/skin_form.h"
#include "skin/menus/skin_main_menu.h"
#include "skin/panels/caption_panel.h"

#include <memory>
#include <string>

namespace pellamo {
namespace {

constexpr int kFirstChildren = 3;

// The MDI window and the gallery's look it is dressed in. The window is
// owned by the gallery's form, so it goes with it; closing it only hides it.
class MdiWindow {
public:
    explicit MdiWindow(TForm& gallery)
        : gallery_(gallery)
    {
    }

    TForm* Window() const { return window_; }

    void Open()
    {
        if (!window_)
            Build();
        window_->Show();
        window_->BringToFront();
    }

    void AddChild()
    {
        Open();
        auto* child = new TForm(window_);
        child->SetFormStyle(TFormStyle::fsMDIChild);
        child->SetCaption("Child " + std::to_string(++children_made_));
        child->SetBounds(20 * children_made_, 20 * children_made_, 260, 170);
        auto* frame = new TsuiForm(child);
        frame->SetUIStyleAutoUpdateSub(true);
        auto* note = new TsuiEdit(child);
        note->SetParent(frame);
        note->SetBounds(12, frame->GetTitleBarHeight() + 12, 180, 22);
        note->SetText("Text of " + child->Caption());
        DressChild(*child);
        child->Show();
    }

    void Cascade()
    {
        Open();
        window_->Cascade();
    }
    void Tile()
    {
        Open();
        window_->Tile();
    }
    void MaximiseActive()
    {
        Open();
        if (TForm* child = window_->ActiveMDIChild())
            child->SetWindowState(TWindowState::wsMaximized);
    }

    void Dress(TsuiUIStyle style, TsuiFileTheme* theme)
    {
        style_ = style;
        theme_ = theme;
        if (!window_)
            return;
        frame_->SetFileTheme(theme_);
        frame_->SetUIStyle(style_);
        menu_->SetFileTheme(theme_);
        menu_->SetUIStyle(style_);
        for (int i = 0; i < window_->MDIChildCount(); ++i)
            DressChild(*window_->MDIChildren(i));
    }

private:
    void Build()
    {
        window_ = new TForm(&gallery_);
        window_->SetFormStyle(TFormStyle::fsMDIForm);
        window_->SetCaption("Pellamo MDI windows");
        // Right of the page's buttons, which stay in reach.
        window_->SetBounds(gallery_.Left() + 330, gallery_.Top() + 80, 560, 400);
        frame_ = new TsuiMDIForm(window_);
        menu_ = new TsuiMainMenu(window_);
        TMenuItem* windows = Item(menu_->Items(), "&Window");
        Item(windows, "&New child", [this] { AddChild(); });
        Item(windows, "&Cascade", [this] { Cascade(); });
        Item(windows, "&Tile", [this] { Tile(); });
        Item(windows, "&Maximise", [this] { MaximiseActive(); });
        Item(windows, "-");
        Item(windows, "C&lose window", [this] { window_->Close(); });
        menu_->MenuAdded();
        // The children are listed under it.
        window_->SetWindowMenu(windows);
        frame_->SetMenu(menu_);
        Dress(style_, theme_);
        for (int i = 0; i < kFirstChildren; ++i)
            AddChild();
    }

    TMenuItem* Item(TMenuItem* parent, const std::string& caption, std::function<void()> action = {})
    {
        return AddMenuItem(window_, parent, caption, std::move(action));
    }

    void DressChild(TForm& child)
    {
        for (int i = 0; i < child.ControlCount(); ++i)
            if (auto* frame = dynamic_cast<TsuiForm*>(child.Controls(i))) {
                frame->SetFileTheme(theme_);
                frame->SetUIStyle(style_);
            }
    }

    TForm& gallery_;
    TForm* window_ = nullptr;
    TsuiMDIForm* frame_ = nullptr;
    TsuiMainMenu* menu_ = nullptr;
    TsuiUIStyle style_ = TsuiUIStyle::MacOS;
    TsuiFileTheme* theme_ = nullptr;
    int children_made_ = 0;
};

void BuildWindowsPage(GalleryPageBuilder& page)
{
    auto mdi = std::make_shared<MdiWindow>(page.Form());
    auto* panel = page.Add<TsuiPanel>(Rect::FromSize(16, 16, 420, 220));
    panel->SetCaption("MDI window");
    struct Action {
        const char* caption;
        void (MdiWindow::*run)();
    } const actions[] = {
        // The other letters are the style and page buttons'.
        { "Open MDI w&indow", &MdiWindow::Open },
        { "Add a child", &MdiWindow::AddChild },
        { "Cascade", &MdiWindow::Cascade },
        { "Tile", &MdiWindow::Tile },
        { "Maximise the child", &MdiWindow::MaximiseActive },
    };
    int y = 36;
    TWinControl* first = nullptr;
    for (const Action& action : actions) {
        auto* button = page.Add<TsuiButton>(Rect::FromSize(16, y, 140, 26), panel);
        button->SetCaption(action.caption);
        button->OnClick = [mdi, run = action.run](TObject*) { ((*mdi).*run)(); };
        if (!first)
            first = button;
        y += 34;
    }
    page.SetFocusControl(first);
    page.SetLookChange([mdi](TsuiUIStyle style, TsuiFileTheme* theme) { mdi->Dress(style, theme); });
}

const GalleryPageRegistration registration("Windows", 90, BuildWindowsPage);

}
}
