#include "kiv/Widgets/TextToggleButton.h"

#include "kiv/Styles/WidgetClass.h"
#include "kiv/Widget/WidgetPainter.h"
#include "kiv/Widgets/TextLine.h"

namespace Kiv
{

WidgetClass TextToggleButton::s_widget_class("TextToggleButton", "ToggleButton");

TextToggleButton::TextToggleButton(const Bex::String& a_text) : m_text(a_text)
{
    connect(on_measure(), this, &TextToggleButton::p_on_measure);
    connect(on_paint(), this, &TextToggleButton::p_on_paint);
}

const WidgetClass& TextToggleButton::get_widget_class() const
{
    return s_widget_class;
}

void TextToggleButton::set_text(const Bex::String& a_text)
{
    if (a_text == m_text)
        return;
    m_text = a_text;
    request_layout(WidgetLayoutFlag_MEASURE);
    invalidate();
}

void TextToggleButton::p_on_measure(WidgetEvents::OnMeasure& a_event)
{
    add_text_line_size(a_event, measure_text_line(*this, m_text));
}

void TextToggleButton::p_on_paint(WidgetEvents::OnPaint& a_event)
{
    a_event.painter.select_area(WidgetArea_CONTENT);
    const Size area = a_event.painter.get_area_size();
    paint_text_line(a_event.painter, m_text, {0, 0, area.width, area.height}, TextAlignment_CENTER);
}

} // namespace Kiv
