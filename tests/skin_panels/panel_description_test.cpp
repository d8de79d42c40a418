#include "platform/components/description_reader.h"
#include "skin/panels/caption_panel.h"
#include "skin/panels/grip_status_bar.h"
#include "skin/panels/group_box.h"
#include "skin/panels/link_label.h"
#include "skin/panels/panel_classes.h"
#include "skin/panels/picture_panel.h"
#include "tests/skin/skinned_form_fixture.h"

namespace pellamo::test {
namespace {

using S = TsuiUIStyle;

TEST_F(SkinnedFormFixture, DescriptionsNameThePanelsWithTheirStoredValues)
{
    RegisterSkinPanelClasses();
    ReadDescription(R"(
object Form1: TForm
  object suiPanel1: TsuiPanel
    Left = 8
    Top = 42
    Width = 449
    Height = 369
    UIStyle = MacOS
    BorderColor = 8355711
    Caption = 'Channel'
    ShowButton = False
    CaptionFontColor = clBlack
    Color = clWhite
    object Inner: TsuiImagePanel
      Align = alClient
      DrawStyle = suiTile
      Transparent = True
    end
  end
  object suiStatusBar1: TsuiStatusBar
    UIStyle = MacOS
    PanelColor = 15198183
    Color = 15198183
    Panels = <
      item
        Width = 50
      end>
  end
  object Group: TsuiGroupBox
    UIStyle = WinXP
    Caption = 'Choices'
  end
  object Link: TsuiURLLabel
    URL = 'http://www.example.invalid/'
    FontHoverColor = clGreen
  end
end)",
        *form);
    auto* panel = dynamic_cast<TsuiPanel*>(form->FindComponent("suiPanel1"));
    auto* inner = dynamic_cast<TsuiImagePanel*>(form->FindComponent("Inner"));
    auto* bar = dynamic_cast<TsuiStatusBar*>(form->FindComponent("suiStatusBar1"));
    auto* group = dynamic_cast<TsuiGroupBox*>(form->FindComponent("Group"));
    auto* link = dynamic_cast<TsuiURLLabel*>(form->FindComponent("Link"));
    ASSERT_TRUE(panel && inner && bar && group && link);
    EXPECT_EQ(panel->UIStyle(), S::MacOS);
    EXPECT_FALSE(panel->ShowButton());
    EXPECT_EQ(panel->Height(), 369);
    EXPECT_EQ(panel->Caption(), "Channel");
    EXPECT_EQ(inner->Parent(), panel);
    EXPECT_EQ(inner->BoundsRect(), (Rect { 3, 24, 446, 366 })); // below the bar
    EXPECT_EQ(inner->DrawStyle(), TsuiDrawStyle::suiTile);
    EXPECT_TRUE(inner->Transparent());
    EXPECT_EQ(bar->PanelColor(), 15198183);
    EXPECT_EQ(bar->Panels().Count(), 1);
    EXPECT_EQ(group->Caption(), "Choices");
    EXPECT_EQ(group->TControl::Caption(), " ");
    EXPECT_EQ(group->BorderColor(), 0x686868);
    EXPECT_EQ(link->URL(), "http://www.example.invalid/");
    EXPECT_EQ(link->FontHoverColor(), clGreen);
}

}
}
