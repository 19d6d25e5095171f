#pragma once

#include "kiv/Styles/StyleManager.h"

namespace Kiv
{

// "indicator": the pen of the line under a tab; a transparent colour draws none.
class TabStyleManager : public StyleManager
{
public:
    enum Property
    {
        Property_INDICATOR = 0,
    };

    static TabStyleManager s_instance;

    const WidgetClass* get_widget_class() override;
    void register_properties(uint32_t a_class_index) override;
    void apply_property(Widget* a_widget, uint32_t a_property_id,
                        const StyleValue& a_value) override;
};

} // namespace Kiv
