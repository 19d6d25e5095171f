#include "tonvik/Devices/Device.h"

#include "tonvik/Devices/Host.h"
#include "tonvik/Modulation/ModulationManager.h"
#include "tonvik/Platform/FloatingPointMode.h"

#include <algorithm>

namespace Tonvik
{

namespace
{

constexpr uint32_t g_sub_block = 16;

// Releases the processing lock that process() took with a try.
class TriedLock
{
public:
    explicit TriedLock(RecursiveLock& a_lock) : m_lock(a_lock) {}
    ~TriedLock() { m_lock.unlock(); }
    TriedLock(const TriedLock&) = delete;
    TriedLock& operator=(const TriedLock&) = delete;

private:
    RecursiveLock& m_lock;
};

} // namespace

void Device::on_midi_message(const uint8_t a_message[4])
{
    const uint32_t channel = a_message[0] & 0x0F;
    const uint32_t key = a_message[1] & 0x7F;
    const uint32_t velocity = a_message[2] & 0x7F;
    switch (a_message[0] & 0xF0)
    {
    case 0x80:
        note_off(channel, key, velocity);
        break;
    case 0x90:
        note_on(channel, key, velocity);
        break;
    default:
        break;
    }
}

void Device::process(const float* const* a_inputs, float* const* a_outputs, int32_t a_frames,
                     double a_tempo, bool a_tempo_valid)
{
    if (a_frames <= 0)
        return;
    const uint32_t frames = uint32_t(a_frames);
    if (!m_processing_lock.try_lock())
    {
        if (a_outputs)
        {
            for (uint32_t c = 0; c < m_output_count; ++c)
            {
                if (a_outputs[c])
                    std::fill_n(a_outputs[c], frames, 0.0f);
            }
        }
        return;
    }
    TriedLock lock(m_processing_lock);
    DenormalsOff denormals;

    if (a_tempo_valid && a_tempo != m_tempo)
    {
        m_tempo = a_tempo;
        for (DeviceListener* listener : m_listeners[DeviceSignal_TEMPO])
            listener->on_tempo_changed(m_tempo);
    }

    commit_queued_changes();

    // The LFOs follow the host's position too; without modulators nobody asks the host.
    double position = 0.0;
    const bool has_position =
        (!m_listeners[DeviceSignal_SONG_POSITION].empty() || m_modulation->get_modulator_count()) &&
        m_host && m_host->get_song_position(position);
    if (has_position)
    {
        for (DeviceListener* listener : m_listeners[DeviceSignal_SONG_POSITION])
            listener->on_song_position(position);
    }
    m_modulation->set_transport(m_tempo, has_position, position);

    if (m_modulation_reset_pending)
    {
        m_modulation_reset_pending = false;
        m_modulation->reset_processing();
        on_modulation_reset();
    }

    m_midi_queue.drain([this](const uint8_t* a_message) { on_midi_message(a_message); });

    // A device with one channel reads and writes that channel on both sides.
    DeviceProcessIo io;
    uint32_t input_steps[2];
    uint32_t output_steps[2];
    for (uint32_t c = 0; c < 2; ++c)
    {
        const float* in = a_inputs ? a_inputs[c < m_input_count ? c : 0] : nullptr;
        io.m_inputs[c] = in ? in : m_silence;
        input_steps[c] = in ? 1 : 0;
        float* out = a_outputs ? a_outputs[c < m_output_count ? c : 0] : nullptr;
        io.m_outputs[c] = out ? out : m_discard[c];
        output_steps[c] = out ? 1 : 0;
    }
    p_run_grid(io, input_steps, output_steps, frames);
}

void Device::p_run_grid(DeviceProcessIo& a_io, const uint32_t* a_input_steps,
                        const uint32_t* a_output_steps, uint32_t a_frames)
{
    auto advance = [&](uint32_t a_count)
    {
        for (uint32_t c = 0; c < 2; ++c)
        {
            a_io.m_inputs[c] += a_count * a_input_steps[c];
            a_io.m_outputs[c] += a_count * a_output_steps[c];
        }
    };
    uint32_t frames = a_frames;
    if (m_partial_pending)
    {
        if (frames < m_partial_missing)
        {
            process_smoothers(frames);
            process_partial_within(a_io, frames);
            m_partial_missing -= frames;
            return;
        }
        const uint32_t missing = m_partial_missing;
        process_smoothers(missing);
        process_partial_completion(a_io, missing);
        advance(missing);
        m_partial_pending = false;
        m_partial_missing = 0;
        frames -= missing;
    }
    while (frames >= g_sub_block)
    {
        process_smoothers(g_sub_block);
        process_block(a_io);
        advance(g_sub_block);
        frames -= g_sub_block;
    }
    if (frames)
    {
        m_partial_pending = true;
        m_partial_missing = g_sub_block - frames;
        process_smoothers(frames);
        process_partial_tail(a_io, frames);
    }
}

} // namespace Tonvik
