#include "skin/buttons/image_button.h"
#include "skin/scroll/scroll_bar_look.h"
#include "skin/scroll/scroll_track_bar.h"
#include "skin/theme/theme_source.h"
#include "skin/views/skin_memo.h"
#include "tests/skin/skin_fixture.h"

#include <string>

namespace pellamo::test {
namespace {

class SkinMemoTest : public SkinFixture {
protected:
    TsuiMemo* memo = nullptr;
    TsuiScrollBar* vbar = nullptr;
    TsuiScrollBar* hbar = nullptr;

    void SetUp() override
    {
        form->SetBounds(0, 0, 500, 400);
        vbar = Add<TsuiScrollBar>(Rect::FromSize(10, 10, 16, 100));
        hbar = Add<TsuiScrollBar>(Rect::FromSize(10, 10, 100, 16));
        memo = Add<TsuiMemo>(Rect::FromSize(20, 30, 200, 150));
        memo->SetUIStyle(TsuiUIStyle::MacOS);
        memo->SetVScrollBar(vbar);
        memo->SetHScrollBar(hbar);
        Show();
    }

    SCROLLINFO Scroll(int which)
    {
        SCROLLINFO si;
        si.fMask = SIF_ALL;
        ws().GetScrollInfo(memo->Handle(), which, &si);
        return si;
    }
    static std::string Lines(int n, const std::string& line = "line")
    {
        std::string text;
        for (int i = 0; i < n; ++i)
            text += (i ? "\r\n" : "") + line + " " + std::to_string(i);
        return text;
    }
};

TEST_F(SkinMemoTest, ItsOwnScrollBarsFollowTheBindingAndTheBarsLieOverThem)
{
    EXPECT_EQ(memo->ScrollBars(), TScrollStyle::ssBoth);
    EXPECT_EQ(vbar->BoundsRect(), Rect::FromSize(20 + 200 - 16 - 2, 31, 16, 150 - 16 - 2));
    EXPECT_EQ(hbar->BoundsRect(), Rect::FromSize(21, 30 + 150 - 16 - 2, 200 - 16 - 1, 16));
    EXPECT_TRUE(vbar->Visible());
    EXPECT_TRUE(hbar->Visible());
    // Nothing to scroll yet: the bars stay, disabled, without sliders.
    EXPECT_FALSE(vbar->Enabled());
    EXPECT_FALSE(vbar->SliderVisible());

    memo->SetVScrollBar(nullptr);
    EXPECT_EQ(memo->ScrollBars(), TScrollStyle::ssHorizontal);
    EXPECT_EQ(vbar->Max(), 100);
    EXPECT_EQ(hbar->Width(), 200 - 1);
    delete hbar;
    EXPECT_EQ(memo->HScrollBar(), nullptr);
    EXPECT_EQ(memo->ScrollBars(), TScrollStyle::ssNone);
}

TEST_F(SkinMemoTest, TextChangesAndScrollingReachTheBars)
{
    memo->SetText(Lines(40));
    Pump();
    SCROLLINFO si = Scroll(SB_VERT);
    EXPECT_TRUE(vbar->Enabled());
    EXPECT_TRUE(vbar->SliderVisible());
    EXPECT_EQ(vbar->Max(), si.nMax - static_cast<int>(si.nPage) + 1);

    memo->SetFocus();
    Key(VK_NEXT);
    EXPECT_GT(memo->TopLine(), 0);
    EXPECT_EQ(vbar->Position(), memo->TopLine());
    MoveTo(*memo, { 50, 50 });
    screen.Wheel(WHEEL_DELTA);
    Pump();
    EXPECT_EQ(vbar->Position(), memo->TopLine());

    // The bar scrolls the memo, and the memo does not pull it back.
    vbar->SetPosition(20);
    EXPECT_EQ(memo->TopLine(), 20);
    EXPECT_EQ(vbar->Position(), 20);

    // Cutting everything leaves nothing to scroll.
    memo->SelectAll();
    memo->CutToClipboard();
    Pump();
    EXPECT_FALSE(vbar->Enabled());
    EXPECT_FALSE(vbar->SliderVisible());
    memo->PasteFromClipboard();
    Pump();
    EXPECT_TRUE(vbar->Enabled());
    memo->Undo();
    Pump();
    EXPECT_FALSE(vbar->Enabled());
}

TEST_F(SkinMemoTest, TheHorizontalBarScrollsLongLinesAndStepsThreePages)
{
    memo->SetWordWrap(false);
    memo->SetText(Lines(3, std::string(200, 'w')));
    Pump();
    EXPECT_TRUE(hbar->Enabled());
    EXPECT_EQ(hbar->SmallChange(), hbar->PageSize() * 3);
    hbar->SetPosition(120);
    EXPECT_EQ(Scroll(SB_HORZ).nPos, 120);
    Press(hbar->IncrementButton(), { 4, 4 });
    Release();
    EXPECT_EQ(Scroll(SB_HORZ).nPos, 120 + hbar->SmallChange());
}

TEST_F(SkinMemoTest, ADisabledMemoKeepsItsBarsButHidesTheirSliders)
{
    memo->SetText(Lines(40));
    Pump();
    memo->SetEnabled(false);
    EXPECT_TRUE(vbar->Visible());
    EXPECT_FALSE(vbar->Enabled());
    EXPECT_FALSE(vbar->SliderVisible());
    memo->SetEnabled(true);
    EXPECT_TRUE(vbar->SliderVisible());
    memo->SetVisible(false);
    EXPECT_FALSE(vbar->Visible());
    EXPECT_FALSE(hbar->Visible());
    memo->SetVisible(true);
    EXPECT_TRUE(vbar->Visible());

    // Bound while hidden, the bars wait for the memo.
    memo->SetVisible(false);
    memo->SetHScrollBar(nullptr);
    memo->SetHScrollBar(hbar);
    memo->SetText(Lines(60));
    Pump();
    EXPECT_FALSE(hbar->Visible());
    EXPECT_FALSE(vbar->Visible());
    memo->SetVisible(true);
    EXPECT_TRUE(hbar->Visible());
}

// The border's two lines round the whole window and the bars' arrows.
TEST_F(SkinMemoTest, PaintsTheSkinBorderAndTheBarsInTheStyle)
{
    memo->SetColor(clWhite);
    auto window_shot = [&](TWinControl& c) {
        Pump();
        return screen.Screenshot().Crop(ws().GetWindowRect(c.Handle()));
    };
    for (TsuiUIStyle style : { TsuiUIStyle::MacOS, TsuiUIStyle::WinXP }) {
        SCOPED_TRACE(static_cast<int>(style));
        memo->SetUIStyle(style);
        ThemeSource theme(nullptr, style);
        EXPECT_EQ(memo->BorderColor(), theme.Color(ThemeItem::ControlBorderColor));
        Bitmap shot = window_shot(*memo);
        EXPECT_EQ(shot.GetPixel(0, 60), theme.Color(ThemeItem::ControlBorderColor));
        EXPECT_EQ(shot.GetPixel(60, 149), theme.Color(ThemeItem::ControlBorderColor));
        EXPECT_EQ(shot.GetPixel(1, 60), clWhite);
        ScrollBarLook vlook = ResolveScrollBarLook(theme, true);
        ScrollBarLook hlook = ResolveScrollBarLook(theme, false);
        EXPECT_EQ(Shot(vbar->DecrementButton()), vlook.arrows[0]);
        EXPECT_EQ(Shot(hbar->IncrementButton()), hlook.arrows[3]);
    }
    memo->SetUIStyle(TsuiUIStyle::MacOS);
    Bitmap mac_memo = window_shot(*memo);
    Bitmap mac_bar = Shot(*vbar);
    memo->SetFileTheme(ExportedTheme(TsuiUIStyle::MacOS));
    memo->SetUIStyle(TsuiUIStyle::FromThemeFile);
    EXPECT_EQ(vbar->FileTheme(), memo->FileTheme());
    EXPECT_EQ(window_shot(*memo), mac_memo);
    EXPECT_EQ(Shot(*vbar), mac_bar);
}

}
}
