#include "kiv/Desktop/DesktopPasses.h"

#include "kiv/Graphics/Painter.h"
#include "kiv/Styles/StyleSheet.h"
#include "kiv/Widget/Widget.h"
#include "kiv/Widget/WidgetPainter.h"

namespace Kiv::DesktopPasses
{

// Passes walk children by index and re-read the list, since a pass may add or remove widgets.

void apply_styles(Widget& a_widget, const StyleSheet& a_sheet, bool a_forced)
{
    const bool apply = a_forced || a_widget.needs_style();
    if (apply)
    {
        a_widget.p_style_applied();
        apply_style(a_sheet, a_widget);
    }
    for (size_t index = 0; index < a_widget.get_children().size(); ++index)
        apply_styles(*a_widget.get_children()[index], a_sheet, apply);
}

void clear_style_requests(Widget& a_widget)
{
    a_widget.p_style_applied();
    for (Widget* child : a_widget.get_children())
        clear_style_requests(*child);
}

void request_styles(Widget& a_widget)
{
    a_widget.request_style();
    for (Widget* child : a_widget.get_children())
        request_styles(*child);
}

void measure(Widget& a_widget)
{
    for (size_t index = 0; index < a_widget.get_children().size(); ++index)
        measure(*a_widget.get_children()[index]);
    if (a_widget.p_take_layout_flags(WidgetLayoutFlag_MEASURE))
        a_widget.measure();
}

void arrange(Widget& a_widget)
{
    if (a_widget.p_take_layout_flags(WidgetLayoutFlag_ARRANGE))
    {
        WidgetEvent event{&a_widget};
        a_widget.on_arrange().emit(event);
    }
    for (size_t index = 0; index < a_widget.get_children().size(); ++index)
        arrange(*a_widget.get_children()[index]);
}

bool has_requests(const Widget& a_widget)
{
    if (a_widget.needs_style() || a_widget.get_layout_flags() != 0)
        return true;
    for (const Widget* child : a_widget.get_children())
    {
        if (has_requests(*child))
            return true;
    }
    return false;
}

void paint(Widget& a_widget, Painter& a_painter, const Rect& a_area, Point a_origin)
{
    if (!a_widget.is_visible())
        return;
    const Rect bounds{a_origin.x, a_origin.y, a_widget.get_width(), a_widget.get_height()};
    const Rect visible = bounds.intersected(a_area);
    if (visible.is_empty())
        return;

    a_painter.push_transform(
        Transform::translation(float(a_widget.get_x()), float(a_widget.get_y())));
    a_painter.push_clip({0, 0, a_widget.get_width(), a_widget.get_height()});
    {
        WidgetPainter painter(a_painter, a_widget);
        painter.select_area(WidgetArea_MARGINS);
        const Size size = painter.get_area_size();
        if (a_widget.get_background())
            a_painter.fill_rectangle({0, 0, size.width, size.height}, *a_widget.get_background());
        a_widget.get_border().paint(a_painter, {0, 0, size.width, size.height});
    }
    {
        WidgetPainter painter(a_painter, a_widget);
        WidgetEvents::OnPaint event{&a_widget, painter, visible.moved(-a_origin.x, -a_origin.y)};
        a_widget.on_paint().emit(event);
    }
    for (size_t index = 0; index < a_widget.get_children().size(); ++index)
    {
        Widget& child = *a_widget.get_children()[index];
        paint(child, a_painter, a_area, {a_origin.x + child.get_x(), a_origin.y + child.get_y()});
    }
    a_painter.pop_clip();
    a_painter.pop_transform();
}

} // namespace Kiv::DesktopPasses
