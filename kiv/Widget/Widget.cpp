#include "kiv/Widget/Widget.h"

#include "bex/Core/Assert.h"
#include "kiv/Desktop/Desktop.h"
#include "kiv/Graphics/TextMeasurer.h"
#include "kiv/Styles/WidgetClass.h"

namespace Kiv
{

WidgetClass Widget::s_widget_class("Widget", "");

namespace
{

uint32_t g_event_depth = 0;
Bex::Vector<Widget*> g_deferred_deletions;

} // namespace

WidgetEventScope::WidgetEventScope()
{
    ++g_event_depth;
}

WidgetEventScope::~WidgetEventScope()
{
    if (--g_event_depth != 0)
        return;
    // Deleting may destroy further widgets, which then go at once since no scope is open.
    Bex::Vector<Widget*> deletions;
    deletions.swap(g_deferred_deletions);
    for (Widget* widget : deletions)
        delete widget;
}

Widget::Widget() : m_measured_sizes(*this), m_requested_sizes(*this, m_measured_sizes) {}

Widget::~Widget()
{
    m_being_destroyed = true;
    WidgetEvent event{this};
    m_on_destroying.emit(event);
    // The parts of derived classes are gone by now: their handlers must not hear the widget
    // leave its parent.
    m_connection_manager.disconnect(WidgetConnectionLifetime_WIDGET);
    p_destroy_children();
    if (m_parent)
        set_parent(nullptr);
    else if (m_desktop && m_desktop != this)
        p_set_tree(nullptr, this, 0);
}

void Widget::destroy()
{
    if (m_destroy_pending)
        return;
    if (g_event_depth == 0)
    {
        delete this;
        return;
    }
    m_destroy_pending = true;
    set_parent(nullptr);
    g_deferred_deletions.push_back(this);
}

void Widget::p_destroy_children()
{
    while (!m_children.empty())
    {
        Widget* child = m_children.back();
        child->destroy();
        // A deferred child is already detached; one deleted now detached itself.
        BEX_ASSERT(m_children.empty() || m_children.back() != child);
    }
}

Widget* Widget::get_child_at(int32_t a_x, int32_t a_y, int a_mode)
{
    for (size_t index = m_children.size(); index-- > 0;)
    {
        Widget* child = m_children[index];
        if (!child->m_visible)
            continue;
        const Rect hit = a_mode == 0 ? child->get_area(WidgetArea_MARGINS)
                                     : Rect{0, 0, child->m_width, child->m_height};
        if (hit.moved(child->m_x, child->m_y).contains(a_x, a_y))
            return child;
    }
    return nullptr;
}

const WidgetClass& Widget::get_widget_class() const
{
    return s_widget_class;
}

bool Widget::contains(const Widget* a_widget) const
{
    for (const Widget* current = a_widget; current; current = current->m_parent)
    {
        if (current == this)
            return true;
    }
    return false;
}

void Widget::set_parent(Widget* a_parent, uint64_t a_parental_data)
{
    if (a_parent == m_parent)
        return;
    BEX_ASSERT(!a_parent || !contains(a_parent));
    Widget* old_parent = m_parent;
    WidgetEvent event{this};
    m_on_parent_about_to_change.emit(event);
    if (old_parent && !old_parent->m_being_destroyed)
        old_parent->m_on_child_removing.emit(event);

    if (old_parent)
    {
        for (size_t index = m_index + 1; index < old_parent->m_children.size(); ++index)
            --old_parent->m_children[index]->m_index;
        old_parent->m_children.remove_at(m_index);
        if (!old_parent->m_being_destroyed)
            old_parent->invalidate();
        m_parent = nullptr;
        m_parental_data = 0;
    }

    if (a_parent)
    {
        m_parent = a_parent;
        m_index = a_parent->m_children.size();
        a_parent->m_children.push_back(this);
        m_parental_data = a_parental_data;
        p_set_tree(a_parent->m_desktop, m_is_window_root ? this : a_parent->m_window,
                   a_parent->m_depth + 1);
        request_style();
        request_layout(WidgetLayoutFlag_MEASURE | WidgetLayoutFlag_ARRANGE);
        a_parent->request_layout(WidgetLayoutFlag_MEASURE | WidgetLayoutFlag_ARRANGE);
    }
    else
        p_set_tree(nullptr, this, 0);

    m_on_parent_changed.emit(event);
}

void Widget::p_set_own_desktop(Desktop* a_desktop)
{
    m_is_window_root = true;
    p_set_tree(a_desktop, this, 0);
}

void Widget::p_set_tree(Desktop* a_desktop, Widget* a_window, uint32_t a_depth)
{
    Desktop* old_desktop = m_desktop;
    m_window = m_is_window_root ? this : a_window;
    m_depth = a_depth;
    for (Widget* child : m_children)
        child->p_set_tree(a_desktop, m_window, a_depth + 1);
    if (old_desktop == a_desktop)
        return;
    // The desktop keeps pointers to the widget under the cursor, with the focus and with the
    // capture; they must never outlive the widget's stay there.
    if (old_desktop)
        old_desktop->p_widget_leaving(this);
    m_desktop = a_desktop;
    if (old_desktop)
        m_connection_manager.disconnect(WidgetConnectionLifetime_DESKTOP);
    if (a_desktop)
        a_desktop->p_layout_requested();
    WidgetEvents::OnDesktopChanged event{this, old_desktop, a_desktop};
    m_on_desktop_changed.emit(event);
}

void Widget::remove_child(Widget* a_widget)
{
    BEX_ASSERT(a_widget);
    BEX_ASSERT(a_widget->m_parent == this);
    a_widget->set_parent(nullptr);
}

uint64_t Widget::get_parental_data(Widget* a_child) const
{
    BEX_ASSERT(a_child);
    BEX_ASSERT(a_child->m_parent == this);
    return a_child->m_parental_data;
}

void Widget::set_parental_data(Widget* a_child, uint64_t a_value)
{
    BEX_ASSERT(a_child);
    BEX_ASSERT(a_child->m_parent == this);
    a_child->m_parental_data = a_value;
}

Point Widget::get_desktop_position() const
{
    Point position;
    for (const Widget* current = this; current && current != (const Widget*)m_desktop;
         current = current->m_parent)
    {
        position.x += current->m_x;
        position.y += current->m_y;
    }
    return position;
}

void Widget::set_geometry(int32_t a_x, int32_t a_y, int32_t a_width, int32_t a_height)
{
    const bool moved = a_x != m_x || a_y != m_y;
    const WidgetSizeValues& requested = m_requested_sizes.get();
    const int32_t width = std::clamp(a_width, requested.minimum_width, requested.maximum_width);
    const int32_t height = std::clamp(a_height, requested.minimum_height, requested.maximum_height);
    const bool resized = width != m_width || height != m_height;
    if (!moved && !resized)
        return;
    if (m_parent)
        m_parent->invalidate();
    m_x = a_x;
    m_y = a_y;
    m_width = width;
    m_height = height;

    WidgetEvents::OnGeometryChanged event{this, moved, resized};
    m_on_geometry_changed.emit(event);
    if (m_parent && !m_parent->m_being_destroyed)
    {
        WidgetEvent child_event{this};
        m_parent->m_on_child_geometry_changed.emit(child_event);
    }
    if (resized)
        request_layout(WidgetLayoutFlag_ARRANGE);
    if (m_parent)
        m_parent->invalidate();
    invalidate();
}

void Widget::measure()
{
    const WidgetSides frame = get_frame();
    const int32_t frame_width = frame.left + frame.right;
    const int32_t frame_height = frame.top + frame.bottom;
    WidgetEvents::OnMeasure event{this,         frame_width,  frame_width, frame_width,
                                  frame_height, frame_height, frame_height};
    m_on_measure.emit(event);
    // A stretchable widget may grow whatever its content measured.
    if (m_horizontally_stretchable)
        event.maximum_width = g_maximum_widget_size;
    if (m_vertically_stretchable)
        event.maximum_height = g_maximum_widget_size;
    m_measured_sizes.set_raw({event.minimum_width, event.maximum_width, event.preferred_width,
                              event.minimum_height, event.maximum_height, event.preferred_height});
}

void Widget::p_requested_sizes_changed()
{
    WidgetEvent event{this};
    m_on_requested_sizes_changed.emit(event);
    if (m_parent && !m_parent->m_being_destroyed)
        m_parent->m_on_child_requested_sizes_changed.emit(event);
    set_geometry(m_x, m_y, m_width, m_height);
}

void Widget::set_margins(const WidgetSides& a_margins)
{
    if (a_margins == m_margins)
        return;
    m_margins = a_margins;
    p_frame_changed();
}

void Widget::set_padding(const WidgetSides& a_padding)
{
    if (a_padding == m_padding)
        return;
    m_padding = a_padding;
    p_frame_changed();
}

void Widget::p_frame_changed()
{
    request_layout(WidgetLayoutFlag_MEASURE | WidgetLayoutFlag_ARRANGE);
    invalidate();
}

WidgetSides Widget::get_frame() const
{
    const int32_t border = m_border.get_thickness();
    return {m_margins.top + border + m_padding.top, m_margins.right + border + m_padding.right,
            m_margins.bottom + border + m_padding.bottom, m_margins.left + border + m_padding.left};
}

Rect Widget::get_area(int a_kind) const
{
    WidgetSides shrink = m_margins;
    if (a_kind == WidgetArea_CONTENT || a_kind == WidgetArea_BORDER)
    {
        const int32_t border = m_border.get_thickness();
        shrink = {shrink.top + border, shrink.right + border, shrink.bottom + border,
                  shrink.left + border};
    }
    if (a_kind == WidgetArea_CONTENT)
    {
        shrink = {shrink.top + m_padding.top, shrink.right + m_padding.right,
                  shrink.bottom + m_padding.bottom, shrink.left + m_padding.left};
    }
    else if (a_kind != WidgetArea_MARGINS && a_kind != WidgetArea_BORDER)
        return {};
    return {shrink.left, shrink.top, m_width - shrink.left - shrink.right,
            m_height - shrink.top - shrink.bottom};
}

void Widget::set_background(const std::optional<Brush>& a_background)
{
    // Styles are applied again whenever a widget's state changes; only a real change repaints.
    if (a_background == m_background)
        return;
    m_background = a_background;
    invalidate();
}

void Widget::set_border(const Border& a_border)
{
    if (a_border == m_border)
        return;
    m_border = a_border;
    p_frame_changed();
}

void Widget::set_font(const Font& a_font)
{
    if (a_font == m_font)
        return;
    m_font = a_font;
    request_layout(WidgetLayoutFlag_MEASURE);
    invalidate();
}

void Widget::set_text_color(Color a_color)
{
    if (a_color == m_text_color)
        return;
    m_text_color = a_color;
    invalidate();
}

void Widget::set_visible(bool a_visible)
{
    if (a_visible == m_visible)
        return;
    if (!a_visible && m_desktop)
        m_desktop->p_widget_leaving(this);
    m_visible = a_visible;
    if (m_parent)
    {
        m_parent->request_layout(WidgetLayoutFlag_MEASURE | WidgetLayoutFlag_ARRANGE);
        m_parent->invalidate();
    }
}

void Widget::set_enabled(bool a_enabled)
{
    if (a_enabled == m_enabled)
        return;
    m_enabled = a_enabled;
    // The "enabled" switch may select another case of the style.
    request_style();
    invalidate();
}

void Widget::set_style_state(WidgetStyleState a_state, bool a_on)
{
    const uint32_t states =
        a_on ? (m_style_states | a_state) : (m_style_states & ~uint32_t(a_state));
    if (states == m_style_states)
        return;
    m_style_states = states;
    request_style();
    invalidate();
}

void Widget::set_horizontally_stretchable(bool a_value)
{
    if (a_value == m_horizontally_stretchable)
        return;
    m_horizontally_stretchable = a_value;
    request_layout(WidgetLayoutFlag_MEASURE | WidgetLayoutFlag_ARRANGE);
}

void Widget::set_vertically_stretchable(bool a_value)
{
    if (a_value == m_vertically_stretchable)
        return;
    m_vertically_stretchable = a_value;
    request_layout(WidgetLayoutFlag_MEASURE | WidgetLayoutFlag_ARRANGE);
}

void Widget::set_adjust_width_to_contents(bool a_value)
{
    if (a_value == m_adjust_width_to_contents)
        return;
    m_adjust_width_to_contents = a_value;
    request_layout(WidgetLayoutFlag_MEASURE | WidgetLayoutFlag_ARRANGE);
}

void Widget::set_adjust_height_to_contents(bool a_value)
{
    if (a_value == m_adjust_height_to_contents)
        return;
    m_adjust_height_to_contents = a_value;
    request_layout(WidgetLayoutFlag_MEASURE | WidgetLayoutFlag_ARRANGE);
}

bool Widget::can_focus(FocusReason a_reason) const
{
    uint32_t needed = 0;
    switch (a_reason)
    {
    case FocusReason_PROGRAM:
        break;
    case FocusReason_MOUSE:
        needed = WidgetFocusFlag_MOUSE;
        break;
    case FocusReason_KEYBOARD:
        needed = WidgetFocusFlag_KEYBOARD;
        break;
    default:
        throw Bex::Exception(u"Widget::can_focus(): unknown focus reason.");
    }
    return m_visible && (m_focus_flags & needed) == needed;
}

bool Widget::has_focus() const
{
    return m_desktop && m_desktop->get_focus() == this;
}

bool Widget::get_input_event_propagation_filter(InputEventType a_type) const
{
    BEX_ASSERT(a_type < InputEventType_ENUM_SIZE);
    return m_propagation_filter[a_type];
}

void Widget::set_input_event_propagation_filter(InputEventType a_type, bool a_flag)
{
    BEX_ASSERT(a_type < InputEventType_ENUM_SIZE);
    m_propagation_filter[a_type] = a_flag;
}

void Widget::set_style_subclass(const Bex::String& a_name)
{
    if (a_name == m_style_subclass)
        return;
    m_style_subclass = a_name;
    request_style();
}

void Widget::request_style()
{
    m_needs_style = true;
    if (m_desktop)
        m_desktop->p_layout_requested();
}

void Widget::request_layout(uint32_t a_flags)
{
    m_layout_flags |= a_flags;
    if (m_desktop)
        m_desktop->p_layout_requested();
}

uint32_t Widget::p_take_layout_flags(uint32_t a_mask)
{
    const uint32_t taken = m_layout_flags & a_mask;
    m_layout_flags &= ~a_mask;
    return taken;
}

Size Widget::measure_text(const Bex::String& a_text) const
{
    if (!m_desktop)
        return measure_text_by_fixed_rule(a_text, m_font);
    return m_desktop->measure_text(a_text, m_font);
}

void Widget::invalidate()
{
    if (!m_desktop || m_being_destroyed)
        return;
    // Nothing of a hidden widget shows (an editor on a tab page behind another, say); hiding
    // repaints its place through the parent.
    for (const Widget* widget = this; widget; widget = widget->m_parent)
    {
        if (!widget->m_visible)
            return;
    }
    const Point position = get_desktop_position();
    m_desktop->invalidate_area({position.x, position.y, m_width, m_height});
}

} // namespace Kiv
