#pragma once

#include "kiv/Widgets/Text.h"

namespace Tonvik
{

// The line under the preset bar that reads out the hint of the parameter under the mouse.
class DeviceGuiParameterDisplay : public Kiv::Text
{
public:
    static Kiv::WidgetClass s_widget_class;

    DeviceGuiParameterDisplay();
    const Kiv::WidgetClass& get_widget_class() const override;
};

} // namespace Tonvik
