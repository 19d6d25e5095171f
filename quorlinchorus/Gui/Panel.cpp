#include "quorlinchorus/Gui/Panel.h"

#include "kiv/Styles/WidgetClass.h"

namespace quorlinchorus
{

Kiv::WidgetClass Panel::s_widget_class("Panel", "VerticalLayout");

Panel::Panel(Kiv::Widget* a_content)
{
    add(a_content);
}

const Kiv::WidgetClass& Panel::get_widget_class() const
{
    return s_widget_class;
}

} // namespace quorlinchorus
