#include "tonvik/Gui/Modulation/ModulatorTitleBarCommandButton.h"

#include "kiv/Styles/WidgetClass.h"

namespace Tonvik
{

Kiv::WidgetClass ModulatorTitleBarCommandButton::s_widget_class("ModulatorTitleBarCommandButton",
                                                                "TextCommandButton");

ModulatorTitleBarCommandButton::ModulatorTitleBarCommandButton(const Bex::String& a_text,
                                                               const Bex::String& a_hint)
    : Kiv::TextCommandButton(a_text), m_hint(a_hint)
{
}

const Kiv::WidgetClass& ModulatorTitleBarCommandButton::get_widget_class() const
{
    return s_widget_class;
}

} // namespace Tonvik
