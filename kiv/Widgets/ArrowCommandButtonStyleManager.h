#pragma once

#include "kiv/Styles/StyleManager.h"

namespace Kiv
{

class ArrowCommandButtonStyleManager : public StyleManager
{
public:
    enum Property
    {
        Property_ARROW_SIZE = 0,
    };

    static ArrowCommandButtonStyleManager s_instance;

    const WidgetClass* get_widget_class() override;
    void register_properties(uint32_t a_class_index) override;
    void apply_property(Widget* a_widget, uint32_t a_property_id,
                        const StyleValue& a_value) override;
};

} // namespace Kiv
