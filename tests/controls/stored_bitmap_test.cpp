#include "platform/components/controls/stored_bitmap.h"

#include "platform/components/component_errors.h"
#include "platform/components/description_reader.h"
#include "platform/components/description_writer.h"
#include "platform/components/props.h"
#include "platform/gfx/bmp_codec.h"
#include "platform/gfx/image_error.h"

#include <gtest/gtest.h>

namespace pellamo::test {
namespace {

class GlyphHolder : public TComponent {
public:
    explicit GlyphHolder(TComponent* owner) : TComponent(owner) {}
    static const ClassInfo& StaticClass()
    {
        static const ClassInfo info("TGlyphHolder", &TComponent::StaticClass(),
            { props::Object<GlyphHolder>("Glyph", &GlyphHolder::glyph) }, FactoryOf<GlyphHolder>());
        return info;
    }
    const ClassInfo& Class() const override { return StaticClass(); }
    TStoredBitmap glyph;
};

Bitmap Quad()
{
    Bitmap b(2, 2);
    b.SetPixel(0, 0, clRed);
    b.SetPixel(1, 0, clLime);
    b.SetPixel(0, 1, clBlue);
    b.SetPixel(1, 1, clWhite);
    return b;
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
