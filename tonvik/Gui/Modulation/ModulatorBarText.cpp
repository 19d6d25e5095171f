#include "tonvik/Gui/Modulation/ModulatorBarText.h"

#include "bex/Core/FormatMessage.h"
#include "kiv/Styles/WidgetClass.h"
#include "kiv/Widget/WidgetPainter.h"
#include "kiv/Widgets/TextLine.h"
#include "tonvik/Modulation/Modulatee.h"
#include "tonvik/Modulation/ModulationManager.h"
#include "tonvik/Modulation/Modulator.h"
#include "tonvik/Parameters/Parameter.h"

namespace Tonvik
{

Kiv::WidgetClass ModulatorBarText::s_widget_class("ModulatorBarText", "Label");

ModulatorBarText::ModulatorBarText(Modulator* a_modulator) : m_modulator(a_modulator)
{
    connect(on_measure(), this, &ModulatorBarText::p_on_measure);
    connect(on_paint(), this, &ModulatorBarText::p_on_paint);
    refresh();
}

const Kiv::WidgetClass& ModulatorBarText::get_widget_class() const
{
    return s_widget_class;
}

Bex::String ModulatorBarText::make_text(const Modulator& a_modulator, uint32_t a_position)
{
    Bex::String type = a_modulator.get_type_name();
    if (type.empty())
        type = u"Modulator";
    return Bex::format_message(
        u"@1: @2 - @3", {Bex::String::from_number(a_position + 1), type, a_modulator.get_name()});
}

void ModulatorBarText::refresh()
{
    Bex::String text;
    if (m_modulator && m_modulator->get_index() >= 0)
    {
        uint32_t position = 0;
        const auto& list =
            m_modulator->get_manager()->get_stage_modulators(m_modulator->get_stage());
        for (uint32_t i = 0; i < list.size(); ++i)
        {
            if (list[i] == m_modulator)
                position = i;
        }
        text = make_text(*m_modulator, position);
    }
    if (text != m_text)
    {
        m_text = text;
        request_layout(Kiv::WidgetLayoutFlag_MEASURE);
    }
    invalidate();
}

Kiv::Color ModulatorBarText::get_shown_color() const
{
    return m_modulator && !m_modulator->is_enabled() ? m_disabled_color : m_enabled_color;
}

bool ModulatorBarText::shows_modulation() const
{
    if (!m_modulator)
        return false;
    for (Parameter* parameter : m_modulator->get_parameters().get_parameters())
    {
        Modulatee* target = parameter->get_modulatee();
        if (target && target->is_modulated())
            return true;
    }
    return false;
}

void ModulatorBarText::set_enabled_modulator_text_color(Kiv::Color a_color)
{
    m_enabled_color = a_color;
    invalidate();
}

void ModulatorBarText::set_disabled_modulator_text_color(Kiv::Color a_color)
{
    m_disabled_color = a_color;
    invalidate();
}

void ModulatorBarText::set_modulated_pen(const Kiv::Pen& a_pen)
{
    m_modulated_pen = a_pen;
    invalidate();
}

void ModulatorBarText::p_on_measure(Kiv::WidgetEvents::OnMeasure& a_event)
{
    Kiv::Size size = Kiv::measure_text_line(*this, m_text);
    // Room for the underline below the text.
    size.height += m_modulated_pen.width + 1;
    Kiv::add_text_line_size(a_event, size);
}

void ModulatorBarText::p_on_paint(Kiv::WidgetEvents::OnPaint& a_event)
{
    a_event.painter.select_area(Kiv::WidgetArea_CONTENT);
    const Kiv::Size area = a_event.painter.get_area_size();
    const Kiv::Size text = measure_text(m_text);
    Kiv::Painter& painter = a_event.painter.get_painter();
    const int32_t top = (area.height - text.height) / 2;
    painter.draw_text(m_text, {0, top}, get_font(), get_shown_color());
    if (shows_modulation())
    {
        const int32_t y = std::min(area.height - 1, top + text.height);
        painter.draw_line({0, y}, {std::min(area.width, text.width), y}, m_modulated_pen);
    }
}

} // namespace Tonvik
