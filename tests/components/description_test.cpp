#include "platform/components/class_info.h"
#include "platform/components/class_registry.h"
#include "platform/components/component_errors.h"
#include "platform/components/description_reader.h"
#include "platform/components/description_writer.h"
#include "platform/components/property_access.h"
#include "platform/components/props.h"
#include "tests/components/sample_classes.h"

#include <gtest/gtest.h>

namespace pellamo {
namespace {

using sample::Control;
using sample::Form;

class DescriptionTest : public ::testing::Test {
protected:
    void SetUp() override { sample::RegisterSampleClasses(); }

    Control* Get(const char* name) { return dynamic_cast<Control*>(form->FindComponent(name)); }

    ComponentPtr<Form> form { new Form() };
};

// A window with nested controls, every kind of value, references that
// point forwards and backwards, and event handlers.
const char* const kWindow = R"(object MainForm: TFormSample
  Caption = 'Pellamo '#13#10'TV'   // pieces joined
  ActiveControl = Button1          // defined further down
  OnCreate = FormCreate
  object Panel1: TControlSample
    Left = 10
    Top = -11
    Align = alClient
    Color = clBtnFace
    Anchors = [akLeft, AKRIGHT]
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    Font.Color = $00E7E7E7
    Lines = ('first' 'it''s'
      'third')
    Panels = <
      item
        Width = 120
        Link = Button1
      end
      item
        Text = 'two'
      end>
    Data = {0E000000 0100
            FF}
    object Button1: TButtonSample
      Caption = 'OK' + ' now'
      Default = True
      Buddy = Panel1
      OnClick = ButtonClick
      OnMove = ControlMove
    end
  end
  object Edit1: TControlSample
    Visible = False
    Color = 15198183
    Buddy = nil
  end
end
)";

TEST_F(DescriptionTest, BuildsTheNestedWindowWithAllKindsOfValues)
{
    ReadDescription(kWindow, *form);

    EXPECT_EQ(form->Name(), "MainForm");
    EXPECT_EQ(form->caption, "Pellamo \r\nTV");
    ASSERT_EQ(form->ComponentCount(), 3);
    Control* panel = Get("Panel1");
    Control* button = Get("button1");
    Control* edit = Get("Edit1");
    ASSERT_TRUE(panel && button && edit);
    EXPECT_EQ(button->ClassName(), "TButtonSample");

    // Nesting: the form adopted Panel1 and Edit1, the panel Button1; all
    // are owned by the form.
    EXPECT_EQ(form->children, (std::vector<TComponent*> { panel, edit }));
    EXPECT_EQ(panel->children, std::vector<TComponent*> { button });
    EXPECT_EQ(button->Owner(), form.get());

    EXPECT_EQ(panel->Left(), 10);
    EXPECT_EQ(panel->top, -11);
    EXPECT_EQ(panel->align, sample::Align::alClient);
    EXPECT_EQ(panel->color, clBtnFace);
    EXPECT_EQ(panel->anchors, (sample::Anchors { sample::AnchorKind::akLeft, sample::AnchorKind::akRight }));
    EXPECT_EQ(panel->font.name, "Tahoma");
    EXPECT_EQ(panel->font.style, sample::FontStyles { sample::FontStyle::fsBold });
    EXPECT_EQ(panel->font.color, 0xE7E7E7);
    EXPECT_EQ(panel->lines.ToVector(), (std::vector<std::string> { "first", "it's", "third" }));
    EXPECT_EQ(panel->data, (Bytes { 0x0E, 0, 0, 0, 0x01, 0x00, 0xFF }));
    ASSERT_EQ(panel->panels.Count(), 2);
    EXPECT_EQ(panel->panels.ItemAs<sample::PanelItem>(0)->width, 120);
    EXPECT_EQ(panel->panels.ItemAs<sample::PanelItem>(0)->link, button);
    EXPECT_EQ(panel->panels.ItemAs<sample::PanelItem>(1)->text, "two");
    EXPECT_EQ(button->caption, "OK now");
    EXPECT_TRUE(dynamic_cast<sample::Button*>(button)->is_default);
    EXPECT_FALSE(edit->visible);
    EXPECT_EQ(edit->color, 15198183);

    // References resolved in both directions.
    EXPECT_EQ(form->active, button);
    EXPECT_EQ(button->Buddy(), panel);
    EXPECT_EQ(edit->Buddy(), nullptr);

    // Events bound to the form's handlers, with their names kept.
    button->OnClick(button);
    button->OnMove(button, 7);
    form->OnCreate(form.get());
    EXPECT_EQ(form->calls, (std::vector<std::string> { "ButtonClick Button1", "ControlMove 7", "FormCreate" }));
    EXPECT_EQ(GetEventHandlerName(*button, "onclick"), "ButtonClick");
}

TEST_F(DescriptionTest, LoadedComesOnceAfterReferencesWithLoadingCleared)
{
    ReadDescription(kWindow, *form);
    for (const char* name : { "Panel1", "Button1", "Edit1" }) {
        Control* c = Get(name);
        EXPECT_EQ(std::count(c->log.begin(), c->log.end(), "loaded"), 1) << name;
        EXPECT_EQ(std::count(c->log.begin(), c->log.end(), "loaded while loading"), 0) << name;
        EXPECT_FALSE(c->HasState(csLoading | csReading)) << name;
    }
    EXPECT_FALSE(form->HasState(csLoading | csReading));
}

TEST_F(DescriptionTest, UsesAComponentTheRootAlreadyOwns)
{
    auto* existing = new Control(form.get());
    existing->SetName("Edit1");
    existing->caption = "kept";
    ReadDescription(kWindow, *form);
    EXPECT_EQ(Get("Edit1"), existing);
    EXPECT_EQ(existing->caption, "kept");
    EXPECT_FALSE(existing->visible);
    EXPECT_EQ(form->ComponentCount(), 3);
}

// Every kind of fault, with the line it is reported on.
TEST_F(DescriptionTest, ReportsFaultsWithLineAndReason)
{
    struct Case {
        const char* text;
        int line;
        const char* reason_part;
    };
    const Case cases[] = {
        { "", 1, "starts with \"object\"" },
        { "object F: TFormSample\n  Caption = 'open\nend\n", 2, "unterminated string" },
        { "object F: TFormSample\nobject B: TNoSuchClass\nend\nend", 2, "unknown class TNoSuchClass" },
        { "object F: TFormSample\nobject B: TAbstractSample\nend\nend", 2, "cannot be created" },
        { "object F: TFormSample\n\n  Colour = 5\nend", 3, "unknown property \"Colour\" in TFormSample" },
        { "object F: TFormSample\nobject B: TControlSample\nFont.Size = 8\nend\nend", 3, "\"Font.Size\"" },
        { "object F: TFormSample\nobject B: TControlSample\nLeft.X = 8\nend\nend", 3, "not an object" },
        { "object F: TFormSample\nCaption = 5\nend", 2, "property Caption is a string, not an integer" },
        { "object F: TFormSample\nobject B: TControlSample\nLeft = 'x'\nend\nend", 3, "is an integer, not a string" },
        { "object F: TFormSample\nobject B: TControlSample\nWidth = 40000\nend\nend", 3, "out of range" },
        { "object F: TFormSample\nobject B: TControlSample\nVisible = 1\nend\nend", 3, "True or False" },
        { "object F: TFormSample\nobject B: TControlSample\nAlign = alMiddle\nend\nend", 3, "not a value of TAlign" },
        { "object F: TFormSample\nobject B: TControlSample\nAnchors = [akLeft, akNorth]\nend\nend", 3, "akNorth" },
        { "object F: TFormSample\nobject B: TControlSample\nColor = clPink\nend\nend", 3, "unknown colour clPink" },
        { "object F: TFormSample\nobject B: TControlSample\nColor = $1FFFFFFFF\nend\nend", 3, "out of range" },
        { "object F: TFormSample\nobject B: TControlSample\nData = {0E0}\nend\nend", 3, "odd number of hex digits" },
        { "object F: TFormSample\nobject B: TControlSample\nData = {0E\n0G}\nend\nend", 4, "bad hex digit 'G'" },
        { "object F: TFormSample\nobject B: TControlSample\nData = {0E\n\n", 3, "unterminated binary" },
        { "object F: TFormSample\nobject B: TControlSample\nFont = 'x'\nend\nend", 3, "is an object" },
        { "object F: TFormSample\nobject B: TControlSample\nLines = ('a' 5)\nend\nend", 3, "holds strings" },
        { "object F: TFormSample\nobject B: TControlSample\nPanels = <item Size = 1 end>\nend\nend", 3,
            "unknown property \"Size\" in TPanelItem" },
        { "object F: TFormSample\nobject B: TControlSample\nPanels = <item\nend\n", 5, "\"item\" or '>' expected" },
        { "object F: TFormSample\nobject B: TControlSample\nLeft = 1\n", 4,
            "missing \"end\" of object B (begun on line 2)" },
        { "object F: TFormSample\nend\nend\n", 3, "text after the end" },
        { "object F: TFormSample\nobject B: TControlSample\nend\nobject b: TControlSample\nend\nend", 4,
            "duplicate component name b" },
        { "object F: TFormSample\nobject B: TControlSample\nend\nCaption = 'x'\nend", 4, "properties come first" },
        { "object F: TFormSample\n\nActiveControl = Nobody\nend", 3, "unknown component Nobody" },
        { "object F: TFormSample\nActiveControl = F\nend", 2,
            "F is a TFormSample; ActiveControl needs a TControlSample" },
        { "object F: TFormSample\nOnCreate = NoHandler\nend", 2, "no handler named NoHandler" },
        { "object F: TFormSample\nOnCreate = ControlMove\nend", 2, "does not fit event OnCreate" },
        { "object F: TOtherForm\nend", 1, "for a TOtherForm, not a TFormSample" },
        { "object 1F: TFormSample\nend", 1, "bad number" },
        { "object F: TFormSample\nobject B: TControlSample\nLeft = 99999999999999999999\nend\nend", 3,
            "number too large" },
        { "object F: TFormSample\nCaption = #300\nend", 2, "character code out of range" },
        { "object F: TFormSample\nCaption = 'a' +\nend", 3, "string expected after '+'" },
        { "object F: TFormSample\nCaption =\nend", 3, "value expected" },
        { "object F: TFormSample\nCaption = 'x' ; \nend", 2, "unexpected ';'" },
        { "object F: TFormSample\nFont. = 1\nend", 2, "bad name" },
        { "object F: TFormSample\nobject B: TControlSample\nName = 'C'\nend\nend", 3, "object line" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ComponentPtr<Form> f(new Form());
        try {
            ReadDescription(c.text, *f);
            ADD_FAILURE() << "no error";
        } catch (const EDescriptionError& e) {
            EXPECT_EQ(e.Line(), c.line) << e.what();
            EXPECT_NE(e.Reason().find(c.reason_part), std::string::npos) << e.what();
        }
        // What was created before the fault is gone again.
        EXPECT_EQ(f->ComponentCount(), 0);
        EXPECT_FALSE(f->HasState(csLoading | csReading));
    }
}

TEST_F(DescriptionTest, FloatsReadWithAPointOrAnExponentAndWriteBackTheSame)
{
    struct Case {
        const char* literal;
        double value;
    } cases[] = {
        { "3.14", 3.14 }, { "-0.5", -0.5 }, { "1.5E+10", 1.5e10 }, { "2e-3", 0.002 },
        { "7", 7.0 }, // an integer does for a float
        { "1E-400", 0.0 }, // too small for a double
    };
    for (const Case& c : cases) {
        ComponentPtr<Form> f(new Form());
        ReadDescription(
            std::string("object F: TFormSample\nobject B: TControlSample\nScale = ") + c.literal + "\nend\nend", *f);
        auto* b = dynamic_cast<Control*>(f->FindComponent("B"));
        ASSERT_NE(b, nullptr);
        EXPECT_DOUBLE_EQ(b->scale, c.value) << c.literal;
        EXPECT_DOUBLE_EQ(GetFloatProp(*b, "Scale"), c.value);
    }
    for (double v : { 0.1, 3.0, -2.5e300, 1e-7 }) {
        ComponentPtr<Form> f(new Form());
        f->SetName("F");
        auto* b = new Control(f.get());
        b->SetName("B");
        SetFloatProp(*b, "Scale", v);
        std::string text = WriteDescription(*f);
        ComponentPtr<Form> copy(new Form());
        ReadDescription(text, *copy);
        EXPECT_EQ(dynamic_cast<Control*>(copy->FindComponent("B"))->scale, v) << text;
    }

    const std::pair<const char*, const char*> faults[] = {
        { "Scale = 1E400", "number too large" },
        { "Scale = 'x'", "floating-point number, not a string" },
        { "Scale = 1.2.3", "bad number" },
        { "Scale = 1.5x", "bad number" },
        { "Left = 1.5", "is an integer, not a floating-point number" },
    };
    for (auto [line, reason] : faults) {
        ComponentPtr<Form> f(new Form());
        try {
            ReadDescription(std::string("object F: TFormSample\nobject B: TControlSample\n") + line + "\nend\nend", *f);
            ADD_FAILURE() << line;
        } catch (const EDescriptionError& e) {
            EXPECT_NE(e.Reason().find(reason), std::string::npos) << line << ": " << e.what();
        }
    }
    EXPECT_THROW(SetFloatProp(*form, "Caption", 1.0), EPropertyError);
}

TEST_F(DescriptionTest, NestingIsBounded)
{
    std::string deep = "object F: TFormSample\n";
    for (int i = 0; i < 200; ++i)
        deep += "object C" + std::to_string(i) + ": TControlSample\n";
    EXPECT_THROW(ReadDescription(deep, *form), EDescriptionError);
    EXPECT_EQ(form->ComponentCount(), 0);

    std::string lists = "object F: TFormSample\nCaption = " + std::string(200, '(') + "\nend";
    EXPECT_THROW(ReadDescription(lists, *form), EDescriptionError);
}

TEST_F(DescriptionTest, LaterCollectionReplacesEarlierWithoutStaleReferences)
{
    // The first Panels value refers forwards to Button1; reading Panels
    // again frees those items, so that reference must not be resolved.
    ReadDescription(R"(object F: TFormSample
  object P: TControlSample
    Panels = <item Link = B end>
    Panels = <item Width = 3 end item end>
  end
  object B: TControlSample
  end
end)",
        *form);
    Control* p = Get("P");
    ASSERT_EQ(p->panels.Count(), 2);
    EXPECT_EQ(p->panels.ItemAs<sample::PanelItem>(0)->width, 3);
    EXPECT_EQ(p->panels.ItemAs<sample::PanelItem>(0)->link, nullptr);
}

// A component whose property frees another component of its owner, as
// component code run by a setter might.
class Killer : public TComponent {
public:
    using TComponent::TComponent;
    static const ClassInfo& StaticClass()
    {
        static const ClassInfo info("TKillerSample", &TComponent::StaticClass(),
            { props::Str<Killer>("Kill", &Killer::Victim, &Killer::Kill) }, FactoryOf<Killer>());
        return info;
    }
    const ClassInfo& Class() const override { return StaticClass(); }
    std::string Victim() const { return {}; }
    void Kill(const std::string& name)
    {
        if (TComponent* c = Owner()->FindComponent(name))
            c->Free();
    }
};

TEST_F(DescriptionTest, SurvivesComponentsFreedWhileReading)
{
    RegisterClass(Killer::StaticClass());
    // A is freed after its properties were read: its pending reference is
    // dropped, it gets no Loaded, the rest loads.
    ReadDescription(R"(object F: TFormSample
  object A: TControlSample
    Buddy = B
  end
  object B: TControlSample
  end
  object K: TKillerSample
    Kill = 'A'
  end
end)",
        *form);
    EXPECT_EQ(form->FindComponent("A"), nullptr);
    ASSERT_NE(Get("B"), nullptr);
    EXPECT_EQ(Get("B")->log.back(), "loaded");

    // K frees itself and then has more properties to read.
    ComponentPtr<Form> other(new Form());
    EXPECT_THROW(
        ReadDescription("object F: TFormSample\nobject K: TKillerSample\nKill = 'K'\nKill = 'x'\nend\nend", *other),
        EDescriptionError);
    EXPECT_EQ(other->ComponentCount(), 0);
}

TEST_F(DescriptionTest, GbkTextPassesThroughAsBytes)
{
    // "网络电视" in GBK, once as it is and once as #codes.
    const std::string gbk = "\xCD\xF8\xC2\xE7\xB5\xE7\xCA\xD3";
    ReadDescription("object F: TFormSample\nCaption = '" + gbk + "'#205#248\nend", *form);
    EXPECT_EQ(form->caption, gbk + "\xCD\xF8");
}

TEST_F(DescriptionTest, WriterOutputReadsBackToTheSameDescription)
{
    ReadDescription(kWindow, *form);
    form->caption = "quote ' tab\t \xCD\xF8 end";
    Bytes tree(100);
    for (size_t i = 0; i < tree.size(); ++i)
        tree[i] = static_cast<std::uint8_t>(i * 37);
    Get("Edit1")->data = tree; // long enough to span lines
    Get("Edit1")->SetTag(-3);
    std::string first = WriteDescription(*form);

    ComponentPtr<Form> copy(new Form());
    ReadDescription(first, *copy);
    EXPECT_EQ(WriteDescription(*copy), first);
    EXPECT_EQ(copy->caption, form->caption);
    auto* panel = dynamic_cast<Control*>(copy->FindComponent("Panel1"));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->data, (Bytes { 0x0E, 0, 0, 0, 0x01, 0x00, 0xFF }));
    EXPECT_EQ(panel->children.size(), 1u);
    EXPECT_EQ(dynamic_cast<Control*>(copy->FindComponent("Edit1"))->data, tree);
    EXPECT_EQ(copy->FindComponent("Edit1")->Tag(), -3);
    EXPECT_NE(first.find("OnClick = ButtonClick"), std::string::npos);
    EXPECT_NE(first.find("Default = True"), std::string::npos);

    // A property whose stored test fails is left out.
    dynamic_cast<sample::Button*>(Get("Button1"))->is_default = false;
    EXPECT_EQ(WriteDescription(*form).find("Default ="), std::string::npos);
}

}
}
