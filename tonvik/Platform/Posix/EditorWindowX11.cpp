#include "tonvik/Platform/EditorWindow.h"

#include "kiv/Platform/X11/X11DisplayScale.h"
#include "kiv/Platform/X11/X11Window.h"
#include "tonvik/Vst/VstKeys.h"

#include <cstdint>

namespace Tonvik
{

namespace
{

class EditorWindowX11 : public EditorWindow
{
public:
    explicit EditorWindowX11(std::unique_ptr<Kiv::X11Window> a_window)
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
    float get_display_scale() const override { return Kiv::read_display_scale(); }
    // The X server's layout is not at hand here; what every layout types will do.
    Bex::String text_for_key(uint32_t a_key_code, uint32_t) const override
    {
        return text_of_key_code(a_key_code);
    }

private:
    std::unique_ptr<Kiv::X11Window> m_owned;
    Kiv::X11Window* m_window;
};

} // namespace

bool EditorWindow::is_supported()
{
    return true;
}

std::unique_ptr<EditorWindow> EditorWindow::create(void* a_parent, Kiv::Size a_size)
{
    return std::make_unique<EditorWindowX11>(Kiv::X11Window::create_child(
        static_cast<unsigned long>(reinterpret_cast<uintptr_t>(a_parent)), a_size));
}

} // namespace Tonvik
