#include "quorlinchorus/Engine/ChorusEngine.h"

#include "bex/Core/Assert.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <emmintrin.h>
#include <new>

namespace quorlinchorus
{

namespace
{

// Memory for a delay of a_size samples. All lanes of a sub-block are written before any is read,
// so besides the oldest age a read touches the memory must hold the 15 lanes written ahead of the
// first one; with less, the longest reads would see samples from later in the same sub-block.
size_t memory_capacity_for(unsigned a_size)
{
    return size_t(a_size) + ChorusEngine::ReadReach + SubBlockSize;
}

// A whole sub-block (the usual case) is a fixed-size copy the compiler does inline.
inline void copy_lanes(float* a_to, const float* a_from, unsigned a_count)
{
    if (a_count == SubBlockSize)
        std::memcpy(a_to, a_from, SubBlockSize * sizeof(float));
    else
        std::memcpy(a_to, a_from, a_count * sizeof(float));
}

} // namespace

ChorusEngine::ChorusEngine()
{
    std::fill_n(m_bounds[InterpolationAlgorithm_CUBIC], 4, 1.0f);
    if (!m_two_channel.allocate(2, memory_capacity_for(0)) ||
        !m_eight_channel.allocate(VoiceCount, memory_capacity_for(0)))
        throw std::bad_alloc();
}

void ChorusEngine::process_sub_block(const float* a_in_l, const float* a_in_r, float* a_out_l,
                                     float* a_out_r, unsigned a_count)
{
    BEX_ASSERT(a_count >= 1 && a_count <= SubBlockSize);
    if (!m_processing_kernel)
    {
        std::fill_n(a_out_l, a_count, 0.0f);
        std::fill_n(a_out_r, a_count, 0.0f);
        return;
    }
    (this->*m_processing_kernel)(a_in_l, a_in_r, a_out_l, a_out_r, a_count);
}

void ChorusEngine::process_block(const float* a_in_l, const float* a_in_r, float* a_out_l,
                                 float* a_out_r, unsigned a_frames)
{
    unsigned done = 0;
    while (done < a_frames)
    {
        const unsigned count = std::min(a_frames - done, SubBlockSize - m_grid_phase);
        process_sub_block(a_in_l + done, a_in_r + done, a_out_l + done, a_out_r + done, count);
        m_grid_phase = (m_grid_phase + count) % SubBlockSize;
        done += count;
    }
}

void ChorusEngine::process_two_buffers(const float* a_in_l, const float* a_in_r, float* a_out_l,
                                       float* a_out_r, unsigned a_count)
{
    p_stage(a_in_l, a_in_r, a_count);
    m_two_channel.write(0, m_staging_l, a_count);
    m_two_channel.write(1, m_staging_r, a_count);
    VoiceBlock block = p_voice_block(m_two_channel, a_count);
    block.m_channels[0] = m_two_channel.get_channel(0);
    block.m_channels[1] = m_two_channel.get_channel(1);
    m_kernel_set->m_two_buffers[m_interpolation](block);
    m_two_channel.advance(a_count);
    p_mix(a_out_l, a_out_r, a_count);
}

void ChorusEngine::process_eight_buffers(const float* a_in_l, const float* a_in_r, float* a_out_l,
                                         float* a_out_r, unsigned a_count)
{
    p_stage(a_in_l, a_in_r, a_count);
    VoiceBlock block = p_voice_block(m_eight_channel, a_count);
    for (unsigned v = 0; v < VoiceCount; ++v)
        block.m_channels[v] = m_eight_channel.get_channel(v);
    m_kernel_set->m_eight_buffers[m_interpolation](block);
    m_eight_channel.advance(a_count);
    p_mix(a_out_l, a_out_r, a_count);
}

VoiceBlock ChorusEngine::p_voice_block(DelayMemory& a_memory, unsigned a_count)
{
    std::memset(m_wet_l, 0, sizeof(m_wet_l));
    std::memset(m_wet_r, 0, sizeof(m_wet_r));
    VoiceBlock block;
    block.m_voices = m_voices;
    block.m_active_voices = m_active_voices;
    block.m_active_voice_count = m_active_voice_count;
    block.m_delay_transformation = m_delay_transformation;
    block.m_depth_transformation = m_depth_transformation;
    block.m_delay_offset = m_delay_offset;
    block.m_delay_scale = m_delay_scale;
    block.m_depth_offset = m_depth_offset;
    block.m_depth_scale = m_depth_scale;
    block.m_input_stereo = m_input_stereo;
    block.m_output_stereo = m_output_stereo;
    block.m_input_stereo_serial = p_stereo_serial(0, m_input_stereo);
    block.m_output_stereo_serial = p_stereo_serial(1, m_output_stereo);
    block.m_bounds = m_bounds[m_interpolation];
    block.m_staging_l = m_staging_l;
    block.m_staging_r = m_staging_r;
    block.m_wet_l = m_wet_l;
    block.m_wet_r = m_wet_r;
    block.m_pan_caches = m_pan_caches;
    block.m_write_indices = a_memory.get_write_indices();
    block.m_mask = a_memory.get_mask();
    block.m_count = a_count;
    return block;
}

uint64_t ChorusEngine::p_stereo_serial(unsigned a_side, const float* a_stereo)
{
    float* known = m_known_stereo[a_side];
    __m128i changed = _mm_setzero_si128();
    for (unsigned i = 0; i < SubBlockSize; i += 4)
        changed = _mm_or_si128(
            changed, _mm_xor_si128(_mm_load_si128(reinterpret_cast<const __m128i*>(known + i)),
                                   _mm_load_si128(reinterpret_cast<const __m128i*>(a_stereo + i))));
    const bool same = _mm_movemask_epi8(_mm_cmpeq_epi32(changed, _mm_setzero_si128())) == 0xFFFF;
    if (!same || m_stereo_serials[a_side] == 0)
    {
        std::memcpy(known, a_stereo, SubBlockSize * sizeof(float));
        ++m_stereo_serials[a_side];
    }
    return m_stereo_serials[a_side];
}

bool ChorusEngine::set_sample_rate(float a_rate)
{
    if (!std::isfinite(a_rate) || !(a_rate > 0.0f))
        return false;
    const float size = a_rate * DelayMilliseconds / 1000.0f;
    if (!(size <= MaxDelaySize))
        return false;
    const unsigned delay_size = unsigned(size);

    // Both memories or neither: a half-done change would leave the modes with different masks.
    DelayMemory two_channel;
    DelayMemory eight_channel;
    if (!two_channel.allocate(2, memory_capacity_for(delay_size)) ||
        !eight_channel.allocate(VoiceCount, memory_capacity_for(delay_size)))
        return false;
    two_channel.set_write_position(m_two_channel.get_write_position());
    eight_channel.set_write_position(m_eight_channel.get_write_position());
    m_two_channel = std::move(two_channel);
    m_eight_channel = std::move(eight_channel);

    m_delay_size = delay_size;
    std::fill_n(m_bounds[InterpolationAlgorithm_CUBIC] + 4, 4, float(delay_size));
    std::fill_n(m_bounds[InterpolationAlgorithm_LINEAR] + 4, 4, float(delay_size));
    return true;
}

void ChorusEngine::update_active_voices()
{
    const bool any_solo = std::any_of(m_voices, m_voices + VoiceCount,
                                      [](const ChorusVoice& a_voice) { return a_voice.m_solo; });
    m_active_voice_count = 0;
    m_active_voice_mask = 0;
    for (unsigned v = 0; v < VoiceCount; ++v)
    {
        ChorusVoice& voice = m_voices[v];
        voice.m_active = any_solo ? voice.m_solo : voice.m_enabled;
        if (voice.m_active)
        {
            m_active_voices[m_active_voice_count++] = v;
            m_active_voice_mask |= 1u << v;
        }
    }
    p_silence_returning_memories();
}

void ChorusEngine::p_silence_returning_memories()
{
    unsigned in_use = 0;
    if (m_processing_kernel == &ChorusEngine::process_two_buffers)
        in_use = TwoChannelBit;
    else if (m_processing_kernel == &ChorusEngine::process_eight_buffers)
        in_use = m_active_voice_mask;
    const unsigned returning = in_use & ~m_memories_in_use;
    m_memories_in_use = in_use;
    if (!returning)
        return;
    if (returning & TwoChannelBit)
        m_two_channel.clear();
    for (unsigned v = 0; v < VoiceCount; ++v)
    {
        if (returning & (1u << v))
            m_eight_channel.clear_channel(v);
    }
}

void ChorusEngine::clear_memories()
{
    m_two_channel.clear();
    m_eight_channel.clear();
}

void ChorusEngine::p_stage(const float* a_in_l, const float* a_in_r, unsigned a_count)
{
    copy_lanes(m_staging_l, a_in_l, a_count);
    copy_lanes(m_staging_r, a_in_r, a_count);
}

void ChorusEngine::p_mix(float* a_out_l, float* a_out_r, unsigned a_count)
{
    // The staging arrays hold the input exactly as passed in, and were copied before anything was
    // written, so the output may overwrite the input.
    alignas(16) float out_l[SubBlockSize];
    alignas(16) float out_r[SubBlockSize];
    for (unsigned i = 0; i < SubBlockSize; i += 4)
    {
        const __m128 dry = _mm_load_ps(m_dry + i);
        const __m128 wet = _mm_load_ps(m_wet + i);
        const __m128 gain = _mm_load_ps(m_global_gain + i);
        const __m128 left = _mm_add_ps(_mm_mul_ps(_mm_load_ps(m_staging_l + i), dry),
                                       _mm_mul_ps(_mm_load_ps(m_wet_l + i), wet));
        const __m128 right = _mm_add_ps(_mm_mul_ps(_mm_load_ps(m_staging_r + i), dry),
                                        _mm_mul_ps(_mm_load_ps(m_wet_r + i), wet));
        _mm_store_ps(out_l + i, _mm_mul_ps(left, gain));
        _mm_store_ps(out_r + i, _mm_mul_ps(right, gain));
    }
    copy_lanes(a_out_l, out_l, a_count);
    copy_lanes(a_out_r, out_r, a_count);
}

} // namespace quorlinchorus
