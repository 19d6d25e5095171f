#include "tonvik/Modulation/Kernels/ModulationKernels.h"

#include "tonvik/Modulation/BoundsState.h"
#include "tonvik/Modulation/ModificationType.h"

#include <array>
#include <emmintrin.h>

namespace Tonvik
{

namespace
{

// Every kernel is one formula applied to four groups of four lanes; the formula is inlined.
template <typename Formula>
void run_kernel(const float* a_p, const float* a_a, const float* a_r, const float* a_m,
                float* a_out)
{
    for (unsigned i = 0; i < 16; i += 4)
    {
        const __m128 p = _mm_load_ps(a_p + i);
        const __m128 a = _mm_load_ps(a_a + i);
        const __m128 r = _mm_load_ps(a_r + i);
        const __m128 m = _mm_load_ps(a_m + i);
        _mm_store_ps(a_out + i, Formula::apply(p, a, r, m));
    }
}

// Four lanes of a finishing kernel: the formula's result, and the same clamped on the sides State
// leaves open as the target's value.
template <typename Formula, uint32_t State>
inline void finish_lanes(const float* a_p, const float* a_a, float* a_out, float* a_final,
                         __m128 a_r, __m128 a_m)
{
    __m128 v = Formula::apply(_mm_load_ps(a_p), _mm_load_ps(a_a), a_r, a_m);
    _mm_store_ps(a_out, v);
    if constexpr (!(State & BoundsBit_NOT_BELOW_ZERO))
        v = _mm_max_ps(v, _mm_setzero_ps());
    if constexpr (!(State & BoundsBit_NOT_ABOVE_ONE))
        v = _mm_min_ps(v, _mm_set1_ps(1.0f));
    _mm_store_ps(a_final, v);
}

// The entries share R and M, which stay in registers.
template <typename Formula, uint32_t State>
void run_finishing_kernel(const FinishingEntry* a_entries, uint32_t a_count, const float* a_r,
                          const float* a_m)
{
    const __m128 r0 = _mm_load_ps(a_r), r1 = _mm_load_ps(a_r + 4);
    const __m128 r2 = _mm_load_ps(a_r + 8), r3 = _mm_load_ps(a_r + 12);
    const __m128 m0 = _mm_load_ps(a_m), m1 = _mm_load_ps(a_m + 4);
    const __m128 m2 = _mm_load_ps(a_m + 8), m3 = _mm_load_ps(a_m + 12);
    for (uint32_t entry = 0; entry < a_count; ++entry)
    {
        // The pointers are read once: a vector store may alias anything, so the compiler would
        // otherwise read them again after every store.
        const float* p = a_entries[entry].m_p;
        const float* a = a_entries[entry].m_a;
        float* out = a_entries[entry].m_out;
        float* final_value = a_entries[entry].m_final;
        finish_lanes<Formula, State>(p, a, out, final_value, r0, m0);
        finish_lanes<Formula, State>(p + 4, a + 4, out + 4, final_value + 4, r1, m1);
        finish_lanes<Formula, State>(p + 8, a + 8, out + 8, final_value + 8, r2, m2);
        finish_lanes<Formula, State>(p + 12, a + 12, out + 12, final_value + 12, r3, m3);
    }
}

#define BEX_MODULATION_FORMULA(name, body)                                                         \
    struct name                                                                                    \
    {                                                                                              \
        static __m128 apply(__m128 p, __m128 a, __m128 r, __m128 m) { body }                       \
    };

inline __m128 one()
{
    return _mm_set1_ps(1.0f);
}

inline __m128 two()
{
    return _mm_set1_ps(2.0f);
}

// S of the asymmetric modes: the room above for a rising signal, below otherwise.
inline __m128 asymmetric_room(__m128 p, __m128 r)
{
    const __m128 rising = _mm_cmpgt_ps(r, _mm_setzero_ps());
    return _mm_or_ps(_mm_and_ps(rising, _mm_sub_ps(one(), p)), _mm_andnot_ps(rising, p));
}

inline __m128 room_around(__m128 p)
{
    return _mm_min_ps(_mm_mul_ps(two(), p), _mm_sub_ps(two(), _mm_mul_ps(two(), p)));
}

BEX_MODULATION_FORMULA(formula_above, return _mm_add_ps(p, _mm_mul_ps(_mm_mul_ps(a, m), r));)
BEX_MODULATION_FORMULA(formula_above_clip_top,
                       return _mm_min_ps(_mm_add_ps(p, _mm_mul_ps(_mm_mul_ps(a, m), r)), one());)
BEX_MODULATION_FORMULA(
    formula_above_restrict_top,
    return _mm_add_ps(p, _mm_mul_ps(_mm_min_ps(_mm_sub_ps(one(), p), _mm_mul_ps(a, m)), r));)
BEX_MODULATION_FORMULA(
    formula_above_scale_top,
    return _mm_sub_ps(p, _mm_mul_ps(_mm_mul_ps(_mm_mul_ps(_mm_sub_ps(p, one()), a), m), r));)
BEX_MODULATION_FORMULA(formula_around_clip,
                       return _mm_min_ps(_mm_max_ps(_mm_add_ps(p, _mm_mul_ps(_mm_mul_ps(a, m), r)),
                                                    _mm_setzero_ps()),
                                         one());)
BEX_MODULATION_FORMULA(formula_around_restrict,
                       return _mm_add_ps(p, _mm_mul_ps(_mm_min_ps(room_around(p), _mm_mul_ps(a, m)),
                                                       r));)
BEX_MODULATION_FORMULA(formula_around_scale,
                       return _mm_add_ps(p, _mm_mul_ps(_mm_mul_ps(_mm_mul_ps(room_around(p), a), m),
                                                       r));)
BEX_MODULATION_FORMULA(
    formula_asymmetric_restrict,
    return _mm_add_ps(
        p, _mm_mul_ps(_mm_mul_ps(two(), _mm_min_ps(_mm_mul_ps(a, m), asymmetric_room(p, r))), r));)
BEX_MODULATION_FORMULA(
    formula_asymmetric_scale,
    return _mm_add_ps(
        p, _mm_mul_ps(_mm_mul_ps(_mm_mul_ps(_mm_mul_ps(two(), asymmetric_room(p, r)), a), m), r));)
BEX_MODULATION_FORMULA(formula_below, return _mm_sub_ps(p, _mm_mul_ps(_mm_mul_ps(a, m), r));)
BEX_MODULATION_FORMULA(formula_below_clip_bottom,
                       return _mm_max_ps(_mm_sub_ps(p, _mm_mul_ps(_mm_mul_ps(a, m), r)),
                                         _mm_setzero_ps());)
BEX_MODULATION_FORMULA(formula_below_restrict_bottom,
                       return _mm_sub_ps(p, _mm_mul_ps(_mm_min_ps(_mm_mul_ps(a, m), p), r));)
BEX_MODULATION_FORMULA(formula_below_scale_bottom,
                       return _mm_sub_ps(p, _mm_mul_ps(_mm_mul_ps(_mm_mul_ps(p, a), m), r));)
BEX_MODULATION_FORMULA(formula_between_range_and_parameter,
                       return _mm_add_ps(a, _mm_mul_ps(_mm_mul_ps(_mm_sub_ps(p, a), r), m));)
BEX_MODULATION_FORMULA(formula_between_parameter_and_range,
                       return _mm_add_ps(p, _mm_mul_ps(_mm_mul_ps(_mm_sub_ps(a, p), r), m));)

#undef BEX_MODULATION_FORMULA

// The scalar forms. min and max follow the 4-lane instructions: the second operand wins unless
// the first is strictly smaller (larger).
inline float ref_min(float a_x, float a_y)
{
    return a_x < a_y ? a_x : a_y;
}

inline float ref_max(float a_x, float a_y)
{
    return a_x > a_y ? a_x : a_y;
}

inline float ref_room(float p, float r)
{
    return r > 0.0f ? 1.0f - p : p;
}

#define BEX_REFERENCE_KERNEL(name, body)                                                           \
    void name(const float* a_p, const float* a_a, const float* a_r, const float* a_m,              \
              float* a_out)                                                                        \
    {                                                                                              \
        for (unsigned i = 0; i < 16; ++i)                                                          \
        {                                                                                          \
            const float p = a_p[i], a = a_a[i], r = a_r[i], m = a_m[i];                            \
            a_out[i] = body;                                                                       \
        }                                                                                          \
    }

BEX_REFERENCE_KERNEL(reference_above, p + a * m * r)
BEX_REFERENCE_KERNEL(reference_above_clip_top, ref_min(p + a * m * r, 1.0f))
BEX_REFERENCE_KERNEL(reference_above_restrict_top, p + ref_min(1.0f - p, a* m) * r)
BEX_REFERENCE_KERNEL(reference_above_scale_top, p - (p - 1.0f) * a * m * r)
BEX_REFERENCE_KERNEL(reference_around_clip, ref_min(ref_max(p + a * m * r, 0.0f), 1.0f))
BEX_REFERENCE_KERNEL(reference_around_restrict,
                     p + ref_min(ref_min(2.0f * p, 2.0f - 2.0f * p), a* m) * r)
BEX_REFERENCE_KERNEL(reference_around_scale, p + ref_min(2.0f * p, 2.0f - 2.0f * p) * a * m * r)
BEX_REFERENCE_KERNEL(reference_asymmetric_restrict, p + 2.0f * ref_min(a * m, ref_room(p, r)) * r)
BEX_REFERENCE_KERNEL(reference_asymmetric_scale, p + 2.0f * ref_room(p, r) * a * m * r)
BEX_REFERENCE_KERNEL(reference_below, p - a * m * r)
BEX_REFERENCE_KERNEL(reference_below_clip_bottom, ref_max(p - a * m * r, 0.0f))
BEX_REFERENCE_KERNEL(reference_below_restrict_bottom, p - ref_min(a * m, p) * r)
BEX_REFERENCE_KERNEL(reference_below_scale_bottom, p - p * a * m * r)
BEX_REFERENCE_KERNEL(reference_between_range_and_parameter, a + (p - a) * r * m)
BEX_REFERENCE_KERNEL(reference_between_parameter_and_range, p + (a - p) * r * m)

#undef BEX_REFERENCE_KERNEL

// Indexed by modification type; "Around" shares the formula of "Above".
const ModulationKernel g_kernels[ModificationType_ENUM_SIZE] = {
    nullptr,
    &run_kernel<formula_above>,
    &run_kernel<formula_above_clip_top>,
    &run_kernel<formula_above_restrict_top>,
    &run_kernel<formula_above_scale_top>,
    &run_kernel<formula_above>,
    &run_kernel<formula_around_clip>,
    &run_kernel<formula_around_restrict>,
    &run_kernel<formula_around_scale>,
    &run_kernel<formula_asymmetric_restrict>,
    &run_kernel<formula_asymmetric_scale>,
    &run_kernel<formula_below>,
    &run_kernel<formula_below_clip_bottom>,
    &run_kernel<formula_below_restrict_bottom>,
    &run_kernel<formula_below_scale_bottom>,
    &run_kernel<formula_between_range_and_parameter>,
    &run_kernel<formula_between_parameter_and_range>,
};

using FinishingRow = std::array<FinishingModulationKernel, 4>;

template <typename Formula>
constexpr FinishingRow finishing_row()
{
    return {&run_finishing_kernel<Formula, 0>, &run_finishing_kernel<Formula, 1>,
            &run_finishing_kernel<Formula, 2>, &run_finishing_kernel<Formula, 3>};
}

// Indexed by modification type and bounds state.
const FinishingRow g_finishing_kernels[ModificationType_ENUM_SIZE] = {
    FinishingRow{},
    finishing_row<formula_above>(),
    finishing_row<formula_above_clip_top>(),
    finishing_row<formula_above_restrict_top>(),
    finishing_row<formula_above_scale_top>(),
    finishing_row<formula_above>(),
    finishing_row<formula_around_clip>(),
    finishing_row<formula_around_restrict>(),
    finishing_row<formula_around_scale>(),
    finishing_row<formula_asymmetric_restrict>(),
    finishing_row<formula_asymmetric_scale>(),
    finishing_row<formula_below>(),
    finishing_row<formula_below_clip_bottom>(),
    finishing_row<formula_below_restrict_bottom>(),
    finishing_row<formula_below_scale_bottom>(),
    finishing_row<formula_between_range_and_parameter>(),
    finishing_row<formula_between_parameter_and_range>(),
};

const ModulationKernel g_reference_kernels[ModificationType_ENUM_SIZE] = {
    nullptr,
    &reference_above,
    &reference_above_clip_top,
    &reference_above_restrict_top,
    &reference_above_scale_top,
    &reference_above,
    &reference_around_clip,
    &reference_around_restrict,
    &reference_around_scale,
    &reference_asymmetric_restrict,
    &reference_asymmetric_scale,
    &reference_below,
    &reference_below_clip_bottom,
    &reference_below_restrict_bottom,
    &reference_below_scale_bottom,
    &reference_between_range_and_parameter,
    &reference_between_parameter_and_range,
};

} // namespace

ModulationKernel get_modulation_kernel(uint32_t a_type)
{
    return a_type < ModificationType_ENUM_SIZE ? g_kernels[a_type] : nullptr;
}

FinishingModulationKernel get_finishing_modulation_kernel(uint32_t a_type, uint32_t a_bounds_state)
{
    if (a_type >= ModificationType_ENUM_SIZE || a_bounds_state > BoundsState_IN_RANGE)
        return nullptr;
    return g_finishing_kernels[a_type][a_bounds_state];
}

ModulationKernel get_reference_modulation_kernel(uint32_t a_type)
{
    return a_type < ModificationType_ENUM_SIZE ? g_reference_kernels[a_type] : nullptr;
}

} // namespace Tonvik
