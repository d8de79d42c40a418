#pragma once

// TForm: a top-level window. A form class (TForm1) is constructed in C++
// and then reads its description into itself; OnCreate runs once the
// description is read (Loaded), or from Application->CreateForm.
//
// Close asks OnCloseQuery, then OnClose decides (hide by default); closing
// the application's main form ends the application. ShowModal runs a modal
// loop until ModalResult is set or the form is closed.

#include "platform/components/controls/custom_control.h"
#include "platform/gfx/bitmap.h"

#include <memory>
#include <vector>

namespace pellamo {

class TMainMenu;
class TMenuItem;

// A menu that shows itself as a form's bar (the plain main menu): told
// when the form's Menu no longer names it, so that the bar goes.
class FormMenuBar {
public:
    virtual ~FormMenuBar() = default;
    virtual void FormLetMenuGo(TForm& form) = 0;
};

using TCloseQueryEvent = TEvent<TObject*, bool&>;
using TCloseEvent = TEvent<TObject*, TCloseAction&>;

class TForm : public TCustomControl {
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    TFormBorderStyle BorderStyle() const { return border_style_; }
    void SetBorderStyle(TFormBorderStyle style);
    TBorderIcons BorderIcons() const { return border_icons_; }
    void SetBorderIcons(TBorderIcons icons);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }
    TFormStyle FormStyle() const { return form_style_; }
    void SetFormStyle(TFormStyle style);
    TWindowState WindowState() const { return window_state_; }
    void SetWindowState(TWindowState state);

    // MDI. A form of style fsMDIForm holds its children (forms of style
    // fsMDIChild) in a client window that fills what its aligned controls
    // leave. A child goes into its owner when that is an MDI form, else into
    // the application's main form when that is one; without either, making
    // it an MDI child throws std::logic_error. The children count from the active one.
    HWND ClientHandle() const { return client_handle_; }
    int MDIChildCount() const;
    TForm* MDIChildren(int index) const;
    TForm* ActiveMDIChild() const;
    TTileMode TileMode() const { return tile_mode_; }
    void SetTileMode(TTileMode mode) { tile_mode_ = mode; }
    void Cascade();
    void Tile();
    void ArrangeIcons();
    // Activates the next (previous) child, as Ctrl+F6 (Ctrl+Shift+F6) does.
    void Next();
    void Previous();
    // The menu item under which the shown children are listed (after a
    // line), the active one checked; choosing one activates it.
    TMenuItem* WindowMenu() const { return window_menu_; }
    void SetWindowMenu(TMenuItem* item);

    const Bitmap& Icon() const { return icon_; }
    void SetIcon(const Bitmap& icon) { icon_ = icon; }

    // The main menu; a reference, not owned. Menu<>() yields it as a
    // TMainMenu where that class is known.
    template <class M = TMainMenu> M* Menu() const { return dynamic_cast<M*>(menu_); }
    TComponent* MenuComponent() const { return menu_; }
    // Throws std::invalid_argument for a component that is not a main menu
    // (when that class is registered).
    void SetMenu(TComponent* menu);

    // Called whenever a form's Menu changes (set, cleared, or the menu
    // freed); installed by the menu library to build or drop the menu bar.
    static std::function<void(TForm&)> MenuChangedHandler;

    TWinControl* ActiveControl() const { return active_control_; }
    void SetActiveControl(TWinControl* control);
    // Focuses the first control in tab order.
    void SelectFirst();

    // Shows and brings the form to the front.
    void Show();
    void SetVisible(bool visible) override;
    // Returns the modal result once the form is closed or the result set.
    // Throws EInvalidOperation-like std::logic_error when already visible.
    TModalResult ShowModal();
    bool Modal() const { return modal_; }
    TModalResult ModalResult() const { return modal_result_; }
    void SetModalResult(TModalResult result);
    void Close();
    // OnCloseQuery's answer (true without a handler).
    virtual bool CloseQuery();
    // Frees the form once the handlers running now have returned.
    void Release();
    bool Active() const { return active_; }
    // Enter clicks the Default button, Esc the Cancel one; true when one took it.
    bool DialogKey(UINT key);
    // Offers an accelerator character to the shown controls of the form,
    // outermost first in child order, until one takes it.
    bool DispatchDialogChar(char16_t ch);
    // Tells every control of the form where the focus is now (FocusChanged
    // with the active control); runs by itself when the active control changes.
    void NotifyFocusChanged();

    // Runs OnCreate once (after the description is read).
    void DoCreate();
    // Runs OnDestroy once (before the form goes away).
    void DoDestroy();

    bool Scaled() const { return scaled_; }
    void SetScaled(bool on) { scaled_ = on; }
    int PixelsPerInch() const { return pixels_per_inch_; }
    void SetPixelsPerInch(int v) { pixels_per_inch_ = v; }
    int TextHeight() const { return text_height_; }
    void SetTextHeight(int v) { text_height_ = v; }
    bool KeyPreview() const { return key_preview_; }
    void SetKeyPreview(bool on) { key_preview_ = on; }

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnPaint;
    TCloseQueryEvent OnCloseQuery;
    TCloseEvent OnClose;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void AlignControls(TControl* trigger, Rect rect) override;
    // An MDI child leaves what it does not handle to the MDI child default.
    void DefaultHandler(TMessage& message) override;
    // Gives the window the style words CreateParams yields now (a border
    // or form style change); the outer size stays.
    void ApplyStyles();
    void WndProc(TMessage& message) override;
    void Loaded() override;
    void Paint() override;
    void VisibleChanged() override;
    void Notification(TComponent* component, TOperation operation) override;
    // The menu reference changed: tells MenuChangedHandler.
    virtual void MenuChanged();
    virtual void Activate();
    virtual void Deactivate();

private:
    void PlaceByPosition();
    // The MDI form a child of style fsMDIChild goes into.
    TForm* MdiHost() const;
    bool IsMdiChildWindow() const;
    void MakeClient();
    void UpdateWindowMenu();
    void ClearWindowMenu();
    void SetActive(bool active);
    void ShowNow();
    DWORD StyleBits() const;
    DWORD ExStyleBits() const;

    TFormBorderStyle border_style_ = TFormBorderStyle::bsSizeable;
    TBorderIcons border_icons_ { TBorderIcon::biSystemMenu, TBorderIcon::biMinimize, TBorderIcon::biMaximize };
    TFormStyle form_style_ = TFormStyle::fsNormal;
    TPosition position_ = TPosition::poDesigned;
    TWindowState window_state_ = TWindowState::wsNormal;
    TTileMode tile_mode_ = TTileMode::tbHorizontal;
    HWND client_handle_ = nullptr;
    TMenuItem* window_menu_ = nullptr;
    std::vector<TMenuItem*> window_items_; // the children's entries under window_menu_
    Bitmap icon_;
    TComponent* menu_ = nullptr;
    TWinControl* active_control_ = nullptr;
    bool modal_ = false;
    TModalResult modal_result_ = mrNone;
    bool active_ = false;
    bool created_ = false;
    bool destroyed_ = false;
    bool placed_ = false; // Position applied at the first showing
    bool scaled_ = true;
    int pixels_per_inch_ = 96;
    int text_height_ = 13;
    bool key_preview_ = false;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}
