#include "kiv/Desktop/OffscreenDesktop.h"

namespace Kiv
{

namespace
{

std::unique_ptr<NativeWindow> make_window(Size a_size, OffscreenWindow*& a_window)
{
    auto window = std::make_unique<OffscreenWindow>(a_size);
    a_window = window.get();
    return window;
}

} // namespace

std::unique_ptr<NativeWindow> OffscreenWindow::create_popup(const Rect& a_area)
{
    auto popup = std::make_unique<OffscreenWindow>(Size{a_area.width, a_area.height});
    popup->m_position = {a_area.x, a_area.y};
    popup->m_text_measurer = m_text_measurer;
    return popup;
}

OffscreenDesktop::OffscreenDesktop(Application& a_application, Size a_size)
    : Desktop(a_application, make_window(a_size, m_window))
{
}

OffscreenDesktop::OffscreenDesktop(Application& a_application,
                                   std::unique_ptr<OffscreenWindow> a_window)
    : Desktop(a_application, std::move(a_window)),
      m_window(static_cast<OffscreenWindow*>(&get_native_window()))
{
}

std::unique_ptr<Desktop> OffscreenDesktop::p_create_popup(const Rect& a_area)
{
    std::unique_ptr<NativeWindow> window = m_window->create_popup(a_area);
    return std::make_unique<OffscreenDesktop>(
        get_application(),
        std::unique_ptr<OffscreenWindow>(static_cast<OffscreenWindow*>(window.release())));
}

OffscreenDesktop* OffscreenDesktop::get_top_popup() const
{
    const Bex::Vector<Desktop*>& popups = get_popups();
    return popups.empty() ? nullptr : static_cast<OffscreenDesktop*>(popups.back());
}

void OffscreenDesktop::settle()
{
    if (m_window->take_update_request() || is_update_pending())
        update();
}

void OffscreenDesktop::resize(Size a_size)
{
    m_window->set_size(a_size);
    handle_resize();
    settle();
}

void OffscreenDesktop::press(Point a_position, MouseButton a_button)
{
    settle();
    handle_mouse_down(a_position, a_button);
    settle();
}

void OffscreenDesktop::release(Point a_position, MouseButton a_button)
{
    settle();
    handle_mouse_up(a_position, a_button);
    settle();
}

void OffscreenDesktop::click(Point a_position, MouseButton a_button)
{
    press(a_position, a_button);
    release(a_position, a_button);
}

void OffscreenDesktop::move(Point a_position)
{
    settle();
    handle_mouse_move(a_position);
    settle();
}

void OffscreenDesktop::leave()
{
    handle_mouse_leave();
    settle();
}

void OffscreenDesktop::wheel(Point a_position, int32_t a_delta)
{
    settle();
    handle_mouse_wheel(a_position, a_delta);
    settle();
}

void OffscreenDesktop::key_down(uint32_t a_key)
{
    settle();
    handle_key_down(a_key);
    settle();
}

void OffscreenDesktop::key_up(uint32_t a_key)
{
    settle();
    handle_key_up(a_key);
    settle();
}

void OffscreenDesktop::type(const Bex::String& a_text)
{
    settle();
    handle_text(a_text);
    settle();
}

RecordingPainter OffscreenDesktop::render()
{
    settle();
    const Size size = m_window->get_size();
    RecordingPainter painter({0, 0, size.width, size.height});
    paint(painter, {0, 0, size.width, size.height});
    m_window->clear_invalid_area();
    return painter;
}

} // namespace Kiv
