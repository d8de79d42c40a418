#include "tests/support/files.h"
#include "tests/support/headless_app.h"

#include "platform/components/controls/image.h"
#include "platform/components/description_reader.h"
#include "platform/components/description_writer.h"
#include "platform/components/memory_stream.h"
#include "platform/gfx/bmp_codec.h"
#include "platform/gfx/image_error.h"

namespace pellamo::test {
namespace {

// 2 x 2: red, green / blue, white.
Bitmap Quad()
{
    Bitmap b(2, 2);
    b.SetPixel(0, 0, clRed);
    b.SetPixel(1, 0, clLime);
    b.SetPixel(0, 1, clBlue);
    b.SetPixel(1, 1, clWhite);
    return b;
}

class ImageTest : public HeadlessAppFixture {
protected:
    TForm* form = nullptr;
    TImage* image = nullptr;
    void SetUp() override
    {
        form = app.CreateForm<TForm>();
        form->SetBorderStyle(TFormBorderStyle::bsNone);
        form->SetBounds(0, 0, 200, 200);
        form->SetColor(clBlack);
        image = new TImage(form);
        image->SetParent(form);
        image->SetBounds(10, 10, 40, 40);
        form->Show();
    }
};

TEST_F(ImageTest, PictureLoadsBmpAndJpegBySignatureAndRefusesOtherData)
{
    TPicture p;
    int changes = 0;
    p.OnChange = [&] { ++changes; };
    p.LoadFromFile(GfxFixture("halves.jpg"));
    EXPECT_EQ(p.GetFormat(), TPicture::Format::Jpeg);
    EXPECT_EQ(p.Width(), 16);
    p.LoadFromBytes(BmpCodec::Write(Quad()));
    EXPECT_EQ(p.GetFormat(), TPicture::Format::Bmp);
    EXPECT_EQ(p.Graphic().GetPixel(1, 0), clLime);
    EXPECT_EQ(changes, 2);

    std::vector<uint8_t> junk(100, 0x42);
    EXPECT_THROW(p.LoadFromBytes(junk), ImageError);
    EXPECT_THROW(p.LoadFromFile(GfxFixture("no such file.jpg")), ImageError);
    EXPECT_THROW(p.SetData({ 40, 'T' }), ImageError);
    // A failed load leaves the picture as it was.
    EXPECT_EQ(p.Width(), 2);
    EXPECT_EQ(changes, 2);

    TMemoryStream stream;
    auto bytes = BmpCodec::Write(Quad());
    stream.WriteBuffer(bytes.data(), bytes.size());
    stream.SetPosition(0);
    TPicture q;
    q.LoadFromStream(stream);
    EXPECT_EQ(q.Graphic().GetPixel(0, 1), clBlue);
}

TEST_F(ImageTest, PictureDataSurvivesADescriptionRoundTrip)
{
    form->SetName("Form2");
    image->SetName("Image1");
    image->Picture().LoadFromFile(GfxFixture("halves.jpg"));
    std::string text = WriteDescription(*form);
    ComponentPtr<TForm> copy(new TForm(nullptr));
    ReadDescription(text, *copy);
    auto* again = dynamic_cast<TImage*>(copy->FindComponent("Image1"));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->Picture().GetFormat(), TPicture::Format::Jpeg);
    EXPECT_EQ(again->Picture().Width(), 16);
    EXPECT_EQ(again->Picture().Graphic().GetPixel(3, 3), image->Picture().Graphic().GetPixel(3, 3));

    // Plain file bytes are taken as well.
    auto bmp = BmpCodec::Write(Quad());
    again->Picture().SetData(Bytes(bmp.begin(), bmp.end()));
    EXPECT_EQ(again->Picture().Width(), 2);
}

TEST_F(ImageTest, PlacementFollowsStretchCentreAndAutoSize)
{
    image->Picture().SetBitmap(Quad());
    struct Case {
        const char* what;
        bool stretch, center, proportional;
        Point red, white; // client points expected in those colours
        Point background;
    } cases[] = {
        { "plain", false, false, false, { 0, 0 }, { 1, 1 }, { 5, 5 } },
        { "centred", false, true, false, { 19, 19 }, { 20, 20 }, { 0, 0 } },
        { "stretched", true, false, false, { 5, 5 }, { 35, 35 }, { 45, 45 } },
    };
    for (const Case& c : cases) {
        image->SetStretch(c.stretch);
        image->SetCenter(c.center);
        image->SetProportional(c.proportional);
        EXPECT_EQ(PixelAt(*image, c.red), clRed) << c.what;
        EXPECT_EQ(PixelAt(*image, c.white), clWhite) << c.what;
        EXPECT_EQ(PixelAt(*image, c.background), clBlack) << c.what;
    }

    image->SetStretch(false);
    image->SetCenter(false);
    image->SetAutoSize(true);
    EXPECT_EQ(image->Width(), 2);
    EXPECT_EQ(image->Height(), 2);
    // Aligned to the whole client area it keeps that size and centres.
    image->SetAlign(TAlign::alClient);
    image->SetCenter(true);
    image->Picture().LoadFromFile(GfxFixture("halves.jpg"));
    EXPECT_EQ(image->BoundsRect(), Rect::FromSize(0, 0, 200, 200));
    EXPECT_EQ(image->DestRect(), Rect::FromSize(92, 92, 16, 16));
}

}
}
