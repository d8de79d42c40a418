#include "skin/notify/notification_window.h"

#include "platform/components/class_info.h"
#include "platform/components/controls/label.h"
#include "platform/components/controls/timer.h"
#include "platform/components/description_reader.h"
#include "platform/gfx/resources.h"
#include "platform/window/window_system.h"
#include "skin/theme_data/named_pictures.h"
#include "skin/window/placement.h"
#include "skin/window/user_library.h"

namespace pellamo {

namespace {

constexpr const char* kDescription = "TFRMMSNPOPFORM";
constexpr Rect kCloseBox { 162, 6, 175, 19 }; // right and bottom included

std::string_view StoredDescription()
{
    auto bytes = Resources::Get(kDescription);
    return { reinterpret_cast<const char*>(bytes.data()), bytes.size() };
}

}

Point NotificationPlace(const Rect& work_area, Size size)
{
    return { work_area.right - size.cx - 18, work_area.bottom - size.cy };
}

bool InNotificationCloseBox(Point p) { return InRect(p, kCloseBox); }

bool NotificationStayIsOver(int64_t elapsed_ms, int stay_ms) { return elapsed_ms < 0 || elapsed_ms >= stay_ms; }

TfrmMSNPopForm::TfrmMSNPopForm(TComponent* owner)
    : TfrmMSNPopForm(owner, StoredDescription())
{
}

TfrmMSNPopForm::TfrmMSNPopForm(TComponent* owner, std::string_view description)
    : TForm(owner)
{
    // The picture covers the whole window: nothing to erase behind it.
    control_style_.Include(csOpaque);
    RegisterMethod("FormCreate", this, &TfrmMSNPopForm::FormCreate);
    RegisterMethod("FormDestroy", this, &TfrmMSNPopForm::FormDestroy);
    RegisterMethod("FormShow", this, &TfrmMSNPopForm::FormShow);
    RegisterMethod("FormHide", this, &TfrmMSNPopForm::FormHide);
    RegisterMethod("FormClick", this, &TfrmMSNPopForm::FormClick);
    RegisterMethod("FormMouseDown", this, &TfrmMSNPopForm::FormMouseDown);
    RegisterMethod("Timer1Timer", this, &TfrmMSNPopForm::Timer1Timer);
    // The window takes this class's creation parameters before the
    // description is read, so FormCreate sees its real client area.
    ApplyStyles();
    ReadDescription(description, *this);
}

TfrmMSNPopForm::~TfrmMSNPopForm()
{
    // OnDestroy names a handler of this class: run it while it is one.
    DoDestroy();
}

const ClassInfo& TfrmMSNPopForm::StaticClass()
{
    static const ClassInfo info("TfrmMSNPopForm", &TForm::StaticClass(), {}, FactoryOf<TfrmMSNPopForm>());
    return info;
}

void TfrmMSNPopForm::CreateParams(TCreateParams& params)
{
    TForm::CreateParams(params);
    // A bare pop-up (no border, no caption) owned by the desktop.
    params.style = WS_POPUP;
    params.parent = nullptr;
}

void TfrmMSNPopForm::FormCreate(TObject*)
{
    lbl_title = dynamic_cast<TLabel*>(FindComponent("lbl_title"));
    lbl_text = dynamic_cast<TLabel*>(FindComponent("lbl_text"));
    Timer1 = dynamic_cast<TTimer*>(FindComponent("Timer1"));
    picture_ = Resources::CachedBitmap(kMsnPopForm);
    closed_by_box_ = false;
    Size size { picture_->Width(), picture_->Height() };
    Point at = NotificationPlace(GetWorkAreaRect(), size);
    SetBounds(at.x, at.y, size.cx, size.cy);
    if (lbl_title)
        lbl_title->SetBounds(10, 5, ClientWidth() - 30, 18);
    if (lbl_text)
        lbl_text->SetBounds(10, 40, ClientWidth() - 20, ClientHeight() - 50);
}

void TfrmMSNPopForm::FormDestroy(TObject*) { picture_.reset(); }

void TfrmMSNPopForm::Paint()
{
    Bitmap buffer(ClientWidth(), ClientHeight());
    pellamo::Canvas off(buffer);
    if (picture_)
        off.Draw(0, 0, *picture_);
    Canvas().Draw(0, 0, buffer);
}

void TfrmMSNPopForm::VisibleChanged()
{
    if (HasState(csLoading) || !HandleAllocated())
        return;
    if (Visible())
        OnShow(this);
    else
        OnHide(this);
}

void TfrmMSNPopForm::PutOnTop()
{
    Windows().SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TfrmMSNPopForm::FormShow(TObject*)
{
    PutOnTop();
    shown_at_.reset();
    // The stay begins once the window is all in. (A slide never outlives
    // the window, so it never calls a form that is gone.)
    auto staying = [this] { shown_at_ = EventLoop::Clock::now(); };
    if (!SUIAnimateWindow(
            Handle(), static_cast<DWORD>(std::max(AnimateTime, 0)), AW_SLIDE | AW_VER_NEGATIVE, staying)) {
        Windows().ShowWindow(Handle(), SW_SHOWNA);
        staying();
    }
    Invalidate();
}

void TfrmMSNPopForm::FormHide(TObject*)
{
    if (closed_by_box_) {
        closed_by_box_ = false;
        Vanish();
        return;
    }
    PutOnTop();
    auto gone = [this] { CloseHook(this); };
    if (!SUIAnimateWindow(
            Handle(), static_cast<DWORD>(std::max(AnimateTime, 0)), AW_HIDE | AW_SLIDE | AW_VER_POSITIVE, gone)) {
        Windows().ShowWindow(Handle(), SW_HIDE);
        gone();
    }
    Invalidate();
}

void TfrmMSNPopForm::Vanish()
{
    Windows().ShowWindow(Handle(), SW_HIDE);
    CloseHook(this);
}

void TfrmMSNPopForm::FormClick(TObject*)
{
    ClickHook(this);
    if (ClickHide) {
        if (Timer1)
            Timer1->SetEnabled(false);
        Hide();
    }
}

void TfrmMSNPopForm::FormMouseDown(TObject*, TMouseButton button, TShiftState, int x, int y)
{
    if (button != TMouseButton::mbLeft || !InNotificationCloseBox({ x, y }))
        return;
    closed_by_box_ = true;
    if (Timer1)
        Timer1->SetEnabled(false);
    Hide();
}

void TfrmMSNPopForm::Timer1Timer(TObject*)
{
    if (!shown_at_)
        return;
    auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(EventLoop::Clock::now() - *shown_at_);
    if (!NotificationStayIsOver(elapsed.count(), StayTime))
        return;
    if (Timer1)
        Timer1->SetEnabled(false);
    Hide();
}

}
