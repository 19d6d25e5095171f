#include "tonvik/Modulation/BoundsState.h"

#include "bex/Core/Assert.h"
#include "tonvik/Devices/Device.h"
#include "tonvik/Modulation/ModificationType.h"
#include "tonvik/ParameterTypes/FloatParameter.h"

#include <cmath>
#include <emmintrin.h>

namespace Tonvik
{

namespace
{

// Clamps only the sides whose bit is clear, so a chain known to stay in range is only copied.
template <uint32_t State>
inline void clamp_lanes(const float* a_value, float* a_out)
{
    for (unsigned i = 0; i < 16; i += 4)
    {
        __m128 v = _mm_load_ps(a_value + i);
        if constexpr (!(State & BoundsBit_NOT_BELOW_ZERO))
            v = _mm_max_ps(v, _mm_setzero_ps());
        if constexpr (!(State & BoundsBit_NOT_ABOVE_ONE))
            v = _mm_min_ps(v, _mm_set1_ps(1.0f));
        _mm_store_ps(a_out + i, v);
    }
}

template <uint32_t State, bool Converts, bool HasOutput>
void finish_target(Modulatee* a_target, const float* a_value)
{
    if constexpr (!HasOutput)
        return;
    FloatParameter* parameter = static_cast<FloatParameter*>(a_target);
    if constexpr (!Converts)
    {
        clamp_lanes<State>(a_value, parameter->m_output);
    }
    else
    {
        alignas(16) float normalized[16];
        clamp_lanes<State>(a_value, normalized);
        const float rate = parameter->m_device ? parameter->m_device->get_sample_rate() : 1000.0f;
        const UnitConversionFunction to_internal = parameter->m_to_internal;
        float* output = parameter->m_output;
        if (parameter->m_exponential)
        {
            for (unsigned i = 0; i < 16; ++i)
                output[i] =
                    to_internal(powf(parameter->m_ratio, normalized[i]) * parameter->m_start, rate);
        }
        else
        {
            for (unsigned i = 0; i < 16; ++i)
                output[i] =
                    to_internal(parameter->m_span * normalized[i] + parameter->m_start, rate);
        }
    }
}

template <uint32_t State>
constexpr FinalBoundsFunction g_row[2][2] = {
    {&finish_target<State, false, false>, &finish_target<State, false, true>},
    {&finish_target<State, true, false>, &finish_target<State, true, true>},
};

const FinalBoundsFunction (*const g_final_functions[4])[2] = {g_row<0>, g_row<1>, g_row<2>,
                                                              g_row<3>};

} // namespace

BoundsMasks get_bounds_masks(uint32_t a_modification_type)
{
    switch (a_modification_type)
    {
    case ModificationType_ABOVE:
        return {0, 2};
    case ModificationType_ABOVE_CLIP_TOP:
        return {2, 0};
    case ModificationType_AROUND:
        return {0, 3};
    case ModificationType_AROUND_CLIP:
        return {3, 0};
    case ModificationType_BELOW:
        return {0, 1};
    case ModificationType_BELOW_CLIP_BOTTOM:
        return {1, 0};
    default:
        return {0, 0};
    }
}

FinalBoundsFunction get_final_bounds_function(uint32_t a_state, bool a_converts, bool a_has_output)
{
    BEX_ASSERT(a_state < 4);
    return g_final_functions[a_state][a_converts][a_has_output];
}

namespace
{

// A 0..1 identity parameter reads its normalized value as it is.
bool converts(const FloatParameter* a_parameter)
{
    return !(a_parameter->m_start == 0.0f && a_parameter->m_end == 1.0f &&
             !a_parameter->m_exponential &&
             a_parameter->m_to_internal == get_identity_conversion_function());
}

bool has_output(const FloatParameter* a_parameter)
{
    return a_parameter->m_output && a_parameter->m_vector_size == 16;
}

} // namespace

FinalBoundsFunction select_final_bounds_function(FloatParameter* a_parameter, uint32_t a_state)
{
    return get_final_bounds_function(a_state, converts(a_parameter), has_output(a_parameter));
}

float* get_unconverted_output(FloatParameter* a_parameter)
{
    return has_output(a_parameter) && !converts(a_parameter) ? a_parameter->m_output : nullptr;
}

uint32_t get_signal_vector_kind(uint32_t a_type, bool a_flip)
{
    BEX_ASSERT(a_type >= ModificationType_ABOVE && a_type < ModificationType_ENUM_SIZE);
    if (a_type >= ModificationType_BELOW && a_type <= ModificationType_BELOW_SCALE_BOTTOM)
        return a_flip ? SignalVectorKind_UP : SignalVectorKind_DOWN;
    if (a_type >= ModificationType_AROUND && a_type <= ModificationType_ASYMMETRIC_SCALE)
        return a_flip ? SignalVectorKind_CENTERED_INVERTED : SignalVectorKind_CENTERED;
    return a_flip ? SignalVectorKind_DOWN : SignalVectorKind_UP;
}

} // namespace Tonvik
