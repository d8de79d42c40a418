#include "tests/controls/controls_fixture.h"

#include "platform/components/controls/custom_control.h"
#include "platform/components/controls/graphic_control.h"
#include "platform/components/description_reader.h"
#include "platform/components/property_access.h"
#include "platform/gfx/system_colors.h"

namespace pellamo::test {
namespace {

class FormTest : public ControlsFixture {};

// A form class as the program writes them: handlers registered, then its
// description read.
class TTestForm : public TForm {
public:
    explicit TTestForm(TComponent* owner) : TForm(owner)
    {
        RegisterMethod("FormCreate", this, &TTestForm::FormCreate);
        RegisterMethod("FormCloseQuery", this, &TTestForm::FormCloseQuery);
    }
    void FormCreate(TObject*) { calls.push_back("create"); }
    void FormCloseQuery(TObject*, bool& can_close)
    {
        calls.push_back("closequery");
        can_close = allow_close;
    }
    std::vector<std::string> calls;
    bool allow_close = true;
};

TEST_F(FormTest, ReadsDescriptionWithNestedControlsAndRunsOnCreateOnce)
{
    ComponentPtr<TTestForm> form(new TTestForm(nullptr));
    ReadDescription(R"(
object Form1: TForm
  Left = 10
  Top = 20
  BorderStyle = bsDialog
  Caption = 'Pellamo'
  ClientWidth = 300
  ClientHeight = 200
  Color = clBtnFace
  OnCreate = FormCreate
  object Top1: TCustomControl
    Height = 30
    Align = alTop
  end
  object Client1: TCustomControl
    Align = alClient
  end
end)",
        *form);
    EXPECT_EQ(form->calls, std::vector<std::string> { "create" });
    form->DoCreate();
    EXPECT_EQ(form->calls.size(), 1u);
    EXPECT_EQ(form->ClientWidth(), 300);
    EXPECT_EQ(form->ClientHeight(), 200);
    EXPECT_EQ(GetStrProp(*form, "Caption"), "Pellamo");
    EXPECT_EQ(ws().GetWindowText(form->Handle()), "Pellamo");
    EXPECT_TRUE(ws().GetExStyle(form->Handle()) & WS_EX_DLGMODALFRAME);
    auto* top = dynamic_cast<TControl*>(form->FindComponent("Top1"));
    auto* client = dynamic_cast<TControl*>(form->FindComponent("Client1"));
    ASSERT_TRUE(top && client);
    EXPECT_EQ(top->Parent(), form.get());
    EXPECT_EQ(top->BoundsRect(), Rect::FromSize(0, 0, 300, 30));
    EXPECT_EQ(client->BoundsRect(), Rect::FromSize(0, 30, 300, 170));
}

}
}
