#include "kiv/Windows/NormalWindow.h"

#include "kiv/Styles/WidgetClass.h"
#include "kiv/Widget/KeyCode.h"
#include "kiv/Windows/NormalWindowTitleBar.h"

#include <algorithm>

namespace Kiv
{

WidgetClass NormalWindow::s_widget_class("NormalWindow", "Window");

NormalWindow::NormalWindow(const Bex::String& a_title)
    : Window(NoContentsRules{}), m_title_bar(new NormalWindowTitleBar(*this))
{
    m_title_bar->set_title(a_title);
    m_title_bar->set_parent(this);
    connect(on_measure(), this, &NormalWindow::p_on_measure);
    connect(on_arrange(), this, &NormalWindow::p_on_arrange);
    connect(on_child_requested_sizes_changed(), this, &NormalWindow::p_on_child_changed);
    connect(on_keyboard_down(), this, &NormalWindow::p_on_key_down);
    // Keys that the focused widget does not use reach the window.
    set_focus_flags(WidgetFocusFlag_MOUSE);
}

const WidgetClass& NormalWindow::get_widget_class() const
{
    return s_widget_class;
}

const Bex::String& NormalWindow::get_title() const
{
    return m_title_bar->get_title();
}

void NormalWindow::set_title(const Bex::String& a_title)
{
    m_title_bar->set_title(a_title);
}

void NormalWindow::set_contents(Widget* a_contents)
{
    if (a_contents == m_contents)
        return;
    if (m_contents)
        m_contents->destroy();
    m_contents = a_contents;
    if (m_contents)
    {
        m_contents->set_parent(this);
        m_contents->set_input_event_propagation_filter(InputEventType_KEYBOARD_DOWN, true);
    }
    request_layout(WidgetLayoutFlag_MEASURE | WidgetLayoutFlag_ARRANGE);
}

void NormalWindow::close()
{
    if (m_closing)
        return;
    m_closing = true;
    WidgetEvent event{this};
    m_on_closed.emit(event);
    destroy();
}

void NormalWindow::p_on_measure(WidgetEvents::OnMeasure& a_event)
{
    const WidgetSizeValues& bar = m_title_bar->get_requested();
    WidgetSizeValues contents{0, g_maximum_widget_size, 0, 0, g_maximum_widget_size, 0};
    if (m_contents && m_contents->is_visible())
        contents = m_contents->get_requested();
    a_event.minimum_width += std::max(bar.minimum_width, contents.minimum_width);
    a_event.maximum_width +=
        std::max(std::max(bar.minimum_width, contents.minimum_width), contents.maximum_width);
    a_event.preferred_width += std::max(bar.preferred_width, contents.preferred_width);
    a_event.minimum_height += bar.preferred_height + contents.minimum_height;
    a_event.maximum_height += bar.preferred_height + contents.maximum_height;
    a_event.preferred_height += bar.preferred_height + contents.preferred_height;
}

void NormalWindow::p_on_arrange()
{
    const WidgetSides frame = get_frame();
    const int32_t width = std::max(0, get_width() - frame.left - frame.right);
    const int32_t height = std::max(0, get_height() - frame.top - frame.bottom);
    const int32_t bar_height = std::min(height, m_title_bar->get_requested().preferred_height);
    m_title_bar->set_geometry(frame.left, frame.top, width, bar_height);
    if (m_contents)
        m_contents->set_geometry(frame.left, frame.top + bar_height, width, height - bar_height);
}

void NormalWindow::p_on_child_changed()
{
    request_layout(WidgetLayoutFlag_MEASURE | WidgetLayoutFlag_ARRANGE);
}

void NormalWindow::p_on_key_down(WidgetEvents::OnKeyboardDown& a_event)
{
    if (a_event.key == KeyCode_ESCAPE)
        close();
}

} // namespace Kiv
