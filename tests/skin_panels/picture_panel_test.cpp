#include "skin/panels/picture_panel.h"
#include "tests/skin/picture_coords.h"
#include "tests/skin/skinned_form_fixture.h"

namespace pellamo::test {
namespace {

class PicturePanelTest : public SkinnedFormFixture {
protected:
    TsuiImagePanel* panel = nullptr;
    void SetUp() override
    {
        SkinnedFormFixture::SetUp();
        panel = new TsuiImagePanel(form);
        panel->SetParent(form);
        panel->SetBounds(10, 10, 40, 30);
        panel->SetColor(0x808080);
        panel->SetCaption("");
        Pump();
    }
    // Where on the picture the pixel shown at a client point came from.
    Point Source(Point client) { return SourceOf(PixelAt(*panel, client)); }
};

TEST_F(PicturePanelTest, ThePictureStandsTilesOrStretches)
{
    TPicture picture;
    picture.SetBitmap(CoordinatePicture(8, 6));
    panel->SetPicture(picture);

    panel->SetDrawStyle(TsuiDrawStyle::suiNormal);
    EXPECT_EQ(Source({ 3, 4 }), (Point { 3, 4 }));
    EXPECT_EQ(PixelAt(*panel, { 20, 20 }), 0x808080); // beyond the picture: the colour

    panel->SetDrawStyle(TsuiDrawStyle::suiTile);
    EXPECT_EQ(Source({ 3, 4 }), (Point { 3, 4 }));
    EXPECT_EQ(Source({ 19, 13 }), (Point { 3, 1 })); // from the top left, unscaled
    EXPECT_EQ(Source({ 39, 29 }), (Point { 7, 5 }));

    panel->SetDrawStyle(TsuiDrawStyle::suiStretch);
    EXPECT_EQ(Source({ 0, 0 }), (Point { 0, 0 }));
    EXPECT_EQ(Source({ 10, 10 }), (Point { 2, 2 })); // 40 x 30 from 8 x 6: five times
    EXPECT_EQ(Source({ 39, 29 }), (Point { 7, 5 }));
}

TEST_F(PicturePanelTest, ATransparentPanelShowsItsParentAndItsPictureLeavesOutItsKeyColour)
{
    panel->SetTransparent(true);
    EXPECT_EQ(PixelAt(*panel, { 20, 20 }), kFormColor);

    // The bottom-left pixel's colour is the picture's key.
    Bitmap picture = CoordinatePicture(8, 6);
    TColor key = picture.GetPixel(0, 5);
    picture.SetPixel(4, 2, key);
    TPicture p;
    p.SetBitmap(picture);
    panel->SetPicture(p);
    EXPECT_TRUE(panel->Picture().Transparent());
    EXPECT_EQ(PixelAt(*panel, { 4, 2 }), kFormColor);
    EXPECT_EQ(Source({ 5, 2 }), (Point { 5, 2 }));

    panel->SetTransparent(false);
    EXPECT_FALSE(panel->Picture().Transparent());
    EXPECT_EQ(PixelAt(*panel, { 4, 2 }), key);
    EXPECT_EQ(PixelAt(*panel, { 20, 20 }), 0x808080);
}

TEST_F(PicturePanelTest, AutoSizeFollowsThePictureExceptAlongASideTheAlignmentFixes)
{
    struct Case {
        TAlign align;
        bool width_follows;
        bool height_follows;
    } cases[] = {
        { TAlign::alNone, true, true },
        { TAlign::alTop, false, true },
        { TAlign::alBottom, false, true },
        { TAlign::alLeft, true, false },
        { TAlign::alRight, true, false },
        { TAlign::alClient, false, false },
    };
    TPicture picture;
    picture.SetBitmap(CoordinatePicture(17, 23));
    for (const auto& c : cases) {
        panel->SetAutoSize(false);
        panel->Picture().Clear();
        panel->SetAlign(c.align);
        Pump();
        int width = panel->Width();
        int height = panel->Height();
        panel->SetAutoSize(true); // no picture yet: nothing to follow
        EXPECT_EQ(panel->Width(), width);
        panel->SetPicture(picture);
        EXPECT_EQ(panel->Width(), c.width_follows ? 17 : width) << static_cast<int>(c.align);
        EXPECT_EQ(panel->Height(), c.height_follows ? 23 : height) << static_cast<int>(c.align);
    }
}

TEST_F(PicturePanelTest, TheCaptionIsCentredUnlessBothPositionsAreSet)
{
    panel->SetBounds(10, 10, 200, 40);
    panel->SetColor(clWhite);
    panel->Font().SetColor(clBlack);
    panel->SetCaption("WW");
    // The columns and rows that hold ink.
    auto ink = [&] {
        Bitmap shot = Shot(*panel);
        Rect r { 1000, 1000, -1, -1 };
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 200; ++x)
                if (GreenOf(shot.GetPixel(x, y)) < 0x80) {
                    r.left = std::min(r.left, x);
                    r.top = std::min(r.top, y);
                    r.right = std::max(r.right, x + 1);
                    r.bottom = std::max(r.bottom, y + 1);
                }
        return r;
    };
    Rect centred = ink();
    EXPECT_NEAR((centred.left + centred.right) / 2, 100, 3);
    EXPECT_NEAR((centred.top + centred.bottom) / 2, 20, 3);

    panel->SetCaptionPosY(30); // x still -1: the alignment decides
    EXPECT_EQ(ink(), centred);
    panel->SetAlignment(TAlignment::taLeftJustify);
    EXPECT_LT(ink().left, 5);
    panel->SetCaptionPosX(120);
    panel->SetCaptionPosY(3);
    Rect placed = ink();
    EXPECT_GE(placed.left, 120);
    EXPECT_LT(placed.left, 124);
    EXPECT_GE(placed.top, 3);

    panel->SetCaption("   "); // blank: nothing
    EXPECT_EQ(ink().right, -1);
}

}
}
