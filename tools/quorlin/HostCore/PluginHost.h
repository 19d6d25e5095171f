#pragma once

#include "tools/quorlin/HostCore/PluginLibrary.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quorlin
{

// What the plug-in told the host through its callback, in order.
struct HostEvent
{
    enum Kind
    {
        Kind_AUTOMATE,
        Kind_BEGIN_EDIT,
        Kind_END_EDIT,
        Kind_WANT_MIDI,
        // index: the width asked for; value: the height.
        Kind_SIZE_WINDOW,
    };
    Kind kind;
    int32_t index;
    float value;
};

struct Transport
{
    double tempo = 120.0;
    bool tempo_valid = true;
    bool playing = false;
    double song_position = 0.0; // quarter notes; advances while playing
};

// A small VST 2.4 host: loads a plug-in as a DAW does and drives it through its dispatcher only.
class PluginHost
{
public:
    // Loads the library, calls its entry with this host's callback, opens the effect, sets the
    // sample rate and block size and switches it on. Throws Bex::Exception on failure.
    PluginHost(const std::string& a_path, float a_sample_rate = 48000.0f,
               int32_t a_block_size = 512);
    ~PluginHost();
    PluginHost(const PluginHost&) = delete;
    PluginHost& operator=(const PluginHost&) = delete;

    AEffect* get_effect() const { return m_effect; }
    intptr_t dispatch(int32_t a_opcode, int32_t a_index = 0, intptr_t a_value = 0,
                      void* a_ptr = nullptr, float a_opt = 0.0f);

    void set_sample_rate(float a_rate);
    float get_sample_rate() const { return m_sample_rate; }

    int32_t get_parameter_count() const { return m_effect->numParams; }
    float get_parameter(int32_t a_index) const;
    void set_parameter(int32_t a_index, float a_value);
    std::string get_parameter_name(int32_t a_index);
    std::string get_parameter_display(int32_t a_index);
    std::string get_parameter_label(int32_t a_index);
    // -1 when no parameter has that name.
    int32_t find_parameter(const std::string& a_name);

    std::string get_effect_name();
    std::string get_vendor();
    std::string get_product();
    int32_t get_vendor_version();
    intptr_t can_do(const std::string& a_text);

    std::vector<uint8_t> get_chunk();
    // a_is_preset sends index 1 (one program) instead of 0 (the whole bank).
    intptr_t set_chunk(const std::vector<uint8_t>& a_chunk, bool a_is_preset = false);

    // Sends short MIDI messages (and optionally a SysEx dump) as one event list.
    void send_midi(const std::vector<std::array<uint8_t, 4>>& a_messages,
                   const std::vector<uint8_t>& a_sysex = {});

    Transport& transport() { return m_transport; }

    // Processes one host block in place or not, as the caller's pointers say.
    void process_block(float** a_inputs, float** a_outputs, int32_t a_frames);

    // Renders whole stereo signals, cutting them into host blocks whose sizes a_next_block gives.
    void render(const std::vector<float>& a_in_left, const std::vector<float>& a_in_right,
                std::vector<float>& a_out_left, std::vector<float>& a_out_right,
                const std::function<int32_t()>& a_next_block);

    const std::vector<HostEvent>& get_events() const { return m_events; }
    void clear_events() { m_events.clear(); }

    // Sends effClose; the plug-in frees itself. Safe to call twice.
    void close();

private:
    static intptr_t p_callback(AEffect* a_effect, int32_t a_opcode, int32_t a_index,
                               intptr_t a_value, void* a_ptr, float a_opt);
    intptr_t p_answer(int32_t a_opcode, int32_t a_index, intptr_t a_value, void* a_ptr,
                      float a_opt);
    std::string p_text(int32_t a_opcode, int32_t a_index, size_t a_size);

    std::unique_ptr<PluginLibrary> m_library;
    AEffect* m_effect = nullptr;
    float m_sample_rate;
    int32_t m_block_size;
    double m_sample_position = 0.0;
    Transport m_transport;
    VstTimeInfo m_time_info{};
    std::vector<HostEvent> m_events;
};

} // namespace quorlin
