#include "tonvik/Gui/PresetArrowButton.h"

#include "bex/Core/Assert.h"
#include "kiv/Styles/WidgetClass.h"

namespace Tonvik
{

Kiv::WidgetClass PresetArrowButton::s_widget_class("PresetArrowButton", "ArrowCommandButton");

PresetArrowButton::PresetArrowButton(uint32_t a_direction)
    : Kiv::ArrowCommandButton(a_direction == 1 ? Kiv::ArrowDirection_LEFT
                                               : Kiv::ArrowDirection_RIGHT),
      m_preset_direction(a_direction)
{
    BEX_ASSERT(a_direction == 1 || a_direction == 2);
}

const Kiv::WidgetClass& PresetArrowButton::get_widget_class() const
{
    return s_widget_class;
}

} // namespace Tonvik
