#pragma once

#include "kiv/Styles/StyleManager.h"

namespace Kiv
{

class CheckBoxStyleManager : public StyleManager
{
public:
    enum Property
    {
        Property_BOX_FRAME = 0,
        Property_BOX_SIZE = 1,
        Property_BOX_SPACING = 2,
        Property_MARK_COLOR = 3,
    };

    static CheckBoxStyleManager s_instance;

    const WidgetClass* get_widget_class() override;
    void register_properties(uint32_t a_class_index) override;
    void apply_property(Widget* a_widget, uint32_t a_property_id,
                        const StyleValue& a_value) override;
};

} // namespace Kiv
