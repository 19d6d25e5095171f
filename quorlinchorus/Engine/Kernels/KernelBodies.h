#pragma once

// The engine's kernels written once over a lane type (LanesSse2, LanesAvx2), each lane computing
// exactly what the scalar reference computes, in the same order. Instantiated by one translation
// unit per instruction set.
#include "quorlinchorus/Engine/ChorusVoice.h"
#include "quorlinchorus/Engine/DelayMemory.h"
#include "quorlinchorus/Engine/KernelTypes.h"
#include "quorlinchorus/Engine/Kernels/KernelSet.h"
#include "quorlinchorus/Engine/Kernels/PanLawKernels.h"

#include <cstring>

// The per-lane helpers must be inlined into the loops: a call would pass every vector through
// memory.
#define QUORLIN_KERNEL_INLINE inline __attribute__((always_inline))

namespace quorlinchorus::kernel_bodies
{

template <class L>
QUORLIN_KERNEL_INLINE typename L::Vector pan_position(const float* a_pan, const float* a_stereo,
                                                      unsigned a_lane)
{
    const typename L::Vector half = L::set1(0.5f);
    return L::add(L::mul(L::mul(L::load(a_pan + a_lane), L::load(a_stereo + a_lane)), half), half);
}

template <class L>
void pan_law_linear(const float* a_pan, const float* a_stereo, float* a_gains)
{
    for (unsigned i = 0; i < SubBlockSize; i += L::Width)
    {
        const typename L::Vector u = pan_position<L>(a_pan, a_stereo, i);
        L::store(a_gains + i, L::sub(L::set1(1.0f), u));
        L::store(a_gains + SubBlockSize + i, u);
    }
}

template <class L>
void pan_law_sin_cos_high(const float* a_pan, const float* a_stereo, float* a_gains)
{
    using V = typename L::Vector;
    const V k = L::set1(PanLawK);
    for (unsigned i = 0; i < SubBlockSize; i += L::Width)
    {
        const V u = pan_position<L>(a_pan, a_stereo, i);
        const V g = L::sub(L::set1(1.0f), L::mul(u, u));
        const V h = L::mul(u, L::sub(L::set1(2.0f), u));
        const V gg = L::mul(g, g);
        const V hh = L::mul(h, h);
        L::store(a_gains + i, L::add(L::mul(L::sub(g, gg), k), gg));
        L::store(a_gains + SubBlockSize + i, L::add(L::mul(L::sub(h, hh), k), hh));
    }
}

template <class L>
void pan_law_sin_cos_low(const float* a_pan, const float* a_stereo, float* a_gains)
{
    using V = typename L::Vector;
    for (unsigned i = 0; i < SubBlockSize; i += L::Width)
    {
        const V u = pan_position<L>(a_pan, a_stereo, i);
        L::store(a_gains + i, L::sub(L::set1(1.0f), L::mul(u, u)));
        L::store(a_gains + SubBlockSize + i, L::mul(u, L::sub(L::set1(2.0f), u)));
    }
}

// Square roots are correctly rounded at every width, like the scalar one.
template <class L>
void pan_law_square_root(const float* a_pan, const float* a_stereo, float* a_gains)
{
    for (unsigned i = 0; i < SubBlockSize; i += L::Width)
    {
        const typename L::Vector u = pan_position<L>(a_pan, a_stereo, i);
        L::store(a_gains + i, L::sqrt(L::sub(L::set1(1.0f), u)));
        L::store(a_gains + SubBlockSize + i, L::sqrt(u));
    }
}

template <class L>
void transform_offset(const float* a_x, const float* a_offset, const float*, float* a_out)
{
    for (unsigned i = 0; i < SubBlockSize; i += L::Width)
        L::store(a_out + i, L::add(L::load(a_x + i), L::load(a_offset + i)));
}

template <class L>
void transform_offset_scale(const float* a_x, const float* a_offset, const float* a_scale,
                            float* a_out)
{
    for (unsigned i = 0; i < SubBlockSize; i += L::Width)
        L::store(a_out + i,
                 L::mul(L::add(L::load(a_x + i), L::load(a_offset + i)), L::load(a_scale + i)));
}

template <class L>
void transform_scale(const float* a_x, const float*, const float* a_scale, float* a_out)
{
    for (unsigned i = 0; i < SubBlockSize; i += L::Width)
        L::store(a_out + i, L::mul(L::load(a_x + i), L::load(a_scale + i)));
}

template <class L>
void transform_scale_offset(const float* a_x, const float* a_offset, const float* a_scale,
                            float* a_out)
{
    for (unsigned i = 0; i < SubBlockSize; i += L::Width)
        L::store(a_out + i,
                 L::add(L::mul(L::load(a_x + i), L::load(a_scale + i)), L::load(a_offset + i)));
}

// a = clamp(d + w), b = clamp(d), position = a + (b - a) * m.
template <class L>
QUORLIN_KERNEL_INLINE typename L::Vector
position(const float* a_delay, const float* a_depth, const float* a_modulation,
         typename L::Vector a_low, typename L::Vector a_high)
{
    using V = typename L::Vector;
    const V d = L::load(a_delay);
    const V a = L::min(L::max(L::add(d, L::load(a_depth)), a_low), a_high);
    const V b = L::min(L::max(d, a_low), a_high);
    return L::add(a, L::mul(L::sub(b, a), L::load(a_modulation)));
}

template <class L>
void compute_positions(const float* a_delay, const float* a_depth, const float* a_modulation,
                       const float* a_bounds, float* a_position)
{
    const typename L::Vector low = L::load_four(a_bounds);
    const typename L::Vector high = L::load_four(a_bounds + 4);
    for (unsigned i = 0; i < SubBlockSize; i += L::Width)
        L::store(a_position + i,
                 position<L>(a_delay + i, a_depth + i, a_modulation + i, low, high));
}

template <class L, InterpolationAlgorithm Algorithm>
QUORLIN_KERNEL_INLINE typename L::Vector
interpolate(const float* a_channel, const int32_t* a_newest, typename L::Vector a_f)
{
    using V = typename L::Vector;
    if constexpr (Algorithm == InterpolationAlgorithm_LINEAR)
    {
        V q, r;
        L::taps_linear(a_channel, a_newest, q, r);
        return L::add(q, L::mul(L::sub(r, q), a_f));
    }
    else
    {
        V p, q, r, t;
        L::taps_cubic(a_channel, a_newest, p, q, r, t);
        const V half = L::set1(0.5f);
        const V a = L::mul(L::add(L::sub(L::mul(L::set1(3.0f), L::sub(q, r)), p), t), half);
        const V b = L::sub(L::add(L::mul(L::set1(2.0f), r), p),
                           L::mul(L::add(L::mul(L::set1(5.0f), q), t), half));
        const V c = L::mul(L::sub(r, p), half);
        return L::add(L::mul(L::add(L::mul(L::add(L::mul(a, a_f), b), a_f), c), a_f), q);
    }
}

template <class L, InterpolationAlgorithm Algorithm>
void read(const float* a_channel, const int32_t* a_write_indices, int32_t a_mask,
          const float* a_position, float* a_out)
{
    alignas(32) int32_t newest[L::Width];
    for (unsigned i = 0; i < SubBlockSize; i += L::Width)
    {
        const typename L::Vector f =
            L::split(L::load(a_position + i), a_write_indices + i, a_mask, newest);
        L::store(a_out + i, interpolate<L, Algorithm>(a_channel, newest, f));
    }
}

template <class L>
QUORLIN_KERNEL_INLINE const float* transformed(TransformKernel a_kernel, const float* a_x,
                                               const float* a_offset, const float* a_scale,
                                               float* a_out)
{
    if (!a_kernel)
        return a_x;
    a_kernel(a_x, a_offset, a_scale, a_out);
    return a_out;
}

// wet += mono * gain * pan gain, on both sides.
template <class L>
QUORLIN_KERNEL_INLINE void accumulate(typename L::Vector a_mono, const float* a_gain,
                                      const float* a_pan_gains, float* a_wet_l, float* a_wet_r)
{
    using V = typename L::Vector;
    const V scaled = L::mul(a_mono, L::load(a_gain));
    L::store(a_wet_l, L::add(L::load(a_wet_l), L::mul(scaled, L::load(a_pan_gains))));
    L::store(a_wet_r,
             L::add(L::load(a_wet_r), L::mul(scaled, L::load(a_pan_gains + SubBlockSize))));
}

// The gains of a_law for a_pan and a_stereo: from the cache when its law and pan are the same
// bits and the stereo width has not changed since (a_stereo_serial, see VoiceBlock).
template <class L>
QUORLIN_KERNEL_INLINE const float* pan_gains(PanGainCache& a_cache, PanLawKernel a_law,
                                             const float* a_pan, const float* a_stereo,
                                             uint64_t a_stereo_serial)
{
    // One test of all the differences together: the inputs almost never change.
    typename L::Bits changed = L::differing_bits(a_cache.m_pan, a_pan);
    for (unsigned i = L::Width; i < SubBlockSize; i += L::Width)
        changed = L::either(changed, L::differing_bits(a_cache.m_pan + i, a_pan + i));
    const bool same =
        a_cache.m_law == a_law && a_cache.m_stereo_serial == a_stereo_serial && L::none(changed);
    if (!same)
    {
        a_law(a_pan, a_stereo, a_cache.m_gains);
        std::memcpy(a_cache.m_pan, a_pan, sizeof(a_cache.m_pan));
        a_cache.m_law = a_law;
        a_cache.m_stereo_serial = a_stereo_serial;
    }
    return a_cache.m_gains;
}

// DelayMemory::write with the channel's pointers at hand: lanes 0 to a_count - 1 at the write
// indices, which are consecutive modulo the capacity, then the guard that repeats the end.
template <class L>
QUORLIN_KERNEL_INLINE void write_channel(float* a_channel, const int32_t* a_write_indices,
                                         int32_t a_mask, const float* a_samples, unsigned a_count)
{
    const int32_t capacity = a_mask + 1;
    const int32_t first = a_write_indices[0];
    if (a_count == SubBlockSize && first + int32_t(SubBlockSize) <= capacity)
    {
        for (unsigned i = 0; i < SubBlockSize; i += L::Width)
            L::store_unaligned(a_channel + first + i, L::load(a_samples + i));
    }
    else
    {
        for (unsigned k = 0; k < a_count; ++k)
            a_channel[a_write_indices[k]] = a_samples[k];
    }
    std::memcpy(a_channel - DelayMemory::GuardSize, a_channel + capacity - DelayMemory::GuardSize,
                DelayMemory::GuardSize * sizeof(float));
}

// Where one voice reads in a sub-block: each lane's index of its sample of age D and its
// fraction, and the voice's output pan gains.
struct ReadPlan
{
    alignas(32) int32_t m_newest[SubBlockSize];
    alignas(32) float m_fraction[SubBlockSize];
    const float* m_out_gains;
};

// Every active voice's reads are planned before any is made. The read of a lane is a long chain
// (taps, transposition, coefficients, the polynomial, the sum); with its position and index
// already in memory the chain is shorter, and more of the voices' chains fit in flight at once.
template <class L>
QUORLIN_KERNEL_INLINE void plan_reads(const VoiceBlock& a_block, const ChorusVoice& a_voice,
                                      typename L::Vector a_low, typename L::Vector a_high,
                                      float* a_delay, float* a_depth, ReadPlan& a_plan)
{
    const float* d = transformed<L>(a_block.m_delay_transformation, a_voice.m_delay,
                                    a_block.m_delay_offset, a_block.m_delay_scale, a_delay);
    const float* w = transformed<L>(a_block.m_depth_transformation, a_voice.m_depth,
                                    a_block.m_depth_offset, a_block.m_depth_scale, a_depth);
    for (unsigned i = 0; i < SubBlockSize; i += L::Width)
    {
        const typename L::Vector at =
            position<L>(d + i, w + i, a_voice.m_pitch_modulation + i, a_low, a_high);
        L::store(a_plan.m_fraction + i,
                 L::split(at, a_block.m_write_indices + i, a_block.m_mask, a_plan.m_newest + i));
    }
}

// Every voice reads the shared stereo memory and mixes its two reads down with its input pan.
template <class L, InterpolationAlgorithm Algorithm>
void two_buffers(const VoiceBlock& a_block)
{
    using V = typename L::Vector;
    const V low = L::load_four(a_block.m_bounds);
    const V high = L::load_four(a_block.m_bounds + 4);
    alignas(32) float delay[SubBlockSize];
    alignas(32) float depth[SubBlockSize];
    ReadPlan plans[8];
    const float* in_gains[8];
    for (unsigned a = 0; a < a_block.m_active_voice_count; ++a)
    {
        const unsigned index = a_block.m_active_voices[a];
        const ChorusVoice& voice = a_block.m_voices[index];
        in_gains[a] =
            pan_gains<L>(a_block.m_pan_caches[index][0], voice.m_input_pan_law, voice.m_input_pan,
                         a_block.m_input_stereo, a_block.m_input_stereo_serial);
        plans[a].m_out_gains =
            pan_gains<L>(a_block.m_pan_caches[index][1], voice.m_output_pan_law, voice.m_output_pan,
                         a_block.m_output_stereo, a_block.m_output_stereo_serial);
        plan_reads<L>(a_block, voice, low, high, delay, depth, plans[a]);
    }
    for (unsigned a = 0; a < a_block.m_active_voice_count; ++a)
    {
        const ChorusVoice& voice = a_block.m_voices[a_block.m_active_voices[a]];
        const ReadPlan& plan = plans[a];
        for (unsigned i = 0; i < SubBlockSize; i += L::Width)
        {
            const V f = L::load(plan.m_fraction + i);
            const V y_l = interpolate<L, Algorithm>(a_block.m_channels[0], plan.m_newest + i, f);
            const V y_r = interpolate<L, Algorithm>(a_block.m_channels[1], plan.m_newest + i, f);
            const V mono = L::add(L::mul(y_l, L::load(in_gains[a] + i)),
                                  L::mul(y_r, L::load(in_gains[a] + SubBlockSize + i)));
            accumulate<L>(mono, voice.m_output_gain + i, plan.m_out_gains + i, a_block.m_wet_l + i,
                          a_block.m_wet_r + i);
        }
    }
}

// Every voice writes its own mono input, panned from the stereo input, and reads it back.
template <class L, InterpolationAlgorithm Algorithm>
void eight_buffers(const VoiceBlock& a_block)
{
    using V = typename L::Vector;
    const V low = L::load_four(a_block.m_bounds);
    const V high = L::load_four(a_block.m_bounds + 4);
    alignas(32) float delay[SubBlockSize];
    alignas(32) float depth[SubBlockSize];
    alignas(32) float voice_input[SubBlockSize];
    ReadPlan plans[8];
    for (unsigned a = 0; a < a_block.m_active_voice_count; ++a)
    {
        const unsigned index = a_block.m_active_voices[a];
        const ChorusVoice& voice = a_block.m_voices[index];
        const float* gains =
            pan_gains<L>(a_block.m_pan_caches[index][0], voice.m_input_pan_law, voice.m_input_pan,
                         a_block.m_input_stereo, a_block.m_input_stereo_serial);
        for (unsigned i = 0; i < SubBlockSize; i += L::Width)
        {
            const V left = L::mul(L::load(a_block.m_staging_l + i), L::load(gains + i));
            const V right =
                L::mul(L::load(a_block.m_staging_r + i), L::load(gains + SubBlockSize + i));
            L::store(voice_input + i, L::mul(L::add(left, right), L::load(voice.m_input_gain + i)));
        }
        write_channel<L>(a_block.m_channels[index], a_block.m_write_indices, a_block.m_mask,
                         voice_input, a_block.m_count);
        plans[a].m_out_gains =
            pan_gains<L>(a_block.m_pan_caches[index][1], voice.m_output_pan_law, voice.m_output_pan,
                         a_block.m_output_stereo, a_block.m_output_stereo_serial);
        plan_reads<L>(a_block, voice, low, high, delay, depth, plans[a]);
    }
    for (unsigned a = 0; a < a_block.m_active_voice_count; ++a)
    {
        const unsigned index = a_block.m_active_voices[a];
        const ChorusVoice& voice = a_block.m_voices[index];
        const float* channel = a_block.m_channels[index];
        const ReadPlan& plan = plans[a];
        for (unsigned i = 0; i < SubBlockSize; i += L::Width)
        {
            const V mono =
                interpolate<L, Algorithm>(channel, plan.m_newest + i, L::load(plan.m_fraction + i));
            accumulate<L>(mono, voice.m_output_gain + i, plan.m_out_gains + i, a_block.m_wet_l + i,
                          a_block.m_wet_r + i);
        }
    }
}

// The whole table for one lane type.
template <class L>
constexpr KernelSet make_kernel_set(InstructionSet a_instruction_set)
{
    return KernelSet{
        a_instruction_set,
        {&pan_law_linear<L>, &pan_law_sin_cos_high<L>, &pan_law_sin_cos_low<L>,
         &pan_law_square_root<L>},
        {&transform_offset<L>, &transform_offset_scale<L>, &transform_scale<L>,
         &transform_scale_offset<L>},
        &compute_positions<L>,
        {&read<L, InterpolationAlgorithm_CUBIC>, &read<L, InterpolationAlgorithm_LINEAR>},
        {&two_buffers<L, InterpolationAlgorithm_CUBIC>,
         &two_buffers<L, InterpolationAlgorithm_LINEAR>},
        {&eight_buffers<L, InterpolationAlgorithm_CUBIC>,
         &eight_buffers<L, InterpolationAlgorithm_LINEAR>},
    };
}

} // namespace quorlinchorus::kernel_bodies
