#include "kiv/Widgets/ScrollBarTrough.h"

#include "kiv/Styles/WidgetClass.h"

namespace Kiv
{

WidgetClass ScrollBarTrough::s_widget_class("ScrollBarTrough", "Widget");

ScrollBarTrough::ScrollBarTrough()
{
    // The bar places it at any size.
    set_horizontally_stretchable(true);
    set_vertically_stretchable(true);
    set_input_event_propagation_filter(InputEventType_MOUSE_WHEEL, true);
}

const WidgetClass& ScrollBarTrough::get_widget_class() const
{
    return s_widget_class;
}

} // namespace Kiv
