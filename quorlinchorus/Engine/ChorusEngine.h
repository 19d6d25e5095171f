#pragma once

#include "quorlinchorus/Engine/ChorusVoice.h"
#include "quorlinchorus/Engine/DelayMemory.h"
#include "quorlinchorus/Engine/KernelTypes.h"
#include "quorlinchorus/Engine/Kernels/KernelSet.h"

namespace quorlinchorus
{

// The eight-voice stereo chorus. Parameters write their per-sample values straight into the public
// arrays and their selected kernels into the pointers; the engine never sees a parameter. Only
// construction and set_sample_rate allocate, and the per-sample code has no branches on options.
class ChorusEngine
{
public:
    using ProcessingKernel = void (ChorusEngine::*)(const float* a_in_l, const float* a_in_r,
                                                    float* a_out_l, float* a_out_r,
                                                    unsigned a_count);

    static constexpr unsigned VoiceCount = 8;
    static constexpr float DelayMilliseconds = 110.0f;
    // Oldest age a read can touch, beyond the delay size (cubic at the largest position).
    static constexpr unsigned ReadReach = 3;
    // Delay sizes stay exactly representable as floats and far inside 32-bit indices.
    static constexpr float MaxDelaySize = 16777216.0f;

    ChorusEngine();

    // Runs the selected processing mode on one sub-block of 1 to 16 samples. Output may be the
    // same memory as input. Without a processing mode the output is silence.
    void process_sub_block(const float* a_in_l, const float* a_in_r, float* a_out_l, float* a_out_r,
                           unsigned a_count);

    // Cuts a host block on a fixed 16-sample grid that continues across calls (100 samples are
    // 6 x 16 + 4, and the next block starts with 12) and processes each piece.
    void process_block(const float* a_in_l, const float* a_in_r, float* a_out_l, float* a_out_r,
                       unsigned a_frames);

    // The two processing modes, selected through m_processing_kernel.
    void process_two_buffers(const float* a_in_l, const float* a_in_r, float* a_out_l,
                             float* a_out_r, unsigned a_count);
    void process_eight_buffers(const float* a_in_l, const float* a_in_r, float* a_out_l,
                               float* a_out_r, unsigned a_count);

    // Sizes both memories for 110 ms at a_rate, silent. A rate that is not finite and positive,
    // or memory that cannot be had, changes nothing and returns false.
    bool set_sample_rate(float a_rate);

    // Recomputes every voice's active flag: solo flags if any voice is soloed, else enabled flags.
    // Then a memory (or a voice's channel) that the mode and the active voices bring back into
    // use is silenced: it still holds audio from the time it was last used, NaNs included. Run it
    // whenever an enabled or solo flag or the processing mode changes.
    void update_active_voices();
    // Silences both memories at once, as after a restart of the audio.
    void clear_memories();

    // Samples already processed of the current 16-sample grid cell of process_block.
    unsigned get_grid_phase() const { return m_grid_phase; }
    unsigned get_delay_size() const { return m_delay_size; }
    // Four minimum lanes then four maximum lanes, for the given algorithm.
    const float* get_bounds(InterpolationAlgorithm a_algorithm) const
    {
        return m_bounds[a_algorithm];
    }
    unsigned get_active_voice_count() const { return m_active_voice_count; }
    const unsigned* get_active_voices() const { return m_active_voices; }

    DelayMemory& get_two_channel_memory() { return m_two_channel; }
    DelayMemory& get_eight_channel_memory() { return m_eight_channel; }
    const DelayMemory& get_two_channel_memory() const { return m_two_channel; }
    const DelayMemory& get_eight_channel_memory() const { return m_eight_channel; }

    ChorusVoice m_voices[VoiceCount];

    // Null means "None": the voice's own array is used.
    TransformKernel m_delay_transformation = nullptr;
    TransformKernel m_depth_transformation = nullptr;

    alignas(32) float m_delay_offset[SubBlockSize] = {};
    alignas(32) float m_delay_scale[SubBlockSize] = {};
    alignas(32) float m_depth_offset[SubBlockSize] = {};
    alignas(32) float m_depth_scale[SubBlockSize] = {};
    alignas(32) float m_global_gain[SubBlockSize] = {};
    alignas(32) float m_input_stereo[SubBlockSize] = {};
    alignas(32) float m_output_stereo[SubBlockSize] = {};
    alignas(32) float m_dry[SubBlockSize] = {};
    alignas(32) float m_wet[SubBlockSize] = {};

    InterpolationAlgorithm m_interpolation = InterpolationAlgorithm_LINEAR;
    ProcessingKernel m_processing_kernel = nullptr;
    // The voice loops run with these; any set gives the same output.
    const KernelSet* m_kernel_set = &get_kernel_set();

private:
    void p_silence_returning_memories();
    void p_stage(const float* a_in_l, const float* a_in_r, unsigned a_count);
    VoiceBlock p_voice_block(DelayMemory& a_memory, unsigned a_count);
    // The serial of a stereo width array (0 input, 1 output): a new one whenever it changed.
    uint64_t p_stereo_serial(unsigned a_side, const float* a_stereo);
    void p_mix(float* a_out_l, float* a_out_r, unsigned a_count);

    alignas(32) float m_bounds[InterpolationAlgorithm_ENUM_SIZE][8] = {};
    alignas(32) float m_staging_l[SubBlockSize] = {};
    alignas(32) float m_staging_r[SubBlockSize] = {};
    alignas(32) float m_wet_l[SubBlockSize] = {};
    alignas(32) float m_wet_r[SubBlockSize] = {};

    PanGainCache m_pan_caches[VoiceCount][2];
    alignas(32) float m_known_stereo[2][SubBlockSize] = {};
    uint64_t m_stereo_serials[2] = {};

    DelayMemory m_two_channel;
    DelayMemory m_eight_channel;
    unsigned m_delay_size = 0;

    unsigned m_active_voices[VoiceCount] = {};
    unsigned m_active_voice_count = 0;
    // Bit v: channel v of the eight-channel memory; bit TwoChannelBit: the two-channel memory.
    static constexpr unsigned TwoChannelBit = 1u << VoiceCount;
    unsigned m_active_voice_mask = 0;
    // The memories the selected mode and the active voices write.
    unsigned m_memories_in_use = 0;
    unsigned m_grid_phase = 0;
};

} // namespace quorlinchorus
