#pragma once

#include "bex/Core/String.h"
#include "bex/Core/Vector.h"
#include "tonvik/Devices/DeviceStaticConfig.h"
#include "tonvik/Devices/MidiQueue.h"
#include "tonvik/ParameterTypes/ExponentialPrecision.h"
#include "tonvik/Parameters/CommittableCallback.h"
#include "tonvik/Parameters/ParameterOwner.h"
#include "tonvik/Parameters/ParameterSmoother.h"
#include "tonvik/Platform/RecursiveLock.h"
#include "tonvik/Presets/PresetStateIo.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

namespace Bex
{
class BiniNode;
class InputStream;
class OutputStream;
} // namespace Bex

namespace Tonvik
{

class AssignableSlots;
class DeviceGlobalSettings;
class DeviceGui;
class DeviceInstanceSettings;
class DeviceProgram;
class Host;
class LoadReport;
class ModulationManager;
class MusicalTriggerManager;
class Parameter;
class PresetManager;
struct CommitListNode;

enum DeviceKind : uint32_t
{
    DeviceKind_INSTRUMENT = 0,
    DeviceKind_EFFECT = 1,
};

enum DeviceRunState : uint32_t
{
    DeviceRunState_CONSTRUCTED = 0,
    DeviceRunState_INITIALIZED = 2,
};

// What save_state and load_state cover. Host chunks use all three, preset files the first two.
enum StateFlag : uint32_t
{
    StateFlag_MODULATION = 1,
    StateFlag_PROGRAM = 2,
    StateFlag_INSTANCE = 4,
};

enum DeviceSignal : uint32_t
{
    DeviceSignal_TEMPO = 0,
    DeviceSignal_SAMPLE_RATE = 1,
    DeviceSignal_SONG_POSITION = 2,
    DeviceSignal_ENUM_SIZE = 3,
};

// Told about one of the device's signals. The tempo and song-position calls come on the audio
// thread and must neither wait nor allocate.
class DeviceListener
{
public:
    virtual ~DeviceListener() {}

    virtual void on_tempo_changed(double) {}
    virtual void on_sample_rate_changed(float) {}
    virtual void on_song_position(double) {}

    // Where the device keeps the listener; -1 while not connected.
    int32_t m_device_signal = -1;
    int32_t m_device_position = -1;
};

// The audio of one sub-block: two input and two output channels, already positioned.
struct DeviceProcessIo
{
    const float* m_inputs[2];
    float* m_outputs[2];
};

// The framework's sound-processing object: one plug-in instance with its configuration, folders,
// settings, parameter program, musical triggers, commit queues and running smoothers, MIDI queue,
// locks and presets. It cuts host blocks into sub-blocks of 16 samples on a grid that continues
// across blocks, and saves and loads its whole state as a Bini tree.
//
// Locks, always taken in this order: processing, parameter, modulation. The audio thread only
// tries the processing lock and otherwise takes the commit-queue lock briefly.
class Device : public ParameterOwner, public PresetStateIo
{
public:
    // The three state locks for as long as the object lives, released in reverse order.
    class StateLocks
    {
    public:
        explicit StateLocks(Device& a_device);
        ~StateLocks();
        StateLocks(const StateLocks&) = delete;
        StateLocks& operator=(const StateLocks&) = delete;

    private:
        Device& m_device;
    };

    Device();
    ~Device() override;
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    // Checks the configuration, resolves and creates the folders, loads the settings, builds and
    // commits the program, and opens the initial preset.
    void initialize();
    uint32_t get_run_state() const { return m_run_state; }

    // The audio entry. Null channel arrays or channels read as silence and write nowhere; a frame
    // count below 1 does nothing. A busy processing lock gives one block of silence.
    void process(const float* const* a_inputs, float* const* a_outputs, int32_t a_frames,
                 double a_tempo, bool a_tempo_valid);
    // Audio thread, from the host's event call: queued for the next process call.
    void queue_midi_message(const uint8_t a_message[4]) { m_midi_queue.push(a_message); }

    RecursiveLock& get_processing_lock() { return m_processing_lock; }
    RecursiveLock& get_parameter_lock() { return m_parameter_lock; }
    RecursiveLock& get_modulation_lock() { return m_modulation_lock; }

    float get_sample_rate() const { return m_sample_rate; }
    // Ignores rates that are not finite and positive. Smoothers and rate-dependent values follow,
    // every parameter is committed again, then the device's hook and the listeners are told.
    void set_sample_rate(float a_sample_rate);
    double get_tempo() const { return m_tempo; }

    ExponentialPrecision get_exponential_precision() const { return m_exponential_precision; }
    void set_exponential_precision(ExponentialPrecision a_precision);
    ExponentialPrecision get_modulation_precision() const { return m_modulation_precision; }
    void set_modulation_precision(ExponentialPrecision a_precision);

    uint32_t get_smoothing_reason_mask() const { return m_smoothing_reason_mask; }
    // Rebuilds every parameter's smoother: a mask of 0 removes them all.
    void set_smoothing_reason_mask(uint32_t a_mask);
    // Per-sample coefficient c = 1 / (smoothness in samples).
    float get_smoothing_coefficient() const { return m_smoothing_coefficient; }
    void set_smoothing_coefficient(float a_coefficient);

    bool is_ready_for_processing() const { return m_ready_for_processing; }
    // Smoothers exist only while the device is ready; changing the flag rebuilds them.
    void set_ready_for_processing(bool a_ready);

    // Enlists a parameter in the queue being filled; the last reason wins.
    void queue_commit(Parameter* a_parameter, uint32_t a_reason);
    // Audio thread, start of a block: flips the queues and drains the one that was filling.
    void commit_queued_changes();
    // Drains both queues without smoothing.
    void drain_commit_queues();
    // Audio thread: advances every running smoother by a_samples (1 to 16).
    void process_smoothers(uint32_t a_samples);
    // Settles every running smoother at its target.
    void stop_smoothing();
    bool has_running_smoothers() const
    {
        return m_smoother_list_head.m_next != &m_smoother_list_head;
    }
    // Every registered parameter is committed, its smoother settled, its callback called once, and
    // both queues emptied.
    void recommit_all();
    // Under the three locks: settles the running smoothers and drains both queues unsmoothed.
    void flush_changes();
    // The host switches the audio back on: nothing from before may sound again. Glides settle at
    // their targets, queued changes commit, the sub-block grid and the modulation start afresh,
    // then the device's own hook clears what it holds. Allocates nothing.
    void resume();

    // Notes a parameter whose editors need a refresh.
    void parameter_changed(Parameter* a_parameter);
    // Editor thread: hands over the parameters changed since the last call.
    void take_changed_parameters(Bex::Vector<Parameter*>& a_parameters);
    // Set when every editor must show its parameter anew (after loads and resets).
    bool take_full_refresh() { return m_full_refresh.exchange(false); }

    const Bex::Vector<Parameter*>& get_parameters() const { return m_parameters; }
    void register_parameter(Parameter* a_parameter);
    void unregister_parameter(Parameter* a_parameter);

    void connect_listener(DeviceListener* a_listener, uint32_t a_signal);
    void disconnect_listener(DeviceListener* a_listener);

    // Flags: StateFlag bits. Saving holds the parameter and modulation locks and never stops the
    // audio; loading holds the three locks. A failed load throws
    // "An error occurred while loading the preset."; what the device then holds is undefined
    // until the caller resets or restores it.
    void save_state(Bex::OutputStream& a_stream, uint32_t a_flags);
    void load_state(Bex::InputStream& a_stream, uint32_t a_flags);
    // The host's chunk: a state that fails to load resets the device to its defaults, and false
    // is returned.
    bool load_host_chunk(const void* a_data, size_t a_bytes);
    void reset_to_defaults();

    // Preset files hold the program and the modulation.
    void load_preset_state(Bex::InputStream& a_stream) override;
    void save_preset_state(Bex::OutputStream& a_stream) override;

    // The settings window's confirmation: writes the global settings to the settings file.
    // Without one it throws the folder problem and writes nothing.
    void save_global_settings();
    // Plug-in name, "/" and a_part, in UTF-8.
    std::string make_preamble(const std::string& a_part) const;

    DeviceGui* create_gui();
    // The editor bridge: the device forgets its editor before the editor goes, and takes one
    // made in its place; both under the lock of the changed lists, which the device's changes
    // read it under.
    void release_gui();
    void adopt_gui(DeviceGui* a_gui);

    DeviceProgram* get_program() const { return m_program.get(); }
    DeviceGlobalSettings* get_global_settings() const { return m_global_settings.get(); }
    DeviceInstanceSettings* get_instance_settings() const { return m_instance_settings.get(); }
    MusicalTriggerManager* get_trigger_manager() const { return m_trigger_manager.get(); }
    ModulationManager* get_modulation() const { return m_modulation.get(); }
    // Null until initialize() has built the program.
    AssignableSlots* get_assignable_slots() const { return m_assignable_slots.get(); }
    PresetManager* get_preset_manager() const { return m_preset_manager.get(); }
    // Empty when the user's folders could not be found or made: there is then no settings file.
    const Bex::String& get_settings_file() const { return m_settings_file; }
    // Why presets and settings are unavailable; empty when the folders are in place.
    const Bex::String& get_folder_problem() const { return m_folder_problem; }
    // Whether a sub-block was cut short and how many samples it still lacks.
    bool is_partial_block_pending() const { return m_partial_pending; }
    uint32_t get_partial_block_missing() const { return m_partial_missing; }

    DeviceStaticConfig m_static_config;
    DeviceKind m_kind = DeviceKind_INSTRUMENT;
    uint32_t m_input_count = 2;
    uint32_t m_output_count = 2;
    Host* m_host = nullptr;
    DeviceGui* m_gui = nullptr;
    bool m_error = false;
    Bex::String m_error_text;

    // Declares the parameters through a DeviceProgramBuilder on get_program().
    virtual void build_program() {}
    // The first step of terminate.
    virtual void on_close() {}
    virtual void on_sample_rate_changed() {}
    virtual void on_resume() {}
    virtual void on_suspend() {}
    // Takes everything down; the device may only be destroyed afterwards.
    virtual void terminate();
    // One full sub-block of 16 samples.
    virtual void process_block(const DeviceProcessIo&) {}
    // The rest of a sub-block that an earlier host block left pending.
    virtual void process_partial_completion(const DeviceProcessIo&, uint32_t) {}
    // A host block shorter than what the pending sub-block still lacks.
    virtual void process_partial_within(const DeviceProcessIo&, uint32_t) {}
    // The start of a sub-block at the end of a host block.
    virtual void process_partial_tail(const DeviceProcessIo&, uint32_t) {}
    virtual DeviceGui* do_create_gui() { return nullptr; }
    virtual void load_program_data(const Bex::BiniNode&, LoadReport&) {}
    virtual void load_state_data(const Bex::BiniNode&, LoadReport&) {}
    virtual void reset_custom_data() {}
    virtual void save_program_data(Bex::BiniNode&) {}
    virtual void save_state_data(Bex::BiniNode&) {}
    // Note-offs and note-ons (velocity 0 included) go on to the two handlers; others are ignored.
    virtual void on_midi_message(const uint8_t a_message[4]);
    virtual void note_off(uint32_t, uint32_t, uint32_t) {}
    virtual void note_on(uint32_t, uint32_t, uint32_t) {}
    virtual DeviceGlobalSettings* create_global_settings();
    virtual DeviceInstanceSettings* create_instance_settings();
    // Audio thread, after a state load reset the modulation.
    virtual void on_modulation_reset() {}

private:
    struct CommitQueue
    {
        CommitListNode* m_first = nullptr;
        CommitListNode* m_last = nullptr;
    };

    void p_check_configuration() const;
    void p_resolve_folders();
    void p_create_settings();
    void p_install_factory_presets();
    void p_drain_commit_queue(uint32_t a_index, bool a_allow_smoothing);
    void p_remove_from_commit_queue(CommitListNode& a_node, uint32_t a_index);
    void p_remove_from_changed_list(Parameter* a_parameter, uint32_t a_list);
    void p_rebuild_all_smoothers();
    void p_commit_program();
    void p_run_grid(DeviceProcessIo& a_io, const uint32_t* a_input_steps,
                    const uint32_t* a_output_steps, uint32_t a_frames);
    void p_load_state(Bex::InputStream& a_stream, uint32_t a_flags);
    void p_save_modulation(Bex::BiniNode& a_root);
    void p_load_modulation(const Bex::BiniNode& a_root, LoadReport& a_report);
    void p_tell_loaded(const LoadReport& a_report);
    void p_release_all();

    float m_sample_rate = 1000.0f;
    double m_tempo = 100.0;
    ExponentialPrecision m_exponential_precision = ExponentialPrecision_EXACT;
    ExponentialPrecision m_modulation_precision = ExponentialPrecision_APPROXIMATE;
    uint32_t m_smoothing_reason_mask = 3;
    float m_smoothing_coefficient = 0.0f;
    bool m_ready_for_processing = false;
    uint32_t m_run_state = DeviceRunState_CONSTRUCTED;

    CommitQueue m_commit_queues[2];
    uint32_t m_commit_queue_index = 0;
    PendingCallbackList m_pending_callbacks;
    ParameterSmoother_ListHead m_smoother_list_head;

    MidiQueue m_midi_queue;
    bool m_partial_pending = false;
    uint32_t m_partial_missing = 0;
    // Set by a state load that changed the modulation; the next block resets its processing.
    bool m_modulation_reset_pending = false;
    std::atomic<bool> m_full_refresh{false};
    // What absent or unused channels read and write.
    alignas(16) float m_silence[16] = {};
    alignas(16) float m_discard[2][16] = {};

    Bex::Vector<DeviceListener*> m_listeners[DeviceSignal_ENUM_SIZE];

    Bex::Vector<Parameter*> m_parameters;
    Bex::Vector<Parameter*> m_changed_lists[2];
    uint32_t m_changed_counts[2] = {0, 0};
    uint32_t m_changed_list_index = 0;

    Bex::String m_settings_file;
    Bex::String m_folder_problem;
    std::unique_ptr<DeviceGlobalSettings> m_global_settings;
    std::unique_ptr<DeviceInstanceSettings> m_instance_settings;
    std::unique_ptr<MusicalTriggerManager> m_trigger_manager;
    std::unique_ptr<DeviceProgram> m_program;
    std::unique_ptr<PresetManager> m_preset_manager;
    std::unique_ptr<AssignableSlots> m_assignable_slots;
    // Uses the locks below: it is taken down in the destructor's body, before they go.
    std::unique_ptr<ModulationManager> m_modulation;

    RecursiveLock m_processing_lock;
    RecursiveLock m_parameter_lock;
    RecursiveLock m_commit_queue_lock;
    RecursiveLock m_modulation_lock;
    RecursiveLock m_changed_list_lock;

    friend class Parameter;
};

} // namespace Tonvik
