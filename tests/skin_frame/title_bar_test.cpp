// The title bar: its layout and painting as pure functions, and the
// component's styles, stored collections and their rules.

#include "skin/frame/title_bar.h"
#include "skin/frame/title_bar_layout.h"
#include "skin/frame/title_bar_painter.h"

#include "platform/components/controls/popup_menu.h"
#include "platform/gfx/system_colors.h"
#include "skin/theme/theme_source.h"
#include "tests/skin_frame/frame_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pellamo::test {
namespace {

using Type = TsuiTitleBarBtnType;

// The MacOS bar of a frame: a 17-pixel box and close, maximise, minimise.
std::vector<TitleBarButtonSlot> MacButtons()
{
    return { { true, Type::suiControlBox, { 17, 17 } }, { true, Type::suiClose, { 17, 17 } },
        { true, Type::suiMax, { 17, 17 } }, { true, Type::suiMin, { 17, 17 } } };
}

TitleBarMetrics MacMetrics()
{
    TitleBarMetrics m;
    m.width = 400;
    m.button_top = 1;
    m.left_offset = 3;
    m.right_offset = -2;
    return m;
}

TEST(TitleBarLayout, MacOSBarOf400Pixels)
{
    TitleBarLayout l = LayOutTitleBar(MacButtons(), MacMetrics());
    EXPECT_EQ(l.buttons[1], Rect::FromSize(380, 1, 17, 17)) << "the first right-hand button";
    EXPECT_EQ(l.buttons[2], Rect::FromSize(362, 1, 17, 17));
    EXPECT_EQ(l.buttons[3], Rect::FromSize(344, 1, 17, 17));
    EXPECT_EQ(l.control_box, 0);
    EXPECT_EQ(l.buttons[0], Rect::FromSize(4, 1, 17, 17));
    EXPECT_EQ(l.control_box_picture, (Point { 4, 0 })) << "the box picture one row up";
    EXPECT_EQ(l.caption_left, 26);
    EXPECT_EQ(l.caption_right, 344);
}

TEST(TitleBarLayout, OffsetsIntervalsIconsAndHiddenButtons)
{
    struct Case {
        const char* what;
        std::vector<TitleBarButtonSlot> buttons;
        TitleBarMetrics metrics;
        std::vector<int> lefts; // per button, -1 for none
        int caption_left;
    };
    auto with = [](auto change) {
        TitleBarMetrics m = MacMetrics();
        change(m);
        return m;
    };
    auto hidden_max = MacButtons();
    hidden_max[2].visible = false;
    std::vector<TitleBarButtonSlot> no_box = MacButtons();
    no_box.erase(no_box.begin());
    const Case cases[] = {
        { "an interval of 3", MacButtons(), with([](TitleBarMetrics& m) { m.interval = 3; }), { 4, 377, 356, 335 },
            26 },
        { "the application icon: 21 pixels for the box", MacButtons(),
            with([](TitleBarMetrics& m) { m.draw_app_icon = true; }), { 4, 380, 362, 344 }, 25 },
        { "a hidden button leaves no gap", hidden_max, MacMetrics(), { 4, 380, -1, 362 }, 26 },
        { "a row pushed past the right end is pulled back", MacButtons(),
            with([](TitleBarMetrics& m) { m.right_offset = 10; }), { 4, 382, 364, 346 }, 26 },
        { "a side border picture moves both ends", MacButtons(), with([](TitleBarMetrics& m) { m.border_picture = 5; }),
            { 0, 382, 364, 346 }, 22 },
        { "no box and no offset: the caption keeps 6 pixels", no_box,
            with([](TitleBarMetrics& m) { m.left_offset = -1; }), { 380, 362, 344 }, 6 },
    };
    for (const Case& c : cases) {
        TitleBarLayout l = LayOutTitleBar(c.buttons, c.metrics);
        ASSERT_EQ(l.buttons.size(), c.lefts.size()) << c.what;
        for (size_t i = 0; i < c.lefts.size(); ++i)
            EXPECT_EQ(l.buttons[i].IsEmpty() ? -1 : l.buttons[i].left, c.lefts[i]) << c.what << ", button " << i;
        EXPECT_EQ(l.caption_left, c.caption_left) << c.what;
    }
}

TEST(TitleBarLayout, ButtonsAnswerWithAllFourEdges)
{
    TitleBarLayout l = LayOutTitleBar(MacButtons(), MacMetrics());
    struct Probe {
        Point p;
        int button;
    };
    const Probe probes[] = {
        { { 380, 1 }, 1 },
        { { 397, 18 }, 1 },
        { { 398, 5 }, -1 },
        { { 379, 5 }, 2 },
        { { 380, 0 }, -1 },
        { { 4, 1 }, 0 },
        { { 21, 18 }, 0 },
        { { 22, 5 }, -1 },
        { { 200, 5 }, -1 },
    };
    for (const Probe& p : probes)
        EXPECT_EQ(TitleBarButtonAt(l, p.p), p.button) << p.p.x << "," << p.p.y;
}

class CaptionFit : public ::testing::Test {
protected:
    CaptionFit() { canvas.font.name = "Tahoma"; }
    Bitmap paper { 10, 10 };
    Canvas canvas { paper };
};

TEST_F(CaptionFit, ShortensWithDotsByWholeCharacters)
{
    std::string caption = "Pellamo network television";
    int whole = canvas.TextWidth(caption);
    EXPECT_EQ(FitCaption(canvas, caption, whole), caption) << "a caption that fits is unchanged";
    std::string cut = FitCaption(canvas, caption, whole / 2);
    ASSERT_GT(cut.size(), 3u);
    EXPECT_EQ(cut.substr(cut.size() - 3), "...");
    EXPECT_LE(canvas.TextWidth(cut), whole / 2);
    EXPECT_GT(canvas.TextWidth(cut.substr(0, cut.size() - 3) + caption[cut.size() - 3] + "..."), whole / 2)
        << "no more is cut than needed";
    EXPECT_EQ(FitCaption(canvas, caption, 1), "...") << "even the dots alone do not fit: they are what is left";
    EXPECT_EQ(FitCaption(canvas, "", 0), "");

    std::string chinese = Utf8ToGbk("网络电视网络电视网络电视");
    std::string fitted = FitCaption(canvas, chinese, canvas.TextWidth(chinese) / 2);
    std::string kept = fitted.substr(0, fitted.size() - 3);
    EXPECT_EQ(kept.size() % 2, 0u) << "no GBK character is cut in half";
    EXPECT_EQ(Utf8ToGbk(GbkToUtf8(kept)), kept);
}

class TitleBarPainting : public ::testing::Test {
protected:
    TitleBarPainting()
    {
        for (int i = 0; i < 4; ++i)
            buttons.push_back(
                { Bitmap(17, 17, 0x101010 * (i + 1)), Bitmap(17, 17, 0x0000F0 + i), Bitmap(17, 17, 0x00F000 + i) });
        face.left = &left;
        face.right = &right;
        face.centre = &centre;
        face.section_offset = { -3, -3 };
        for (auto& b : buttons)
            face.buttons.push_back({ &b[0], &b[1], &b[2], false });
        face.layout = LayOutTitleBar(MacButtons(), MacMetrics());
        face.font.name = "Tahoma";
        face.font.color = clBlack;
        face.button_height = 17;
    }
    Bitmap Paint()
    {
        Bitmap b(400, 20, 0x123456);
        Canvas c(b);
        PaintTitleBar(c, { 400, 20 }, face);
        return b;
    }
    int Count(const Bitmap& b, TColor colour, const Rect& r)
    {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += b.GetPixel(x, y) == colour;
        return n;
    }

    Bitmap left { 48, 23, 0xAA0000 };
    Bitmap right { 48, 23, 0x00AA00 };
    Bitmap centre { 49, 23, 0x0000AA };
    std::vector<std::vector<Bitmap>> buttons;
    TitleBarFace face;
};

TEST_F(TitleBarPainting, SectionsFromTheWindowCornerAndButtonStates)
{
    Bitmap b = Paint();
    EXPECT_EQ(b.GetPixel(0, 0), 0xAA0000) << "left picture";
    EXPECT_EQ(b.GetPixel(44, 19), 0xAA0000) << "its last column, 3 pixels in";
    EXPECT_EQ(b.GetPixel(45, 10), 0x0000AA) << "the middle from there";
    EXPECT_EQ(b.GetPixel(354, 19), 0x0000AA);
    EXPECT_EQ(b.GetPixel(355, 19), 0x00AA00) << "the right picture to 3 pixels past the bar";
    EXPECT_EQ(b.GetPixel(381, 2), 0x202020) << "close in its normal picture";
    EXPECT_EQ(b.GetPixel(5, 0), 0x101010) << "the box one row up";

    struct Case {
        int hover;
        bool pressed;
        TColor close;
    };
    const Case cases[] = { { 1, false, 0x0000F1 }, { 1, true, 0x00F001 }, { 2, true, 0x202020 } };
    for (const Case& c : cases) {
        face.hover = c.hover;
        face.pressed = c.pressed;
        EXPECT_EQ(Paint().GetPixel(381, 2), c.close) << c.hover << "/" << c.pressed;
    }
}

TEST_F(TitleBarPainting, TransparencyIconAndCaptionColours)
{
    buttons[1][0].SetPixel(0, 16, 0xFF00FF);
    buttons[1][0].SetPixel(5, 5, 0xFF00FF);
    face.buttons[1].transparent = true;
    Bitmap b = Paint();
    EXPECT_EQ(b.GetPixel(385, 6), 0x00AA00) << "the bottom-left colour is left out";
    EXPECT_EQ(b.GetPixel(381, 2), 0x202020);

    Bitmap icon(32, 32, 0x3366CC);
    face.app_icon = &icon;
    face.layout = LayOutTitleBar(MacButtons(), [] {
        TitleBarMetrics m = MacMetrics();
        m.draw_app_icon = true;
        return m;
    }());
    b = Paint();
    EXPECT_EQ(b.GetPixel(7, 1), 0x3366CC) << "the icon at (box + 3, top)";
    EXPECT_EQ(b.GetPixel(22, 16), 0x3366CC);
    EXPECT_NE(b.GetPixel(23, 10), 0x3366CC) << "16 x 16";

    face.caption = "Pellamo";
    Rect caption { 25, 0, 200, 20 };
    EXPECT_GT(Count(Paint(), clBlack, caption), 10);
    face.active = false;
    Bitmap inactive = Paint();
    EXPECT_EQ(Count(inactive, clBlack, caption), 0);
    EXPECT_GT(Count(inactive, SystemColors::Resolve(clInactiveCaption), caption), 10);
}

class TitleBarComponent : public FrameFixture { };

TEST_F(TitleBarComponent, StylesGiveSectionsOffsetsButtonsAndCaptionColour)
{
    TsuiTitleBar& bar = frame->TitleBar();
    struct Case {
        TsuiUIStyle style;
        int height;
        int left_offset;
        int right_offset;
        int button_top;
        Size button;
        TColor caption;
    };
    const Case cases[] = {
        { TsuiUIStyle::MacOS, 20, 3, -2, 1, { 17, 17 }, clBlack },
        { TsuiUIStyle::WinXP, 26, 2, -2, 2, { 21, 21 }, clWhite },
        { TsuiUIStyle::BlueGlass, 30, 4, -3, 3, { 19, 19 }, clWhite },
    };
    for (const Case& c : cases) {
        frame->SetUIStyle(c.style);
        SCOPED_TRACE(static_cast<int>(c.style));
        ThemeSource theme(nullptr, c.style);
        EXPECT_EQ(bar.Height(), c.height);
        ASSERT_EQ(bar.Sections().Count(), 3);
        EXPECT_EQ(bar.Sections().Items(0)->Picture().Graphic(), theme.Picture(ThemeItem::TitleBarLeftImage));
        EXPECT_EQ(bar.Sections().Items(1)->Align(), TsuiTitleBarAlign::suiRight);
        EXPECT_EQ(bar.Sections().Items(2)->Align(), TsuiTitleBarAlign::suiClient);
        EXPECT_TRUE(bar.Sections().Items(2)->Stretch());
        EXPECT_EQ(bar.LeftBtnXOffset(), c.left_offset);
        EXPECT_EQ(bar.RightBtnXOffset(), c.right_offset);
        EXPECT_EQ(bar.ButtonTop(), c.button_top);
        EXPECT_EQ(bar.Font().Color(), c.caption);
        TsuiTitleBarButton* close = bar.Buttons().Items(1);
        EXPECT_EQ(close->PicNormal().Width(), c.button.cx);
        EXPECT_EQ(close->PicNormal().Graphic(), theme.Picture(ThemeItem::TitleBarButtonImage, 18, 16))
            << "close: frames 16 to 18";
        EXPECT_EQ(close->PicMouseDown().Graphic(), theme.Picture(ThemeItem::TitleBarButtonImage, 18, 18));
        EXPECT_EQ(bar.Buttons().Items(3)->PicNormal().Graphic(), theme.Picture(ThemeItem::TitleBarButtonImage, 18, 13))
            << "minimise: 13 to 15";
        EXPECT_EQ(close->UIStyle(), c.style);
    }

    // With Custom set a style change keeps the user's sections, buttons and colour.
    frame->SetUIStyle(TsuiUIStyle::MacOS);
    bar.SetCustom(true);
    bar.Sections().Items(0)->Picture().SetBitmap(Bitmap(10, 30, 0x00FF00));
    bar.Buttons().Items(1)->PicNormal().SetBitmap(Bitmap(5, 5, 0xFF0000));
    bar.Font().SetColor(0x0000FF);
    frame->SetUIStyle(TsuiUIStyle::WinXP);
    EXPECT_EQ(bar.Sections().Items(0)->Picture().Width(), 10);
    EXPECT_EQ(bar.Buttons().Items(1)->PicNormal().Width(), 5);
    EXPECT_EQ(bar.Font().Color(), 0x0000FF);
}

TEST_F(TitleBarComponent, CollectionsRefuseASecondBoxOrMiddleAndKeepTheirRules)
{
    TsuiTitleBar& bar = frame->TitleBar();
    TsuiTitleBarButton* extra = bar.Buttons().Add();
    extra->SetButtonType(Type::suiControlBox);
    EXPECT_EQ(extra->ButtonType(), Type::suiCustom);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Sorry, only one button's ButtonType property can be \"suiControlBox\"");
    EXPECT_EQ(boxes[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));

    TsuiTitleBarSection* section = bar.Sections().Add();
    section->SetAlign(TsuiTitleBarAlign::suiClient);
    EXPECT_EQ(section->Align(), TsuiTitleBarAlign::suiLeft);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, "Sorry, only one section's Align property can be \"suiClient\"");

    // Width follows the picture while AutoSize is on; the middle one stays stretched.
    section->SetAutoSize(true);
    section->Picture().SetBitmap(Bitmap(33, 5));
    EXPECT_EQ(section->Width(), 33);
    section->SetAutoSize(false);
    section->Picture().SetBitmap(Bitmap(40, 5));
    EXPECT_EQ(section->Width(), 33);
    section->SetAutoSize(false);
    EXPECT_EQ(section->Width(), 40) << "writing AutoSize takes the picture's width whatever the flag";
    bar.Sections().Items(2)->SetStretch(false);
    EXPECT_TRUE(bar.Sections().Items(2)->Stretch());

    // Assigning copies everything a button is.
    TsuiTitleBarButton copy(nullptr);
    copy.Assign(*bar.Buttons().Items(1));
    EXPECT_EQ(copy.ButtonType(), Type::suiClose);
    EXPECT_EQ(copy.PicMouseOn().Graphic(), bar.Buttons().Items(1)->PicMouseOn().Graphic());
    EXPECT_EQ(copy.Top(), bar.Buttons().Items(1)->Top());
    EXPECT_FALSE(bar.CanPaint()) << "four sections";
}

TEST_F(TitleBarComponent, MaximiseButtonAndWindowMenuFollowTheWindow)
{
    frame->SetUIStyle(TsuiUIStyle::MacOS);
    ShowForm();
    TsuiTitleBar& bar = frame->TitleBar();
    ThemeSource mac(nullptr, TsuiUIStyle::MacOS);
    TsuiTitleBarButton* max = bar.Buttons().Items(2);
    EXPECT_EQ(max->PicNormal().Graphic(), mac.Picture(ThemeItem::TitleBarButtonImage, 18, 7));
    form->SetWindowState(TWindowState::wsMaximized);
    Pump();
    EXPECT_EQ(max->PicNormal().Graphic(), mac.Picture(ThemeItem::TitleBarButtonImage, 18, 10))
        << "the restore pictures while maximised";
    EXPECT_EQ(max->PicMouseDown().Graphic(), mac.Picture(ThemeItem::TitleBarButtonImage, 18, 12));
    form->SetWindowState(TWindowState::wsNormal);
    Pump();
    EXPECT_EQ(max->PicNormal().Graphic(), mac.Picture(ThemeItem::TitleBarButtonImage, 18, 7));

    // The window menu enables what the bar's buttons can do.
    bar.Buttons().Items(3)->SetVisible(false);
    bar.PopupWindowMenu({ 200, 200 });
    Pump();
    TsuiTitleBarPopupMenu& menu = bar.WindowMenu();
    ASSERT_TRUE(menu.IsOpen());
    EXPECT_FALSE(menu.MinimizeItem()->Enabled());
    EXPECT_TRUE(menu.MaximizeItem()->Enabled());
    EXPECT_TRUE(menu.CloseItem()->Enabled());
    EXPECT_EQ(GbkToUtf8(menu.MinimizeItem()->Caption()), "最小化(&N)");
    EXPECT_EQ(GbkToUtf8(menu.MaximizeItem()->Caption()), "最大化/还原(&X)");
    EXPECT_TRUE(menu.Items()->Items(2)->IsLine());
    EXPECT_EQ(GbkToUtf8(menu.CloseItem()->Caption()), "关闭(&C)");
    EXPECT_EQ(menu.UIStyle(), TsuiUIStyle::MacOS);
    menu.CloseMenu();
}

}
}
