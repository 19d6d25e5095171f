#pragma once

#include "bex/Core/Vector.h"
#include "bex/Signals/Signal.h"
#include "tonvik/Modulation/ModulationEvents.h"
#include "tonvik/Modulation/Modulator.h"
#include "tonvik/Platform/RecursiveLock.h"

#include <cstdint>
#include <memory>

namespace Tonvik
{

class AssignableSlots;
class Device;
class Modulatee;
class ModulatorEntry;
class MusicalTriggerManager;
class Parameter;

// A device's modulators, in four processing-stage lists, and the chains they build on their
// targets. Structural changes take the device's processing, parameter and modulation locks, in
// that order; the audio thread runs a stage only while it holds the
// processing lock, so it never sees a change in progress.
class ModulationManager
{
public:
    ModulationManager(Device* a_device, MusicalTriggerManager* a_trigger_manager = nullptr);
    ~ModulationManager();
    ModulationManager(const ModulationManager&) = delete;
    ModulationManager& operator=(const ModulationManager&) = delete;

    Device* get_device() const { return m_device; }
    MusicalTriggerManager* get_trigger_manager() const { return m_trigger_manager; }
    void set_assignable_slots(AssignableSlots* a_slots) { m_assignable_slots = a_slots; }
    AssignableSlots* get_assignable_slots() const { return m_assignable_slots; }
    // Where targets among the device's own parameters are looked up; without it, among every
    // parameter registered with the device that no modulator owns.
    void set_program_parameters(ParameterCollection* a_parameters)
    {
        m_program_parameters = a_parameters;
    }
    Parameter* find_device_parameter(uint32_t a_id) const;

    // Throws TooManyModulators before anything changes (the modulator is then deleted).
    Modulator* add_modulator(std::unique_ptr<Modulator> a_modulator,
                             uint32_t a_stage = ProcessingStage_PRE_NOTE);
    void check_modulator_limit() const;
    void remove_modulator(uint32_t a_index);
    // Within the modulator's stage list.
    void move_modulator(uint32_t a_index, uint32_t a_new_stage_index);
    void clear();

    // Throws TooManyEntries before anything changes.
    ModulatorEntry* add_entry(Modulator* a_modulator, uint32_t a_position);
    void remove_entry(Modulator* a_modulator, uint32_t a_index);
    void move_entry(Modulator* a_modulator, uint32_t a_from, uint32_t a_to);

    // Rebuilds the chains of the modulators in the dirty range and of every target.
    void rebuild();
    void mark_dirty(const Modulator* a_modulator);
    // While suspended, rebuilds are held back and run once when the last hold ends.
    void suspend_rebuild();
    void resume_rebuild();
    // An entry's kernel or bounds masks changed: its target's final function follows.
    void update_target_bounds(Modulatee* a_target);

    // Audio thread: one sub-block of a_samples for every enabled modulator of a stage.
    void process_stage(uint32_t a_stage, uint32_t a_samples);
    // Sends an event to every enabled modulator of a stage for one voice.
    void send_stage_event(uint32_t a_stage, uint32_t a_kind, uint32_t a_voice);
    // After a state load: reset event to stages 1 and 3, whose next run starts from the reset.
    void reset_processing();
    // Note-on: a_matched_keys has bit k set for every retrigger key k (0 to 7) that matched.
    void retrigger(uint32_t a_matched_keys);

    // Audio thread, once per host block: the tempo and the host's song position (in quarter
    // notes) that the LFOs follow for this block.
    void set_transport(double a_tempo, bool a_has_song_position, double a_song_position);
    double get_tempo() const { return m_tempo; }
    bool has_song_position() const { return m_has_song_position; }
    double get_song_position() const { return m_song_position; }
    // Changes with every set_transport, so that a position is applied once per host block.
    uint32_t get_transport_serial() const { return m_transport_serial; }

    uint32_t get_modulator_count() const { return uint32_t(m_modulators.size()); }
    Modulator* get_modulator(uint32_t a_index) const { return m_modulators[a_index]; }
    const Bex::Vector<Modulator*>& get_modulators() const { return m_modulators; }
    const Bex::Vector<Modulator*>& get_stage_modulators(uint32_t a_stage) const
    {
        return m_stage_lists[a_stage];
    }
    const Bex::Vector<Modulator*>& get_enabled_modulators() const { return m_enabled; }
    const Bex::Vector<Modulatee*>& get_modulated_targets() const { return m_modulated; }
    uint32_t get_voice_count() const { return MaxModulationVoices; }

    Bex::Signal1<ModulationEvents::OnCleared> m_on_cleared;
    Bex::Signal1<ModulationEvents::OnLoaded> m_on_loaded;
    Bex::Signal1<ModulationEvents::ModulatorEvent> m_modulator_event;
    Bex::Signal1<ModulationEvents::OnModulatorMoved> m_on_modulator_moved;
    Bex::Signal1<ModulationEvents::EntryEvent> m_entry_event;
    Bex::Signal1<ModulationEvents::OnEntryMoved> m_on_entry_moved;

    // Settles every gliding parameter and empties the commit queues, so that no queued commit
    // reaches a parameter that a structural change is about to remove.
    void flush_changes();

private:
    class Locks
    {
    public:
        explicit Locks(ModulationManager* a_manager);
        ~Locks();
        Locks(const Locks&) = delete;
        Locks& operator=(const Locks&) = delete;

    private:
        ModulationManager* m_manager;
    };

    void p_bind_parameters(ParameterCollection& a_parameters);
    void p_renumber();
    void p_update_target(Modulatee* a_target);
    void p_unmodulate(Modulatee* a_target);
    // The modulators of a_target's chain plan their entries again, without allocating.
    void p_replan(Modulatee* a_target);
    // Every entry aimed at a parameter of a_owner loses its target.
    void p_release_targets_of(ParameterOwner* a_owner);
    void p_remove_entry(Modulator* a_modulator, uint32_t a_index);

    Device* m_device;
    MusicalTriggerManager* m_trigger_manager;
    AssignableSlots* m_assignable_slots = nullptr;
    ParameterCollection* m_program_parameters = nullptr;

    Bex::Vector<Modulator*> m_stage_lists[ProcessingStage_ENUM_SIZE];
    Bex::Vector<Modulator*> m_modulators;
    Bex::Vector<Modulator*> m_enabled_stage_lists[ProcessingStage_ENUM_SIZE];
    Bex::Vector<Modulator*> m_enabled;
    Bex::Vector<Modulatee*> m_modulated;
    Bex::Vector<Modulatee*> m_targets;

    int32_t m_dirty_low = 0;
    int32_t m_dirty_high = -1;
    uint32_t m_suspend_count = 0;
    bool m_rebuild_pending = false;
    bool m_stage_reset[ProcessingStage_ENUM_SIZE] = {};
    // No entry of the stage aims at a parameter of a modulator or an entry: its modulators may
    // all prepare before any processes, and entries need not run in their order.
    bool m_stage_independent[ProcessingStage_ENUM_SIZE] = {};
    double m_tempo = 100.0;
    bool m_has_song_position = false;
    double m_song_position = 0.0;
    uint32_t m_transport_serial = 0;
};

} // namespace Tonvik
