#pragma once

#include "kiv/Graphics/Color.h"
#include "kiv/Widget/Widget.h"

namespace Kiv
{

// A vertical list of one-line texts with at most one selected row. A row may carry a marker, a
// small folder sign before its text (for lists that put folders first). The list scrolls by
// rows; when it holds more than it shows, a thin bar along its right edge tells where the view
// lies.
//
// Mouse: a press selects, a double press activates, the wheel scrolls three rows a notch. Keys:
// Up, Down, Home, End, Page Up and Page Down move the selection, Return activates it, and typing
// a letter selects the next row whose text starts with it.
class ListView : public Widget
{
public:
    static WidgetClass s_widget_class;

    ListView();
    const WidgetClass& get_widget_class() const override;

    // Clears the markers and the selection and scrolls to the top.
    void set_items(Bex::Vector<Bex::String> a_items);
    size_t get_item_count() const { return m_items.size(); }
    const Bex::String& get_item_text(size_t a_index) const { return m_items[a_index].text; }
    void set_item_marker(size_t a_index, bool a_marker);
    bool has_item_marker(size_t a_index) const { return m_items[a_index].marker; }

    // -1 for none.
    int32_t get_selection() const { return m_selection; }
    // Emits nothing; scrolls the row into view. An index past the items clears the selection.
    void set_selection(int32_t a_index);

    // Scrolling, in rows: the first row shown, kept so that the view stays full when it can.
    size_t get_first_visible_row() const { return m_first_row; }
    void scroll_to(int64_t a_first_row);
    size_t get_visible_row_count() const;
    int32_t get_row_height() const;
    // In the list's coordinates; rows out of view lie outside the content area.
    Rect get_row_rect(size_t a_index) const;
    // The row under the mouse, or -1.
    int32_t get_hover_row() const { return m_hover_row; }

    void set_selection_brush(const Brush& a_brush);
    void set_selection_text_color(Color a_color);
    void set_hover_brush(const Brush& a_brush);
    void set_indicator_brush(const Brush& a_brush);
    void set_indicator_width(int32_t a_width);
    void set_marker_color(Color a_color);
    void set_row_padding(int32_t a_horizontal, int32_t a_vertical);
    int32_t get_row_horizontal_padding() const { return m_row_horizontal_padding; }
    int32_t get_row_vertical_padding() const { return m_row_vertical_padding; }

    // User changes only.
    Bex::Signal1<WidgetEvent>& on_selection_changed() { return m_on_selection_changed; }
    Bex::Signal1<WidgetEvent>& on_item_activated() { return m_on_item_activated; }

private:
    struct Item
    {
        Bex::String text;
        bool marker = false;
    };

    bool p_has_markers() const;
    int32_t p_text_height() const;
    int32_t p_row_at(Point a_position) const;
    void p_ensure_visible(int32_t a_index);
    void p_select_by_user(int64_t a_index);
    void p_activate();

    void p_on_measure(WidgetEvents::OnMeasure& a_event);
    void p_on_paint(WidgetEvents::OnPaint& a_event);
    void p_on_mouse_down(WidgetEvents::OnMouseDown& a_event);
    void p_on_mouse_moved(WidgetEvents::OnMouseMoved& a_event);
    void p_on_mouse_out();
    void p_on_mouse_wheel(WidgetEvents::OnMouseWheel& a_event);
    void p_on_keyboard_down(WidgetEvents::OnKeyboardDown& a_event);
    void p_on_keyboard_string(WidgetEvents::OnKeyboardString& a_event);
    void p_on_geometry_changed();

    Bex::Vector<Item> m_items;
    int32_t m_selection = -1;
    int32_t m_hover_row = -1;
    size_t m_first_row = 0;
    bool m_reveal_pending = false;

    Brush m_selection_brush{Color{0xFF4FB3BFu}};
    Color m_selection_text_color{0xFF000000u};
    Brush m_hover_brush{Color{0x20FFFFFFu}};
    Brush m_indicator_brush{Color{0x80FFFFFFu}};
    int32_t m_indicator_width = 3;
    Color m_marker_color{0xFFE0A458u};
    int32_t m_row_horizontal_padding = 4;
    int32_t m_row_vertical_padding = 2;

    Bex::Signal1<WidgetEvent> m_on_selection_changed;
    Bex::Signal1<WidgetEvent> m_on_item_activated;
};

} // namespace Kiv
