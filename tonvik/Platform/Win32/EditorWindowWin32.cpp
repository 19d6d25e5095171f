#include "tonvik/Platform/EditorWindow.h"

#include "kiv/Platform/Win32/Win32DisplayScale.h"
#include "kiv/Platform/Win32/Win32Window.h"

namespace Tonvik
{

namespace
{

class EditorWindowWin32 : public EditorWindow
{
public:
    explicit EditorWindowWin32(std::unique_ptr<Kiv::Win32Window> a_window)
        : m_owned(std::move(a_window)), m_window(m_owned.get())
    {
    }

    std::unique_ptr<Kiv::NativeWindow> take_native_window() override { return std::move(m_owned); }
    void process_events() override { m_window->process_events(); }
    void set_size(Kiv::Size a_size) override { m_window->set_size(a_size); }
    bool get_parent_size(Kiv::Size& a_size) const override
    {
        return m_window->query_parent_size(a_size);
    }
    bool get_pointer_position(Kiv::Point& a_position) const override
    {
        return m_window->query_pointer(a_position);
    }
    float get_display_scale() const override
    {
        return Kiv::read_display_scale(m_window->get_handle());
    }
    Bex::String text_for_key(uint32_t a_key_code, uint32_t a_modifiers) const override
    {
        return Kiv::Win32Window::text_for_key(a_key_code, a_modifiers);
    }

private:
    std::unique_ptr<Kiv::Win32Window> m_owned;
    Kiv::Win32Window* m_window;
};

} // namespace

bool EditorWindow::is_supported()
{
    return true;
}

std::unique_ptr<EditorWindow> EditorWindow::create(void* a_parent, Kiv::Size a_size)
{
    return std::make_unique<EditorWindowWin32>(Kiv::Win32Window::create_child(a_parent, a_size));
}

} // namespace Tonvik
