#include "kiv/Widgets/ArrowCommandButtonStyleManager.h"

#include "kiv/Styles/StyleValue.h"
#include "kiv/Widgets/ArrowCommandButton.h"

namespace Kiv
{

ArrowCommandButtonStyleManager ArrowCommandButtonStyleManager::s_instance;

const WidgetClass* ArrowCommandButtonStyleManager::get_widget_class()
{
    return &ArrowCommandButton::s_widget_class;
}

void ArrowCommandButtonStyleManager::register_properties(uint32_t)
{
    p_add_property("arrow_size", StyleValueType_DIMENSION, Property_ARROW_SIZE);
}

void ArrowCommandButtonStyleManager::apply_property(Widget* a_widget, uint32_t a_property_id,
                                                    const StyleValue& a_value)
{
    auto& button = static_cast<ArrowCommandButton&>(*a_widget);
    if (a_property_id == Property_ARROW_SIZE)
        button.set_arrow_size(a_value.to_pixels_int());
}

} // namespace Kiv
