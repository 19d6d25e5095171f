#include "tonvik/Gui/Modulation/ModulatorTitleBar.h"

#include "kiv/Styles/WidgetClass.h"
#include "tonvik/Gui/Modulation/ModulatorBarText.h"
#include "tonvik/Gui/Modulation/ModulatorTitleBarCommandButton.h"
#include "tonvik/Gui/Modulation/ModulatorTitleEntry.h"

namespace Tonvik
{

Kiv::WidgetClass ModulatorTitleBar::s_widget_class("ModulatorTitleBar", "HorizontalLayout");

ModulatorTitleBar::ModulatorTitleBar(Modulator* a_modulator)
{
    // The name entry takes the room; the bar grows through it, its buttons keep their size.
    m_bar_text = new ModulatorBarText(a_modulator);
    add(m_bar_text);
    m_title_entry = new ModulatorTitleEntry(a_modulator);
    add(m_title_entry);
    m_targets_button = new ModulatorTitleBarCommandButton(u"Targets", u"Show or hide targets");
    add(m_targets_button);
    m_add_target_button = new ModulatorTitleBarCommandButton(u"+", u"Add target");
    add(m_add_target_button);
    m_menu_button = new ModulatorTitleBarCommandButton(u"...", u"Show menu");
    add(m_menu_button);
}

const Kiv::WidgetClass& ModulatorTitleBar::get_widget_class() const
{
    return s_widget_class;
}

} // namespace Tonvik
