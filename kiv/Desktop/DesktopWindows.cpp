#include "kiv/Desktop/Desktop.h"

#include "bex/Core/Assert.h"
#include "kiv/Graphics/TextMeasurer.h"

namespace Kiv
{

namespace
{

// Parental data of a window that has not been placed yet: the next arrangement centres it.
constexpr uint64_t g_window_unplaced = 1;

} // namespace

Size Desktop::measure_text(const Bex::String& a_text, const Font& a_font)
{
    return m_native_window->get_text_measurer().measure_text(a_text, a_font);
}

void Desktop::add_window(Window* a_window, bool a_modal)
{
    BEX_ASSERT(a_window);
    a_window->set_parent(this, g_window_unplaced);
    if (a_modal)
        m_modal_windows.push_back(a_window);
    m_active_window = a_window;
    a_window->request_layout(WidgetLayoutFlag_MEASURE | WidgetLayoutFlag_ARRANGE);
    request_layout(WidgetLayoutFlag_ARRANGE);
}

Window* Desktop::get_modal_window() const
{
    return m_modal_windows.empty() ? nullptr : m_modal_windows.back();
}

Widget* Desktop::p_gate(Widget* a_target) const
{
    Window* modal = get_modal_window();
    if (!modal || !a_target || modal->contains(a_target))
        return a_target;
    return nullptr;
}

void Desktop::p_on_arrange()
{
    for (Widget* child : get_children())
    {
        if (!child->is_window_root())
        {
            child->set_geometry(0, 0, get_width(), get_height());
            continue;
        }
        // Windows keep their place and take the size their contents ask for.
        const WidgetSizeValues& requested = child->get_requested();
        const int32_t width = std::min(requested.preferred_width, get_width());
        const int32_t height = std::min(requested.preferred_height, get_height());
        int32_t x = child->get_x();
        int32_t y = child->get_y();
        if (get_parental_data(child) == g_window_unplaced)
        {
            x = std::max(0, (get_width() - width) / 2);
            y = std::max(0, (get_height() - height) / 2);
            set_parental_data(child, 0);
        }
        child->set_geometry(x, y, width, height);
    }
}

Desktop& Desktop::open_popup(Widget* a_content, const Rect& a_area)
{
    BEX_ASSERT(a_content);
    std::unique_ptr<Desktop> popup = p_create_popup(a_area);
    popup->m_owner = this;
    a_content->set_parent(popup.get());
    Desktop& result = *popup;
    m_popup_list.push_back(popup.get());
    m_popups.push_back(std::move(popup));
    return result;
}

std::unique_ptr<Desktop> Desktop::p_create_popup(const Rect& a_area)
{
    return std::make_unique<Desktop>(m_application, m_native_window->create_popup(a_area));
}

void Desktop::close_popup(Desktop* a_popup)
{
    for (size_t index = 0; index < m_popups.size(); ++index)
    {
        if (m_popups[index].get() != a_popup)
            continue;
        while (m_popups.size() > index)
        {
            m_popups.back()->close_popups();
            m_closed_popups.push_back(std::move(m_popups.back()));
            m_popups.pop_back();
            m_popup_list.pop_back();
        }
        m_native_window->request_update();
        return;
    }
}

void Desktop::close_popups()
{
    if (!m_popups.empty())
        close_popup(m_popups.front().get());
}

Desktop& Desktop::get_root_desktop()
{
    Desktop* desktop = this;
    while (desktop->m_owner)
        desktop = desktop->m_owner;
    return *desktop;
}

void Desktop::p_delete_closed_popups()
{
    // Moved out first: a popup's teardown may close further popups of this desktop.
    Bex::Vector<std::unique_ptr<Desktop>> closed = std::move(m_closed_popups);
    m_closed_popups.clear();
    closed.clear();
}

} // namespace Kiv
