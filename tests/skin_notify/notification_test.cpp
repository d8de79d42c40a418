// The pop-up notification window: where it sits, its close box and stay,
// and the component sliding it in and out on the headless screen while
// other windows go on working.

#include "skin/notify/notification_popup.h"
#include "skin/notify/notification_window.h"
#include "skin/notify/notify_classes.h"
#include "skin/window/user_library.h"
#include "tests/support/headless_app.h"

#include "platform/components/controls/label.h"
#include "platform/components/controls/timer.h"
#include "platform/components/description_reader.h"
#include "platform/gfx/resources.h"

#include <chrono>

namespace pellamo::test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

TEST(NotificationGeometry, CornerPlaceCloseBoxAndStay)
{
    EXPECT_EQ(NotificationPlace({ 0, 0, 1024, 740 }, { 181, 116 }), (Point { 825, 624 }));
    EXPECT_EQ(NotificationPlace({ 100, 30, 1124, 770 }, { 181, 116 }), (Point { 925, 654 }));

    struct Hit {
        Point p;
        bool in;
    };
    const Hit hits[] = {
        { { 162, 6 }, true },
        { { 175, 19 }, true },
        { { 168, 12 }, true }, // both ends count
        { { 176, 10 }, false },
        { { 161, 10 }, false },
        { { 170, 5 }, false },
        { { 170, 20 }, false },
    };
    for (const Hit& h : hits)
        EXPECT_EQ(InNotificationCloseBox(h.p), h.in) << h.p.x << "," << h.p.y;

    EXPECT_TRUE(NotificationStayIsOver(2000, 2000));
    EXPECT_FALSE(NotificationStayIsOver(1999, 2000));
    EXPECT_TRUE(NotificationStayIsOver(-5, 2000)) << "a clock that went back ends the stay";
}

class NotificationTest : public HeadlessAppFixture {
protected:
    NotificationTest()
    {
        other = app.CreateForm<TForm>();
        other->SetBounds(100, 100, 300, 200);
        other->OnClick = [this](TObject*) { other_clicks.push_back(ws().IsAnimating(note_window())); };
        other->Show();
        pop = new TsuiMSNPopForm(other);
        pop->SetAnimateTime(120);
        pop->SetStayTime(200);
        pop->SetTitle("News");
        pop->SetMessageText("CCTV-1 starts in five minutes");
        pop->OnShow = [this](TObject* sender) {
            EXPECT_EQ(sender, pop);
            events.push_back("show");
            visible_at_show.push_back(ws().IsWindowVisible(note_window()));
        };
        pop->OnClose = [this](TObject*) { events.push_back("close"); };
        pop->OnClick = [this](TObject*) { events.push_back("click"); };
        pop->OnTitleClick = [this](TObject*) { events.push_back("title"); };
        Pump();
    }

    TfrmMSNPopForm& window() { return pop->Window(); }
    HWND note_window() { return window().Handle(); }
    Rect Place() { return ws().GetWindowRect(note_window()); }

    // Runs the loop until `done` holds (5 s at most), calling `each` after every pass.
    bool RunUntil(const std::function<bool()>& done, const std::function<void()>& each = {})
    {
        auto until = Clock::now() + 5s;
        while (!done() && Clock::now() < until) {
            loop.RunOnce(20ms);
            ws().PaintPending();
            if (each)
                each();
        }
        Pump();
        return done();
    }
    bool Closed() { return !events.empty() && events.back() == "close"; }
    void ClickClient(Point client, MouseButton button = MouseButton::Left)
    {
        screen.Click(ws().ClientToScreen(note_window(), client), button);
        Pump();
    }

    TForm* other = nullptr;
    TsuiMSNPopForm* pop = nullptr;
    std::vector<std::string> events;
    std::vector<bool> visible_at_show;
    std::vector<bool> other_clicks;
};

TEST_F(NotificationTest, TheWindowIsABarePopUpBuiltFromItsDescription)
{
    TfrmMSNPopForm& w = window();
    HWND h = note_window();
    EXPECT_FALSE(ws().IsWindowVisible(h));
    EXPECT_EQ(ws().GetStyle(h) & (WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_BORDER), WS_POPUP);
    EXPECT_EQ(ws().GetExStyle(h) & WS_EX_TOPMOST, WS_EX_TOPMOST);
    EXPECT_EQ(ws().GetParent(h), nullptr) << "owned by the desktop";
    EXPECT_EQ(w.Text(), "frmMSNPopForm");
    EXPECT_EQ(Place(), Rect::FromSize(825, 624, 181, 116));
    EXPECT_EQ(ws().GetClientRect(h), (Rect { 0, 0, 181, 116 }));
    ASSERT_NE(w.lbl_title, nullptr);
    ASSERT_NE(w.lbl_text, nullptr);
    ASSERT_NE(w.Timer1, nullptr);
    EXPECT_EQ(w.lbl_title->BoundsRect(), Rect::FromSize(10, 5, 151, 18));
    EXPECT_EQ(w.lbl_text->BoundsRect(), Rect::FromSize(10, 40, 161, 66));
    EXPECT_TRUE(w.lbl_text->WordWrap());
    EXPECT_EQ(w.Timer1->Interval(), 100u);
    EXPECT_FALSE(w.Timer1->Enabled());
    EXPECT_EQ(pop->TitleFont().Color(), 0x800000);
    EXPECT_EQ(pop->AnimateTime(), 120);
}

TEST_F(NotificationTest, SlidesInAtTheWorkAreaCornerStaysAndSlidesOutWhileOtherWindowsWork)
{
    HWND active = ws().GetActiveWindow();
    pop->Popup();
    EXPECT_EQ(visible_at_show, std::vector<bool> { false }) << "OnShow comes before the window shows";
    ASSERT_TRUE(ws().IsAnimating(note_window()));
    EXPECT_EQ(window().lbl_title->Text(), "News");
    EXPECT_EQ(window().lbl_text->Text(), "CCTV-1 starts in five minutes");

    // Sliding in: it rises out of the bottom of its place; a click on the
    // other window gets through meanwhile.
    bool clicked = false;
    ASSERT_TRUE(RunUntil([&] { return window().Staying(); },
        [&] {
            EXPECT_GE(Place().top, 624);
            if (!clicked && ws().IsAnimating(note_window())) {
                clicked = true;
                screen.Click({ 200, 200 });
            }
        }));
    EXPECT_EQ(other_clicks, std::vector<bool> { true });
    EXPECT_EQ(Place(), Rect::FromSize(825, 624, 181, 116));
    EXPECT_EQ(ws().GetActiveWindow(), active) << "the notification never takes the focus";

    // Its picture shows, with the labels over it.
    Bitmap picture = Resources::LoadBitmap("MSNPOPFORM");
    Bitmap shot = screen.Screenshot();
    EXPECT_EQ(shot.GetPixel(825 + 170, 624 + 100), picture.GetPixel(170, 100));
    EXPECT_EQ(shot.GetPixel(825 + 168, 624 + 12), picture.GetPixel(168, 12)) << "the close box";

    // The stay runs from the end of the slide-in; then it slides down.
    ASSERT_TRUE(window().StayBegan().has_value());
    Clock::time_point stay_began = *window().StayBegan();
    Clock::time_point slide_out_began;
    ASSERT_TRUE(RunUntil([&] { return Closed(); },
        [&] {
            if (slide_out_began == Clock::time_point() && ws().IsAnimating(note_window()))
                slide_out_began = Clock::now();
            if (ws().IsWindowVisible(note_window())) {
                EXPECT_GE(Place().top, 624) << "slides down, never up";
            }
        }));
    EXPECT_GE(slide_out_began - stay_began, 200ms) << "the stay runs from the end of the slide-in";
    EXPECT_FALSE(ws().IsWindowVisible(note_window()));
    EXPECT_EQ(Place(), Rect::FromSize(825, 624, 181, 116));
    EXPECT_FALSE(window().Timer1->Enabled());
    EXPECT_EQ(events, (std::vector<std::string> { "show", "close" }));
}

TEST_F(NotificationTest, ClicksReachTheirEventsAndTheCloseBoxClosesAtOnce)
{
    struct Case {
        const char* what;
        bool click_hide;
        Point at;
        MouseButton button;
        std::vector<std::string> events;
        bool still_visible;
    };
    const Case cases[] = {
        { "the close box's corner", false, { 162, 6 }, MouseButton::Left, { "close" }, false },
        { "the close box's other corner", false, { 175, 19 }, MouseButton::Left, { "close" }, false },
        { "beside the close box", false, { 176, 10 }, MouseButton::Left, { "click" }, true },
        { "the close box with the right button", false, { 168, 12 }, MouseButton::Right, {}, true },
        { "the title", false, { 40, 10 }, MouseButton::Left, { "title" }, true },
        { "the message", false, { 90, 80 }, MouseButton::Left, { "click" }, true },
        { "the body with ClickHide", true, { 5, 100 }, MouseButton::Left, { "click" }, false },
        { "the title with ClickHide", true, { 40, 10 }, MouseButton::Left, { "title" }, true },
    };
    pop->SetStayTime(60000);
    for (const Case& c : cases) {
        pop->SetClickHide(c.click_hide);
        pop->Popup();
        ASSERT_TRUE(RunUntil([&] { return window().Staying(); })) << c.what;
        events.clear();
        ClickClient(c.at, c.button);
        if (!c.still_visible)
            RunUntil([&] { return !ws().IsWindowVisible(note_window()); });
        EXPECT_EQ(ws().IsWindowVisible(note_window()), c.still_visible) << c.what;
        if (!c.still_visible && c.events.back() != "close") {
            ASSERT_TRUE(RunUntil([&] { return Closed(); })) << c.what;
            events.pop_back();
        }
        EXPECT_EQ(events, c.events) << c.what;
        if (c.still_visible) {
            pop->Close();
            ASSERT_TRUE(RunUntil([&] { return Closed(); })) << c.what;
        }
    }
}

TEST_F(NotificationTest, CloseBoxVanishesWithoutASlide)
{
    pop->Popup();
    ASSERT_TRUE(RunUntil([&] { return window().Staying(); }));
    ClickClient({ 168, 12 });
    EXPECT_FALSE(ws().IsWindowVisible(note_window()));
    EXPECT_FALSE(ws().IsAnimating(note_window()));
    EXPECT_FALSE(window().Timer1->Enabled());
}

TEST_F(NotificationTest, ClosedEarlyOrPoppedUpAgain)
{
    // Popup while it is up: texts change, OnShow again, no second slide-in,
    // and the stay goes on from the first.
    pop->SetStayTime(60000);
    pop->Popup();
    ASSERT_TRUE(RunUntil([&] { return window().Staying(); }));
    pop->SetTitle("Later news");
    pop->Popup();
    EXPECT_FALSE(ws().IsAnimating(note_window()));
    EXPECT_TRUE(window().Staying());
    EXPECT_EQ(window().lbl_title->Text(), "Later news");
    EXPECT_EQ(events, (std::vector<std::string> { "show", "show" }));

    // Closed early, during the stay: it slides out and says so.
    pop->Close();
    EXPECT_TRUE(ws().IsAnimating(note_window()));
    ASSERT_TRUE(RunUntil([&] { return Closed(); }));
    EXPECT_FALSE(ws().IsWindowVisible(note_window()));

    // Closed during the slide-in: the slide-in ends, the slide-out plays.
    events.clear();
    pop->Popup();
    loop.RunOnce(20ms);
    pop->Close();
    ASSERT_TRUE(RunUntil([&] { return Closed(); }));
    EXPECT_EQ(events, (std::vector<std::string> { "show", "close" }));
    EXPECT_EQ(Place(), Rect::FromSize(825, 624, 181, 116));

    // Without AutoPosition it goes where it is told.
    pop->SetAutoPosition(false);
    pop->SetPositionX(40);
    pop->SetPositionY(50);
    pop->Popup();
    ASSERT_TRUE(RunUntil([&] { return window().Staying(); }));
    EXPECT_EQ(Place(), Rect::FromSize(40, 50, 181, 116));
}

TEST_F(NotificationTest, AStoredFormCreatesTheComponentWithItsValues)
{
    RegisterSkinNotifyClasses();
    auto* host = new TForm(&app);
    ReadDescription(R"(object Host: TForm
  object suiMSNPopForm1: TsuiMSNPopForm
    AnimateTime = 250
    StayTime = 3000
    AutoPosition = False
    PositionX = 12
    ClickHide = True
    Title = 'Pellamo'
    MessageText = 'Hello'
    TitleFont.Color = clRed
    TitleFont.Style = [fsBold]
  end
end
)",
        *host);
    auto* stored = dynamic_cast<TsuiMSNPopForm*>(host->FindComponent("suiMSNPopForm1"));
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->AnimateTime(), 250);
    EXPECT_EQ(stored->StayTime(), 3000);
    EXPECT_FALSE(stored->AutoPosition());
    EXPECT_EQ(stored->PositionX(), 12);
    EXPECT_TRUE(stored->ClickHide());
    EXPECT_EQ(stored->Title(), "Pellamo");
    EXPECT_EQ(stored->TitleFont().Color(), 0x0000FF);
    EXPECT_EQ(stored->MessageFont().Color(), 0x800000);
}

TEST_F(NotificationTest, WithoutWindowAnimationItShowsAndHidesAtOnce)
{
    UserLibrary without = DefaultUserLibrary();
    without.animate_window = nullptr;
    SetUserLibrary(without);
    pop->Popup();
    EXPECT_TRUE(ws().IsWindowVisible(note_window()));
    EXPECT_FALSE(ws().IsAnimating(note_window()));
    EXPECT_TRUE(window().Staying());
    EXPECT_EQ(Place(), Rect::FromSize(825, 624, 181, 116));
    pop->Close();
    EXPECT_FALSE(ws().IsWindowVisible(note_window()));
    EXPECT_EQ(events, (std::vector<std::string> { "show", "close" }));
    SetUserLibrary(DefaultUserLibrary());
}

}
}
