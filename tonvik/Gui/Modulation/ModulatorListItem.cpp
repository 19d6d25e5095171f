#include "tonvik/Gui/Modulation/ModulatorListItem.h"

#include "kiv/Styles/WidgetClass.h"
#include "tonvik/Gui/Modulation/ModulatorList.h"

namespace Tonvik
{

Kiv::WidgetClass ModulatorListItem::s_widget_class("ModulatorItem", "ModulatorBarText");

ModulatorListItem::ModulatorListItem(ModulatorList& a_list, Modulator* a_modulator)
    : ModulatorBarText(a_modulator), m_list(a_list)
{
    set_horizontally_stretchable(true);
    set_tracking_hover(true);
    connect(on_mouse_down(), this, &ModulatorListItem::p_on_mouse_down);
}

const Kiv::WidgetClass& ModulatorListItem::get_widget_class() const
{
    return s_widget_class;
}

bool ModulatorListItem::is_selected() const
{
    return get_style_states() & Kiv::WidgetStyleState_CHECKED;
}

void ModulatorListItem::p_on_mouse_down(Kiv::WidgetEvents::OnMouseDown& a_event)
{
    if (a_event.button == Kiv::MouseButton_LEFT)
        m_list.p_select_by_user(m_list.find_item(this));
}

} // namespace Tonvik
