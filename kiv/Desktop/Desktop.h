#pragma once

#include "kiv/Desktop/NativeWindow.h"
#include "kiv/Widget/InputListener.h"
#include "kiv/Widget/Window.h"

#include <memory>

namespace Kiv
{

class Application;
class NativeDialogClient;
class Painter;
class StyleSheet;

// The root of a widget tree inside one native window. It runs the passes that changes ask for
// (style, then measure, then arrange; a change never measures or arranges inside itself), paints
// the tree, and routes input: mouse and wheel to the widget under the cursor or to the one that
// holds the capture while a button is down, keys and text to the focus, and every event to the
// input listeners. It keeps no pointer to a widget that has left it.
class Desktop : public Window
{
public:
    static WidgetClass s_widget_class;

    Desktop(Application& a_application, std::unique_ptr<NativeWindow> a_native_window);
    ~Desktop() override;
    const WidgetClass& get_widget_class() const override;

    Application& get_application() const { return m_application; }
    NativeWindow& get_native_window() const { return *m_native_window; }
    InputListeners& get_input_listeners() { return m_input_listeners; }

    // Measures text as this desktop's window paints it.
    Size measure_text(const Bex::String& a_text, const Font& a_font);

    // Shows a window over the contents, centred until it is moved. A modal window takes all input
    // of this desktop until it is removed; modal windows stack. The desktop owns the window.
    void add_window(Window* a_window, bool a_modal = false);
    // The modal window on top, or null.
    Window* get_modal_window() const;

    // Opens a_content in a popup: a desktop of its own in a borderless native window at a_area
    // (this desktop's coordinates; it may reach past the window). A mouse press on this desktop
    // closes every popup and is not delivered further; keys go to the newest popup.
    Desktop& open_popup(Widget* a_content, const Rect& a_area);
    // Closes a_popup and every popup opened after it. Safe from inside the popup's own events:
    // the popup is hidden from input at once and deleted by this desktop's next update.
    void close_popup(Desktop* a_popup);
    void close_popups();
    const Bex::Vector<Desktop*>& get_popups() const { return m_popup_list; }
    // The desktop that opened this popup; null for a desktop of its own.
    Desktop* get_owner() const { return m_owner; }
    // The desktop at the root of a chain of popups.
    Desktop& get_root_desktop();

    // Runs the pending style, measure and arrange passes.
    void update();
    bool is_update_pending() const { return m_update_pending; }
    // Paints every visible widget that meets a_area (desktop coordinates).
    void paint(Painter& a_painter, const Rect& a_area);

    // Input from the native window; positions in desktop coordinates.
    void handle_resize();
    void handle_mouse_down(Point a_position, MouseButton a_button, uint32_t a_click_count = 1,
                           uint32_t a_modifiers = 0);
    void handle_mouse_up(Point a_position, MouseButton a_button, uint32_t a_modifiers = 0);
    void handle_mouse_move(Point a_position, uint32_t a_modifiers = 0);
    void handle_mouse_leave();
    void handle_mouse_hover(Point a_position);
    void handle_mouse_wheel(Point a_position, int32_t a_delta, uint32_t a_modifiers = 0);
    void handle_key_down(uint32_t a_key, uint32_t a_modifiers = 0);
    void handle_key_up(uint32_t a_key, uint32_t a_modifiers = 0);
    void handle_text(const Bex::String& a_text);

    // The topmost visible widget at the point; the desktop itself when no other is there.
    Widget* find_widget_at(Point a_position);
    // False when the widget does not take the focus for that reason. Throws for an unknown
    // reason. A null widget clears the focus.
    bool set_focus(Widget* a_widget, FocusReason a_reason, Point a_point = {});

    Widget* get_focus() const { return m_focus; }
    Widget* get_hover() const { return m_hover; }
    Widget* get_capture() const { return m_capture; }
    Widget* get_active_window() const { return m_active_window; }

    void invalidate_area(const Rect& a_area);

    // Called by widgets.
    void p_layout_requested();
    void p_widget_leaving(Widget* a_widget);
    // Called by menus and dialogs that show through the platform's own boxes: they run, in the
    // order queued, after the next update.
    void p_queue_native_dialog(NativeDialogClient* a_client);
    void p_forget_native_dialog(NativeDialogClient* a_client);

protected:
    // Makes the desktop that shows a popup; backends that need their own kind override it.
    virtual std::unique_ptr<Desktop> p_create_popup(const Rect& a_area);

private:
    void p_on_style_sheet_changed();
    void p_delete_closed_popups();
    // The widget itself, or null when a modal window holds the input and it lies outside.
    Widget* p_gate(Widget* a_target) const;
    void p_on_measure(WidgetEvents::OnMeasure& a_event);
    void p_on_arrange();
    void p_on_child_changed();
    void p_fit_to_window();
    void p_update_hover(Point a_position);
    void p_deliver(InputEvent& a_event, Widget* a_target);
    void p_emit_to(Widget& a_widget, const InputEvent& a_event);
    void p_release_capture();
    void p_run_native_dialogs();

    Application& m_application;
    std::unique_ptr<NativeWindow> m_native_window;
    InputListeners m_input_listeners;
    Widget* m_hover = nullptr;
    Widget* m_focus = nullptr;
    Widget* m_capture = nullptr;
    Widget* m_active_window = nullptr;
    Bex::Vector<Window*> m_modal_windows;
    Desktop* m_owner = nullptr;
    Bex::Vector<std::unique_ptr<Desktop>> m_popups;
    Bex::Vector<Desktop*> m_popup_list;
    Bex::Vector<std::unique_ptr<Desktop>> m_closed_popups;
    // The widgets that events being delivered are going to; nested deliveries stack.
    Bex::Vector<Widget*> m_event_targets;
    Bex::Vector<NativeDialogClient*> m_native_dialogs;
    uint32_t m_pressed_buttons = 0;
    bool m_update_pending = false;
    bool m_updating = false;
    bool m_running_native_dialog = false;
};

} // namespace Kiv
