// Both skinned frames, the plain one and the MDI one, sit in their form's
// window procedure the same way: each message reaches the frame first, and
// the frame acts before or after the form as the table says.

#include "tests/skin_frame/frame_fixture.h"

#include "platform/window/window_system.h"
#include "skin/frame/mdi_form.h"

#include <functional>
#include <string>
#include <vector>

namespace pellamo::test {
namespace {

// Which procedure of the form's window saw each message: the frame's
// subclass, the form's own procedure, the default one.
class RecordingForm : public TForm {
public:
    using TForm::TForm;
    std::vector<std::string>* log = nullptr;
    std::function<std::string()> note;

protected:
    void WndProc(TMessage& m) override
    {
        Record("original", m.Msg);
        TForm::WndProc(m);
    }
    void DefaultHandler(TMessage& m) override
    {
        Record("default", m.Msg);
        TForm::DefaultHandler(m);
    }

private:
    void Record(const char* who, UINT msg)
    {
        if (log && Watched(msg))
            log->push_back(std::string(who) + " " + Name(msg) + (note && msg == WM_ACTIVATE ? note() : ""));
    }

public:
    static bool Watched(UINT msg)
    {
        return msg == WM_NCCALCSIZE || msg == WM_NCPAINT || msg == WM_ACTIVATE || msg == WM_SHOWWINDOW || msg == WM_SIZE
            || msg == 9923;
    }
    static std::string Name(UINT msg)
    {
        switch (msg) {
        case WM_NCCALCSIZE:
            return "NCCALCSIZE";
        case WM_NCPAINT:
            return "NCPAINT";
        case WM_ACTIVATE:
            return "ACTIVATE";
        case WM_SHOWWINDOW:
            return "SHOWWINDOW";
        case WM_SIZE:
            return "SIZE";
        default:
            return "9923";
        }
    }
};

// What differs between the frames: how the form is made one's host, who
// is given the menu, and the frame's edges (the MDI frame's bottom edge
// goes 1 pixel further down).
template <class Frame> struct FrameKind;

template <> struct FrameKind<TsuiForm> {
    static void PrepareForm(TForm&) { }
    // On the form: the frame takes it off when the window is shown.
    static void GiveMenu(TForm& form, TsuiForm&, TMainMenu* menu) { form.SetMenu(menu); }
    static constexpr Rect kClientAfterResize { 3, 3, 417, 298 };
};

template <> struct FrameKind<TsuiMDIForm> {
    static void PrepareForm(TForm& form) { form.SetFormStyle(TFormStyle::fsMDIForm); }
    static void GiveMenu(TForm&, TsuiMDIForm& frame, TMainMenu* menu) { frame.SetMenu(menu); }
    static constexpr Rect kClientAfterResize { 3, 3, 417, 299 };
};

template <class Frame> class FrameMessageOrder : public ::testing::Test {
};
using Frames = ::testing::Types<TsuiForm, TsuiMDIForm>;
TYPED_TEST_SUITE(FrameMessageOrder, Frames);

TYPED_TEST(FrameMessageOrder, TheFrameSeesEachMessageBeforeTheFormAndActsInItsTurn)
{
    using Kind = FrameKind<TypeParam>;
    EventLoop loop;
    HeadlessBackend screen;
    TApplication app { screen, loop };
    RegisterSkinFrameClasses();
    auto* form = app.CreateForm<RecordingForm>();
    Kind::PrepareForm(*form);
    form->SetBounds(100, 100, 400, 300);
    form->SetBorderStyle(TFormBorderStyle::bsDialog);
    WindowSystem& ws = app.Windows();
    HWND host = form->Handle();
    std::vector<std::string> log;
    auto* frame = new TypeParam(form);
    frame->SetUIStyle(TsuiUIStyle::MacOS);
    auto* menu = new TsuiMainMenu(form);
    Kind::GiveMenu(*form, *frame, menu);
    auto pump = [&] {
        for (int i = 0; i < 20 && loop.ProcessMessages(); ++i) { }
    };
    // Recorded as the frame's subclass sees them: just above it.
    uint64_t recorder = ws.SetWindowSubclass(host, [&](HWND h, UINT m, WPARAM w, LPARAM l, const WndProc& next) {
        if (RecordingForm::Watched(m))
            log.push_back("subclass " + RecordingForm::Name(m));
        return next(h, m, w, l);
    });
    form->log = &log;
    form->note = [&] { return frame->TitleBar().FormActive() ? "" : " (title inactive)"; };

    struct Step {
        const char* what;
        std::function<void()> act;
        std::vector<std::string> expected;
    };
    const Step steps[] = {
        { "a frame change: the rectangle goes on narrowed",
            [&] {
                ws.SetWindowPos(host, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
            },
            { "subclass NCCALCSIZE", "original NCCALCSIZE", "default NCCALCSIZE" } },
        { "the border is painted by the frame alone", [&] { ws.SendMessage(host, WM_NCPAINT, 1, 0); },
            { "subclass NCPAINT" } },
        { "the border picture question is answered by the frame",
            [&] { EXPECT_EQ(ws.SendMessage(host, 9923, 0, 0), 0); }, { "subclass 9923" } },
        { "showing: the form's menu goes after the form saw it",
            [&] {
                ws.ShowWindow(host, SW_SHOWNA);
                EXPECT_EQ(form->MenuComponent(), nullptr);
            },
            { "subclass SHOWWINDOW", "original SHOWWINDOW", "default SHOWWINDOW" } },
        { "deactivation reaches the title bar after the form",
            [&] {
                ws.SetActiveWindow(host);
                log.clear();
                ws.SetActiveWindow(nullptr);
                EXPECT_FALSE(frame->TitleBar().FormActive());
            },
            { "subclass ACTIVATE", "original ACTIVATE", "default ACTIVATE" } },
        { "activation too: the form still sees the inactive title",
            [&] {
                ws.SetActiveWindow(host);
                EXPECT_TRUE(frame->TitleBar().FormActive());
            },
            { "subclass ACTIVATE", "original ACTIVATE (title inactive)", "default ACTIVATE (title inactive)" } },
        { "a size change: the region is set after the form's handling",
            [&] {
                ws.SetWindowRgn(host, std::nullopt, false);
                form->SetBounds(100, 100, 420, 300);
                EXPECT_TRUE(ws.GetWindowRgn(host).has_value());
            },
            { "subclass NCCALCSIZE", "original NCCALCSIZE", "default NCCALCSIZE", "subclass SIZE", "original SIZE",
                "default SIZE" } },
        { "minimised, the border is the platform's business",
            [&] {
                ws.ShowWindow(host, SW_MINIMIZE);
                log.clear();
                ws.SendMessage(host, WM_NCPAINT, 1, 0);
            },
            { "subclass NCPAINT", "original NCPAINT", "default NCPAINT" } },
    };
    pump();
    for (const Step& s : steps) {
        log.clear();
        s.act();
        EXPECT_EQ(log, s.expected) << s.what;
    }
    EXPECT_EQ(ws.GetClientRectInWindow(host), Kind::kClientAfterResize);
    ws.RemoveWindowSubclass(host, recorder);
    form->log = nullptr;
    form->note = nullptr;
}

}
}
