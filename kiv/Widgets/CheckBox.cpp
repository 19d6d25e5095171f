#include "kiv/Widgets/CheckBox.h"

#include "kiv/Styles/WidgetClass.h"
#include "kiv/Widget/WidgetPainter.h"
#include "kiv/Widgets/TextLine.h"

#include <algorithm>

namespace Kiv
{

WidgetClass CheckBox::s_widget_class("CheckBox", "Widget");

CheckBox::CheckBox(const Bex::String& a_text) : m_text(a_text)
{
    connect(on_measure(), this, &CheckBox::p_on_measure);
    connect(on_paint(), this, &CheckBox::p_on_paint);
}

const WidgetClass& CheckBox::get_widget_class() const
{
    return s_widget_class;
}

void CheckBox::set_text(const Bex::String& a_text)
{
    if (a_text == m_text)
        return;
    m_text = a_text;
    p_changed_size();
}

void CheckBox::set_box_size(int32_t a_pixels)
{
    a_pixels = std::max(a_pixels, 4);
    if (a_pixels == m_box_size)
        return;
    m_box_size = a_pixels;
    p_changed_size();
}

void CheckBox::set_box_spacing(int32_t a_pixels)
{
    a_pixels = std::max(a_pixels, 0);
    if (a_pixels == m_box_spacing)
        return;
    m_box_spacing = a_pixels;
    p_changed_size();
}

void CheckBox::set_box_frame(const Frame& a_frame)
{
    m_box_frame = a_frame;
    invalidate();
}

void CheckBox::set_mark_color(Color a_color)
{
    m_mark_color = a_color;
    invalidate();
}

void CheckBox::p_changed_size()
{
    request_layout(WidgetLayoutFlag_MEASURE);
    invalidate();
}

Rect CheckBox::get_box_rect() const
{
    const Rect content = get_area(WidgetArea_CONTENT);
    return {content.x, content.y + (content.height - m_box_size) / 2, m_box_size, m_box_size};
}

void CheckBox::p_on_measure(WidgetEvents::OnMeasure& a_event)
{
    Size text = measure_text_line(*this, m_text);
    const int32_t spacing = m_text.empty() ? 0 : m_box_spacing;
    text.height = std::max(text.height, m_box_size);
    add_text_line_size(a_event, text, m_box_size + spacing);
}

void CheckBox::p_on_paint(WidgetEvents::OnPaint& a_event)
{
    a_event.painter.select_area(WidgetArea_CONTENT);
    Painter& painter = a_event.painter.get_painter();
    const Size area = a_event.painter.get_area_size();
    const int32_t size = m_box_size;
    const Rect box{0, (area.height - size) / 2, size, size};
    painter.fill_rectangle(box, m_box_frame.brush);
    m_box_frame.border.paint(painter, box);
    if (is_checked())
    {
        // A tick drawn on a grid of 14, scaled to the box.
        const auto at = [&](int32_t a_x, int32_t a_y) {
            return Point{box.x + (a_x * size + 7) / 14, box.y + (a_y * size + 7) / 14};
        };
        const Pen pen{m_mark_color, std::max(1, size / 7)};
        painter.draw_line(at(3, 7), at(5, 9), pen);
        painter.draw_line(at(5, 9), at(10, 4), pen);
    }
    const int32_t text_x = size + m_box_spacing;
    paint_text_line(a_event.painter, m_text, {text_x, 0, area.width - text_x, area.height},
                    TextAlignment_LEFT);
}

} // namespace Kiv
