#include "tonvik/Gui/GuiClassKeeper.h"

#include "tonvik/Gui/DeviceGuiConcrete.h"
#include "tonvik/Gui/DeviceGuiParameterDisplay.h"
#include "tonvik/Gui/DeviceGuiProgramDisplay.h"
#include "tonvik/Gui/DevicePanel.h"
#include "tonvik/Gui/PresetArrowButton.h"

namespace Tonvik
{

void keep_gui_classes()
{
    // Volatile, so that the optimizer cannot drop the names either.
    const void* volatile keep[] = {
        &DeviceGuiConcrete::s_widget_class,         &DevicePanel::s_widget_class,
        &DeviceGuiProgramDisplay::s_widget_class,   &PresetArrowButton::s_widget_class,
        &DeviceGuiParameterDisplay::s_widget_class,
    };
    (void)keep;
}

} // namespace Tonvik
