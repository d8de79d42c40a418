#include "tests/support/headless_app.h"

#include "platform/components/controls/label.h"
#include "platform/components/controls/panel.h"
#include "platform/components/description_reader.h"

namespace pellamo::test {
namespace {

class LabelPanelTest : public HeadlessAppFixture {
protected:
    // Bounding box of the pixels near `color` inside `area` (client
    // coordinates); glyph edges are smoothed.
    Rect InkBox(TControl& control, Rect area, TColor color)
    {
        Pump();
        Bitmap shot = screen.Screenshot();
        Rect box;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) {
                Point p = control.ClientToScreen({ x, y });
                TColor c = shot.GetPixel(p.x, p.y);
                int d = std::abs(RedOf(c) - RedOf(color)) + std::abs(GreenOf(c) - GreenOf(color))
                    + std::abs(BlueOf(c) - BlueOf(color));
                if (d < 200)
                    box = box.Union(Rect::FromSize(x, y, 1, 1));
            }
        return box;
    }
};

class TAboutForm : public TForm {
public:
    explicit TAboutForm(TComponent* owner)
        : TForm(owner)
    {
        RegisterMethod("Label4Click", this, &TAboutForm::Label4Click);
    }
    void Label4Click(TObject*) { ++clicks; }
    int clicks = 0;
};

TEST_F(LabelPanelTest, HandCursorLabelClicksAndShowsTheParentThrough)
{
    auto* form = app.CreateForm<TAboutForm>();
    ReadDescription(R"(
object Form2: TForm
  BorderStyle = bsNone
  Left = 0
  Top = 0
  Width = 300
  Height = 130
  Color = clBtnFace
  object Label4: TLabel
    Left = 106
    Top = 96
    Width = 165
    Height = 21
    Cursor = crHandPoint
    Caption = 'www'
    Font.Color = clBlue
    Transparent = True
    OnClick = Label4Click
  end
end)",
        *form);
    auto* label = dynamic_cast<TLabel*>(form->FindComponent("Label4"));
    ASSERT_NE(label, nullptr);
    // AutoSize fitted it to its text.
    EXPECT_LT(label->Width(), 165);
    EXPECT_GT(label->Height(), 5);
    form->Show();
    form->SetColor(clYellow);
    EXPECT_EQ(PixelAt(*label, { label->Width() - 1, 0 }), clYellow);
    EXPECT_FALSE(InkBox(*label, label->ClientRect(), clBlue).IsEmpty());

    auto display = ws().DisplayWindowOf(form->Handle());
    screen.MoveMouse(label->ClientToScreen({ 2, 2 }));
    Pump();
    EXPECT_EQ(screen.Window(display)->cursor, CursorShape::Hand);
    ClickAt(*label, { 2, 2 });
    EXPECT_EQ(form->clicks, 1);
    screen.MoveMouse(form->ClientToScreen({ 5, 5 }));
    Pump();
    EXPECT_EQ(screen.Window(display)->cursor, CursorShape::Arrow);

    label->SetTransparent(false);
    label->SetColor(clWhite);
    EXPECT_EQ(PixelAt(*label, { label->Width() - 1, 0 }), clWhite);
}

TEST_F(LabelPanelTest, PanelCaptionIsCentredAndChildrenStayInsideTheBevel)
{
    auto* form = app.CreateForm<TForm>();
    form->SetBorderStyle(TFormBorderStyle::bsNone);
    form->SetBounds(0, 0, 400, 300);
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetBounds(0, 42, 200, 100);
    panel->SetColor(clWhite);
    panel->Font().SetColor(clBlack);
    panel->SetCaption("\xcd\xf8\xc2\xe7\xb5\xe7\xca\xd3->CCTV-1");
    form->Show();

    Rect ink = InkBox(*panel, { 2, 2, 198, 98 }, clBlack);
    ASSERT_FALSE(ink.IsEmpty());
    int mid_x = (ink.left + ink.right) / 2;
    int mid_y = (ink.top + ink.bottom) / 2;
    EXPECT_NEAR(mid_x, 100, 3);
    EXPECT_NEAR(mid_y, 50, 4);
    // The raised bevel: white-ish top left, grey bottom right.
    EXPECT_EQ(PixelAt(*panel, { 199, 50 }), SystemColors::Resolve(clBtnShadow));

    panel->SetAlignment(TAlignment::taLeftJustify);
    ink = InkBox(*panel, { 2, 2, 198, 98 }, clBlack);
    EXPECT_LE(ink.left, 4);

    auto* child = new TPanel(form);
    child->SetParent(panel);
    child->SetAlign(TAlign::alClient);
    EXPECT_EQ(child->BoundsRect(), Rect::FromSize(1, 1, 198, 98));
}

}
}
