#include "tonvik/Gui/PG_RetriggeringKey.h"

#include "bex/Core/FormatMessage.h"
#include "tonvik/Devices/MidiNames.h"
#include "tonvik/Devices/RetriggerParameters.h"
#include "tonvik/ParameterTypes/P_Integer.h"

#include <algorithm>

namespace Tonvik
{

PG_RetriggeringKey::PG_RetriggeringKey(DeviceGui& a_gui, P_Integer* a_parameter)
    : SingleParameterEditor(a_gui, a_parameter)
{
    set_widget(this);
    m_relayout_on_definition_change = true;
    connect(on_item_chosen(), this, &PG_RetriggeringKey::p_on_item_chosen);
    rebuild_items();
}

P_Integer* PG_RetriggeringKey::p_integer() const
{
    return static_cast<P_Integer*>(get_parameter());
}

void PG_RetriggeringKey::rebuild_items()
{
    P_Integer* parameter = p_integer();
    if (!parameter)
        return;
    auto root = std::make_unique<Kiv::MenuItem>();
    if (parameter->m_min <= RetriggerValue_NONE && RetriggerValue_NONE <= parameter->m_max)
        root->add(u"None", value_to_data(RetriggerValue_NONE));
    if (parameter->m_min <= RetriggerValue_ANY && RetriggerValue_ANY <= parameter->m_max)
        root->add(u"Any", value_to_data(RetriggerValue_ANY));
    const int32_t first = std::max(parameter->m_min, 0);
    const int32_t last = std::min(parameter->m_max, 127);
    Kiv::MenuItem* octave = nullptr;
    int32_t octave_number = 0;
    for (int32_t key = first; key <= last; ++key)
    {
        const MidiNote& note = get_midi_note(uint32_t(key));
        if (!octave || note.m_octave != octave_number)
        {
            octave_number = note.m_octave;
            octave = &root->add_submenu(
                Bex::format_message(u"Octave @1", {Bex::String::from_number(octave_number)}));
        }
        octave->add(note.m_name, value_to_data(key));
    }
    set_items(std::move(root));
    refresh();
}

void PG_RetriggeringKey::refresh()
{
    P_Integer* parameter = p_integer();
    if (!parameter || m_refreshing)
        return;
    m_refreshing = true;
    const int32_t value = parameter->get_value();
    if (value < RetriggerValue_NONE || !set_current_data(value_to_data(value)))
        set_current(nullptr);
    m_refreshing = false;
}

void PG_RetriggeringKey::on_parameter_definition_changed(Parameter* a_parameter)
{
    rebuild_items();
    SingleParameterEditor::on_parameter_definition_changed(a_parameter);
}

void PG_RetriggeringKey::p_on_item_chosen(Kiv::MenuEvent& a_event)
{
    P_Integer* parameter = p_integer();
    if (!parameter || m_refreshing)
        return;
    const auto value = int32_t(int64_t(a_event.item->data) - 3);
    if (value != parameter->get_value())
        parameter->set_value(value);
    p_update_hint();
}

} // namespace Tonvik
