#include "tonvik/Modulation/Parameter_Modulatee.h"

#include "bex/Binis/BiniNode.h"
#include "bex/Core/Exception.h"
#include "tonvik/Modulation/Modulatee.h"
#include "tonvik/Modulation/ModulationManager.h"
#include "tonvik/Modulation/ModulatorEntry.h"

namespace Tonvik
{

namespace
{

constexpr uint32_t g_id_node = 1;
constexpr uint32_t g_modulator_node = 2;
constexpr uint32_t g_entry_node = 3;

[[noreturn]] void fail(const char16_t* a_message)
{
    throw Bex::Exception(Bex::String(a_message));
}

} // namespace

Parameter_Modulatee::Parameter_Modulatee()
{
    m_host_visible = false;
    // Aiming an entry elsewhere rebuilds the chains at once, on the changing thread.
    m_deferred_commit = false;
}

void Parameter_Modulatee::set_target(Modulatee* a_target)
{
    if (a_target && !a_target->is_modulatable())
        fail(u"Assigned parameter cannot be modulated.");
    EditGesture gesture(this);
    {
        ParameterLock lock(this);
        if (a_target == m_target)
            return;
        m_target = a_target;
    }
    p_after_user_store();
}

void Parameter_Modulatee::do_save(Bex::BiniNode& a_node)
{
    Modulatee* target = m_target;
    a_node.add_child(g_id_node).set_value_uint32(target ? target->get_modulatee_id() : 0);
    if (!target)
        return;
    ParameterOwner* owner = target->get_modulatee_owner();
    if (!owner)
        return;
    if (owner->m_owner_kind == ParameterOwnerKind_MODULATOR)
    {
        a_node.add_child(g_modulator_node)
            .set_value_int32(static_cast<Modulator*>(owner)->get_index());
    }
    else if (owner->m_owner_kind == ParameterOwnerKind_MODULATOR_ENTRY)
    {
        const ModulatorEntry* entry = static_cast<ModulatorEntry*>(owner);
        a_node.add_child(g_modulator_node).set_value_int32(entry->get_modulator()->get_index());
        a_node.add_child(g_entry_node).set_value_int32(entry->get_index());
    }
}

Modulatee* Parameter_Modulatee::p_find_target(const Bex::BiniNode& a_node)
{
    const uint32_t id = a_node.get_child(g_id_node).get_value_uint32();
    if (id == 0)
        return nullptr;
    BEX_ASSERT(m_owner && m_owner->m_owner_kind == ParameterOwnerKind_MODULATOR_ENTRY);
    ModulationManager* manager =
        static_cast<ModulatorEntry*>(m_owner)->get_modulator()->get_manager();
    Parameter* parameter = nullptr;
    const int32_t modulator_index = a_node.get_child_int32_or_minus_one(g_modulator_node);
    if (modulator_index >= 0)
    {
        if (uint32_t(modulator_index) >= manager->get_modulator_count())
            fail(u"Invalid modulator index.");
        Modulator* modulator = manager->get_modulator(uint32_t(modulator_index));
        const int32_t entry_index = a_node.get_child_int32_or_minus_one(g_entry_node);
        if (entry_index >= 0)
        {
            if (uint32_t(entry_index) >= modulator->get_entries().size())
                fail(u"Invalid entry index.");
            parameter = modulator->get_entries()[uint32_t(entry_index)]->get_parameters().find(id);
        }
        else
        {
            parameter = modulator->get_parameters().find(id);
        }
    }
    else
    {
        parameter = manager->find_device_parameter(id);
    }
    if (!parameter)
        fail(u"Invalid modulatee id.");
    Modulatee* target = parameter->get_modulatee();
    if (!target || !target->is_modulatable())
        fail(u"Assigned parameter cannot be modulated.");
    return target;
}

bool Parameter_Modulatee::do_load(const Bex::BiniNode& a_node, LoadReport&)
{
    m_load_failure.clear();
    try
    {
        m_target = p_find_target(a_node);
    }
    catch (const Bex::Exception& exception)
    {
        m_load_failure = exception.get_message();
        throw;
    }
    return true;
}

void Parameter_Modulatee::do_copy_value(const Parameter& a_other)
{
    m_target = static_cast<const Parameter_Modulatee&>(a_other).m_target.load();
}

void Parameter_Modulatee::get_display_text(Bex::String& a_text)
{
    Modulatee* target = m_target;
    Parameter* parameter = target ? target->get_modulatee_parameter() : nullptr;
    if (!parameter)
    {
        a_text = u"<not selected>";
        return;
    }
    parameter->get_full_name(a_text);
}

} // namespace Tonvik
