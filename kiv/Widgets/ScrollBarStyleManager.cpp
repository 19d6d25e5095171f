#include "kiv/Widgets/ScrollBarStyleManager.h"

#include "kiv/Styles/StyleValue.h"
#include "kiv/Widgets/ScrollBar.h"

namespace Kiv
{

ScrollBarStyleManager ScrollBarStyleManager::s_instance;

const WidgetClass* ScrollBarStyleManager::get_widget_class()
{
    return &ScrollBar::s_widget_class;
}

void ScrollBarStyleManager::register_properties(uint32_t)
{
    p_add_property("minimum_handle_length", StyleValueType_DIMENSION,
                   Property_MINIMUM_HANDLE_LENGTH);
}

void ScrollBarStyleManager::apply_property(Widget* a_widget, uint32_t a_property_id,
                                           const StyleValue& a_value)
{
    auto& bar = static_cast<ScrollBar&>(*a_widget);
    if (a_property_id == Property_MINIMUM_HANDLE_LENGTH)
        bar.set_minimum_handle_length(a_value.to_pixels_int());
}

} // namespace Kiv
