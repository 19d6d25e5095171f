#pragma once

#include "kiv/Styles/StyleManager.h"

namespace Tonvik
{

// The colours of modulator texts by the modulator's "Enabled", and the pen that marks modulated
// values; list items inherit them.
class ModulatorBarTextStyleManager : public Kiv::StyleManager
{
public:
    enum Property
    {
        Property_ENABLED_MODULATOR_TEXT_COLOR = 0,
        Property_DISABLED_MODULATOR_TEXT_COLOR = 1,
        Property_MODULATED_PEN = 2,
    };

    static ModulatorBarTextStyleManager s_instance;

    const Kiv::WidgetClass* get_widget_class() override;
    void register_properties(uint32_t a_class_index) override;
    void apply_property(Kiv::Widget* a_widget, uint32_t a_property_id,
                        const Kiv::StyleValue& a_value) override;
};

} // namespace Tonvik
