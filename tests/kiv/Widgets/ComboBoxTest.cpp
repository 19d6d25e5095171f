#include "Support/TestWidgets.h"
#include "Widgets/MenuTestSupport.h"

#include "kiv/Widget/KeyCode.h"
#include "kiv/Widgets/ComboBox.h"

#include <gtest/gtest.h>

using namespace Kiv;
using KivTest::MenuLog;
using KivTest::row_centre;
using KivTest::top_menu;

namespace
{

// A combo box alone at the top left of a 300 × 200 window.
struct ComboBoxFixture : ::testing::Test
{
    ComboBoxFixture()
    {
        combo->set_items(KivTest::make_wave_menu());
        combo->on_item_chosen().connect(&log, &MenuLog::chosen);
        combo->set_parent(&desktop);
        desktop.settle();
    }

    Point centre() const { return {combo->get_width() / 2, combo->get_height() / 2}; }
    // A point of the open menu's row, in the window's coordinates.
    Point on_row(const PopupMenu& a_menu, size_t a_row) const
    {
        const Point local = row_centre(a_menu, a_row);
        return {local.x + a_menu.get_popup_area().x, local.y + a_menu.get_popup_area().y};
    }

    Application& application = KivTest::application();
    OffscreenDesktop desktop{application, {300, 200}};
    ComboBox* combo = new ComboBox();
    MenuLog log;
};

struct ComboDestroyer : Bex::Trackable
{
    Widget* victim = nullptr;
    void chosen() { victim->destroy(); }
};

} // namespace

TEST_F(ComboBoxFixture, ChoosingInASubmenuMakesTheItemCurrent)
{
    desktop.click(centre());
    PopupMenu* menu = top_menu(desktop);
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->get_popup_area().y, combo->get_height());
    EXPECT_GE(menu->get_popup_area().width, combo->get_width());

    desktop.get_top_popup()->move(row_centre(*menu, 4));
    PopupMenu* submenu = top_menu(desktop);
    ASSERT_TRUE(submenu && submenu != menu);
    desktop.get_top_popup()->click(row_centre(*submenu, 1));
    desktop.settle();
    EXPECT_EQ(log.text, "chosen:5 ");
    ASSERT_TRUE(combo->get_current());
    EXPECT_EQ(combo->get_current(), combo->get_items().find_by_data(5));
    EXPECT_EQ(combo->get_shown_text(), u"Saw");
    EXPECT_TRUE(desktop.get_popups().empty());
    EXPECT_EQ(combo->get_menu(), nullptr);

    // Opened again, the menu checks the current item in its own copy only.
    desktop.click(centre());
    menu = top_menu(desktop);
    ASSERT_TRUE(menu);
    EXPECT_TRUE(menu->get_menu_item().find_by_data(5)->checked);
    EXPECT_FALSE(menu->get_menu_item().find_by_data(1)->checked);
    EXPECT_FALSE(combo->get_items().find_by_data(5)->checked);
}

TEST_F(ComboBoxFixture, EscapeAndAClickOutsideChooseNothing)
{
    combo->set_current_data(2);
    desktop.click(centre());
    ASSERT_EQ(desktop.get_popups().size(), 1u);
    desktop.key_down(KeyCode_ESCAPE);
    desktop.settle();
    EXPECT_TRUE(desktop.get_popups().empty());
    EXPECT_EQ(combo->get_menu(), nullptr);

    desktop.click(centre());
    ASSERT_EQ(desktop.get_popups().size(), 1u);
    desktop.click({250, 150});
    EXPECT_TRUE(desktop.get_popups().empty());
    EXPECT_EQ(log.text, "");
    EXPECT_EQ(combo->get_current()->data, 2u);
}

TEST_F(ComboBoxFixture, KeyboardOpensOnTheCurrentItemAndSkipsWhatCannotBeChosen)
{
    combo->set_current_data(2);
    desktop.set_focus(combo, FocusReason_KEYBOARD);
    desktop.key_down(KeyCode_SPACE);
    PopupMenu* menu = top_menu(desktop);
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->get_highlight(), 1);
    desktop.key_down(KeyCode_DOWN);
    EXPECT_EQ(menu->get_highlight(), 4);
    desktop.key_down(KeyCode_RETURN);
    PopupMenu* submenu = top_menu(desktop);
    ASSERT_TRUE(submenu && submenu != menu);
    desktop.key_down(KeyCode_RETURN);
    desktop.settle();
    EXPECT_EQ(log.text, "chosen:4 ");
    EXPECT_EQ(combo->get_shown_text(), u"Square");
    EXPECT_TRUE(desktop.get_popups().empty());
}

TEST_F(ComboBoxFixture, PressDragAndReleaseOntoAnItemChoosesIt)
{
    desktop.press(centre());
    PopupMenu* menu = top_menu(desktop);
    ASSERT_TRUE(menu);
    // The combo box holds the mouse: the drag reaches the menu through it.
    desktop.move(on_row(*menu, 0));
    desktop.move(on_row(*menu, 1));
    EXPECT_EQ(menu->get_highlight(), 1);
    desktop.release(on_row(*menu, 1));
    desktop.settle();
    EXPECT_EQ(log.text, "chosen:2 ");
    EXPECT_TRUE(desktop.get_popups().empty());
}

TEST_F(ComboBoxFixture, AChosenHandlerMayDestroyTheComboBox)
{
    ComboDestroyer destroyer;
    destroyer.victim = combo;
    combo->on_item_chosen().connect(&destroyer, &ComboDestroyer::chosen);
    desktop.click(centre());
    PopupMenu* menu = top_menu(desktop);
    ASSERT_TRUE(menu);
    desktop.get_top_popup()->click(row_centre(*menu, 0));
    desktop.settle();
    EXPECT_EQ(log.text, "chosen:1 ");
    EXPECT_TRUE(desktop.get_children().empty());
    EXPECT_TRUE(desktop.get_popups().empty());
}

TEST_F(ComboBoxFixture, DestroyingTheComboBoxClosesItsMenu)
{
    desktop.click(centre());
    ASSERT_EQ(desktop.get_popups().size(), 1u);
    combo->destroy();
    desktop.settle();
    EXPECT_TRUE(desktop.get_popups().empty());
}

TEST_F(ComboBoxFixture, WheelStepsThroughTheCommands)
{
    combo->set_current_data(1);
    desktop.wheel(centre(), -1);
    desktop.wheel(centre(), -1);
    desktop.wheel(centre(), -1);
    desktop.wheel(centre(), -1);
    // Past the last command nothing changes and nothing is told.
    EXPECT_EQ(log.text, "chosen:2 chosen:4 chosen:5 ");
    desktop.wheel(centre(), 1);
    EXPECT_EQ(combo->get_current()->data, 4u);
}

TEST_F(ComboBoxFixture, ShownTextAndCurrentFollowTheTree)
{
    EXPECT_FALSE(combo->set_current_data(99));
    EXPECT_EQ(combo->get_current(), nullptr);
    combo->set_text(u"<No presets found>");
    EXPECT_EQ(combo->get_shown_text(), u"<No presets found>");
    ASSERT_TRUE(combo->set_current_data(2));
    EXPECT_EQ(combo->get_shown_text(), u"Triangle");

    // Removing the current item from the tree leaves no current item behind.
    MenuItem& items = combo->get_items();
    items.children.remove_at(1);
    EXPECT_EQ(combo->get_current(), nullptr);
    EXPECT_EQ(combo->get_shown_text(), u"");

    // The combo box is as wide as its widest text, whichever is current.
    combo->set_text(u"<No presets found>");
    desktop.settle();
    EXPECT_GE(combo->get_width(), combo->measure_text(u"<No presets found>").width);
    combo->set_current_data(1);
    desktop.settle();
    const int32_t width = combo->get_width();
    EXPECT_GE(width, combo->measure_text(u"Triangle").width);
    combo->set_current_data(4);
    desktop.settle();
    EXPECT_EQ(combo->get_width(), width);
}
