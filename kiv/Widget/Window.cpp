#include "kiv/Widget/Window.h"

#include "kiv/Styles/WidgetClass.h"

#include <algorithm>

namespace Kiv
{

WidgetClass Window::s_widget_class("Window", "Widget");

Window::Window()
{
    p_set_window_root();
    connect(on_measure(), this, &Window::p_on_measure);
    connect(on_arrange(), this, &Window::p_on_arrange);
    connect(on_child_requested_sizes_changed(), this, &Window::p_on_child_changed);
}

const WidgetClass& Window::get_widget_class() const
{
    return s_widget_class;
}

void Window::p_on_measure(WidgetEvents::OnMeasure& a_event)
{
    int32_t sizes[6] = {0, 0, 0, 0, 0, 0};
    bool any = false;
    for (Widget* child : get_children())
    {
        if (!child->is_visible())
            continue;
        const WidgetSizeValues& requested = child->get_requested();
        const int32_t values[6] = {requested.minimum_width,   requested.maximum_width,
                                   requested.preferred_width, requested.minimum_height,
                                   requested.maximum_height,  requested.preferred_height};
        for (int index = 0; index < 6; ++index)
            sizes[index] = any ? std::max(sizes[index], values[index]) : values[index];
        any = true;
    }
    a_event.minimum_width += sizes[0];
    a_event.maximum_width += any ? sizes[1] : g_maximum_widget_size;
    a_event.preferred_width += sizes[2];
    a_event.minimum_height += sizes[3];
    a_event.maximum_height += any ? sizes[4] : g_maximum_widget_size;
    a_event.preferred_height += sizes[5];
}

void Window::p_on_arrange()
{
    const WidgetSides frame = get_frame();
    const int32_t width = std::max(0, get_width() - frame.left - frame.right);
    const int32_t height = std::max(0, get_height() - frame.top - frame.bottom);
    for (Widget* child : get_children())
        child->set_geometry(frame.left, frame.top, width, height);
}

void Window::p_on_child_changed()
{
    request_layout(WidgetLayoutFlag_MEASURE | WidgetLayoutFlag_ARRANGE);
}

} // namespace Kiv
