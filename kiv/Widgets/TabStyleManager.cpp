#include "kiv/Widgets/TabStyleManager.h"

#include "kiv/Styles/StyleValue.h"
#include "kiv/Widgets/Tab.h"

namespace Kiv
{

TabStyleManager TabStyleManager::s_instance;

const WidgetClass* TabStyleManager::get_widget_class()
{
    return &Tab::s_widget_class;
}

void TabStyleManager::register_properties(uint32_t)
{
    p_add_property("indicator", StyleValueType_PEN, Property_INDICATOR);
}

void TabStyleManager::apply_property(Widget* a_widget, uint32_t a_property_id,
                                     const StyleValue& a_value)
{
    if (a_property_id == Property_INDICATOR)
        static_cast<Tab*>(a_widget)->set_indicator(a_value.to_pen());
}

} // namespace Kiv
