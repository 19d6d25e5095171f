#pragma once

#include "kiv/Widget/Widget.h"
#include "kiv/Widgets/Orientation.h"

namespace Kiv
{

class ScrollBarButton;
class ScrollBarHandle;
class ScrollBarTrough;

// Shows which page of a longer whole is in view and lets the user move it: the arrows step,
// a press in the trough pages toward the point, the handle drags and the wheel steps. The value
// is the start of the page, from 0 to total - page; only the user's changes are signalled.
class ScrollBar : public Widget
{
public:
    // The class both orientations derive from, where their common properties live.
    static WidgetClass s_widget_class;
    static WidgetClass s_horizontal_widget_class;
    static WidgetClass s_vertical_widget_class;

    explicit ScrollBar(Orientation a_orientation);
    const WidgetClass& get_widget_class() const override;

    Orientation get_orientation() const { return m_orientation; }
    // Negative sizes count as 0; the value is clamped into the new range without a signal.
    void set_range(int32_t a_total, int32_t a_page);
    int32_t get_total() const { return m_total; }
    int32_t get_page() const { return m_page; }
    int32_t get_maximum_value() const { return std::max(0, m_total - m_page); }
    int32_t get_value() const { return m_value; }
    // Clamped to 0…total - page; nothing is signalled.
    void set_value(int32_t a_value);
    int32_t get_step() const { return m_step; }
    void set_step(int32_t a_step);
    // The handle never gets shorter than this, however long the whole; the sheet sets it.
    void set_minimum_handle_length(int32_t a_pixels);

    ScrollBarButton& get_back_button() const { return *m_back; }
    ScrollBarButton& get_forward_button() const { return *m_forward; }
    ScrollBarTrough& get_trough() const { return *m_trough; }
    ScrollBarHandle& get_handle() const { return *m_handle; }

    Bex::Signal1<WidgetEvent>& on_value_changed() { return m_on_value_changed; }

private:
    void p_on_measure(WidgetEvents::OnMeasure& a_event);
    void p_on_arrange();
    void p_on_back_click();
    void p_on_forward_click();
    void p_on_trough_down(WidgetEvents::OnMouseDown& a_event);
    void p_on_handle_down(WidgetEvents::OnMouseDown& a_event);
    void p_on_handle_moved(WidgetEvents::OnMouseMoved& a_event);
    void p_on_handle_up(WidgetEvents::OnMouseUp& a_event);
    void p_on_wheel(WidgetEvents::OnMouseWheel& a_event);
    void p_on_child_sizes_changed();

    // The coordinate along the bar's axis.
    int32_t p_along(Point a_point) const;
    int32_t p_along(Size a_size) const;
    // The trough's content along the axis: where the handle may go, in the trough's coordinates.
    int32_t p_track_start() const;
    int32_t p_track_length() const;
    int32_t p_handle_length() const;
    void p_place_handle();
    void p_change_value(int64_t a_value);

    Orientation m_orientation;
    ScrollBarButton* m_back;
    ScrollBarButton* m_forward;
    ScrollBarTrough* m_trough;
    ScrollBarHandle* m_handle;
    int32_t m_total = 0;
    int32_t m_page = 0;
    int32_t m_value = 0;
    int32_t m_step = 1;
    int32_t m_minimum_handle_length = 16;
    // Where in the handle the drag took it, along the axis; -1 while not dragging.
    int32_t m_grab = -1;
    Bex::Signal1<WidgetEvent> m_on_value_changed;
};

} // namespace Kiv
