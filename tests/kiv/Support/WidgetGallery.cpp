#include "Support/WidgetGallery.h"

#include "Platform/Cairo/WidgetStates.h"

#include "bex/Core/Assert.h"
#include "kiv/Application/Application.h"
#include "kiv/Layouts/GridLayout.h"
#include "kiv/Layouts/LinearLayouts.h"
#include "kiv/Widget/KeyCode.h"
#include "kiv/Widgets/ArrowCommandButton.h"
#include "kiv/Widgets/CheckBox.h"
#include "kiv/Widgets/ComboBox.h"
#include "kiv/Widgets/Entry.h"
#include "kiv/Widgets/IntegerEntry.h"
#include "kiv/Widgets/Label.h"
#include "kiv/Widgets/ListView.h"
#include "kiv/Widgets/MenuItem.h"
#include "kiv/Widgets/PopupMenu.h"
#include "kiv/Widgets/ScrollBar.h"
#include "kiv/Widgets/Tab.h"
#include "kiv/Widgets/Tabs.h"
#include "kiv/Widgets/Text.h"
#include "kiv/Widgets/TextCommandButton.h"
#include "kiv/Widgets/TextToggleButton.h"
#include "kiv/Windows/MessageDialog.h"

using namespace Kiv;

namespace KivTest
{

namespace
{

std::unique_ptr<MenuItem> make_menu()
{
    auto root = std::make_unique<MenuItem>();
    root->add(u"Lush Chorus", 1).checked = true;
    root->add(u"Wide Doubler", 2);
    MenuItem& folder = root->add_submenu(u"Bass");
    folder.add(u"Sub Shimmer", 3);
    folder.add(u"Slow Ensemble", 4);
    root->add_separator();
    root->add(u"Clear preset", 5).enabled = false;
    return root;
}

} // namespace

WidgetGallery::WidgetGallery(OffscreenDesktop& a_desktop) : m_desktop(a_desktop)
{
    auto* page = new HorizontalLayout();
    page->set_style_subclass(u"Page");
    page->set_horizontally_stretchable(true);
    page->set_vertically_stretchable(true);
    // The grid keeps to the top; the space under it stretches.
    auto* left = new VerticalLayout();
    left->add(p_make_state_grid());
    auto* rest = new Widget();
    rest->set_vertically_stretchable(true);
    left->add(rest);
    left->set_vertically_stretchable(true);
    page->add(left);
    page->add(p_make_containers());
    page->set_parent(&m_desktop);
    for (const auto& [widget, column] : m_states)
        show_state(*widget, column);
    m_desktop.settle();
}

void WidgetGallery::open_overlays()
{
    m_combo->open_menu();
    m_desktop.settle();
    PopupMenu* menu = m_combo->get_menu();
    BEX_ASSERT(menu);
    // The submenu row is the third.
    menu->set_highlight(2);
    m_desktop.key_down(KeyCode_RIGHT);
    m_desktop.settle();

    MessageDialog& question =
        MessageDialog::show(m_desktop, u"Clear preset", u"Do you want to clear current preset?",
                            MessageDialogButtons_YES_NO);
    m_desktop.settle();
    // Down in the free corner, where it hides no state.
    const float scale = m_desktop.get_application().get_scale();
    const int32_t margin = 24 * int32_t(scale);
    const Size size = m_desktop.get_window_backend().get_size();
    question.set_geometry(margin, size.height - question.get_height() - margin,
                          question.get_width(), question.get_height());
    m_desktop.settle();
}

void WidgetGallery::paint_popups(Painter& a_painter)
{
    for (Desktop* popup : m_desktop.get_popups())
    {
        auto& offscreen = static_cast<OffscreenDesktop&>(*popup);
        offscreen.settle();
        const Point at = offscreen.get_window_backend().get_position();
        const Size size = offscreen.get_window_backend().get_size();
        a_painter.push_transform(Transform::translation(float(at.x), float(at.y)));
        a_painter.push_clip({0, 0, size.width, size.height});
        popup->paint(a_painter, {0, 0, size.width, size.height});
        a_painter.pop_clip();
        a_painter.pop_transform();
    }
}

Widget* WidgetGallery::p_make_state_grid()
{
    auto* grid = new GridLayout(10, Column_COUNT);
    grid->set_style_subclass(u"Panel");
    const char16_t* headers[] = {u"",        u"normal",   u"hover",  u"pressed",
                                 u"focused", u"disabled", u"checked"};
    for (int column = 1; column < Column_COUNT; ++column)
    {
        auto* header = new Label(headers[column]);
        header->set_style_subclass(u"Unit");
        grid->set_child(0, uint32_t(column), header);
    }
    const char16_t* names[] = {u"",          u"Label",     u"Button", u"Arrow",   u"Toggle",
                               u"Check box", u"Combo box", u"Entry",  u"Integer", u"Scroll bar"};
    for (uint32_t row = 1; row < 10; ++row)
    {
        auto* name = new Label(names[row]);
        name->set_horizontally_stretchable(true);
        grid->set_child(row, 0, name);
    }
    for (int column = Column_NORMAL; column < Column_COUNT; ++column)
    {
        const auto at = uint32_t(column);
        const bool checkable = column == Column_CHECKED;
        if (column == Column_NORMAL)
            grid->set_child(1, at, new Label(u"Rate"));
        else if (column == Column_HOVER)
            grid->set_child(1, at, new Text(u"0.35 Hz"));
        else if (column == Column_DISABLED)
            p_add(grid, 1, column, new Label(u"Rate"));
        if (!checkable)
        {
            p_add(grid, 2, column, new TextCommandButton(u"Apply"));
            p_add(grid, 3, column, new ArrowCommandButton(ArrowDirection(column % 4)));
        }
        auto* toggle = new TextToggleButton(u"Sync");
        auto* box = new CheckBox(u"Stereo");
        toggle->set_checked(checkable);
        box->set_checked(checkable);
        p_add(grid, 4, column, toggle);
        p_add(grid, 5, column, box);
        if (!checkable)
        {
            auto* combo = new ComboBox();
            combo->set_items(make_menu());
            combo->set_current_data(1);
            p_add(grid, 6, column, combo);
            if (column == Column_NORMAL)
                m_combo = combo;
            auto* entry = new Entry();
            entry->set_text(u"Chorus");
            p_add(grid, 7, column, entry);
            auto* integer = new IntegerEntry(1, 8);
            integer->set_value(column);
            p_add(grid, 8, column, integer);
        }
    }
    auto* bar = new ScrollBar(Orientation_HORIZONTAL);
    bar->set_range(1000, 250);
    bar->set_value(300);
    bar->set_horizontally_stretchable(true);
    grid->set_child(9, 1, bar, 1, 3);
    return grid;
}

Widget* WidgetGallery::p_make_containers()
{
    auto* column = new VerticalLayout();
    auto* tabs = new Tabs();
    for (const char16_t* title : {u"Voices 1-4", u"Voices 5-8", u"Modulation"})
    {
        auto* list = new ListView();
        list->set_items({u"Bass/", u"Pads/", u"Lush Chorus.preset", u"Slow Ensemble.preset",
                         u"Wide Doubler.preset", u"Sub Shimmer.preset"});
        list->set_item_marker(0, true);
        list->set_item_marker(1, true);
        list->set_selection(2);
        list->set_vertically_stretchable(true);
        tabs->add_page(title, list);
    }
    tabs->set_current(1);
    tabs->get_tab(2)->set_style_state(WidgetStyleState_HOVER, true);
    column->add(tabs);
    return column;
}

void WidgetGallery::p_add(GridLayout* a_grid, uint32_t a_row, int a_column, Widget* a_widget)
{
    a_grid->set_child(a_row, uint32_t(a_column), a_widget);
    m_states.push_back({a_widget, a_column});
}

} // namespace KivTest
