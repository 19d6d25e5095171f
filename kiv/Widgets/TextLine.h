#pragma once

#include "bex/Core/String.h"
#include "kiv/Graphics/Geometry.h"
#include "kiv/Widgets/TextAlignment.h"

namespace Kiv
{

class Widget;
class WidgetPainter;

namespace WidgetEvents
{
struct OnMeasure;
}

// One line of text in a widget's font. An empty text still has the height of a line, so that
// empty labels and entries do not collapse.
Size measure_text_line(const Widget& a_widget, const Bex::String& a_text);

// Adds a line of text to what a widget's content needs; a_extra_width is room beside the text.
void add_text_line_size(WidgetEvents::OnMeasure& a_event, Size a_text, int32_t a_extra_width = 0);

// Draws the text in the widget's text colour into a_box of the area the painter has selected,
// centred vertically and aligned across, clipped to the box.
void paint_text_line(WidgetPainter& a_painter, const Bex::String& a_text, const Rect& a_box,
                     TextAlignment a_alignment);

} // namespace Kiv
