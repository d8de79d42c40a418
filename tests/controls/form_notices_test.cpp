// What a form tells its controls besides messages: where the focus went and
// which accelerator was typed; and controls whose own handlers free them.

#include "tests/support/headless_app.h"

#include "platform/components/controls/button.h"
#include "platform/components/controls/custom_control.h"
#include "platform/components/controls/panel.h"

#include <functional>
#include <string>
#include <vector>

namespace pellamo::test {
namespace {

// Records what the form offers it; takes the accelerator `key` when it has one.
class NoticeControl : public TCustomControl {
public:
    explicit NoticeControl(TComponent* owner)
        : TCustomControl(owner)
    {
        SetTabStop(true);
    }

    char16_t key = 0;
    std::vector<TWinControl*> focus_notices;
    std::u16string offered;

    void FocusChanged(TWinControl* focused) override { focus_notices.push_back(focused); }
    bool DialogChar(char16_t ch) override
    {
        offered += ch;
        return key != 0 && ch == key;
    }
};

class FormNoticesTest : public HeadlessAppFixture {
protected:
    TForm* form = nullptr;
    void SetUp() override
    {
        form = app.CreateForm<TForm>();
        form->SetBounds(0, 0, 300, 200);
    }
    template <class T> T* Add(TWinControl* parent, int left)
    {
        auto* c = new T(form);
        c->SetParent(parent);
        c->SetBounds(left, 10, 60, 25);
        return c;
    }
};

TEST_F(FormNoticesTest, EveryControlHearsWhereTheFocusWent)
{
    auto* panel = Add<TPanel>(form, 10);
    panel->SetBounds(10, 10, 200, 100);
    auto* first = Add<NoticeControl>(form, 220);
    auto* inner = Add<NoticeControl>(panel, 10);
    form->Show();
    first->SetFocus();
    Pump();
    first->focus_notices.clear();
    inner->focus_notices.clear();

    inner->SetFocus();
    screen.PressKey(VK_TAB);
    Pump();
    ClickAt(*inner, { 5, 5 });
    // Each move is told once, to controls inside other controls too.
    std::vector<TWinControl*> expected { inner, first, inner };
    EXPECT_EQ(first->focus_notices, expected);
    EXPECT_EQ(inner->focus_notices, expected);
}

TEST_F(FormNoticesTest, AltWithALetterGoesToTheFirstShownControlThatTakesIt)
{
    auto* panel = Add<TPanel>(form, 10);
    panel->SetBounds(10, 10, 200, 100);
    auto* hidden = Add<NoticeControl>(panel, 10);
    hidden->key = u'o';
    hidden->Hide();
    auto* inner = Add<NoticeControl>(panel, 80);
    inner->key = u'o';
    auto* later = Add<NoticeControl>(form, 220);
    later->key = u'o';
    auto* other = Add<NoticeControl>(form, 220);
    form->Show();
    other->SetFocus();
    Pump();

    screen.PressKey('O', kModAlt);
    Pump();
    EXPECT_EQ(hidden->offered, u"");
    EXPECT_EQ(inner->offered, u"o");
    EXPECT_EQ(later->offered, u""); // taken before its turn

    // Nobody takes x: every shown control is asked, and typing goes on.
    screen.PressKey('X', kModAlt);
    Pump();
    EXPECT_EQ(later->offered, u"x");
    EXPECT_EQ(other->offered, u"x");
    // Without Alt a letter is plain typing.
    screen.PressKey('O');
    Pump();
    EXPECT_EQ(other->offered, u"x");
}

TEST_F(FormNoticesTest, ClickHandlersMayFreeTheirOwnButton)
{
    form->Show();
    struct Case {
        const char* what;
        std::function<void(TButton&)> act;
    } cases[] = {
        { "mouse",
            [&](TButton& b) {
                screen.Click(b.ClientToScreen({ 5, 5 }));
            } },
        { "Space",
            [&](TButton& b) {
                b.SetFocus();
                screen.PressKey(VK_SPACE);
            } },
        { "Enter on the focused button",
            [&](TButton& b) {
                b.SetFocus();
                screen.PressKey(VK_RETURN);
            } },
        { "Esc on the form",
            [&](TButton& b) {
                b.SetCancel(true);
                form->SetFocus();
                screen.PressKey(VK_ESCAPE);
            } },
    };
    for (const Case& c : cases) {
        auto* button = Add<TButton>(form, 10);
        button->SetModalResult(mrOk);
        auto alive = button->AliveFlag();
        button->OnClick = [button](TObject*) { button->Free(); };
        Pump();
        c.act(*button);
        Pump();
        EXPECT_FALSE(*alive) << c.what;
    }
    // The same for a key handler.
    auto* control = Add<NoticeControl>(form, 10);
    auto alive = control->AliveFlag();
    control->OnKeyDown = [control](TObject*, UINT&, TShiftState) { control->Free(); };
    control->SetFocus();
    screen.PressKey('A');
    Pump();
    EXPECT_FALSE(*alive);
}

}
}
