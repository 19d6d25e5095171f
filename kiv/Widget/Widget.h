#pragma once

#include "bex/Core/String.h"
#include "bex/Core/Vector.h"
#include "bex/Signals/Signal.h"
#include "bex/Signals/Trackable.h"
#include "kiv/Graphics/Border.h"
#include "kiv/Graphics/Color.h"
#include "kiv/Graphics/Font.h"
#include "kiv/Graphics/Geometry.h"
#include "kiv/Widget/InputEventType.h"
#include "kiv/Widget/WidgetConnectionManager.h"
#include "kiv/Widget/WidgetEvents.h"
#include "kiv/Widget/WidgetSizes.h"

#include <cstdint>
#include <optional>

namespace Kiv
{

class Desktop;
class WidgetClass;

struct WidgetSides
{
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    int32_t left = 0;

    bool operator==(const WidgetSides&) const = default;
};

// What the desktop's layout pass does for a widget that asked for it.
enum WidgetLayoutFlag
{
    WidgetLayoutFlag_ARRANGE = 1,
    WidgetLayoutFlag_MEASURE = 2,
};

// States that style-sheet switches select cases by. The desktop keeps hover and focus; widgets
// set pressed and checked.
enum WidgetStyleState
{
    WidgetStyleState_HOVER = 1u << 0,
    WidgetStyleState_FOCUSED = 1u << 1,
    WidgetStyleState_PRESSED = 1u << 2,
    WidgetStyleState_CHECKED = 1u << 3,
};

enum WidgetArea
{
    WidgetArea_MARGINS = 0,
    WidgetArea_CONTENT = 1,
    WidgetArea_BORDER = 3,
};

// The base of every element of the GUI. A widget owns its children; it is measured, arranged,
// styled and painted by its desktop's passes, and almost everything it does is published through
// signals that the widget itself, its layout and other objects subscribe to.
//
// Delete widgets through destroy(): during an input event it detaches the widget at once and
// deletes it when the event is over, so that no signal being emitted is freed under its feet.
class Widget : public Bex::Trackable
{
public:
    static WidgetClass s_widget_class;

    Widget();
    Widget(const Widget&) = delete;
    Widget& operator=(const Widget&) = delete;

    // a_mode 0 tests the area inside the margins, any other mode the whole rectangle; x and y
    // are in this widget's coordinates.
    virtual Widget* get_child_at(int32_t a_x, int32_t a_y, int a_mode);
    virtual const WidgetClass& get_widget_class() const;
    virtual ~Widget() override;

    void destroy();

    // Tree.
    Widget* get_parent() const { return m_parent; }
    size_t get_index() const { return m_index; }
    const Bex::Vector<Widget*>& get_children() const { return m_children; }
    Desktop* get_desktop() const { return m_desktop; }
    Widget* get_window() const { return m_window; }
    uint32_t get_depth() const { return m_depth; }
    bool is_being_destroyed() const { return m_being_destroyed; }
    // True for windows and desktops: the roots of widget trees.
    bool is_window_root() const { return m_is_window_root; }
    // True for the widget itself and everything below it.
    bool contains(const Widget* a_widget) const;
    void set_parent(Widget* a_parent, uint64_t a_parental_data = 0);
    void remove_child(Widget* a_widget);
    uint64_t get_parental_data(Widget* a_child) const;
    void set_parental_data(Widget* a_child, uint64_t a_value);

    // Geometry, relative to the parent.
    int32_t get_x() const { return m_x; }
    int32_t get_y() const { return m_y; }
    int32_t get_width() const { return m_width; }
    int32_t get_height() const { return m_height; }
    Rect get_rect() const { return {m_x, m_y, m_width, m_height}; }
    Point get_desktop_position() const;
    void set_geometry(int32_t a_x, int32_t a_y, int32_t a_width, int32_t a_height);

    WidgetMeasuredSizes& get_measured_sizes() { return m_measured_sizes; }
    WidgetRequestedSizes& get_requested_sizes() { return m_requested_sizes; }
    const WidgetSizeValues& get_requested() const { return m_requested_sizes.get(); }
    // Emits OnMeasure and stores the result as the measured sizes.
    void measure();

    const WidgetSides& get_margins() const { return m_margins; }
    const WidgetSides& get_padding() const { return m_padding; }
    void set_margins(const WidgetSides& a_margins);
    void set_padding(const WidgetSides& a_padding);
    // Margins, border and padding on each side: where the content begins.
    WidgetSides get_frame() const;
    // The area of a kind in the widget's coordinates; an unknown kind is empty.
    Rect get_area(int a_kind) const;

    const std::optional<Brush>& get_background() const { return m_background; }
    void set_background(const std::optional<Brush>& a_background);
    const Border& get_border() const { return m_border; }
    void set_border(const Border& a_border);
    const Font& get_font() const { return m_font; }
    void set_font(const Font& a_font);
    Color get_text_color() const { return m_text_color; }
    void set_text_color(Color a_color);

    bool is_visible() const { return m_visible; }
    void set_visible(bool a_visible);
    bool is_enabled() const { return m_enabled; }
    void set_enabled(bool a_enabled);
    uint32_t get_style_states() const { return m_style_states; }
    // Restyles and repaints the widget when the state changes.
    void set_style_state(WidgetStyleState a_state, bool a_on);
    // Only widgets that look different under the mouse get the hover state: restyling a
    // container restyles everything in it.
    bool is_tracking_hover() const { return m_tracking_hover; }
    void set_tracking_hover(bool a_value) { m_tracking_hover = a_value; }
    bool is_horizontally_stretchable() const { return m_horizontally_stretchable; }
    bool is_vertically_stretchable() const { return m_vertically_stretchable; }
    bool is_adjusting_width_to_contents() const { return m_adjust_width_to_contents; }
    bool is_adjusting_height_to_contents() const { return m_adjust_height_to_contents; }
    void set_horizontally_stretchable(bool a_value);
    void set_vertically_stretchable(bool a_value);
    void set_adjust_width_to_contents(bool a_value);
    void set_adjust_height_to_contents(bool a_value);

    // Focus: a set of WidgetFocusFlag values.
    uint32_t get_focus_flags() const { return m_focus_flags; }
    void set_focus_flags(uint32_t a_flags) { m_focus_flags = a_flags; }
    // Throws "Widget::can_focus(): unknown focus reason." for a reason it does not know.
    bool can_focus(FocusReason a_reason) const;
    bool has_focus() const;

    // A set flag passes events of that type on to the parent after this widget had them.
    bool get_input_event_propagation_filter(InputEventType a_type) const;
    void set_input_event_propagation_filter(InputEventType a_type, bool a_flag);

    const Bex::String& get_style_subclass() const { return m_style_subclass; }
    void set_style_subclass(const Bex::String& a_name);
    bool needs_style() const { return m_needs_style; }
    void request_style();
    void p_style_applied() { m_needs_style = false; }

    // Asks the desktop to measure and/or arrange this widget in its next layout pass.
    void request_layout(uint32_t a_flags);
    uint32_t get_layout_flags() const { return m_layout_flags; }
    uint32_t p_take_layout_flags(uint32_t a_mask);
    // Asks the desktop to repaint the widget.
    void invalidate();
    // Measures text in the widget's font as its desktop paints it; by a fixed rule when the
    // widget is on no desktop.
    Size measure_text(const Bex::String& a_text) const;

    WidgetConnectionManager& get_connection_manager() { return m_connection_manager; }
    template <typename Event, typename Subscriber, typename Method>
    Bex::Connection* connect(Bex::Signal1<Event>& a_signal, Subscriber* a_subscriber,
                             Method a_method,
                             WidgetConnectionLifetime a_lifetime = WidgetConnectionLifetime_WIDGET)
    {
        return m_connection_manager.add_connection(a_signal.connect(a_subscriber, a_method),
                                                   a_lifetime);
    }

    Bex::Signal1<WidgetEvents::OnMeasure>& on_measure() { return m_on_measure; }
    Bex::Signal1<WidgetEvents::OnGeometryChanged>& on_geometry_changed()
    {
        return m_on_geometry_changed;
    }
    Bex::Signal1<WidgetEvents::OnPaint>& on_paint() { return m_on_paint; }
    Bex::Signal1<WidgetEvents::OnMouseDown>& on_mouse_down() { return m_on_mouse_down; }
    Bex::Signal1<WidgetEvents::OnMouseUp>& on_mouse_up() { return m_on_mouse_up; }
    Bex::Signal1<WidgetEvents::OnMouseMoved>& on_mouse_moved() { return m_on_mouse_moved; }
    Bex::Signal1<WidgetEvents::OnMouseWheel>& on_mouse_wheel() { return m_on_mouse_wheel; }
    Bex::Signal1<WidgetEvents::OnMouseOver>& on_mouse_over() { return m_on_mouse_over; }
    Bex::Signal1<WidgetEvents::OnMouseOut>& on_mouse_out() { return m_on_mouse_out; }
    Bex::Signal1<WidgetEvents::OnMouseHover>& on_mouse_hover() { return m_on_mouse_hover; }
    Bex::Signal1<WidgetEvents::OnKeyboardDown>& on_keyboard_down() { return m_on_keyboard_down; }
    Bex::Signal1<WidgetEvents::OnKeyboardUp>& on_keyboard_up() { return m_on_keyboard_up; }
    Bex::Signal1<WidgetEvents::OnKeyboardString>& on_keyboard_string()
    {
        return m_on_keyboard_string;
    }
    Bex::Signal1<WidgetEvents::OnFocusIn>& on_focus_in() { return m_on_focus_in; }
    Bex::Signal1<WidgetEvents::OnFocusOut>& on_focus_out() { return m_on_focus_out; }
    Bex::Signal1<WidgetEvents::OnDesktopChanged>& on_desktop_changed()
    {
        return m_on_desktop_changed;
    }

    Bex::Signal1<WidgetEvent>& on_parent_about_to_change() { return m_on_parent_about_to_change; }
    Bex::Signal1<WidgetEvent>& on_parent_changed() { return m_on_parent_changed; }
    // Carries the child.
    Bex::Signal1<WidgetEvent>& on_child_removing() { return m_on_child_removing; }
    Bex::Signal1<WidgetEvent>& on_requested_sizes_changed() { return m_on_requested_sizes_changed; }
    // Carries the child.
    Bex::Signal1<WidgetEvent>& on_child_requested_sizes_changed()
    {
        return m_on_child_requested_sizes_changed;
    }
    // Carries the child.
    Bex::Signal1<WidgetEvent>& on_child_geometry_changed() { return m_on_child_geometry_changed; }
    // The desktop's layout pass asks the widget to place its children.
    Bex::Signal1<WidgetEvent>& on_arrange() { return m_on_arrange; }
    Bex::Signal1<WidgetEvent>& on_destroying() { return m_on_destroying; }

    void p_requested_sizes_changed();

protected:
    // A Window is the root of the widgets it holds.
    void p_set_window_root() { m_is_window_root = true; }
    // Destroys every child now; for containers that must outlive their members' teardown.
    void p_destroy_children();
    // Makes this widget the root of its own desktop.
    void p_set_own_desktop(Desktop* a_desktop);

private:
    void p_set_tree(Desktop* a_desktop, Widget* a_window, uint32_t a_depth);
    void p_frame_changed();

    // Tree.
    Widget* m_parent = nullptr;
    size_t m_index = 0;
    Bex::Vector<Widget*> m_children;
    uint64_t m_parental_data = 0;
    Desktop* m_desktop = nullptr;
    Widget* m_window = this;
    uint32_t m_depth = 0;
    bool m_is_window_root = false;
    bool m_being_destroyed = false;
    bool m_destroy_pending = false;

    int32_t m_x = 0;
    int32_t m_y = 0;
    int32_t m_width = 0;
    int32_t m_height = 0;
    WidgetMeasuredSizes m_measured_sizes;
    WidgetRequestedSizes m_requested_sizes;
    WidgetSides m_margins;
    WidgetSides m_padding;

    std::optional<Brush> m_background;
    Border m_border;
    Font m_font;
    Color m_text_color;

    bool m_adjust_width_to_contents = false;
    bool m_adjust_height_to_contents = false;
    bool m_horizontally_stretchable = false;
    bool m_vertically_stretchable = false;
    bool m_visible = true;
    bool m_enabled = true;
    uint32_t m_style_states = 0;
    bool m_tracking_hover = false;
    uint32_t m_focus_flags = 0;
    bool m_propagation_filter[InputEventType_ENUM_SIZE] = {};
    bool m_needs_style = true;
    uint32_t m_layout_flags = WidgetLayoutFlag_MEASURE | WidgetLayoutFlag_ARRANGE;

    Bex::String m_style_subclass;
    WidgetConnectionManager m_connection_manager;

    Bex::Signal1<WidgetEvents::OnMeasure> m_on_measure;
    Bex::Signal1<WidgetEvents::OnGeometryChanged> m_on_geometry_changed;
    Bex::Signal1<WidgetEvents::OnPaint> m_on_paint;
    Bex::Signal1<WidgetEvents::OnMouseDown> m_on_mouse_down;
    Bex::Signal1<WidgetEvents::OnMouseUp> m_on_mouse_up;
    Bex::Signal1<WidgetEvents::OnMouseMoved> m_on_mouse_moved;
    Bex::Signal1<WidgetEvents::OnMouseWheel> m_on_mouse_wheel;
    Bex::Signal1<WidgetEvents::OnMouseOver> m_on_mouse_over;
    Bex::Signal1<WidgetEvents::OnMouseOut> m_on_mouse_out;
    Bex::Signal1<WidgetEvents::OnMouseHover> m_on_mouse_hover;
    Bex::Signal1<WidgetEvents::OnKeyboardDown> m_on_keyboard_down;
    Bex::Signal1<WidgetEvents::OnKeyboardUp> m_on_keyboard_up;
    Bex::Signal1<WidgetEvents::OnKeyboardString> m_on_keyboard_string;
    Bex::Signal1<WidgetEvents::OnFocusIn> m_on_focus_in;
    Bex::Signal1<WidgetEvents::OnFocusOut> m_on_focus_out;
    Bex::Signal1<WidgetEvents::OnDesktopChanged> m_on_desktop_changed;

    Bex::Signal1<WidgetEvent> m_on_parent_about_to_change;
    Bex::Signal1<WidgetEvent> m_on_parent_changed;
    Bex::Signal1<WidgetEvent> m_on_child_removing;
    Bex::Signal1<WidgetEvent> m_on_requested_sizes_changed;
    Bex::Signal1<WidgetEvent> m_on_child_requested_sizes_changed;
    Bex::Signal1<WidgetEvent> m_on_child_geometry_changed;
    Bex::Signal1<WidgetEvent> m_on_arrange;
    Bex::Signal1<WidgetEvent> m_on_destroying;
};

// While one exists, Widget::destroy() detaches widgets and defers deleting them until the last
// scope ends. The desktop opens one around every event it delivers.
class WidgetEventScope
{
public:
    WidgetEventScope();
    ~WidgetEventScope();
    WidgetEventScope(const WidgetEventScope&) = delete;
    WidgetEventScope& operator=(const WidgetEventScope&) = delete;
};

} // namespace Kiv
