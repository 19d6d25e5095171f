#include "kiv/Windows/NormalWindow.h"

#include "kiv/Desktop/Desktop.h"
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
    connect(on_desktop_changed(), this, &NormalWindow::p_on_desktop_changed);
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
        m_contents->set_parent(this);
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

void NormalWindow::p_on_desktop_changed(WidgetEvents::OnDesktopChanged& a_event)
{
    if (m_key_listener && a_event.old_desktop)
        a_event.old_desktop->get_input_listeners().remove(m_key_listener.get());
    m_old_key_listener = std::move(m_key_listener);
    if (!a_event.new_desktop)
        return;
    m_key_listener = std::make_unique<InputListener>(a_event.new_desktop);
    m_key_listener->set_wanted(InputListenerStage_AFTER, InputEventType_KEYBOARD_DOWN, true);
    m_key_listener->on_input().connect(this, &NormalWindow::p_on_input);
    a_event.new_desktop->get_input_listeners().add(m_key_listener.get());
}

void NormalWindow::p_on_input(InputEvent& a_event)
{
    if (a_event.key != KeyCode_ESCAPE || m_closing)
        return;
    const bool mine =
        a_event.target ? contains(a_event.target) : get_desktop()->get_active_window() == this;
    // Beneath a modal window the keys belong to that window alone.
    const Window* modal = get_desktop()->get_modal_window();
    if (mine && (!modal || modal == this))
        close();
}

} // namespace Kiv
