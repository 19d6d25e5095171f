#pragma once

#include "kiv/Widget/Widget.h"

namespace Kiv
{

// A line of editable text. Positions are UTF-16 indices that never fall inside a surrogate
// pair. The selection runs between the anchor and the caret; typing replaces it. The text
// scrolls sideways to keep the caret in view. Only the user's edits are signalled.
class Entry : public Widget
{
public:
    static WidgetClass s_widget_class;

    Entry();
    const WidgetClass& get_widget_class() const override;

    const Bex::String& get_text() const { return m_text; }
    // Puts the caret at the end; nothing is signalled.
    void set_text(const Bex::String& a_text);

    size_t get_caret() const { return m_caret; }
    size_t get_anchor() const { return m_anchor; }
    // Moves the caret to the nearest position at or before a_position; a_extend keeps the anchor
    // so that the selection grows or shrinks.
    void set_caret(size_t a_position, bool a_extend = false);
    void select_all();
    bool has_selection() const { return m_caret != m_anchor; }
    size_t get_selection_start() const { return std::min(m_caret, m_anchor); }
    size_t get_selection_end() const { return std::max(m_caret, m_anchor); }
    Bex::String get_selected_text() const;

    // When not empty, typing inserts only these characters.
    void set_allowed_characters(const Bex::String& a_characters);

    // How far the text is scrolled to the left, in pixels.
    int32_t get_scroll() const { return m_scroll; }
    // The x of a position in the content area's coordinates, scrolling included.
    int32_t get_position_x(size_t a_position) const;

    // The look; the style sheet sets them.
    void set_caret_color(Color a_color);
    void set_selection_color(Color a_color);
    void set_selected_text_color(Color a_color);
    // The preferred width, in widths of the digit zero.
    void set_visible_characters(int32_t a_count);

    Bex::Signal1<WidgetEvent>& on_text_changed() { return m_on_text_changed; }
    Bex::Signal1<WidgetEvent>& on_return() { return m_on_return; }

private:
    void p_on_measure(WidgetEvents::OnMeasure& a_event);
    void p_on_paint(WidgetEvents::OnPaint& a_event);
    void p_on_mouse_down(WidgetEvents::OnMouseDown& a_event);
    void p_on_mouse_moved(WidgetEvents::OnMouseMoved& a_event);
    void p_on_mouse_up(WidgetEvents::OnMouseUp& a_event);
    void p_on_keyboard_down(WidgetEvents::OnKeyboardDown& a_event);
    void p_on_keyboard_string(WidgetEvents::OnKeyboardString& a_event);
    void p_on_focus_in(WidgetEvents::OnFocusIn& a_event);
    void p_on_geometry_changed();

    // Replaces the selection by a_text as the user's edit.
    void p_replace_selection(const Bex::String& a_text);
    void p_emit(Bex::Signal1<WidgetEvent>& a_signal);
    // The text width up to a position, unscrolled.
    int32_t p_width_to(size_t a_position) const;
    size_t p_position_at(int32_t a_x) const;
    size_t p_previous(size_t a_position) const;
    size_t p_next(size_t a_position) const;
    size_t p_snap(size_t a_position) const;
    void p_scroll_to_caret();

    Bex::String m_text;
    Bex::String m_allowed_characters;
    size_t m_caret = 0;
    size_t m_anchor = 0;
    int32_t m_scroll = 0;
    bool m_dragging = false;
    int32_t m_visible_characters = 12;
    Color m_caret_color;
    Color m_selection_color;
    Color m_selected_text_color;
    Bex::Signal1<WidgetEvent> m_on_text_changed;
    Bex::Signal1<WidgetEvent> m_on_return;
};

} // namespace Kiv
