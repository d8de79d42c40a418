#include "platform/gfx/bmp_codec.h"
#include "platform/gfx/resources.h"
#include "skin/theme_data/inside_theme.h"
#include "skin/theme_data/theme_tables.h"
#include "tests/skin/picture_coords.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace pellamo::test {
namespace {

using S = TsuiUIStyle;

// A value no item has, as a stored number may be.
constexpr ThemeItem Unnamed(int number) { return static_cast<ThemeItem>(number); }

TEST(InsideTheme, LookUpsGiveTheTableValueOrTheDefaultOfTheKindAsked)
{
    enum Ask { AskInt, AskColor, AskBool };
    struct Case {
        Ask ask;
        TsuiUIStyle style;
        ThemeItem item;
        int32_t expected;
    } cases[] = {
        { AskInt, S::MacOS, ThemeItem::TitleBarButtonRightOffsetInt, -2 },
        { AskInt, S::BlueGlass, ThemeItem::TitleBarButtonRightOffsetInt, -3 },
        { AskInt, S::WinXP, ThemeItem::FormRoundCornerInt, 13 },
        { AskInt, S::BlueGlass, ThemeItem::FormMinWidthInt, 270 },
        { AskColor, S::MacOS, ThemeItem::FormBackgroundColor, 15198183 },
        { AskColor, S::MacOS, ThemeItem::FormBorderColor, 8355711 },
        { AskColor, S::WinXP, ThemeItem::FormBorderColor, 0xC82C00 },
        { AskColor, S::MacOS, ThemeItem::MenuSelectedBorderColor, 0xC47339 },
        { AskColor, S::Protein, ThemeItem::MenuMenuBarColor, 0xFBFBFB },
        { AskBool, S::MacOS, ThemeItem::ButtonTransparentBool, true },
        { AskBool, S::WinXP, ThemeItem::ButtonTransparentBool, false },
        { AskBool, S::Protein, ThemeItem::TitleBarButtonTransparentBool, true },
        // Another kind than the item's: the default of the kind asked.
        { AskColor, S::MacOS, ThemeItem::FormMinWidthInt, 0 },
        { AskInt, S::MacOS, ThemeItem::FormBackgroundColor, -1 },
        { AskBool, S::MacOS, ThemeItem::TitleBarButtonLeftOffsetInt, false },
        { AskInt, S::MacOS, ThemeItem::ButtonImage, -1 },
        // FromThemeFile has no table.
        { AskInt, S::FromThemeFile, ThemeItem::TitleBarButtonRightOffsetInt, -1 },
        { AskColor, S::FromThemeFile, ThemeItem::FormBackgroundColor, 0 },
        { AskBool, S::FromThemeFile, ThemeItem::ButtonTransparentBool, false },
        // Numbers outside 1..48 (a control's item number defaults to 0).
        { AskInt, S::MacOS, Unnamed(0), -1 },
        { AskInt, S::MacOS, Unnamed(49), -1 },
        { AskColor, S::DeepBlue, Unnamed(-5), 0 },
        { AskBool, S::BlueGlass, Unnamed(1000), false },
        // A style value no enumerator names.
        { AskInt, static_cast<S>(9), ThemeItem::TitleBarButtonRightOffsetInt, -1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << int(c.style) << " item " << ThemeItemNumber(c.item));
        switch (c.ask) {
        case AskInt:
            EXPECT_EQ(GetInsideThemeInt(c.style, c.item), c.expected);
            break;
        case AskColor:
            EXPECT_EQ(GetInsideThemeColor(c.style, c.item), c.expected);
            break;
        case AskBool:
            EXPECT_EQ(GetInsideThemeBool(c.style, c.item), c.expected != 0);
            break;
        }
    }
}

TEST(InsideTheme, TablesNameTheirResourcesAsTheProgramDoes)
{
    EXPECT_STREQ(LookUpInsideTheme(S::MacOS, ThemeItem::SideChannelBarImage).resource, "MACOS_SIDECHENNEL_BAR");
    EXPECT_STREQ(LookUpInsideTheme(S::WinXP, ThemeItem::SideChannelHandleImage).resource, "WINXP_SIDECHENNEL_HANDLE");
    EXPECT_STREQ(LookUpInsideTheme(S::WinXP, ThemeItem::ScrollButtonImage).resource, "WINXP_SCROLLBUTTON");
    for (S style : { S::DeepBlue, S::Protein, S::BlueGlass })
        EXPECT_STREQ(LookUpInsideTheme(style, ThemeItem::ScrollButtonImage).resource, "MORE_SCROLLBUTTON");
    EXPECT_STREQ(
        LookUpInsideTheme(S::BlueGlass, ThemeItem::TrackBarSliderVImage).resource, "BLUEGLASS_TRACKBAR_SLIDER_V");
    // Every built-in picture is the style's prefix and a suffix, but for the
    // shared scroll buttons and the three items only theme files have.
    for (const ThemeItemRow& row : ThemeItemRows()) {
        if (row.kind != TsuiType::Str)
            continue;
        for (S style : { S::MacOS, S::WinXP, S::DeepBlue, S::Protein, S::BlueGlass }) {
            std::string name = LookUpInsideTheme(style, row.item).resource;
            if (row.item == ThemeItem::TitleBarMinimizedImage || row.item == ThemeItem::FormLeftBorderImage
                || row.item == ThemeItem::FormBottomBorderImage) {
                EXPECT_EQ(name, "") << row.name;
            } else if (name != "MORE_SCROLLBUTTON") {
                EXPECT_EQ(name.rfind(std::string(StyleResourcePrefix(style)) + "_", 0), 0u) << name;
            }
        }
    }
    EXPECT_EQ(LookUpInsideTheme(S::FromThemeFile, ThemeItem::ButtonImage).kind, TsuiType::Int);
    EXPECT_EQ(LookUpInsideTheme(S::FromThemeFile, ThemeItem::ButtonImage).value, -1);
}

// Small stand-ins for two built-in pictures, registered under their real
// names for this program only.
class InsideThemeBitmap : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static const std::vector<uint8_t> button = BmpCodec::Write(CoordinatePicture(54, 21));
        Resources::Register("WINXP_BUTTON", button.data(), button.size());
        static const std::vector<uint8_t> scroll = BmpCodec::Write(CoordinatePicture(72, 17));
        Resources::Register("MORE_SCROLLBUTTON", scroll.data(), scroll.size());
    }
};

TEST_F(InsideThemeBitmap, LoadsWholePicturesOrFramesAndLeavesOrEmptiesTheTargetWithoutOne)
{
    enum Then { Whole, Frame, Unchanged, Emptied };
    struct Case {
        const char* what;
        TsuiUIStyle style;
        ThemeItem item;
        int count;
        int index;
        Then then;
        Size size;
        int first_column;
    } cases[] = {
        { "middle button frame", S::WinXP, ThemeItem::ButtonImage, 3, 2, Frame, { 18, 21 }, 18 },
        { "whole button strip", S::WinXP, ThemeItem::ButtonImage, 0, 0, Whole, { 54, 21 }, 0 },
        { "shared scroll buttons", S::DeepBlue, ThemeItem::ScrollButtonImage, 0, 0, Whole, { 72, 17 }, 0 },
        { "shared, a frame", S::BlueGlass, ThemeItem::ScrollButtonImage, 4, 4, Frame, { 18, 17 }, 54 },
        { "a number item", S::MacOS, ThemeItem::FormMinWidthInt, 0, 0, Unchanged, {}, 0 },
        { "a number item, a frame", S::MacOS, ThemeItem::FormMinWidthInt, 3, 1, Emptied, {}, 0 },
        { "FromThemeFile", S::FromThemeFile, ThemeItem::ButtonImage, 0, 0, Unchanged, {}, 0 },
        { "FromThemeFile, a frame", S::FromThemeFile, ThemeItem::ButtonImage, 3, 1, Emptied, {}, 0 },
        { "theme-file-only item", S::WinXP, ThemeItem::TitleBarMinimizedImage, 0, 0, Unchanged, {}, 0 },
        { "theme-file-only item, a frame", S::WinXP, ThemeItem::FormLeftBorderImage, 2, 1, Emptied, {}, 0 },
        { "item 0", S::WinXP, ThemeItem {}, 0, 0, Unchanged, {}, 0 },
        { "frame index outside the strip", S::WinXP, ThemeItem::ButtonImage, 3, 4, Emptied, {}, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bitmap target(5, 5, kPaper);
        GetInsideThemeBitmap(c.style, c.item, &target, c.count, c.index);
        switch (c.then) {
        case Whole:
        case Frame:
            EXPECT_EQ(target.Width(), c.size.cx);
            EXPECT_EQ(target.Height(), c.size.cy);
            EXPECT_EQ(SourceOf(target.GetPixel(0, 0)), (Point { c.first_column, 0 }));
            break;
        case Unchanged:
            EXPECT_EQ(target, Bitmap(5, 5, kPaper));
            break;
        case Emptied:
            EXPECT_TRUE(target.Empty());
            break;
        }
    }
    // No target: nothing to do, nothing to fail.
    GetInsideThemeBitmap(S::WinXP, ThemeItem::ButtonImage, nullptr, 3, 2);
}

TEST_F(InsideThemeBitmap, APictureMissingFromTheProgramIsReported)
{
    Bitmap target;
    EXPECT_THROW(GetInsideThemeBitmap(S::Protein, ThemeItem::TrackBarSliderImage, &target), ResourceError);
}

}
}
