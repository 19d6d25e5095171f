#pragma once

#include "kiv/Styles/StyleManager.h"

namespace Kiv
{

class FillerStyleManager : public StyleManager
{
public:
    enum Property
    {
        Property_NEGATIVE_BRUSH = 0,
        Property_NONSIGNALLING_INDICATOR_PEN = 1,
        Property_POSITIVE_BRUSH = 2,
        Property_SIGNALLING_INDICATOR_PEN = 3,
        Property_VALUE_INDICATOR_PEN = 4,
    };

    static FillerStyleManager s_instance;

    const WidgetClass* get_widget_class() override;
    void register_properties(uint32_t a_class_index) override;
    void apply_property(Widget* a_widget, uint32_t a_property_id,
                        const StyleValue& a_value) override;
};

} // namespace Kiv
