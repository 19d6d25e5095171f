#include "kiv/Widgets/MenuItemRowStyleManager.h"

#include "kiv/Styles/StyleValue.h"
#include "kiv/Widgets/MenuItemRow.h"

namespace Kiv
{

MenuItemRowStyleManager MenuItemRowStyleManager::s_instance;

bool MenuItemRowStyleManager::get_switch_state(Widget* a_widget, uint32_t a_switch_id)
{
    return a_switch_id == Switch_HIGHLIGHTED &&
           static_cast<MenuItemRow*>(a_widget)->is_highlighted();
}

const WidgetClass* MenuItemRowStyleManager::get_widget_class()
{
    return &MenuItemRow::s_widget_class;
}

void MenuItemRowStyleManager::register_properties(uint32_t)
{
    p_add_property("gutter", StyleValueType_DIMENSION, Property_GUTTER);
    p_add_switch("highlighted", Switch_HIGHLIGHTED);
}

void MenuItemRowStyleManager::apply_property(Widget* a_widget, uint32_t a_property_id,
                                             const StyleValue& a_value)
{
    if (a_property_id == Property_GUTTER)
        static_cast<MenuItemRow*>(a_widget)->set_gutter(a_value.to_pixels_int());
}

} // namespace Kiv
