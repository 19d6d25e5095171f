#pragma once

#include "kiv/Widgets/ArrowDirection.h"
#include "kiv/Widgets/CommandButton.h"

namespace Kiv
{

// A button showing a filled triangle in its text colour, centred.
class ArrowCommandButton : public CommandButton
{
public:
    static WidgetClass s_widget_class;

    explicit ArrowCommandButton(ArrowDirection a_direction);
    const WidgetClass& get_widget_class() const override;

    ArrowDirection get_direction() const { return m_direction; }
    void set_direction(ArrowDirection a_direction);
    // The length of the triangle's base in pixels; its height is half of it.
    int32_t get_arrow_size() const { return m_arrow_size; }
    void set_arrow_size(int32_t a_size);

private:
    void p_on_measure(WidgetEvents::OnMeasure& a_event);
    void p_on_paint(WidgetEvents::OnPaint& a_event);

    ArrowDirection m_direction;
    int32_t m_arrow_size = 8;
};

} // namespace Kiv
