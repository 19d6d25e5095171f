#include "tonvik/Gui/Modulation/ModulatorBarTextStyleManager.h"

#include "kiv/Styles/StyleValue.h"
#include "tonvik/Gui/Modulation/ModulatorBarText.h"

namespace Tonvik
{

ModulatorBarTextStyleManager ModulatorBarTextStyleManager::s_instance;

const Kiv::WidgetClass* ModulatorBarTextStyleManager::get_widget_class()
{
    return &ModulatorBarText::s_widget_class;
}

void ModulatorBarTextStyleManager::register_properties(uint32_t)
{
    p_add_property("enabled_modulator_text_color", Kiv::StyleValueType_COLOR,
                   Property_ENABLED_MODULATOR_TEXT_COLOR);
    p_add_property("disabled_modulator_text_color", Kiv::StyleValueType_COLOR,
                   Property_DISABLED_MODULATOR_TEXT_COLOR);
    p_add_property("modulated_pen", Kiv::StyleValueType_PEN, Property_MODULATED_PEN);
}

void ModulatorBarTextStyleManager::apply_property(Kiv::Widget* a_widget, uint32_t a_property_id,
                                                  const Kiv::StyleValue& a_value)
{
    auto& text = static_cast<ModulatorBarText&>(*a_widget);
    switch (a_property_id)
    {
    case Property_ENABLED_MODULATOR_TEXT_COLOR:
        return text.set_enabled_modulator_text_color(a_value.to_color());
    case Property_DISABLED_MODULATOR_TEXT_COLOR:
        return text.set_disabled_modulator_text_color(a_value.to_color());
    case Property_MODULATED_PEN:
        return text.set_modulated_pen(a_value.to_pen());
    default:
        return;
    }
}

} // namespace Tonvik
