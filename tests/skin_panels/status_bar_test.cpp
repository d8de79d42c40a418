#include "platform/gfx/system_colors.h"
#include "skin/panels/grip_status_bar.h"
#include "tests/skin/skinned_form_fixture.h"

namespace pellamo::test {
namespace {

using S = TsuiUIStyle;

class StatusBarTest : public SkinnedFormFixture {
protected:
    TsuiStatusBar* bar = nullptr;
    void SetUp() override
    {
        SkinnedFormFixture::SetUp();
        bar = new TsuiStatusBar(form);
        bar->SetParent(form);
        bar->SetUIStyle(S::MacOS);
        Pump();
    }
    // The pixels of the corner square the bar's colour covers.
    std::vector<TColor> Corner()
    {
        std::vector<TColor> out;
        Bitmap shot = Shot(*bar);
        int w = bar->Width();
        int h = bar->Height();
        for (int y = h - 16; y < h - 1; ++y)
            for (int x = w - 16; x < w - 1; ++x)
                out.push_back(shot.GetPixel(x, y));
        return out;
    }
    int StrokePixels()
    {
        Bitmap shot = Shot(*bar);
        int n = 0;
        for (int y = bar->Height() - 16; y < bar->Height(); ++y)
            for (int x = bar->Width() - 16; x < bar->Width(); ++x)
                n += shot.GetPixel(x, y) == SystemColors::Resolve(clInactiveCaption);
        return n;
    }
};

TEST_F(StatusBarTest, TheBarTakesTheStyleBackground)
{
    struct Case {
        S style;
        TColor color;
    } cases[] = {
        { S::MacOS, 0xE7E7E7 },
        { S::WinXP, 0xDEEBEF },
        { S::DeepBlue, 0xE8E8E8 },
        { S::Protein, 0xFBFBFB },
        { S::BlueGlass, 0xE7E7E7 },
    };
    for (const auto& c : cases) {
        bar->SetUIStyle(c.style);
        EXPECT_EQ(bar->PanelColor(), c.color);
        EXPECT_EQ(PixelAt(*bar, { 5, 10 }), c.color);
    }
    bar->SetUIStyle(S::FromThemeFile);
    TsuiFileTheme* theme = ExportedTheme(S::WinXP);
    bar->SetFileTheme(theme);
    EXPECT_EQ(bar->PanelColor(), 0xDEEBEF);
    theme->Free();
    EXPECT_EQ(bar->UIStyle(), S::DeepBlue);
    EXPECT_EQ(bar->PanelColor(), 0xE8E8E8);
}

TEST_F(StatusBarTest, TheGripIsRedrawnOnSizeableFormsAndNotWhileMaximized)
{
    ASSERT_EQ(form->BorderStyle(), TFormBorderStyle::bsSizeable);
    // Four strokes of 14, 10, 6 and 2 pixels.
    EXPECT_EQ(StrokePixels(), 32);
    int w = bar->Width();
    int h = bar->Height();
    EXPECT_EQ(PixelAt(*bar, { w - 15, h - 1 }), SystemColors::Resolve(clInactiveCaption));
    EXPECT_EQ(PixelAt(*bar, { w - 2, h - 14 }), SystemColors::Resolve(clInactiveCaption));

    bar->SetSizeGrip(false);
    EXPECT_EQ(StrokePixels(), 0);
    for (TColor c : Corner())
        EXPECT_EQ(c, 0xE7E7E7);
    bar->SetSizeGrip(true);

    form->SetWindowState(TWindowState::wsMaximized);
    Pump();
    EXPECT_EQ(StrokePixels(), 0);
    form->SetWindowState(TWindowState::wsNormal);
    Pump();
    EXPECT_EQ(StrokePixels(), 32);
}

TEST_F(StatusBarTest, ADialogFormKeepsThePlainBarsCorner)
{
    auto* dialog = app.CreateForm<TForm>();
    dialog->SetBorderStyle(TFormBorderStyle::bsDialog);
    dialog->SetBounds(450, 0, 300, 200);
    dialog->Show();
    auto* skinned = new TsuiStatusBar(dialog);
    skinned->SetParent(dialog);
    skinned->SetUIStyle(S::MacOS);
    auto* plain = new TStatusBar(dialog);
    plain->SetParent(dialog);
    plain->SetColor(0xE7E7E7);
    plain->SetAlign(TAlign::alTop);
    Pump();
    int w = skinned->Width();
    int h = skinned->Height();
    Bitmap a = Shot(*skinned);
    Bitmap b = Shot(*plain);
    for (int y = h - 16; y < h; ++y)
        for (int x = w - 16; x < w; ++x)
            EXPECT_EQ(a.GetPixel(x, y), b.GetPixel(x, y)) << x << "," << y;
}

TEST_F(StatusBarTest, WhileTheFormIsMaximizedTheBarAnswersNoHitTest)
{
    Point p = bar->ClientToScreen({ bar->Width() - 3, bar->Height() - 3 });
    EXPECT_NE(ws().SendMessage(bar->Handle(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), HTNOWHERE);
    form->SetWindowState(TWindowState::wsMaximized);
    Pump();
    p = bar->ClientToScreen({ 10, 5 });
    EXPECT_EQ(ws().SendMessage(bar->Handle(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), HTNOWHERE);
}

}
}
