#include "tonvik/Gui/Modulation/ModulatorTitleEntry.h"

#include "kiv/Desktop/Desktop.h"
#include "kiv/Styles/WidgetClass.h"
#include "tonvik/Modulation/Modulator.h"
#include "tonvik/ParameterTypes/Parameter_String.h"

namespace Tonvik
{

Kiv::WidgetClass ModulatorTitleEntry::s_widget_class("ModulatorTitleEntry", "Entry");

ModulatorTitleEntry::ModulatorTitleEntry(Modulator* a_modulator) : m_modulator(a_modulator)
{
    set_horizontally_stretchable(true);
    connect(on_return(), this, &ModulatorTitleEntry::p_on_return);
    connect(on_focus_out(), this, &ModulatorTitleEntry::p_on_focus_out);
    refresh();
}

const Kiv::WidgetClass& ModulatorTitleEntry::get_widget_class() const
{
    return s_widget_class;
}

void ModulatorTitleEntry::refresh()
{
    set_text(m_modulator->get_name());
}

bool ModulatorTitleEntry::store()
{
    // A field that loses the focus because its modulator is being removed stores nothing.
    if (m_modulator->get_index() < 0 || get_text() == m_modulator->get_name())
        return false;
    m_modulator->get_name_parameter()->set_value(get_text());
    Kiv::WidgetEvent event{this};
    m_on_renamed.emit(event);
    return true;
}

void ModulatorTitleEntry::begin_rename()
{
    if (Kiv::Desktop* desktop = get_desktop())
        desktop->set_focus(this, Kiv::FocusReason_PROGRAM);
    select_all();
}

} // namespace Tonvik
