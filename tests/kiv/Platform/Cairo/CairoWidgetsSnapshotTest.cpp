#include "Platform/Cairo/WidgetStates.h"
#include "Support/ImageInspection.h"
#include "Support/TestWidgets.h"
#include "kiv/Platform/Cairo/CairoImage.h"

#include "kiv/Desktop/OffscreenDesktop.h"
#include "kiv/Layouts/GridLayout.h"
#include "kiv/Layouts/LinearLayouts.h"
#include "kiv/Platform/Cairo/CairoSnapshot.h"
#include "kiv/Platform/Cairo/CairoTextMeasurer.h"
#include "kiv/Styles/StyleSheet.h"
#include "kiv/Widgets/ArrowCommandButton.h"
#include "kiv/Widgets/CheckBox.h"
#include "kiv/Widgets/Entry.h"
#include "kiv/Widgets/IntegerEntry.h"
#include "kiv/Widgets/Label.h"
#include "kiv/Widgets/ScrollBar.h"
#include "kiv/Widgets/ScrollBarHandle.h"
#include "kiv/Widgets/Text.h"
#include "kiv/Widgets/TextCommandButton.h"
#include "kiv/Widgets/TextToggleButton.h"

#include <gtest/gtest.h>

using namespace Kiv;

using namespace KivTest;

namespace
{

Color pixel_inside(const CairoImage& a_image, const Widget& a_widget)
{
    const Point corner = a_widget.get_desktop_position();
    return a_image.get_pixel(corner.x + 2, corner.y + 2);
}

Color pixel_of_border(const CairoImage& a_image, const Widget& a_widget)
{
    const Point corner = a_widget.get_desktop_position();
    return a_image.get_pixel(corner.x + a_widget.get_width() / 2, corner.y);
}

} // namespace

// Every widget of the toolkit in each of its states, painted with the shipped sheet and real
// fonts; the picture is kept for people to look at.
TEST(CairoWidgetsSnapshotTest, EveryWidgetInEveryStateWithTheShippedSheet)
{
    Application& application = KivTest::application();
    application.load_style_sheet(Bex::String::from_utf8(KIV_SHIPPED_STYLE_SHEET));
    CairoTextMeasurer measurer;
    OffscreenDesktop desktop(application, {660, 350});
    desktop.get_window_backend().set_text_measurer(&measurer);

    auto* page = new HorizontalLayout();
    page->set_style_subclass(u"Page");
    page->set_horizontally_stretchable(true);
    page->set_vertically_stretchable(true);
    auto* grid = new GridLayout(8, Column_COUNT);
    grid->set_style_subclass(u"Panel");
    grid->set_horizontally_stretchable(true);
    grid->set_vertically_stretchable(true);
    const char16_t* headers[] = {u"",        u"normal",   u"hover",  u"pressed",
                                 u"focused", u"disabled", u"checked"};
    for (int column = 1; column < Column_COUNT; ++column)
    {
        auto* header = new Label(headers[column]);
        header->set_style_subclass(u"Unit");
        grid->set_child(0, column, header);
    }
    const char16_t* names[] = {u"",       u"Label / Text", u"Button", u"Arrow",
                               u"Toggle", u"Check box",    u"Entry",  u"Integer"};
    for (uint32_t row = 1; row < 8; ++row)
    {
        // Filling its cell, the name starts at the column's left edge.
        auto* name = new Label(names[row]);
        name->set_horizontally_stretchable(true);
        grid->set_child(row, 0, name);
    }

    // States go on once the widgets are on the desktop, which starts them afresh.
    Bex::Vector<std::pair<Widget*, int>> states;
    Widget* buttons[Column_COUNT] = {};
    Widget* toggles[Column_COUNT] = {};
    for (int column = Column_NORMAL; column < Column_COUNT; ++column)
    {
        if (column != Column_CHECKED)
        {
            auto* button = new TextCommandButton(u"Apply");
            buttons[column] = button;
            auto* arrow = new ArrowCommandButton(ArrowDirection(column % 4));
            grid->set_child(2, column, button);
            grid->set_child(3, column, arrow);
            states.push_back({button, column});
            states.push_back({arrow, column});
        }
        auto* toggle = new TextToggleButton(u"Sync");
        toggles[column] = toggle;
        auto* box = new CheckBox(u"Stereo");
        grid->set_child(4, column, toggle);
        grid->set_child(5, column, box);
        states.push_back({toggle, column});
        states.push_back({box, column});
        if (column == Column_CHECKED)
        {
            toggle->set_checked(true);
            box->set_checked(true);
        }
    }
    auto* label = new Label(u"Rate");
    auto* dim_label = new Label(u"Rate");
    dim_label->set_enabled(false);
    grid->set_child(1, Column_NORMAL, label);
    grid->set_child(1, Column_HOVER, new Text(u"0.35 Hz"));
    grid->set_child(1, Column_DISABLED, dim_label);

    auto* entry = new Entry();
    entry->set_text(u"Chorus A");
    auto* hover_entry = new Entry();
    hover_entry->set_text(u"Chorus B");
    hover_entry->set_style_state(WidgetStyleState_HOVER, true);
    auto* focused_entry = new Entry();
    focused_entry->set_text(u"Wide chorus");
    auto* disabled_entry = new Entry();
    disabled_entry->set_text(u"Locked");
    disabled_entry->set_enabled(false);
    grid->set_child(6, Column_NORMAL, entry);
    grid->set_child(6, Column_HOVER, hover_entry);
    grid->set_child(6, Column_FOCUSED, focused_entry, 1, 2);
    grid->set_child(6, Column_DISABLED + 1, disabled_entry);

    auto* voices = new IntegerEntry(1, 8);
    voices->set_value(4);
    auto* locked_voices = new IntegerEntry(1, 8);
    locked_voices->set_value(2);
    locked_voices->set_enabled(false);
    grid->set_child(7, Column_NORMAL, voices);
    grid->set_child(7, Column_DISABLED, locked_voices);

    auto* horizontal = new ScrollBar(Orientation_HORIZONTAL);
    horizontal->set_range(1000, 250);
    horizontal->set_value(300);
    grid->set_child(7, Column_HOVER, horizontal, 1, 3);
    auto* vertical = new ScrollBar(Orientation_VERTICAL);
    vertical->set_range(100, 30);
    vertical->set_value(70);
    vertical->get_handle().set_style_state(WidgetStyleState_HOVER, true);
    page->add(grid);
    page->add(vertical);
    page->set_parent(&desktop);
    for (const auto& [widget, column] : states)
        show_state(*widget, column);
    desktop.settle();
    // The real focus, so that the caret and the selection show.
    desktop.set_focus(focused_entry, FocusReason_KEYBOARD);
    focused_entry->set_caret(5);
    focused_entry->set_caret(11, true);

    const CairoImage image = snapshot_desktop(desktop);
    image.write_png(KivTest::snapshot_folder() + u"/widgets.png");

    // What was painted is what the sheet said for each state, and the states differ.
    for (int column = Column_NORMAL; column < Column_CHECKED; ++column)
    {
        const Widget& button = *buttons[column];
        ASSERT_TRUE(button.get_background());
        EXPECT_TRUE(KivTest::is_near(pixel_inside(image, button), button.get_background()->color))
            << column;
        EXPECT_TRUE(
            KivTest::is_near(pixel_of_border(image, button), button.get_border().get_color(0)))
            << column;
    }
    EXPECT_NE(pixel_inside(image, *buttons[Column_HOVER]),
              pixel_inside(image, *buttons[Column_NORMAL]));
    EXPECT_NE(pixel_inside(image, *buttons[Column_PRESSED]),
              pixel_inside(image, *buttons[Column_NORMAL]));
    EXPECT_NE(pixel_of_border(image, *buttons[Column_FOCUSED]),
              pixel_of_border(image, *buttons[Column_NORMAL]));
    EXPECT_NE(pixel_inside(image, *toggles[Column_CHECKED]),
              pixel_inside(image, *toggles[Column_NORMAL]));
    EXPECT_TRUE(KivTest::is_near(pixel_inside(image, *toggles[Column_CHECKED]),
                                 toggles[Column_CHECKED]->get_background()->color));
    application.set_style_sheet(nullptr);
}
