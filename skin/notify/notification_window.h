#pragma once

// TfrmMSNPopForm: the small window of a pop-up notification, read from its
// stored description. A borderless, always-on-top pop-up that never takes
// the focus: it slides up out of its bottom edge when shown, stays for a
// while, and slides down again when hidden, or vanishes at once through its
// close box. TsuiMSNPopForm drives it.

#include "platform/components/controls/form.h"
#include "platform/gfx/bitmap.h"
#include "platform/loop/event_loop.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

namespace pellamo {

class TLabel;
class TTimer;

// Where a notification window of `size` sits in `work_area`: against the
// bottom, 18 pixels in from the right.
Point NotificationPlace(const Rect& work_area, Size size);
// The close box of the picture, in client coordinates, both ends counted.
bool InNotificationCloseBox(Point client);
// Whether a stay that began `elapsed_ms` ago is over; a negative time (a
// clock that went back) ends it too.
bool NotificationStayIsOver(int64_t elapsed_ms, int stay_ms);

class TfrmMSNPopForm : public TForm {
public:
    explicit TfrmMSNPopForm(TComponent* owner);
    TfrmMSNPopForm(TComponent* owner, std::string_view description);
    ~TfrmMSNPopForm() override;
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    // The published children.
    TLabel* lbl_title = nullptr;
    TLabel* lbl_text = nullptr;
    TTimer* Timer1 = nullptr;

    // Copied from the component when it pops the window up.
    int AnimateTime = 400;
    int StayTime = 2000;
    bool ClickHide = false;
    // Raised once the window has gone (after its slide-out).
    TNotifyEvent CloseHook;
    // Raised by a click on the window or its message.
    TNotifyEvent ClickHook;

    // Whether the stay has begun (the slide-in has ended), and when.
    bool Staying() const { return shown_at_.has_value(); }
    std::optional<EventLoop::Clock::time_point> StayBegan() const { return shown_at_; }

    // The handlers the description names.
    void FormCreate(TObject* sender);
    void FormDestroy(TObject* sender);
    void FormShow(TObject* sender);
    void FormHide(TObject* sender);
    void FormClick(TObject* sender);
    void FormMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void Timer1Timer(TObject* sender);

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;
    // Showing and hiding go through FormShow and FormHide, which slide.
    void VisibleChanged() override;

private:
    void PutOnTop();
    void Vanish();

    std::shared_ptr<const Bitmap> picture_;
    std::optional<EventLoop::Clock::time_point> shown_at_;
    bool closed_by_box_ = false;
};

}
