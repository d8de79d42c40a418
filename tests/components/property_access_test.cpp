#include "platform/components/class_info.h"
#include "platform/components/component_errors.h"
#include "platform/components/property_access.h"
#include "platform/text/same_text.h"
#include "tests/components/sample_classes.h"

#include <gtest/gtest.h>

namespace pellamo {
namespace {

using sample::Control;
using sample::Form;

class PropertyAccessTest : public ::testing::Test {
protected:
    ComponentPtr<Form> form { new Form() };
    Control* c = MakeIn(form.get());

    static Control* MakeIn(Form* f)
    {
        auto* control = new Control(f);
        control->SetName("C");
        return control;
    }
};

TEST_F(PropertyAccessTest, ReadsAndWritesEachKindByNameIgnoringCase)
{
    SetOrdProp(*c, "LEFT", -5);
    EXPECT_EQ(c->Left(), -5);
    EXPECT_EQ(GetOrdProp(*c, "left"), -5);

    SetEnumProp(*c, "align", "ALCLIENT");
    EXPECT_EQ(c->align, sample::Align::alClient);
    EXPECT_EQ(GetEnumProp(*c, "Align"), "alClient");

    SetEnumProp(*c, "Visible", "false");
    EXPECT_FALSE(c->visible);
    EXPECT_EQ(GetEnumProp(*c, "Visible"), "False");

    SetSetProp(*c, "Anchors", "[ akRight , akBottom ]");
    EXPECT_EQ(c->anchors, (sample::Anchors { sample::AnchorKind::akRight, sample::AnchorKind::akBottom }));
    EXPECT_EQ(GetSetProp(*c, "Anchors"), "[akRight,akBottom]");
    SetSetProp(*c, "Anchors", "[]");
    EXPECT_TRUE(c->anchors.Empty());

    SetOrdProp(*c, "Color", clWhite);
    EXPECT_EQ(c->color, clWhite);

    SetStrProp(*c, "Caption", "\xCD\xF8");
    EXPECT_EQ(GetStrProp(*c, "caption"), "\xCD\xF8");

    SetBinaryProp(*c, "Data", Bytes { 1, 2 });
    EXPECT_EQ(GetBinaryProp(*c, "Data"), (Bytes { 1, 2 }));

    EXPECT_EQ(GetObjectProp(*c, "Font"), &c->font);
    EXPECT_EQ(GetObjectProp(*c, "Panels"), &c->panels);
}

TEST_F(PropertyAccessTest, DottedPathsReachSubObjects)
{
    SetStrProp(*c, "Font.Name", "Tahoma");
    SetSetProp(*c, "font.style", "[fsBold]");
    EXPECT_EQ(c->font.name, "Tahoma");
    EXPECT_TRUE(c->font.style.Contains(sample::FontStyle::fsBold));
    EXPECT_TRUE(IsPublishedProp(*c, "Font.Height"));
    EXPECT_FALSE(IsPublishedProp(*c, "Font.Size"));
    EXPECT_FALSE(IsPublishedProp(*c, "Left.Value"));
}

TEST_F(PropertyAccessTest, InheritedListKeepsOrderAndRedeclarations)
{
    const auto& props = sample::Button::StaticClass().Props();
    std::vector<std::string> names;
    for (const PropInfo* p : props)
        names.push_back(p->name);
    // Name from TComponent first; Width redeclared in place; Default added last.
    ASSERT_GE(names.size(), 4u);
    EXPECT_EQ(names.front(), "Name");
    EXPECT_EQ(names.back(), "Default");
    EXPECT_EQ(std::count(names.begin(), names.end(), "Width"), 1);
    EXPECT_NE(sample::Button::StaticClass().FindProp("width"), Control::StaticClass().FindProp("width"));
}

TEST_F(PropertyAccessTest, MistakesThrowWithClearMessages)
{
    struct Case {
        const char* what;
        std::function<void()> call;
        const char* message_part;
    };
    const Case cases[] = {
        { "missing name", [&] { GetOrdProp(*c, "Colour"); }, "\"Colour\" does not exist in TControlSample" },
        { "missing inner name", [&] { SetStrProp(*c, "Font.Face", "x"); }, "\"Font.Face\" does not exist" },
        { "ordinal as string", [&] { GetStrProp(*c, "Left"); }, "is an integer, not a string" },
        { "string as ordinal", [&] { SetOrdProp(*c, "Caption", 1); }, "is a string, not an ordinal" },
        { "enum name of int", [&] { SetEnumProp(*c, "Left", "alTop"); }, "not an enumeration" },
        { "unknown value name", [&] { SetEnumProp(*c, "Align", "alMiddle"); }, "not a value of TAlign" },
        { "bad Boolean", [&] { SetEnumProp(*c, "Visible", "yes"); }, "not a Boolean value" },
        { "enum ordinal out of range", [&] { SetOrdProp(*c, "Align", 6); }, "out of range" },
        { "narrow integer out of range", [&] { SetOrdProp(*c, "Width", 70000); }, "out of range" },
        { "set bit beyond values", [&] { SetOrdProp(*c, "Anchors", 16); }, "out of range" },
        { "set without brackets", [&] { SetSetProp(*c, "Anchors", "akLeft"); }, "not a set" },
        { "set with unknown value", [&] { SetSetProp(*c, "Anchors", "[akLeft,akUp]"); }, "akUp" },
        { "set with empty value", [&] { SetSetProp(*c, "Anchors", "[akLeft,]"); }, "Missing value" },
        { "reference of wrong class", [&] { SetComponentProp(*c, "Buddy", form.get()); }, "needs a TControlSample" },
        { "path through non-object", [&] { GetOrdProp(*c, "Left.X"); }, "not an object" },
        { "missing handler", [&] { SetEventProp(*c, "OnClick", *form, "Nothing"); }, "no handler named Nothing" },
        { "handler of other signature", [&] { SetEventProp(*c, "OnClick", *form, "ControlMove"); }, "does not fit" },
        { "event as string", [&] { GetStrProp(*c, "OnClick"); }, "is an event, not a string" },
    };
    for (const Case& k : cases) {
        try {
            k.call();
            ADD_FAILURE() << k.what << ": no error";
        } catch (const EPropertyError& e) {
            EXPECT_NE(std::string(e.what()).find(k.message_part), std::string::npos) << k.what << ": " << e.what();
        }
    }
    // Nothing was changed by the failed writes.
    EXPECT_EQ(c->width, 100);
    EXPECT_EQ(c->align, sample::Align::alNone);
}

TEST_F(PropertyAccessTest, EventsBindToRegisteredHandlersAndClear)
{
    SetEventProp(*c, "OnMove", *form, "controlmove");
    c->OnMove(c, 3);
    EXPECT_EQ(form->calls, std::vector<std::string> { "ControlMove 3" });
    EXPECT_EQ(GetEventHandlerName(*c, "OnMove"), "controlmove");

    SetEventProp(*c, "OnMove", *form, "");
    EXPECT_FALSE(c->OnMove);
    c->OnMove(c, 4); // no handler: nothing happens
    EXPECT_EQ(form->calls.size(), 1u);
}

TEST_F(PropertyAccessTest, ColourNamesAndValues)
{
    struct Case {
        const char* name;
        TColor value;
    };
    const Case cases[] = {
        { "clBlack", 0 },
        { "clWhite", 0xFFFFFF },
        { "clNavy", 0x800000 },
        { "CLBTNFACE", static_cast<TColor>(0x8000000F) },
        { "clInactiveCaption", static_cast<TColor>(0x80000003) },
        { "clNone", 0x1FFFFFFF },
    };
    for (const Case& k : cases) {
        EXPECT_EQ(ColorFromName(k.name), k.value) << k.name;
        EXPECT_TRUE(SameText(ColorName(k.value), k.name)) << k.name;
    }
    EXPECT_FALSE(ColorFromName("clPink"));
    EXPECT_EQ(ColorName(0x123456), "");
}

}
}
