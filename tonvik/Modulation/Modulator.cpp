#include "tonvik/Modulation/Modulator.h"

#include "bex/Core/Assert.h"
#include "bex/Core/Id.h"
#include "tonvik/Modulation/ModulationManager.h"
#include "tonvik/Modulation/ModulatorEntry.h"
#include "tonvik/ParameterTypes/P_Boolean.h"
#include "tonvik/ParameterTypes/Parameter_String.h"
#include "tonvik/Parameters/ParameterGroup.h"

namespace Tonvik
{

Modulator::Modulator(ModulationManager* a_manager, uint32_t a_type_number)
    : ModulationParameterOwner(ParameterOwnerKind_MODULATOR), m_manager(a_manager),
      m_type_number(a_type_number)
{
    m_enabled_parameter = new P_Boolean();
    m_enabled_parameter->set_id(Bex::make_id("Enab"));
    m_enabled_parameter->set_name(u"Enabled");
    m_enabled_parameter->m_default = true;
    m_enabled_parameter->m_variable = &m_enabled;
    // A structural change: the chains are rebuilt at once on the changing thread.
    m_enabled_parameter->m_deferred_commit = false;
    m_enabled_parameter->set_committable_callback(
        p_callback(this, &Modulator::p_on_enabled_changed));
    p_add_parameter(m_enabled_parameter);

    m_name_parameter = new Parameter_String();
    m_name_parameter->set_id(Bex::make_id("Name"));
    m_name_parameter->set_name(u"Name");
    m_name_parameter->m_default = u"(no name)";
    m_name_parameter->m_variable = &m_name;
    m_name_parameter->m_deferred_commit = false;
    p_add_parameter(m_name_parameter);
}

Modulator::~Modulator()
{
    for (ModulatorEntry* entry : m_entries)
        delete entry;
    m_entries.clear();
}

void Modulator::append_name_prefix(Bex::String& a_text) const
{
    a_text += m_name;
    a_text += u"/";
}

void Modulator::send_event(uint32_t a_kind, uint32_t a_voice)
{
    BEX_ASSERT(a_kind < ModulatorEventKind_ENUM_SIZE);
    for (Handler handler : m_handlers[a_kind])
        handler(this, a_voice);
    if (m_entry_handlers[a_kind].empty())
        return;
    for (ModulatorEntry* entry : m_entries)
    {
        for (EntryHandler handler : m_entry_handlers[a_kind])
            handler(entry, a_voice);
    }
}

void Modulator::add_handler(uint32_t a_kind, Handler a_handler)
{
    BEX_ASSERT(a_kind < ModulatorEventKind_ENUM_SIZE);
    m_handlers[a_kind].push_back(a_handler);
}

void Modulator::add_entry_handler(uint32_t a_kind, EntryHandler a_handler)
{
    BEX_ASSERT(a_kind < ModulatorEventKind_ENUM_SIZE);
    m_entry_handlers[a_kind].push_back(a_handler);
}

void Modulator::collect_active_entries()
{
    m_active_entries.clear();
    for (ModulatorEntry* entry : m_entries)
    {
        entry->m_active = entry->is_enabled() && entry->get_target();
        if (entry->m_active)
            m_active_entries.push_back(entry);
    }
}

int32_t Modulator::find_entry(const ModulatorEntry* a_entry) const
{
    for (size_t i = 0; i < m_entries.size(); ++i)
    {
        if (m_entries[i] == a_entry)
            return int32_t(i);
    }
    return -1;
}

void Modulator::p_on_enabled_changed()
{
    if (m_index < 0)
        return;
    m_manager->rebuild();
}

} // namespace Tonvik
