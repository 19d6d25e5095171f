#include "kiv/Widgets/ScrollBarButton.h"

#include "kiv/Styles/WidgetClass.h"

namespace Kiv
{

WidgetClass ScrollBarButton::s_widget_class("ScrollBarButton", "ArrowCommandButton");

ScrollBarButton::ScrollBarButton(ArrowDirection a_direction) : ArrowCommandButton(a_direction)
{
    set_focus_flags(0);
    // The bar gives it the size the sheet asks for, larger than its arrow.
    set_horizontally_stretchable(true);
    set_vertically_stretchable(true);
    set_input_event_propagation_filter(InputEventType_MOUSE_WHEEL, true);
}

const WidgetClass& ScrollBarButton::get_widget_class() const
{
    return s_widget_class;
}

} // namespace Kiv
