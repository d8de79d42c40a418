#include "tests/support/headless_app.h"

#include "platform/base/scope_exit.h"
#include "platform/components/class_registry.h"
#include "platform/components/controls/custom_control.h"
#include "platform/components/controls/graphic_control.h"
#include "platform/components/controls/image_list.h"
#include "platform/components/controls/main_menu.h"
#include "platform/components/description_reader.h"
#include "platform/components/property_access.h"
#include "platform/gfx/system_colors.h"

namespace pellamo::test {
namespace {

class FormTest : public HeadlessAppFixture { };

// A form class as the program writes them: handlers registered, then its
// description read.
class TTestForm : public TForm {
public:
    explicit TTestForm(TComponent* owner)
        : TForm(owner)
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

namespace pellamo::test {
namespace {

TEST_F(FormTest, DesktopCentreAppliesAtFirstShowing)
{
    auto* form = app.CreateForm<TForm>();
    form->SetPosition(TPosition::poDesktopCenter);
    form->SetBounds(0, 0, 640, 435);
    EXPECT_FALSE(ws().IsWindowVisible(form->Handle()));
    form->Show();
    Pump();
    // Work area 1024 x 740.
    EXPECT_EQ(form->Left(), (1024 - 640) / 2);
    EXPECT_EQ(form->Top(), (740 - 435) / 2);
    EXPECT_TRUE(ws().IsWindowVisible(form->Handle()));
    EXPECT_TRUE(form->Active());
    // Moved by hand, hidden and shown again: it stays where it was put.
    form->SetLeft(5);
    form->Hide();
    form->Show();
    EXPECT_EQ(form->Left(), 5);
}

TEST_F(FormTest, ShowModalReturnsTheResultWhenClosed)
{
    auto* main = app.CreateForm<TForm>();
    main->Show();
    auto* dialog = app.CreateForm<TForm>();
    std::vector<std::string> seen;
    loop.Post([&] {
        seen.push_back(dialog->Visible() ? "visible" : "hidden");
        seen.push_back(ws().IsWindowEnabled(main->Handle()) ? "main enabled" : "main disabled");
        dialog->Close();
    });
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    EXPECT_EQ(seen, (std::vector<std::string> { "visible", "main disabled" }));
    EXPECT_FALSE(dialog->Visible());
    EXPECT_TRUE(ws().IsWindowEnabled(main->Handle()));
    EXPECT_FALSE(app.Terminated());

    // A set result ends it too; the same form can be shown again.
    loop.Post([&] { dialog->SetModalResult(mrOk); });
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    dialog->Show();
    EXPECT_THROW(dialog->ShowModal(), std::logic_error);
}

TEST_F(FormTest, CloseAsksCloseQueryAndTheMainFormEndsTheApplication)
{
    auto* main = app.CreateForm<TTestForm>();
    auto* other = app.CreateForm<TTestForm>();
    main->OnCloseQuery.Bind("FormCloseQuery", [main](TObject* s, bool& b) { main->FormCloseQuery(s, b); });
    other->Show();
    other->Close();
    EXPECT_FALSE(other->Visible());
    EXPECT_FALSE(app.Terminated());

    main->Show();
    main->allow_close = false;
    screen.RequestClose(ws().DisplayWindowOf(main->Handle()));
    Pump();
    EXPECT_EQ(main->calls.back(), "closequery");
    EXPECT_TRUE(main->Visible());
    EXPECT_FALSE(app.Terminated());

    main->allow_close = true;
    screen.RequestClose(ws().DisplayWindowOf(main->Handle()));
    Pump();
    EXPECT_TRUE(app.Terminated());
    app.Run(); // returns at once
}

TEST_F(FormTest, RunShowsTheMainFormAndEndsWhenItCloses)
{
    auto* main = app.CreateForm<TForm>();
    app.CreateForm<TForm>(); // not the main form: stays hidden
    loop.Post([&] {
        EXPECT_TRUE(main->Visible());
        main->Close();
    });
    app.Run();
    EXPECT_TRUE(app.Terminated());
    EXPECT_EQ(app.MainForm(), main);
}

TEST_F(FormTest, MinimumSizeHoldsForCodeAndWindowSystem)
{
    auto* form = app.CreateForm<TForm>();
    form->Constraints().SetMinWidth(130);
    form->Constraints().SetMinHeight(50);
    form->SetBounds(0, 0, 20, 20);
    EXPECT_EQ(form->Width(), 130);
    EXPECT_EQ(form->Height(), 50);
    ws().MoveWindow(form->Handle(), 0, 0, 10, 10);
    EXPECT_EQ(ws().GetWindowRect(form->Handle()).Width(), 130);
    EXPECT_EQ(form->Height(), 50);
}

TEST_F(FormTest, BorderStyleKeepsTheOuterSizeAndSetsTheFrame)
{
    auto* form = app.CreateForm<TForm>();
    form->SetBounds(0, 0, 200, 100);
    struct Case {
        TFormBorderStyle style;
        int frame; // each side
        int caption;
    } cases[] = {
        { TFormBorderStyle::bsNone, 0, 0 },
        { TFormBorderStyle::bsDialog, 3, 18 },
        { TFormBorderStyle::bsSizeable, 3, 18 },
    };
    for (const Case& c : cases) {
        form->SetBorderStyle(c.style);
        EXPECT_EQ(form->Width(), 200);
        EXPECT_EQ(form->ClientWidth(), 200 - 2 * c.frame) << static_cast<int>(c.style);
        EXPECT_EQ(form->ClientHeight(), 100 - 2 * c.frame - c.caption) << static_cast<int>(c.style);
    }
    form->SetClientWidth(634);
    EXPECT_EQ(form->ClientWidth(), 634);
}

// A form whose window is a bare pop-up whatever its border style says.
class BareForm : public TForm {
public:
    using TForm::TForm;

protected:
    void CreateParams(TCreateParams& params) override
    {
        TForm::CreateParams(params);
        params.style = WS_POPUP;
    }
};

TEST_F(FormTest, StyleChangesGoThroughCreateParamsAndStayOnTopKeepsTheFormAbove)
{
    auto* bare = app.CreateForm<BareForm>();
    bare->SetBorderStyle(TFormBorderStyle::bsToolWindow);
    bare->SetFormStyle(TFormStyle::fsStayOnTop);
    HWND h = bare->Handle();
    EXPECT_EQ(ws().GetStyle(h) & (WS_POPUP | WS_CAPTION), WS_POPUP);
    EXPECT_EQ(ws().GetExStyle(h) & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST), WS_EX_TOOLWINDOW | WS_EX_TOPMOST);

    bare->SetBounds(0, 0, 50, 50);
    bare->SetVisible(true);
    auto* plain = app.CreateForm<TForm>();
    plain->SetBounds(0, 0, 100, 100);
    plain->Show();
    Pump();
    std::vector<HWND> order = ws().TopLevelWindows();
    EXPECT_EQ(order.back(), h) << "a form shown later stays below";

    bare->SetFormStyle(TFormStyle::fsNormal);
    EXPECT_FALSE(ws().GetExStyle(h) & WS_EX_TOPMOST);
}

}
}

namespace pellamo::test {
namespace {

TEST_F(FormTest, MenuReferenceIsResolvedAndClearedWhenTheMenuGoes)
{
    RegisterClasses({ &TMainMenu::StaticClass() });
    auto* form = app.CreateForm<TForm>();
    std::vector<TComponent*> changes;
    TForm::MenuChangedHandler = [&](TForm& f) { changes.push_back(f.MenuComponent()); };
    // Whatever happens below, no later test calls into this one's frame.
    ScopeExit reset([] { TForm::MenuChangedHandler = nullptr; });
    ReadDescription(R"(
object Form1: TForm
  Menu = MainMenu1
  object MainMenu1: TMainMenu
  end
end)",
        *form);
    TComponent* menu = form->FindComponent("MainMenu1");
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(form->MenuComponent(), menu);
    EXPECT_EQ(form->Menu<TMainMenu>(), menu);
    menu->Free();
    EXPECT_EQ(form->MenuComponent(), nullptr);
    EXPECT_EQ(changes, (std::vector<TComponent*> { menu, nullptr }));
}

}
}
