#include "tonvik/Gui/DeviceGuiParameterDisplay.h"

#include "kiv/Styles/WidgetClass.h"

namespace Tonvik
{

Kiv::WidgetClass DeviceGuiParameterDisplay::s_widget_class("DeviceGuiParameterDisplay", "Text");

DeviceGuiParameterDisplay::DeviceGuiParameterDisplay()
{
    // The line takes the bar's whole width, so that a long hint does not jump about.
    set_horizontally_stretchable(true);
}

const Kiv::WidgetClass& DeviceGuiParameterDisplay::get_widget_class() const
{
    return s_widget_class;
}

} // namespace Tonvik
