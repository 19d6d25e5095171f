#pragma once

#include "kiv/Widget/Widget.h"

#include <cstdint>

namespace Kiv
{

class Filler;
class Painter;

enum FillerDragMode : uint32_t
{
    FillerDragMode_NONE = 0,
    FillerDragMode_LEFT = 1,
    FillerDragMode_MIDDLE = 4,
};

struct FillerEvent
{
    Filler* filler;
    // True when the owner set the value to show its source, false for the user's changes.
    bool from_parameter;
};

// A bar that shows a value from 0 to 1 as the span filled between an origin and the value, with
// a marker under the value and a number in the middle. Dragging up or down changes the value:
// the left button by the full range over the drag sensitivity, a tenth of that while the right
// button is held too, the middle button a twentieth. A double click goes to the nearest of the
// start, the middle and the end; the wheel steps.
class Filler : public Widget
{
public:
    static WidgetClass s_widget_class;

    Filler();
    const WidgetClass& get_widget_class() const override;

    double get_value() const { return m_value; }
    // Clamped to [0, 1]; a fall to below 1e-6 lands on 0 exactly. An unchanged value does
    // nothing, a change repaints and is signalled.
    void set_value(double a_value, bool a_from_parameter);
    double get_origin() const { return m_origin; }
    // Where the bar starts, clamped to [0, 1].
    void set_origin(double a_origin);
    // Swaps the brushes of the two directions, for scales that fall from their start.
    bool is_swapped() const { return m_swapped; }
    void set_swapped(bool a_swapped);
    double get_label_number() const { return m_label_number; }
    void set_label_number(double a_number);
    uint32_t get_drag_mode() const { return m_drag_mode; }
    // A negative step means 1/128 per notch.
    double get_wheel_step() const { return m_wheel_step; }
    void set_wheel_step(double a_step) { m_wheel_step = a_step; }
    // The vertical pixels a left drag needs for the full range.
    double get_drag_sensitivity() const { return m_drag_sensitivity; }
    void set_drag_sensitivity(double a_pixels);

    void set_negative_brush(const Brush& a_brush);
    void set_positive_brush(const Brush& a_brush);
    void set_value_indicator_pen(const Pen& a_pen);
    void set_signalling_indicator_pen(const Pen& a_pen);
    void set_nonsignalling_indicator_pen(const Pen& a_pen);
    const Pen& get_signalling_indicator_pen() const { return m_signalling_indicator_pen; }
    const Pen& get_nonsignalling_indicator_pen() const { return m_nonsignalling_indicator_pen; }

    // The label as it is drawn: no decimals from 100 up, two below 10, one between.
    static Bex::String format_label(double a_number);
    // The column of a value in content a_width wide.
    static int32_t value_to_x(double a_value, int32_t a_width);

    Bex::Signal1<WidgetEvent>& on_drag_begun() { return m_on_drag_begun; }
    Bex::Signal1<WidgetEvent>& on_drag_ended() { return m_on_drag_ended; }
    Bex::Signal1<FillerEvent>& on_value_changed() { return m_on_value_changed; }

protected:
    // Drawn over the bar and its marker, under the label, in content coordinates.
    virtual void do_paint_overlay(Painter&, Size) {}
    // The value marker's shape at column a_x: five pixels on the edge row, three on the next,
    // one on the third; on the bottom edge, or mirrored onto the top one.
    static void paint_marker(Painter& a_painter, int32_t a_x, int32_t a_height, const Pen& a_pen,
                             bool a_at_top);

private:
    void p_begin_drag(uint32_t a_mode, int32_t a_y);
    void p_end_drag();

    void p_on_measure(WidgetEvents::OnMeasure& a_event);
    void p_on_paint(WidgetEvents::OnPaint& a_event);
    void p_on_mouse_down(WidgetEvents::OnMouseDown& a_event);
    void p_on_mouse_up(WidgetEvents::OnMouseUp& a_event);
    void p_on_mouse_moved(WidgetEvents::OnMouseMoved& a_event);
    void p_on_mouse_wheel(WidgetEvents::OnMouseWheel& a_event);

    double m_label_number = 0.0;
    double m_origin = 0.0;
    uint32_t m_drag_mode = FillerDragMode_NONE;
    bool m_swapped = false;
    double m_wheel_step = -1.0;
    double m_drag_sensitivity = 307.0;
    double m_value = 0.0;
    int32_t m_last_y = 0;
    // The buttons pressed on this filler and not yet released, one bit per MouseButton.
    uint32_t m_held_buttons = 0;

    Brush m_negative_brush;
    Brush m_positive_brush;
    Pen m_value_indicator_pen;
    Pen m_signalling_indicator_pen;
    Pen m_nonsignalling_indicator_pen;

    Bex::Signal1<WidgetEvent> m_on_drag_begun;
    Bex::Signal1<WidgetEvent> m_on_drag_ended;
    Bex::Signal1<FillerEvent> m_on_value_changed;
};

} // namespace Kiv
