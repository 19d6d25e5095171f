#include "Support/TestWidgets.h"
#include "Widgets/MenuTestSupport.h"

#include "kiv/Widget/KeyCode.h"
#include "kiv/Widgets/MenuItemRow.h"

#include <gtest/gtest.h>

using namespace Kiv;
using KivTest::MenuLog;
using KivTest::row_centre;
using KivTest::top_menu;

namespace
{

struct PopupMenuFixture : ::testing::Test
{
    PopupMenuFixture() { desktop.settle(); }

    PopupMenu& open(const Rect& a_anchor)
    {
        PopupMenu& menu = PopupMenu::open(desktop, a_anchor, *KivTest::make_wave_menu());
        menu.on_chosen().connect(&log, &MenuLog::chosen);
        menu.on_closed().connect(&log, &MenuLog::closed);
        return menu;
    }

    Application& application = KivTest::application();
    OffscreenDesktop desktop{application, {300, 200}};
    MenuLog log;
};

// Opens another menu from the chosen signal, as a command that asks a follow-up question does.
struct Reopener : Bex::Trackable
{
    Desktop* desktop = nullptr;
    void chosen() { PopupMenu::open(*desktop, {0, 0, 1, 1}, *KivTest::make_wave_menu()); }
};

} // namespace

TEST_F(PopupMenuFixture, OpensBelowTheAnchorOrAboveWhenThereIsNoRoomBelow)
{
    // The caller's tree goes at once: the menu works on its own copy.
    PopupMenu& below = open({10, 20, 0, 0});
    OffscreenDesktop* popup = desktop.get_top_popup();
    ASSERT_TRUE(popup);
    EXPECT_EQ(popup->get_window_backend().get_position(), (Point{10, 20}));
    const Size size = popup->get_window_backend().get_size();
    PopupMenu* menu = top_menu(desktop);
    ASSERT_EQ(menu, &below);
    // The popup is exactly as large as the rows need.
    const Rect last = menu->get_row_rect(menu->get_row_count() - 1);
    EXPECT_EQ(last.y + last.height + menu->get_frame().bottom, size.height);
    EXPECT_EQ(menu->get_row_count(), 5u);
    below.close();
    desktop.settle();
    EXPECT_TRUE(desktop.get_popups().empty());

    open({10, 190, 40, 10});
    popup = desktop.get_top_popup();
    ASSERT_TRUE(popup);
    EXPECT_EQ(popup->get_window_backend().get_position(),
              (Point{10, 190 - popup->get_window_backend().get_size().height}));
}

TEST_F(PopupMenuFixture, HoverOpensTheSubmenuAndAClickThereChoosesAndClosesTheChain)
{
    open({0, 0, 0, 0});
    PopupMenu* menu = top_menu(desktop);
    ASSERT_TRUE(menu);
    OffscreenDesktop* root_popup = desktop.get_top_popup();
    root_popup->move(row_centre(*menu, 4));
    ASSERT_EQ(desktop.get_popups().size(), 2u);
    PopupMenu* submenu = top_menu(desktop);
    ASSERT_TRUE(submenu && submenu != menu);
    EXPECT_EQ(menu->get_submenu(), submenu);
    // Beside the parent, its first row level with the row that opened it.
    const Rect parent_area = menu->get_popup_area();
    const Rect area = submenu->get_popup_area();
    EXPECT_EQ(area.x, parent_area.x + parent_area.width);
    EXPECT_EQ(area.y + submenu->get_row_rect(0).y, parent_area.y + menu->get_row_rect(4).y);

    // Moving to a plain item closes the submenu again; back on "More" reopens it.
    root_popup->move(row_centre(*menu, 1));
    EXPECT_EQ(desktop.get_popups().size(), 1u);
    root_popup->move(row_centre(*menu, 4));
    submenu = top_menu(desktop);
    ASSERT_EQ(desktop.get_popups().size(), 2u);

    desktop.get_top_popup()->click(row_centre(*submenu, 1));
    EXPECT_EQ(log.text, "chosen:5 closed ");
    desktop.settle();
    EXPECT_TRUE(desktop.get_popups().empty());
}

TEST_F(PopupMenuFixture, ClicksOnSeparatorsAndDisabledItemsChooseNothing)
{
    open({0, 0, 0, 0});
    PopupMenu* menu = top_menu(desktop);
    ASSERT_TRUE(menu);
    desktop.get_top_popup()->click(row_centre(*menu, 2));
    desktop.get_top_popup()->click(row_centre(*menu, 3));
    EXPECT_EQ(log.text, "");
    EXPECT_EQ(desktop.get_popups().size(), 1u);
    EXPECT_EQ(menu->get_highlight(), -1);
}

TEST_F(PopupMenuFixture, KeysWalkOverSelectableItemsAndOpenAndCloseSubmenus)
{
    open({0, 0, 0, 0});
    PopupMenu* menu = top_menu(desktop);
    ASSERT_TRUE(menu);
    Bex::Vector<int32_t> seen;
    for (int step = 0; step < 4; ++step)
    {
        desktop.key_down(KeyCode_DOWN);
        seen.push_back(menu->get_highlight());
    }
    // The separator (2) and the disabled item (3) are skipped, and the walk wraps round.
    EXPECT_EQ(seen, (Bex::Vector<int32_t>{0, 1, 4, 0}));
    desktop.key_down(KeyCode_UP);
    EXPECT_EQ(menu->get_highlight(), 4);

    desktop.key_down(KeyCode_RIGHT);
    ASSERT_EQ(desktop.get_popups().size(), 2u);
    PopupMenu* submenu = top_menu(desktop);
    EXPECT_EQ(submenu->get_highlight(), 0);
    // Keys go to the newest popup: Escape closes only the submenu.
    desktop.key_down(KeyCode_ESCAPE);
    desktop.settle();
    EXPECT_EQ(desktop.get_popups().size(), 1u);
    EXPECT_EQ(log.text, "");

    desktop.key_down(KeyCode_RETURN);
    ASSERT_EQ(desktop.get_popups().size(), 2u);
    desktop.key_down(KeyCode_LEFT);
    EXPECT_EQ(desktop.get_popups().size(), 1u);
    desktop.key_down(KeyCode_RETURN);
    desktop.key_down(KeyCode_DOWN);
    desktop.key_down(KeyCode_RETURN);
    EXPECT_EQ(log.text, "chosen:5 closed ");
    desktop.settle();
    EXPECT_TRUE(desktop.get_popups().empty());
}

TEST_F(PopupMenuFixture, EscapeAndAPressOutsideCloseWithoutAChoice)
{
    open({0, 0, 0, 0});
    desktop.key_down(KeyCode_ESCAPE);
    desktop.settle();
    EXPECT_EQ(log.text, "closed ");
    EXPECT_TRUE(desktop.get_popups().empty());

    log.text.clear();
    open({0, 0, 0, 0});
    PopupMenu* menu = top_menu(desktop);
    desktop.get_top_popup()->move(row_centre(*menu, 4));
    ASSERT_EQ(desktop.get_popups().size(), 2u);
    desktop.click({290, 190});
    EXPECT_EQ(log.text, "closed ");
    EXPECT_TRUE(desktop.get_popups().empty());
}

TEST_F(PopupMenuFixture, TheChosenSignalMayOpenAnotherMenu)
{
    PopupMenu& menu = open({0, 0, 0, 0});
    Reopener reopener;
    reopener.desktop = &desktop;
    menu.on_chosen().connect(&reopener, &Reopener::chosen);
    top_menu(desktop);
    desktop.key_down(KeyCode_DOWN);
    desktop.key_down(KeyCode_RETURN);
    desktop.settle();
    EXPECT_EQ(log.text, "chosen:1 closed ");
    // Only the new menu is left, and it works.
    ASSERT_EQ(desktop.get_popups().size(), 1u);
    PopupMenu* second = top_menu(desktop);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->get_row_count(), 5u);
    desktop.key_down(KeyCode_ESCAPE);
    desktop.settle();
    EXPECT_TRUE(desktop.get_popups().empty());
}

TEST_F(PopupMenuFixture, RowsShowChecksArrowsAndHighlight)
{
    auto root = KivTest::make_wave_menu();
    root->children[1]->checked = true;
    PopupMenu::open(desktop, {0, 0, 0, 0}, *root);
    PopupMenu* menu = top_menu(desktop);
    ASSERT_TRUE(menu);
    // A menu of choices opens on the checked item.
    EXPECT_EQ(menu->get_highlight(), 1);
    auto* checked = dynamic_cast<MenuItemRow*>(menu->get_children()[1]);
    ASSERT_TRUE(checked);
    EXPECT_TRUE(checked->is_highlighted());

    const RecordingPainter painting = desktop.get_top_popup()->render();
    const Rect checked_row = menu->get_row_rect(1);
    const Rect submenu_row = menu->get_row_rect(4);
    int lines_in_checked_row = 0;
    int polygons_in_submenu_row = 0;
    for (const PaintOperation& operation : painting.get_operations())
    {
        const Point first = operation.points.empty() ? Point{} : operation.points[0];
        if (operation.type == PaintOperationType_LINE &&
            checked_row.contains(checked_row.x, first.y))
            ++lines_in_checked_row;
        if (operation.type == PaintOperationType_FILL_POLYGON &&
            submenu_row.contains(submenu_row.x, first.y))
            ++polygons_in_submenu_row;
    }
    EXPECT_EQ(lines_in_checked_row, 2);
    EXPECT_EQ(polygons_in_submenu_row, 1);
}
