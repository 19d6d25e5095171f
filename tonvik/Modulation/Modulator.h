#pragma once

#include "bex/Core/String.h"
#include "bex/Core/Vector.h"
#include "bex/Signals/Signal.h"
#include "tonvik/Modulation/ModulationEvents.h"
#include "tonvik/Modulation/ModulationParameterOwner.h"

#include <cstdint>

namespace Bex
{
class BiniNode;
}

namespace Tonvik
{

class ModulationManager;
class ModulatorEntry;
class ModulatorGui;
class P_Boolean;
class Parameter;
class Parameter_String;

// An effect runs its modulation with one voice; per-voice state is sized by this.
constexpr uint32_t MaxModulationVoices = 1;

// When a modulator is computed relative to notes. Stage 0 has a list but no name.
enum ProcessingStage : uint32_t
{
    ProcessingStage_UNNAMED = 0,
    ProcessingStage_PRE_NOTE = 1,
    ProcessingStage_IN_NOTE = 2,
    ProcessingStage_POST_NOTE = 3,
    ProcessingStage_ENUM_SIZE = 4,
};

// Fixed because presets store them (minus 1).
enum ModulatorType : uint32_t
{
    ModulatorType_COMBINATOR = 1,
    ModulatorType_LFO = 3,
    ModulatorType_TEST = 6,
    ModulatorType_XY = 7,
};

enum ModulatorEventKind : uint32_t
{
    // Sent to all modulators of one processing stage for a voice.
    ModulatorEventKind_STAGE = 1,
    ModulatorEventKind_RETRIGGER = 9,
    ModulatorEventKind_ENUM_SIZE = 16,
};

// One modulation source. Owns its parameters and its ordered entries; the manager places it in
// a processing stage and binds its parameters to the device.
class Modulator : public ModulationParameterOwner
{
public:
    using Handler = void (*)(Modulator* a_modulator, uint32_t a_voice);
    using EntryHandler = void (*)(ModulatorEntry* a_entry, uint32_t a_voice);

    Modulator(ModulationManager* a_manager, uint32_t a_type_number);
    ~Modulator() override;
    Modulator(const Modulator&) = delete;
    Modulator& operator=(const Modulator&) = delete;

    virtual Modulator* clone() const = 0;
    // After the entry list changed: output groups and each entry's signal.
    virtual void update_entries() {}
    virtual ModulatorEntry* create_entry() = 0;
    virtual ModulatorGui* create_gui() = 0;
    virtual Bex::String get_type_name() const { return Bex::String(); }
    virtual void on_added() {}
    // Called with the modulator's "Para" node after its parameters were loaded.
    virtual void on_parameters_loaded(const Bex::BiniNode&) {}
    // One sub-block of a_samples (1 to 16) for a voice runs in two steps. First what depends on
    // the modulator's own parameters alone: an oscillator's waveform, the output groups; then
    // the entries' kernels. When no entry of the stage aims at a parameter of a modulator or an
    // entry, the manager runs the first step of all its modulators before the second, so that
    // independent oscillators overlap.
    virtual void prepare(uint32_t, uint32_t, bool) {}
    // What the entries run changed: which are active, their chains, kernels or signals.
    // a_independent tells whether the stage lets entries run out of their order. Allocates only
    // when a_may_allocate, which the manager's rebuild passes; on other calls a plan that needs
    // more room than there is waits for the next rebuild.
    virtual void plan_entries(bool, bool) {}
    virtual void process(uint32_t a_voice, uint32_t a_samples, bool a_first_after_reset) = 0;
    // "Retrigger key" for note-on retriggers: -2 none (also for modulators without one), -1 any,
    // else the key index 0 to 7.
    virtual int32_t get_retrigger_key() const { return -2; }

    ParameterOwner* get_modulator_owner() override { return this; }
    void append_name_prefix(Bex::String& a_text) const override;

    // Own handlers first, then each entry's handlers in entry order.
    void send_event(uint32_t a_kind, uint32_t a_voice);
    void add_handler(uint32_t a_kind, Handler a_handler);
    void add_entry_handler(uint32_t a_kind, EntryHandler a_handler);

    // Entries whose "Enabled" is on and whose target is set, in entry order.
    void collect_active_entries();

    ModulationManager* get_manager() const { return m_manager; }
    uint32_t get_type_number() const { return m_type_number; }
    uint32_t get_stage() const { return m_stage; }
    int32_t get_index() const { return m_index; }
    bool is_enabled() const { return m_enabled; }
    const Bex::String& get_name() const { return m_name; }
    const Bex::Vector<ModulatorEntry*>& get_entries() const { return m_entries; }
    const Bex::Vector<ModulatorEntry*>& get_active_entries() const { return m_active_entries; }
    P_Boolean* get_enabled_parameter() const { return m_enabled_parameter; }
    Parameter_String* get_name_parameter() const { return m_name_parameter; }
    // The entry's position in m_entries, -1 when it is not one of them.
    int32_t find_entry(const ModulatorEntry* a_entry) const;

    Bex::Signal1<ModulationEvents::OnModulatorMoved> m_moved_signal;

protected:
    ModulationManager* m_manager;
    uint32_t m_type_number;
    P_Boolean* m_enabled_parameter;
    Parameter_String* m_name_parameter;
    bool m_enabled = true;
    Bex::String m_name;
    // Cleared at construction; XOR-ed with each entry's "Invert".
    bool m_inverted = false;

private:
    friend class ModulationManager;
    friend class ModulatorEntry;

    void p_on_enabled_changed();

    Bex::Vector<ModulatorEntry*> m_entries;
    Bex::Vector<ModulatorEntry*> m_active_entries;
    uint32_t m_stage = ProcessingStage_PRE_NOTE;
    int32_t m_index = -1;
    int32_t m_stage_index = -1;
    Bex::Vector<Handler> m_handlers[ModulatorEventKind_ENUM_SIZE];
    Bex::Vector<EntryHandler> m_entry_handlers[ModulatorEventKind_ENUM_SIZE];

public:
    bool is_inverted() const { return m_inverted; }
};

} // namespace Tonvik
