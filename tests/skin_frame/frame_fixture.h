#pragma once

#include "platform/components/controls/main_menu.h"
#include "platform/components/controls/menu_item.h"
#include "platform/components/controls/tool_button.h"
#include "platform/text/gbk.h"
#include "skin/frame/frame_classes.h"
#include "skin/frame/skin_form.h"
#include "skin/menus/skin_main_menu.h"
#include "tests/support/headless_app.h"

#include <string>
#include <vector>

namespace pellamo::test {

// A shown form at (100, 100), 400 x 300, with a skinned frame on it; the
// menu items record their clicks.
class FrameFixture : public HeadlessAppFixture {
protected:
    FrameFixture()
    {
        RegisterSkinFrameClasses();
        form = app.CreateForm<TForm>();
        form->SetBounds(100, 100, 400, 300);
        form->SetBorderStyle(TFormBorderStyle::bsDialog);
        form->SetCaption("Pellamo");
        frame = new TsuiForm(form);
    }

    void ShowForm()
    {
        form->Show();
        Pump();
    }
    TMenuItem* Item(TMenuItem* parent, const std::string& utf8_caption)
    {
        auto* item = new TMenuItem(form);
        item->SetCaption(Utf8ToGbk(utf8_caption));
        item->OnClick = [this, item](TObject*) { clicks.push_back(GbkToUtf8(item->Caption())); };
        parent->Add(item);
        return item;
    }
    // "&Programmes" (Television, Radio), "&Tools" (one entry), "&Help" (About).
    TsuiMainMenu* AddMenu(TsuiUIStyle style = TsuiUIStyle::MacOS)
    {
        auto* menu = new TsuiMainMenu(form);
        menu->SetUIStyle(style);
        TMenuItem* programmes = Item(menu->Items(), "&Programmes");
        Item(programmes, "Television");
        Item(programmes, "Radio");
        Item(Item(menu->Items(), "&Tools"), "Windows Media Player 9");
        Item(Item(menu->Items(), "&Help"), "About");
        menu->MenuAdded();
        frame->SetMenu(menu);
        return menu;
    }
    HWND Host() { return form->Handle(); }
    // A point of the window in screen coordinates (window coordinates in).
    Point InWindow(Point p) { return { form->Left() + p.x, form->Top() + p.y }; }
    TColor WindowPixel(Point p)
    {
        Pump();
        Point s = InWindow(p);
        return screen.Screenshot().GetPixel(s.x, s.y);
    }
    Point Centre(const Rect& r) const { return { (r.left + r.right) / 2, (r.top + r.bottom) / 2 }; }
    // The centre of a title bar button on the screen.
    Point ButtonOnScreen(int index)
    {
        return frame->TitleBar().ClientToScreen(
            Centre(frame->TitleBar().Layout().buttons.at(static_cast<size_t>(index))));
    }

    TForm* form = nullptr;
    TsuiForm* frame = nullptr;
    std::vector<std::string> clicks;
};

}
