#include "kiv/Widgets/ScrollBarHandle.h"

#include "kiv/Styles/WidgetClass.h"

namespace Kiv
{

WidgetClass ScrollBarHandle::s_widget_class("ScrollBarHandle", "Widget");

ScrollBarHandle::ScrollBarHandle()
{
    // The bar places it at any size.
    set_horizontally_stretchable(true);
    set_vertically_stretchable(true);
    set_input_event_propagation_filter(InputEventType_MOUSE_WHEEL, true);
    set_tracking_hover(true);
}

const WidgetClass& ScrollBarHandle::get_widget_class() const
{
    return s_widget_class;
}

} // namespace Kiv
