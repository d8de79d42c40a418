// A form description with the main window's kinds of tree and menu: the
// stored tree comes in through Items.Data, menu items nest, handlers bind.

#include "tests/controls/shown_form_fixture.h"

#include "catalogue/builtin_catalogue.h"
#include "platform/components/controls/main_menu.h"
#include "platform/components/controls/menu_bar.h"
#include "platform/components/controls/tree_menu_classes.h"
#include "platform/components/controls/tree_view.h"
#include "platform/components/description_reader.h"
#include "platform/components/description_writer.h"

#include <cstdio>

namespace pellamo::test {
namespace {

class TreeMenuForm : public TForm {
public:
    explicit TreeMenuForm(TComponent* owner)
        : TForm(owner)
    {
        RegisterMethod("TreeView1Change", this, &TreeMenuForm::TreeView1Change);
        RegisterMethod("N2Click", this, &TreeMenuForm::N2Click);
    }
    void TreeView1Change(TObject*, TTreeNode* node) { changed.push_back(node); }
    void N2Click(TObject*) { ++n2_clicks; }
    std::vector<TTreeNode*> changed;
    int n2_clicks = 0;
};

std::string Hex(std::span<const uint8_t> bytes)
{
    std::string out;
    char buf[3];
    for (uint8_t b : bytes) {
        std::snprintf(buf, sizeof buf, "%02X", b);
        out += buf;
    }
    return out;
}

TEST_F(ShownFormFixture, DescriptionBuildsTreeAndMenu)
{
    RegisterTreeMenuClasses();
    ComponentPtr<TreeMenuForm> main(new TreeMenuForm(nullptr));
    std::string text = "object Form1: TForm\n"
                       "  Menu = MainMenu1\n"
                       "  object TreeView1: TTreeView\n"
                       "    Left = 470\n    Top = 42\n    Width = 163\n    Height = 369\n"
                       "    Indent = 19\n    ReadOnly = True\n"
                       "    OnChange = TreeView1Change\n"
                       "    Items.Data = {"
        + Hex(TelevisionTreeData())
        + "}\n"
          "  end\n"
          "  object MainMenu1: TMainMenu\n"
          "    object N1: TMenuItem\n"
          "      Caption = '"
        + Gbk("节目选择")
        + "'\n"
          "      object N2: TMenuItem\n"
          "        Caption = '"
        + Gbk("网络电视")
        + "'\n"
          "        OnClick = N2Click\n"
          "      end\n"
          "    end\n"
          "  end\n"
          "end\n";
    ReadDescription(text, *main);

    auto* tree = dynamic_cast<TTreeView*>(main->FindComponent("TreeView1"));
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(tree->Parent(), main.get());
    EXPECT_EQ(tree->Items().TopLevelCount(), 14);
    EXPECT_TRUE(tree->ReadOnly());
    EXPECT_EQ(tree->Indent(), 19);
    tree->SetSelected(tree->Items().GetFirstNode());
    EXPECT_EQ(main->changed, std::vector<TTreeNode*> { tree->Items().GetFirstNode() });

    auto* menu = main->Menu<TMainMenu>();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->Items()->Count(), 1);
    TMenuItem* n1 = menu->Items()->Items(0);
    EXPECT_EQ(GbkToUtf8(n1->Caption()), "节目选择");
    ASSERT_EQ(n1->Count(), 1);
    n1->Items(0)->Click();
    EXPECT_EQ(main->n2_clicks, 1);

    // Named as the form's Menu, it shows as the form's bar.
    ASSERT_NE(menu->MenuBar(), nullptr);
    main->SetBounds(50, 50, 300, 200);
    main->Show();
    Pump();
    Rect item = menu->MenuBar()->ItemRect(0);
    EXPECT_EQ(item.bottom, main->ClientToScreen({ 0, 0 }).y);
    screen.Click({ item.left + 3, item.top + 3 });
    Pump();
    ASSERT_TRUE(menu->MenuBar()->IsDropped());
    TMenuWindow* drop = menu->MenuBar()->DropDown();
    Rect first = drop->ItemRect(0);
    screen.Click(ws().ClientToScreen(drop->Handle(), { first.left + 5, first.top + 5 }));
    Pump();
    EXPECT_EQ(main->n2_clicks, 2);

    // Written back, the description keeps the nesting and the tree bytes.
    std::string written = WriteDescription(*main);
    EXPECT_NE(written.find(Hex(TelevisionTreeData()).substr(0, 64)), std::string::npos);
    EXPECT_LT(written.find("object N1: TMenuItem"), written.find("object N2: TMenuItem"));
    EXPECT_LT(written.find("object MainMenu1"), written.find("object N1: TMenuItem"));
}

}
}
