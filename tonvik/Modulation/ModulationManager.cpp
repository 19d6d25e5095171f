#include "tonvik/Modulation/ModulationManager.h"

#include "bex/Core/Assert.h"
#include "tonvik/Devices/Device.h"
#include "tonvik/Modulation/AssignableSlots.h"
#include "tonvik/Modulation/Modulatee.h"
#include "tonvik/Modulation/ModulationExceptions.h"
#include "tonvik/Modulation/ModulatorEntry.h"
#include "tonvik/Modulation/Parameter_Modulatee.h"
#include "tonvik/Parameters/Parameter.h"

namespace Tonvik
{

ModulationManager::Locks::Locks(ModulationManager* a_manager) : m_manager(a_manager)
{
    m_manager->m_device->get_processing_lock().lock();
    m_manager->m_device->get_parameter_lock().lock();
    m_manager->m_device->get_modulation_lock().lock();
}

ModulationManager::Locks::~Locks()
{
    m_manager->m_device->get_modulation_lock().unlock();
    m_manager->m_device->get_parameter_lock().unlock();
    m_manager->m_device->get_processing_lock().unlock();
}

ModulationManager::ModulationManager(Device* a_device, MusicalTriggerManager* a_trigger_manager)
    : m_device(a_device), m_trigger_manager(a_trigger_manager)
{
    BEX_ASSERT(a_device);
}

ModulationManager::~ModulationManager()
{
    clear();
}

Parameter* ModulationManager::find_device_parameter(uint32_t a_id) const
{
    if (m_program_parameters)
        return m_program_parameters->find(a_id);
    for (Parameter* parameter : m_device->get_parameters())
    {
        if (parameter->get_id() == a_id && !parameter->get_modulator())
            return parameter;
    }
    return nullptr;
}

void ModulationManager::flush_changes()
{
    m_device->flush_changes();
}

void ModulationManager::check_modulator_limit() const
{
    if (m_modulators.size() >= m_device->m_static_config.m_maximum_modulators)
        throw ModulationExceptions::TooManyModulators();
}

void ModulationManager::p_bind_parameters(ParameterCollection& a_parameters)
{
    a_parameters.initialize(m_device);
    a_parameters.commit_all(true);
}

Modulator* ModulationManager::add_modulator(std::unique_ptr<Modulator> a_modulator,
                                            uint32_t a_stage)
{
    BEX_ASSERT(a_modulator);
    BEX_ASSERT(a_stage < ProcessingStage_ENUM_SIZE);
    Locks locks(this);
    check_modulator_limit();
    flush_changes();
    suspend_rebuild();
    Modulator* modulator = a_modulator.release();
    modulator->m_stage = a_stage;
    m_stage_lists[a_stage].push_back(modulator);
    try
    {
        p_bind_parameters(modulator->m_parameters);
    }
    catch (...)
    {
        m_stage_lists[a_stage].pop_back();
        delete modulator;
        resume_rebuild();
        throw;
    }
    p_renumber();
    modulator->on_added();
    mark_dirty(modulator);
    m_rebuild_pending = true;
    resume_rebuild();
    ModulationEvents::ModulatorEvent event{modulator, true};
    m_modulator_event.emit(event);
    return modulator;
}

void ModulationManager::remove_modulator(uint32_t a_index)
{
    Locks locks(this);
    BEX_ASSERT(a_index < m_modulators.size());
    flush_changes();
    suspend_rebuild();
    Modulator* modulator = m_modulators[a_index];
    while (!modulator->m_entries.empty())
        p_remove_entry(modulator, uint32_t(modulator->m_entries.size() - 1));
    if (m_assignable_slots)
        m_assignable_slots->release_owner(modulator);
    p_release_targets_of(modulator);
    for (uint32_t i = 0; i < uint32_t(modulator->m_parameters.get_parameters().size()); ++i)
    {
        Modulatee* target = modulator->m_parameters.get_parameters()[i]->get_modulatee();
        if (target && target->m_modulated)
            p_unmodulate(target);
    }
    Bex::Vector<Modulator*>& stage_list = m_stage_lists[modulator->m_stage];
    stage_list.remove_at(uint32_t(modulator->m_stage_index));
    modulator->m_index = -1;
    // The enabled lists must not hold it even if the rebuild below is held back.
    for (uint32_t stage = 0; stage < ProcessingStage_ENUM_SIZE; ++stage)
        m_enabled_stage_lists[stage].clear();
    m_enabled.clear();
    p_renumber();
    m_dirty_low = 0;
    m_dirty_high = int32_t(m_modulators.size()) - 1;
    m_rebuild_pending = true;
    resume_rebuild();
    ModulationEvents::ModulatorEvent event{modulator, false};
    m_modulator_event.emit(event);
    delete modulator;
}

void ModulationManager::move_modulator(uint32_t a_index, uint32_t a_new_stage_index)
{
    Locks locks(this);
    BEX_ASSERT(a_index < m_modulators.size());
    Modulator* modulator = m_modulators[a_index];
    Bex::Vector<Modulator*>& stage_list = m_stage_lists[modulator->m_stage];
    BEX_ASSERT(a_new_stage_index < stage_list.size());
    flush_changes();
    stage_list.remove_at(uint32_t(modulator->m_stage_index));
    stage_list.insert_at(a_new_stage_index, modulator);
    p_renumber();
    m_dirty_low = 0;
    m_dirty_high = int32_t(m_modulators.size()) - 1;
    rebuild();
}

void ModulationManager::clear()
{
    Locks locks(this);
    suspend_rebuild();
    while (!m_modulators.empty())
        remove_modulator(uint32_t(m_modulators.size() - 1));
    resume_rebuild();
    ModulationEvents::OnCleared event;
    m_on_cleared.emit(event);
}

void ModulationManager::p_renumber()
{
    m_modulators.clear();
    for (uint32_t stage = 0; stage < ProcessingStage_ENUM_SIZE; ++stage)
    {
        for (uint32_t i = 0; i < m_stage_lists[stage].size(); ++i)
        {
            Modulator* modulator = m_stage_lists[stage][i];
            modulator->m_stage_index = int32_t(i);
            m_modulators.push_back(modulator);
        }
    }
    for (uint32_t i = 0; i < m_modulators.size(); ++i)
    {
        Modulator* modulator = m_modulators[i];
        const int32_t previous = modulator->m_index;
        modulator->m_index = int32_t(i);
        if (previous >= 0 && previous != int32_t(i))
        {
            ModulationEvents::OnModulatorMoved event{modulator};
            m_on_modulator_moved.emit(event);
            modulator->m_moved_signal.emit(event);
        }
    }
}

ModulatorEntry* ModulationManager::add_entry(Modulator* a_modulator, uint32_t a_position)
{
    BEX_ASSERT(a_modulator && a_modulator->m_index >= 0);
    ScopedLock processing(m_device->get_processing_lock());
    ScopedLock parameters(m_device->get_parameter_lock());
    if (a_modulator->m_entries.size() >= m_device->m_static_config.m_maximum_entries_per_modulator)
        throw ModulationExceptions::TooManyEntries();
    BEX_ASSERT(a_position <= a_modulator->m_entries.size());
    flush_changes();
    suspend_rebuild();
    ModulatorEntry* entry = a_modulator->create_entry();
    a_modulator->m_entries.insert_at(a_position, entry);
    try
    {
        p_bind_parameters(entry->m_parameters);
    }
    catch (...)
    {
        a_modulator->m_entries.remove_at(a_position);
        delete entry;
        resume_rebuild();
        throw;
    }
    mark_dirty(a_modulator);
    m_rebuild_pending = true;
    resume_rebuild();
    ModulationEvents::EntryEvent event{entry, true};
    m_entry_event.emit(event);
    return entry;
}

void ModulationManager::p_remove_entry(Modulator* a_modulator, uint32_t a_index)
{
    ModulatorEntry* entry = a_modulator->m_entries[a_index];
    if (m_assignable_slots)
        m_assignable_slots->release_owner(entry);
    p_release_targets_of(entry);
    for (Parameter* parameter : entry->m_parameters.get_parameters())
    {
        Modulatee* target = parameter->get_modulatee();
        if (target && target->m_modulated)
            p_unmodulate(target);
    }
    // Out of every chain before it goes: its target is updated by the rebuild that follows.
    Modulatee* target = entry->get_target();
    if (target)
    {
        for (uint32_t i = 0; i < target->m_chain.size(); ++i)
        {
            if (target->m_chain[i] == entry)
            {
                target->m_chain.remove_at(i);
                break;
            }
        }
        if (target->m_modulated)
            p_update_target(target);
    }
    a_modulator->m_entries.remove_at(a_index);
    a_modulator->collect_active_entries();
    mark_dirty(a_modulator);
    m_rebuild_pending = true;
    ModulationEvents::EntryEvent event{entry, false};
    m_entry_event.emit(event);
    delete entry;
}

void ModulationManager::remove_entry(Modulator* a_modulator, uint32_t a_index)
{
    Locks locks(this);
    BEX_ASSERT(a_modulator);
    // The checked access is the index check.
    static_cast<void>(a_modulator->m_entries[a_index]);
    flush_changes();
    suspend_rebuild();
    p_remove_entry(a_modulator, a_index);
    resume_rebuild();
}

void ModulationManager::move_entry(Modulator* a_modulator, uint32_t a_from, uint32_t a_to)
{
    Locks locks(this);
    Bex::Vector<ModulatorEntry*>& entries = a_modulator->m_entries;
    BEX_ASSERT(a_from < entries.size());
    BEX_ASSERT(a_to < entries.size());
    if (a_from == a_to)
        return;
    flush_changes();
    ModulatorEntry* entry = entries[a_from];
    entries.remove_at(a_from);
    entries.insert_at(a_to, entry);
    mark_dirty(a_modulator);
    rebuild();
    ModulationEvents::OnEntryMoved event{entry};
    m_on_entry_moved.emit(event);
}

void ModulationManager::p_release_targets_of(ParameterOwner* a_owner)
{
    for (Modulator* modulator : m_modulators)
    {
        for (ModulatorEntry* entry : modulator->m_entries)
        {
            Modulatee* target = entry->get_target();
            if (!target || !target->get_modulatee_parameter()->is_owned_by(a_owner))
                continue;
            entry->get_modulatee_parameter()->clear_target();
            mark_dirty(modulator);
            m_rebuild_pending = true;
        }
    }
}

void ModulationManager::mark_dirty(const Modulator* a_modulator)
{
    const int32_t index = a_modulator->m_index;
    if (index < 0)
        return;
    if (m_dirty_low > m_dirty_high)
    {
        m_dirty_low = index;
        m_dirty_high = index;
        return;
    }
    m_dirty_low = std::min(m_dirty_low, index);
    m_dirty_high = std::max(m_dirty_high, index);
}

void ModulationManager::suspend_rebuild()
{
    ++m_suspend_count;
}

void ModulationManager::resume_rebuild()
{
    BEX_ASSERT(m_suspend_count);
    if (--m_suspend_count == 0 && m_rebuild_pending)
        rebuild();
}

} // namespace Tonvik
