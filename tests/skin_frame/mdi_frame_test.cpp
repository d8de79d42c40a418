// The skinned MDI frame on the headless screen: the children placed the
// frame's way, the control buttons of a maximised child, the menu bar
// showing the active child's menu, shortcuts only for the active frame,
// and a frame read from a window description.
#include "tests/skin_frame/frame_fixture.h"

#include "platform/components/description_reader.h"
#include "platform/components/property_access.h"
#include "platform/window/mdi_client.h"
#include "skin/buttons/tool_bar_speed_button.h"
#include "skin/frame/mdi_control_button.h"
#include "skin/frame/mdi_form.h"
#include "skin/frame/skin_menu_bar.h"
#include "skin/theme/style_properties.h"
#include "skin/theme/theme_source.h"
#include "skin/theme_data/theme_export.h"
#include "skin/theme_data/theme_file_writer.h"
#include "tests/skin/temp_folder.h"

#include <fstream>
#include <optional>
#include <set>

#include <stdexcept>

namespace pellamo::test {
namespace {

class MdiFrameTest : public HeadlessAppFixture {
protected:
    MdiFrameTest()
    {
        RegisterSkinFrameClasses();
        form = app.CreateForm<TForm>();
        form->SetFormStyle(TFormStyle::fsMDIForm);
        form->SetBounds(0, 0, 820, 660);
        form->SetCaption("Frame");
        frame = new TsuiMDIForm(form);
        form->SetClientWidth(800);
        form->SetClientHeight(600);
        form->Show();
        Pump();
    }

    TForm* Child(const std::string& caption, bool skinned = false)
    {
        auto* child = new TForm(form);
        child->SetFormStyle(TFormStyle::fsMDIChild);
        child->SetCaption(caption);
        child->SetBounds(10, 10, 200, 150);
        if (skinned)
            new TsuiForm(child);
        child->Show();
        Pump();
        return child;
    }
    TMenuItem* Item(TComponent* owner, TMenuItem* parent, const std::string& caption)
    {
        auto* item = new TMenuItem(owner);
        item->SetCaption(caption);
        item->OnClick = [this, item](TObject*) { clicks.push_back(item->Caption()); };
        parent->Add(item);
        return item;
    }
    template <class M> M* Menu(TComponent* owner, std::initializer_list<const char*> titles)
    {
        auto* menu = new M(owner);
        for (const char* t : titles)
            Item(owner, menu->Items(), t);
        return menu;
    }
    std::vector<std::string> BarCaptions() const
    {
        std::vector<std::string> captions;
        if (!frame->MenuPanel().Visible())
            return captions;
        for (int i = 0; i < frame->MenuBar().ButtonCount(); ++i)
            captions.push_back(frame->MenuBar().Buttons(i)->MenuItem()->Caption());
        return captions;
    }
    std::vector<bool> ControlButtonsShown() const
    {
        std::vector<bool> shown;
        for (int i = 0; i < 3; ++i)
            shown.push_back(frame->ControlButton(i)->Visible());
        return shown;
    }
    void Maximise(TForm* child)
    {
        ws().SendMessage(form->ClientHandle(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child->Handle()), 0);
        Pump();
    }

    TForm* form = nullptr;
    TsuiMDIForm* frame = nullptr;
    std::vector<std::string> clicks;
};

TEST_F(MdiFrameTest, OnlyTheActiveSkinnedChildLooksActive)
{
    TForm* one = Child("One", true);
    TForm* two = Child("Two", true);
    auto bar = [](TForm* child) -> TsuiTitleBar& {
        for (int i = 0; i < child->ComponentCount(); ++i)
            if (auto* frame = dynamic_cast<TsuiForm*>(child->Components(i)))
                return frame->TitleBar();
        throw std::logic_error("no frame");
    };
    EXPECT_TRUE(bar(two).FormActive());
    EXPECT_FALSE(bar(one).FormActive());
    ws().SendMessage(form->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(one->Handle()), 0);
    Pump();
    EXPECT_TRUE(bar(one).FormActive());
    EXPECT_FALSE(bar(two).FormActive());
}

TEST_F(MdiFrameTest, ANewSkinnedControlOnTheMdiFormTakesTheFramesStyle)
{
    EXPECT_EQ(GetSUIFormStyle(form), frame->UIStyle());
    frame->SetUIStyle(TsuiUIStyle::WinXP);
    EXPECT_EQ(GetSUIFormStyle(form), TsuiUIStyle::WinXP);
}

TEST_F(MdiFrameTest, RefusesAnOwnerThatIsNoForm)
{
    TPanel panel(nullptr);
    try {
        TsuiMDIForm bad(&panel);
        FAIL() << "created on a panel";
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "Sorry, TsuiMDIForm must be placed on a form");
    }
}

TEST_F(MdiFrameTest, CascadeAndTilePlaceTheChildrenTheFramesWay)
{
    TForm* a = Child("a");
    TForm* b = Child("b");
    TForm* c = Child("c"); // active
    form->Cascade();
    EXPECT_EQ(a->BoundsRect(), Rect::FromSize(0, 0, 640, 360));
    EXPECT_EQ(b->BoundsRect(), Rect::FromSize(22, 22, 640, 360));
    EXPECT_EQ(c->BoundsRect(), Rect::FromSize(44, 44, 640, 360)) << "the active child in front, offset most";

    // Rows share what the title bar and the menu panel leave.
    frame->SetMenu(Menu<TsuiMainMenu>(form, { "&File" }));
    Pump();
    int bars = frame->TitleBar().Height() + frame->MenuPanel().Height();
    int row = (600 - bars) / 3;
    form->SetTileMode(TTileMode::tbHorizontal);
    form->Tile();
    EXPECT_EQ(a->BoundsRect(), Rect::FromSize(0, 0, 796, row - 2));
    EXPECT_EQ(b->BoundsRect(), Rect::FromSize(0, row - 2, 796, row - 2));
    EXPECT_EQ(c->BoundsRect(), Rect::FromSize(0, 2 * (row - 2), 796, row - 2));

    form->SetTileMode(TTileMode::tbVertical);
    form->Tile();
    EXPECT_EQ(a->BoundsRect(), Rect::FromSize(0, 0, 264, 600 - bars - 4));
    EXPECT_EQ(c->BoundsRect(), Rect::FromSize(528, 0, 264, 600 - bars - 4));

    // A minimised child is left out and leaves room for its icon.
    ws().SendMessage(a->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    form->SetTileMode(TTileMode::tbHorizontal);
    form->Tile();
    int two_rows = (600 - bars - 25) / 2;
    EXPECT_EQ(b->BoundsRect(), Rect::FromSize(0, 0, 796, two_rows - 2));
    EXPECT_EQ(c->BoundsRect(), Rect::FromSize(0, two_rows - 2, 796, two_rows - 2));
}

TEST_F(MdiFrameTest, TilingInATooSmallClientNeverGivesNegativeSizes)
{
    std::vector<TForm*> children { Child("a"), Child("b"), Child("c") };
    ws().SendMessage(children[0]->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    form->SetClientHeight(30);
    form->SetClientWidth(3);
    for (TTileMode mode : { TTileMode::tbHorizontal, TTileMode::tbVertical }) {
        form->SetTileMode(mode);
        form->Tile();
        for (TForm* child : children) {
            EXPECT_GE(child->Width(), 0);
            EXPECT_GE(child->Height(), 0);
        }
    }
}

TEST_F(MdiFrameTest, ControlButtonsFollowTheMaximisedChildsTitleBarButtons)
{
    // The buttons sit on the menu bar's panel, shown while there is a menu.
    frame->SetMenu(Menu<TsuiMainMenu>(form, { "&File" }));
    TForm* plain = Child("plain", true);
    TForm* only_close = Child("close only", true);
    TsuiTitleBarButtons& buttons = dynamic_cast<TsuiForm*>(only_close->Controls(0))->TitleBar().Buttons();
    buttons.Clear();
    buttons.Add()->SetButtonType(TsuiTitleBarBtnType::suiClose);

    EXPECT_EQ(ControlButtonsShown(), (std::vector<bool> { false, false, false }));
    Maximise(only_close);
    EXPECT_EQ(ControlButtonsShown(), (std::vector<bool> { true, false, false })) << "close only";

    // The restore button restores the child and the buttons go.
    frame->ControlButton(1)->SetVisible(true);
    ClickAt(*frame->ControlButton(1), { 8, 8 });
    EXPECT_EQ(only_close->WindowState(), TWindowState::wsNormal);
    EXPECT_EQ(ControlButtonsShown(), (std::vector<bool> { false, false, false }));

    // A maximised child with the usual three gets all three; closing it
    // hands the maximised state to the next child and its buttons show.
    // Its own title bar's maximise button fills the client, not the screen.
    dynamic_cast<TsuiForm*>(plain->Controls(0))->TitleBar().MaximizeOrRestoreForm();
    Pump();
    EXPECT_EQ(plain->WindowState(), TWindowState::wsMaximized);
    EXPECT_EQ(plain->ClientToScreen({ 0, 0 }), ws().ClientToScreen(form->ClientHandle(), { 0, 0 }));
    EXPECT_EQ(ControlButtonsShown(), (std::vector<bool> { true, true, true }));
    bool freed = false;
    plain->OnDestroy = [&](TObject*) { freed = true; };
    ClickAt(*frame->ControlButton(0), { 8, 8 });
    RunFor(std::chrono::milliseconds(20));
    EXPECT_TRUE(freed);
    EXPECT_EQ(form->ActiveMDIChild(), only_close);
    EXPECT_EQ(only_close->WindowState(), TWindowState::wsMaximized);
    EXPECT_EQ(ControlButtonsShown(), (std::vector<bool> { true, false, false }));

    // Minimise leaves no maximised child.
    frame->ControlButton(2)->SetVisible(true);
    ClickAt(*frame->ControlButton(2), { 8, 8 });
    EXPECT_EQ(only_close->WindowState(), TWindowState::wsMinimized);
    EXPECT_EQ(ControlButtonsShown(), (std::vector<bool> { false, false, false }));
}

// Maximised, a skinned child gives up its title bar: its contents start at
// the top of the frame's client and the frame's title bar names it.
TEST_F(MdiFrameTest, AMaximisedChildIsNamedByTheFramesTitleBarInsteadOfItsOwn)
{
    TForm* child = Child("Report", true);
    TsuiForm& skin = *dynamic_cast<TsuiForm*>(child->Controls(0));
    auto* content = new TPanel(child);
    content->SetParent(&skin);
    content->SetTop(100); // below the title bar, as placed by hand
    content->SetAlign(TAlign::alTop);
    content->SetHeight(20);
    Pump();
    int below_title_bar = content->ClientToScreen({ 0, 0 }).y - child->ClientToScreen({ 0, 0 }).y;
    EXPECT_GE(below_title_bar, skin.TitleBar().Height());

    Maximise(child);
    EXPECT_FALSE(skin.TitleBar().Visible());
    EXPECT_EQ(frame->TitleBar().Caption(), "Frame - [Report]");
    EXPECT_EQ(form->Caption(), "Frame") << "the form keeps its own caption";
    EXPECT_EQ(content->ClientToScreen({ 0, 0 }).y,
        ws().ClientToScreen(form->ClientHandle(), { 0, 0 }).y + below_title_bar - skin.TitleBar().Height());

    ws().SendMessage(form->ClientHandle(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(child->Handle()), 0);
    Pump();
    EXPECT_TRUE(skin.TitleBar().Visible());
    EXPECT_EQ(frame->TitleBar().Caption(), "Frame");

    // A title bar its form hid stays hidden through maximise and restore.
    skin.TitleBar().SetVisible(false);
    Maximise(child);
    ws().SendMessage(form->ClientHandle(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(child->Handle()), 0);
    Pump();
    EXPECT_FALSE(skin.TitleBar().Visible());
}

TEST_F(MdiFrameTest, TitleBarDrawChildCaptionsOffKeepsTheFramesOwnCaption)
{
    TForm* child = Child("Report", true);
    Maximise(child);
    ASSERT_EQ(frame->TitleBar().Caption(), "Frame - [Report]");

    // Switching takes effect at once, both ways, and survives a change of
    // the maximised child's state.
    frame->SetTitleBarDrawChildCaptions(false);
    EXPECT_EQ(frame->TitleBar().Caption(), "Frame");
    ws().SendMessage(form->ClientHandle(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(child->Handle()), 0);
    Pump();
    Maximise(child);
    EXPECT_EQ(frame->TitleBar().Caption(), "Frame");
    frame->SetTitleBarDrawChildCaptions(true);
    EXPECT_EQ(frame->TitleBar().Caption(), "Frame - [Report]");
    EXPECT_EQ(form->Caption(), "Frame");
}

TEST_F(MdiFrameTest, AMaximisedChildsControlButtonsAreItsTitleBarPicturesOverTheMenuBar)
{
    frame->SetUIStyle(TsuiUIStyle::MacOS);
    frame->SetMenu(Menu<TsuiMainMenu>(form, { "&File" }));
    TForm* child = Child("Report", true);
    auto& skin = *dynamic_cast<TsuiForm*>(child->Controls(0));
    skin.SetUIStyle(TsuiUIStyle::MacOS);
    Maximise(child);
    const TsuiTitleBarButtons& buttons = skin.TitleBar().Buttons();
    auto source_of = [&](TsuiTitleBarBtnType type) -> const TsuiTitleBarButton* {
        for (int i = 0; i < buttons.Count(); ++i)
            if (buttons.Items(i)->ButtonType() == type)
                return buttons.Items(i);
        return nullptr;
    };
    const TsuiTitleBarBtnType types[]
        = { TsuiTitleBarBtnType::suiClose, TsuiTitleBarBtnType::suiMax, TsuiTitleBarBtnType::suiMin };
    Bitmap shot = screen.Screenshot();
    Point bar_origin = frame->MenuBar().ClientToScreen({ 0, 0 });
    int right_end = frame->MenuBar().ClientToScreen({ frame->MenuBar().Width(), 0 }).x;
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        MdiControlButton& button = *frame->ControlButton(i);
        const TsuiTitleBarButton* source = source_of(types[i]);
        ASSERT_NE(source, nullptr);
        ASSERT_TRUE(button.Visible());
        const Bitmap& picture = source->PicNormal().Graphic();
        ASSERT_EQ(button.Width(), picture.Width()) << "as wide as the title bar's picture";
        Point origin = button.ClientToScreen({ 0, 0 });
        EXPECT_LE(origin.x + button.Width(), right_end);
        // MacOS draws each button's face inside a 2-pixel margin of the
        // title bar's own pinstripes: on the menu bar the margin is the
        // bar's ground, the face is the picture's.
        int wrong_face = 0;
        int wrong_ground = 0;
        for (int y = 0; y < picture.Height(); ++y) {
            // The bar's own ground in this row, left of every button and caption.
            TColor ground = shot.GetPixel(right_end - 120, origin.y + y);
            for (int x = 0; x < picture.Width(); ++x) {
                bool margin = x < 2 || y < 2 || x >= picture.Width() - 2 || y >= picture.Height() - 2;
                TColor shown = shot.GetPixel(origin.x + x, origin.y + y);
                if (margin)
                    wrong_ground += shown != ground;
                else
                    wrong_face += shown != picture.GetPixel(x, y);
            }
        }
        EXPECT_EQ(wrong_face, 0) << "the title bar button's face";
        EXPECT_EQ(wrong_ground, 0) << "the menu bar's ground round it, not the title bar's";
        EXPECT_GE(origin.y, bar_origin.y);
    }
    // The MacOS bar is pinstriped: a flat square would have shown one colour.
    std::set<TColor> rows;
    Point close = frame->ControlButton(0)->ClientToScreen({ 0, 0 });
    for (int y = 0; y < frame->ControlButton(0)->Height(); ++y)
        rows.insert(shot.GetPixel(right_end - 120, close.y + y));
    EXPECT_GT(rows.size(), 1u);
}

TEST_F(MdiFrameTest, TheMenuBarShowsTheActiveChildsMenuInsteadOfTheFramesOwn)
{
    frame->SetMenu(Menu<TsuiMainMenu>(form, { "&File", "&Window" }));
    Pump();
    EXPECT_EQ(BarCaptions(), (std::vector<std::string> { "&File", "&Window" }));

    TForm* with_menu = Child("own menu");
    with_menu->SetMenu(Menu<TMainMenu>(with_menu, { "&Edit", "&View", "&Help" }));
    TForm* skinned = Child("skinned", true);
    dynamic_cast<TsuiForm*>(skinned->Controls(0))->SetMenu(Menu<TsuiMainMenu>(skinned, { "&Play" }));
    TForm* without = Child("no menu");

    struct Step {
        TForm* activate;
        std::vector<std::string> bar;
    };
    const Step steps[] = {
        { with_menu, { "&Edit", "&View", "&Help" } },
        { skinned, { "&Play" } },
        { without, { "&File", "&Window" } },
        { with_menu, { "&Edit", "&View", "&Help" } },
    };
    for (const Step& s : steps) {
        ws().SendMessage(form->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(s.activate->Handle()), 0);
        Pump();
        EXPECT_EQ(BarCaptions(), s.bar) << s.activate->Caption();
    }
    frame->SetTitleBarDrawChildMenus(false);
    EXPECT_EQ(BarCaptions(), (std::vector<std::string> { "&File", "&Window" }));
    frame->SetTitleBarDrawChildMenus(true);

    // The last child gone, the frame's own menu comes back; without one the bar goes.
    with_menu->Free();
    skinned->Free();
    without->Free();
    Pump();
    EXPECT_EQ(BarCaptions(), (std::vector<std::string> { "&File", "&Window" }));
    frame->SetMenu(nullptr);
    EXPECT_FALSE(frame->MenuPanel().Visible());
}

TEST_F(MdiFrameTest, ShortcutsRunOnlyWhileTheFrameIsActiveAndUnblocked)
{
    auto* menu = Menu<TsuiMainMenu>(form, { "&File" });
    TMenuItem* open = Item(form, menu->Items()->Items(0), "Open");
    open->SetShortCut(ShortCut('O', scCtrl));
    frame->SetMenu(menu);
    Child("a");

    Keys({ { 'O', kModControl } });
    EXPECT_EQ(clicks, (std::vector<std::string> { "Open" }));

    // Another window in front.
    TForm other(nullptr);
    other.Show();
    Pump();
    Keys({ { 'O', kModControl } });
    EXPECT_EQ(clicks.size(), 1u) << "not while another window is active";
    other.Hide();
    form->Show();
    Pump();

    // A modal loop blocks the frame.
    ws().EnableWindow(form->Handle(), false);
    Keys({ { 'O', kModControl } });
    EXPECT_EQ(clicks.size(), 1u) << "not behind a modal window";
    ws().EnableWindow(form->Handle(), true);
    Keys({ { 'O', kModControl } });
    EXPECT_EQ(clicks.size(), 2u);
}

TEST_F(MdiFrameTest, DressesInEveryStyleAndFromAnExportedTheme)
{
    TempFolder folder;
    std::string file = folder.File("exported.sui");
    std::vector<uint8_t> bytes = ExportBuiltInTheme(TsuiUIStyle::WinXP);
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    auto* theme = new TsuiFileTheme(form);
    theme->SetThemeFile(file);
    ASSERT_TRUE(theme->CanUse());
    frame->SetMenu(Menu<TsuiMainMenu>(form, { "&File" }));
    Child("a");

    struct Case {
        TsuiUIStyle style; // the built-in style (or the one exported)
        bool from_file;
    };
    const Case cases[] = {
        { TsuiUIStyle::MacOS, false },
        { TsuiUIStyle::WinXP, false },
        { TsuiUIStyle::DeepBlue, false },
        { TsuiUIStyle::Protein, false },
        { TsuiUIStyle::BlueGlass, false },
        { TsuiUIStyle::WinXP, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(UIStyleNames().Name(static_cast<int>(c.style)) + (c.from_file ? " from a file" : ""));
        frame->SetFileTheme(c.from_file ? theme : nullptr);
        frame->SetUIStyle(c.from_file ? TsuiUIStyle::FromThemeFile : c.style);
        Pump();
        ThemeSource items(nullptr, c.style);
        EXPECT_EQ(frame->BorderColor(), items.Color(ThemeItem::FormBorderColor));
        EXPECT_EQ(frame->BorderWidth(), items.Int(ThemeItem::FormBorderWidthInt));
        EXPECT_EQ(frame->TitleBar().UIStyle(), c.from_file ? TsuiUIStyle::FromThemeFile : c.style);
        int w = form->Width();
        int h = form->Height();
        Point left = ScreenOf(form->Handle(), { 0, 0 });
        Rect outer = ws().GetWindowRect(form->Handle());
        for (int x = 0; x < items.Int(ThemeItem::FormBorderWidthInt); ++x) {
            EXPECT_EQ(PixelAt(form->Handle(), { outer.left - left.x + x, outer.top - left.y + h / 2 }),
                items.Color(ThemeItem::FormBorderColor))
                << "left border " << x;
            EXPECT_EQ(PixelAt(form->Handle(), { outer.left - left.x + w - 1 - x, outer.top - left.y + h / 2 }),
                items.Color(ThemeItem::FormBorderColor))
                << "right border";
        }
        // The menu panel below the title bar, the client below the panel.
        EXPECT_EQ(frame->MenuPanel().Top(), frame->TitleBar().Height());
        EXPECT_EQ(ws().ClientToScreen(form->ClientHandle(), { 0, 0 }).y,
            frame->MenuPanel().ClientToScreen({ 0, frame->MenuPanel().Height() }).y);
    }
}

TEST_F(MdiFrameTest, AFileThemeWithoutAMenuBarColourTakesOneFromItsFontColour)
{
    TempFolder folder;
    struct Case {
        const char* what;
        int32_t control_font;
        std::optional<int32_t> menu_bar;
        TColor expected;
    };
    const Case cases[] = {
        { "dark blue font", 0x030000, std::nullopt, 0x996733 },
        { "blue font", 0x020000, std::nullopt, 0xAC5B3B },
        { "any other font: the background", 0x000000, std::nullopt, 0x123456 },
        { "a colour of its own wins", 0x030000, 0x00FF00, 0x00FF00 },
    };
    // One theme loading file after file: the frame follows each.
    auto* theme = new TsuiFileTheme(form);
    frame->SetFileTheme(theme);
    frame->SetUIStyle(TsuiUIStyle::FromThemeFile);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string file = folder.File(std::string(c.what) + ".sui");
        {
            TsuiThemeFileWriter writer(file);
            writer.AddInteger("FormBackgroundColor", 0x123456);
            writer.AddInteger("FormBorderColor", 0x654321);
            writer.AddInteger("FormBorderWidthInt", 1);
            writer.AddInteger("ControlFontColor", c.control_font);
            if (c.menu_bar)
                writer.AddInteger("MenuMenuBarColor", *c.menu_bar);
            writer.Save();
        }
        theme->SetThemeFile(file);
        ASSERT_TRUE(theme->CanUse());
        EXPECT_EQ(frame->MenuBarColor(), c.expected);
        EXPECT_EQ(frame->BorderColor(), 0x654321);
    }
    // The theme gone, the frame wears DeepBlue.
    theme->Free();
    EXPECT_EQ(frame->FileTheme(), nullptr);
    EXPECT_EQ(frame->UIStyle(), TsuiUIStyle::DeepBlue);
}

TEST_F(MdiFrameTest, ReadFromAWindowDescriptionWithItsChildren)
{
    auto* described = new TForm(nullptr);
    ReadDescription("object MdiForm1: TForm\n"
                    "  Caption = 'Described'\n  ClientHeight = 400\n  ClientWidth = 500\n"
                    "  FormStyle = fsMDIForm\n"
                    "  object suiMDIForm1: TsuiMDIForm\n"
                    "    UIStyle = MacOS\n    Caption = 'Described'\n    TitleBarDrawChildMenus = True\n"
                    "    RoundCorner = 5\n  end\n"
                    "end\n",
        *described);
    described->Show();
    Pump();
    auto* mdi = dynamic_cast<TsuiMDIForm*>(described->FindComponent("suiMDIForm1"));
    ASSERT_NE(mdi, nullptr);
    EXPECT_EQ(GetEnumProp(*mdi, "UIStyle"), "MacOS");
    EXPECT_EQ(GetOrdProp(*mdi, "RoundCorner"), 5);
    EXPECT_EQ(mdi->TitleBar().Caption(), "Described");
    ASSERT_TRUE(MdiClient::IsClient(ws(), described->ClientHandle()));

    auto* child = new TForm(described);
    ReadDescription(
        "object Child1: TForm\n  Caption = 'Child'\n  FormStyle = fsMDIChild\n  Visible = True\nend\n", *child);
    Pump();
    EXPECT_EQ(described->ActiveMDIChild(), child);
    // The client lies below the title bar.
    Point client = ws().ClientToScreen(described->ClientHandle(), { 0, 0 });
    EXPECT_EQ(client.y, mdi->TitleBar().ClientToScreen({ 0, mdi->TitleBar().Height() }).y);
    described->Free();
}

}
}
