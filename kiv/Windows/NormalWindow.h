#pragma once

#include "kiv/Widget/InputListener.h"
#include "kiv/Widget/Window.h"

#include <memory>

namespace Kiv
{

class NormalWindowCloseButton;
class NormalWindowTitleBar;

// A window with a title bar that moves it and a close button. Show it with Desktop::add_window;
// closing it (the button, Escape, or close()) tells on_closed() and then destroys it.
class NormalWindow : public Window
{
public:
    static WidgetClass s_widget_class;

    explicit NormalWindow(const Bex::String& a_title);
    const WidgetClass& get_widget_class() const override;

    const Bex::String& get_title() const;
    void set_title(const Bex::String& a_title);
    // The window owns the contents; a previous one is destroyed.
    void set_contents(Widget* a_contents);
    Widget* get_contents() const { return m_contents; }
    NormalWindowTitleBar& get_title_bar() const { return *m_title_bar; }

    // Safe from inside the window's own events; a second call does nothing.
    void close();
    bool is_closing() const { return m_closing; }
    // Emitted once, before the window goes.
    Bex::Signal1<WidgetEvent>& on_closed() { return m_on_closed; }

private:
    void p_on_measure(WidgetEvents::OnMeasure& a_event);
    void p_on_arrange();
    void p_on_child_changed();
    void p_on_desktop_changed(WidgetEvents::OnDesktopChanged& a_event);
    void p_on_input(InputEvent& a_event);

    NormalWindowTitleBar* m_title_bar;
    Widget* m_contents = nullptr;
    // Escape reaches the window whatever inside it has the focus.
    std::unique_ptr<InputListener> m_key_listener;
    // The listener of the previous desktop: it may be the one emitting when the window leaves.
    std::unique_ptr<InputListener> m_old_key_listener;
    bool m_closing = false;
    Bex::Signal1<WidgetEvent> m_on_closed;
};

} // namespace Kiv
