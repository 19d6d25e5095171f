#pragma once

#include "Support/TestWidgets.h"

#include "kiv/Desktop/OffscreenDesktop.h"
#include "kiv/Layouts/LinearLayouts.h"
#include "kiv/Styles/StyleSheet.h"

namespace KivTest
{

// The middle of a widget in desktop coordinates.
inline Kiv::Point centre_of(const Kiv::Widget& a_widget)
{
    const Kiv::Point corner = a_widget.get_desktop_position();
    return {corner.x + a_widget.get_width() / 2, corner.y + a_widget.get_height() / 2};
}

// Counts the emissions of a signal and remembers who sent the last.
struct SignalCounter : Bex::Trackable
{
    int count = 0;
    Kiv::Widget* sender = nullptr;
    void count_event(Kiv::WidgetEvent& a_event)
    {
        ++count;
        sender = a_event.widget;
    }
};

// A window with a column of widgets, without a style sheet unless a test loads one.
struct WidgetFixtureBase
{
    WidgetFixtureBase() { application().set_style_sheet(nullptr); }
    ~WidgetFixtureBase() { application().set_style_sheet(nullptr); }

    template <typename W>
    W* add(W* a_widget)
    {
        column->add(a_widget);
        if (!column->get_parent())
            column->set_parent(&desktop);
        desktop.settle();
        return a_widget;
    }

    Kiv::OffscreenDesktop desktop{application(), {320, 240}};
    Kiv::VerticalLayout* column = new Kiv::VerticalLayout();
};

} // namespace KivTest
