#include "tests/support/headless_app.h"

#include "platform/window/message_box.h"

#include <stdexcept>

namespace pellamo::test {
namespace {

class ApplicationTest : public HeadlessAppFixture { };

TEST_F(ApplicationTest, ExceptionTextAppendsAPeriodOnlyAfterCharactersSortingAfterIt)
{
    struct Case {
        std::string message;
        std::string shown;
    } cases[] = {
        { "Connection Failed", "Connection Failed." }, { "Done.", "Done." },
        { "Sorry!", "Sorry!" }, // '!' sorts before '.'
        { "a-", "a-" }, // '-' sorts before '.'
        { "path/", "path/." }, // '/' sorts right after '.'
        { "x 1", "x 1." }, { "", "" }, { "\xcd\xf8\xc2\xe7", "\xcd\xf8\xc2\xe7." }, // GBK text ends in a high byte
    };
    for (const Case& c : cases)
        EXPECT_EQ(TApplication::ExceptionText(c.message), c.shown) << c.message;
}

TEST_F(ApplicationTest, ExceptionLeavingAHandlerIsShownAndTheLoopGoesOn)
{
    app.SetTitle("Pellamo \xcd\xf8\xc2\xe7\xb5\xe7\xca\xd3");
    auto* form = app.CreateForm<TForm>();
    form->Show();
    Pump();
    form->OnClick = [](TObject*) { throw std::runtime_error("Host Lookup Failed"); };
    form->OnDblClick = [](TObject*) { throw 42; };
    Point p = form->ClientToScreen({ 10, 10 });
    screen.Click(p);
    Pump();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Host Lookup Failed.");
    EXPECT_EQ(boxes[0].caption, app.Title());
    EXPECT_EQ(boxes[0].flags, MB_OK | MB_ICONERROR);

    // Not a std::exception: shown with an empty message.
    app.HandleException(std::make_exception_ptr(42));
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, "");

    // The loop still works.
    bool ran = false;
    loop.Post([&] { ran = true; });
    Pump();
    EXPECT_TRUE(ran);
}

TEST_F(ApplicationTest, RealMessageBoxCarriesTextAndTitle)
{
    app.MessageBoxFunction = nullptr;
    app.SetTitle("Pellamo");
    std::string caption;
    loop.Post([&] {
        for (HWND h : ws().TopLevelWindows())
            if (ws().GetClassName(h) == MessageBox::kClassName) {
                caption = ws().GetWindowText(h);
                ws().PostMessage(h, WM_CLOSE);
            }
    });
    app.ShowException("Empty URL");
    EXPECT_EQ(caption, "Pellamo");
}

TEST_F(ApplicationTest, FormsOwnedByTheApplicationGoWithItAfterOnDestroy)
{
    std::vector<std::string> calls;
    {
        EventLoop own_loop;
        HeadlessBackend own_screen;
        TApplication own(own_screen, own_loop);
        EXPECT_EQ(Application, &own);
        auto* form = own.CreateForm<TForm>();
        form->OnDestroy = [&](TObject*) { calls.push_back("destroy"); };
        EXPECT_EQ(own.MainForm(), form);
    }
    EXPECT_EQ(calls, std::vector<std::string> { "destroy" });
    EXPECT_EQ(Application, &app);
}

}
}
