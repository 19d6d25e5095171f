#include "Support/ImageInspection.h"
#include "Support/TestWidgets.h"
#include "kiv/Platform/Cairo/CairoImage.h"

#include "kiv/Desktop/OffscreenDesktop.h"
#include "kiv/Layouts/LinearLayouts.h"
#include "kiv/Platform/Cairo/CairoSnapshot.h"
#include "kiv/Platform/Cairo/CairoTextMeasurer.h"
#include "kiv/Styles/StyleSheet.h"
#include "kiv/Widgets/ComboBox.h"
#include "kiv/Widgets/ListView.h"
#include "kiv/Widgets/MenuItemRow.h"
#include "kiv/Widgets/PopupMenu.h"
#include "kiv/Widgets/Tab.h"
#include "kiv/Widgets/Tabs.h"

#include <gtest/gtest.h>

using namespace Kiv;

namespace
{

std::unique_ptr<MenuItem> make_waves()
{
    auto root = std::make_unique<MenuItem>();
    root->add(u"Sine", 1);
    root->add(u"Triangle", 2);
    root->add_separator();
    root->add(u"Sample & hold", 3).enabled = false;
    MenuItem& more = root->add_submenu(u"More shapes");
    more.add(u"Square", 4);
    more.add(u"Sawtooth up", 5);
    more.add(u"Sawtooth down", 6);
    return root;
}

ListView* make_files()
{
    auto* list = new ListView();
    list->set_items({u"Factory", u"User", u"Airy Shimmer", u"Bass Widener", u"Classic Ensemble",
                     u"Dual Voice", u"Slow Drift", u"Tape Wobble", u"Vintage Strings"});
    list->set_item_marker(0, true);
    list->set_item_marker(1, true);
    list->set_selection(3);
    list->set_horizontally_stretchable(true);
    list->set_vertically_stretchable(true);
    return list;
}

// Paints a popup where its window lies over its owner.
void paint_popup(OffscreenDesktop& a_popup, CairoImage& a_image)
{
    a_popup.settle();
    CairoPainter painter = a_image.make_painter();
    const Point position = a_popup.get_window_backend().get_position();
    const Size size = a_popup.get_window_backend().get_size();
    painter.push_transform(Transform::translation(float(position.x), float(position.y)));
    a_popup.paint(painter, {0, 0, size.width, size.height});
    painter.pop_transform();
}

Point centre_of(const Widget& a_widget)
{
    const Point corner = a_widget.get_desktop_position();
    return {corner.x + a_widget.get_width() / 2, corner.y + a_widget.get_height() / 2};
}

} // namespace

// A combo box with its menu and a submenu open, tabs and a file list, in the shipped look with
// real fonts; the picture is kept for people to look at.
TEST(CairoMenusSnapshotTest, MenusTabsAndListsInTheShippedLook)
{
    Application& application = KivTest::application();
    application.load_style_sheet(Bex::String::from_utf8(KIV_SHIPPED_STYLE_SHEET));
    CairoTextMeasurer measurer;
    OffscreenDesktop desktop(application, {640, 200});
    desktop.get_window_backend().set_text_measurer(&measurer);

    auto* page = new HorizontalLayout();
    page->set_style_subclass(u"Page");
    page->set_alignment(GridLayoutAlignmentFlag_LEFT | GridLayoutAlignmentFlag_TOP);
    page->add(make_files());
    auto* tabs = new Tabs();
    auto* presets = new ComboBox();
    presets->set_text(u"<No presets found>");
    tabs->add_page(u"Voices", presets);
    tabs->add_page(u"Modulation", make_files());
    tabs->add_page(u"Output", make_files());
    page->add(tabs);
    auto* combo = new ComboBox();
    combo->set_items(make_waves());
    combo->set_current_data(2);
    page->add(combo);
    page->set_parent(&desktop);
    desktop.settle();
    desktop.move(centre_of(*tabs->get_tab(2)));

    desktop.click(centre_of(*combo));
    ASSERT_EQ(desktop.get_popups().size(), 1u);
    auto& menu_popup = static_cast<OffscreenDesktop&>(*desktop.get_popups()[0]);
    menu_popup.settle();
    auto* menu = dynamic_cast<PopupMenu*>(menu_popup.get_children()[0]);
    ASSERT_TRUE(menu);
    const Rect more = menu->get_row_rect(4);
    menu_popup.move({more.x + more.width / 2, more.y + more.height / 2});
    ASSERT_EQ(desktop.get_popups().size(), 2u);
    auto& submenu_popup = static_cast<OffscreenDesktop&>(*desktop.get_popups()[1]);
    submenu_popup.settle();

    CairoImage image = snapshot_desktop(desktop);
    paint_popup(menu_popup, image);
    paint_popup(submenu_popup, image);
    image.write_png(KivTest::snapshot_folder() + u"/menus.png");

    // The row under the mouse wears the accent, the separator is a line of the light edge
    // colour, and the popup fits its rows exactly.
    const Point origin = menu_popup.get_window_backend().get_position();
    const auto* highlighted = static_cast<const MenuItemRow*>(menu->get_children()[4]);
    const auto* separator = static_cast<const MenuItemRow*>(menu->get_children()[2]);
    ASSERT_TRUE(highlighted->is_highlighted());
    const Color accent = highlighted->get_background()->color;
    EXPECT_EQ(image.get_pixel(origin.x + more.x + 2, origin.y + more.y + 2), accent);
    const Rect line =
        separator->get_area(WidgetArea_CONTENT).moved(separator->get_x(), separator->get_y());
    EXPECT_EQ(image.get_pixel(origin.x + line.x + line.width / 2, origin.y + line.y),
              separator->get_text_color());
    EXPECT_EQ(menu_popup.get_window_backend().get_size().height, menu->get_height());
    application.set_style_sheet(nullptr);
}
