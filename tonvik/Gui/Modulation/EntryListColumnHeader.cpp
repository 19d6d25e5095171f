#include "tonvik/Gui/Modulation/EntryListColumnHeader.h"

#include "kiv/Styles/WidgetClass.h"

namespace Tonvik
{

Kiv::WidgetClass EntryListColumnHeader::s_widget_class("EntryListColumnHeader", "Label");

const Kiv::WidgetClass& EntryListColumnHeader::get_widget_class() const
{
    return s_widget_class;
}

} // namespace Tonvik
