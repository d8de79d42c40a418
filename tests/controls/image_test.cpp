#include "tests/support/files.h"
#include "tests/support/headless_app.h"

#include "platform/components/component_errors.h"
#include "platform/components/controls/image.h"
#include "platform/components/controls/stored_bitmap.h"
#include "platform/components/description_reader.h"
#include "platform/components/description_writer.h"
#include "platform/components/memory_stream.h"
#include "platform/components/props.h"
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

class GlyphHolder : public TComponent {
public:
    explicit GlyphHolder(TComponent* owner)
        : TComponent(owner)
    {
    }
    static const ClassInfo& StaticClass()
    {
        static const ClassInfo info("TGlyphHolder", &TComponent::StaticClass(),
            { props::Object<GlyphHolder>("Glyph", &GlyphHolder::glyph) }, FactoryOf<GlyphHolder>());
        return info;
    }
    const ClassInfo& Class() const override { return StaticClass(); }
    TStoredBitmap glyph;
};

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

TEST(StoredBitmap, GlyphDataSurvivesADescriptionRoundTrip)
{
    ComponentPtr<GlyphHolder> holder(new GlyphHolder(nullptr));
    holder->SetName("Holder1");
    std::string empty = WriteDescription(*holder);
    EXPECT_EQ(empty.find("Glyph."), std::string::npos); // an empty glyph is not stored

    holder->glyph.SetBitmap(Quad());
    std::string text = WriteDescription(*holder);
    EXPECT_NE(text.find("Glyph.Data = {"), std::string::npos) << text;
    ComponentPtr<GlyphHolder> copy(new GlyphHolder(nullptr));
    ReadDescription(text, *copy);
    EXPECT_EQ(copy->glyph.Graphic(), Quad());
}

TEST(StoredBitmap, DataIsASizedBmpFileAndDamageIsRefused)
{
    TStoredBitmap b;
    int changes = 0;
    b.OnChange = [&] { ++changes; };
    Bytes file = BmpCodec::Write(Quad());
    b.SetData(file); // plain file bytes are read too
    EXPECT_EQ(b.Graphic(), Quad());
    Bytes data = b.Data();
    ASSERT_GT(data.size(), 4u);
    uint32_t size = data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<uint32_t>(data[3]) << 24);
    EXPECT_EQ(size, data.size() - 4);
    EXPECT_EQ(data[4], 'B');

    Bytes longer_than_sent = data;
    longer_than_sent.resize(data.size() - 1);
    Bytes damaged_file = data;
    damaged_file.resize(30);
    damaged_file[0] = 26;
    damaged_file[1] = damaged_file[2] = damaged_file[3] = 0;
    for (const Bytes& bad : { Bytes { 1, 2 }, longer_than_sent, damaged_file, Bytes(64, 0x42) })
        EXPECT_THROW(b.SetData(bad), ImageError);
    EXPECT_EQ(b.Graphic(), Quad()); // unchanged by the refusals
    EXPECT_EQ(changes, 1);

    b.SetData({});
    EXPECT_TRUE(b.Empty());

    // In a description the refusal names the line.
    ComponentPtr<GlyphHolder> holder(new GlyphHolder(nullptr));
    EXPECT_THROW(ReadDescription("object Holder1: TGlyphHolder\n  Glyph.Data = {0100000042}\nend\n", *holder),
        EDescriptionError);
}

}
}
