#include "kiv/Widgets/TextLine.h"

#include "kiv/Widget/Widget.h"
#include "kiv/Widget/WidgetPainter.h"

#include <algorithm>

namespace Kiv
{

Size measure_text_line(const Widget& a_widget, const Bex::String& a_text)
{
    // Letters with ascenders and descenders give the full height of a line.
    const Size line = a_widget.measure_text(u"Ag");
    if (a_text.empty())
        return {0, line.height};
    const Size text = a_widget.measure_text(a_text);
    return {text.width, std::max(text.height, line.height)};
}

void add_text_line_size(WidgetEvents::OnMeasure& a_event, Size a_text, int32_t a_extra_width)
{
    const int32_t width = a_text.width + a_extra_width;
    a_event.minimum_width += width;
    a_event.preferred_width += width;
    a_event.maximum_width += width;
    a_event.minimum_height += a_text.height;
    a_event.preferred_height += a_text.height;
    a_event.maximum_height += a_text.height;
}

void paint_text_line(WidgetPainter& a_painter, const Bex::String& a_text, const Rect& a_box,
                     TextAlignment a_alignment)
{
    if (a_text.empty() || a_box.is_empty())
        return;
    const Widget& widget = a_painter.get_widget();
    Painter& painter = a_painter.get_painter();
    const Size size = painter.measure_text(a_text, widget.get_font());
    int32_t x = a_box.x;
    if (a_alignment == TextAlignment_CENTER)
        x += (a_box.width - size.width) / 2;
    else if (a_alignment == TextAlignment_RIGHT)
        x += a_box.width - size.width;
    // Text wider than its box keeps its start in view.
    x = std::max(x, a_box.x);
    const int32_t y = a_box.y + (a_box.height - size.height) / 2;
    painter.push_clip(a_box);
    painter.draw_text(a_text, {x, y}, widget.get_font(), widget.get_text_color());
    painter.pop_clip();
}

} // namespace Kiv
