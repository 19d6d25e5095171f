#include "tonvik/Modulation/ModulationSignal.h"

#include "tonvik/Modulation/ModificationType.h"

#include <emmintrin.h>

namespace Tonvik
{

namespace
{

inline void derive_lanes(__m128 a_up, float (&a_vectors)[4][16], unsigned a_lane)
{
    const __m128 centered = _mm_sub_ps(a_up, _mm_set1_ps(0.5f));
    _mm_store_ps(a_vectors[SignalVectorKind_DOWN] + a_lane, _mm_sub_ps(_mm_set1_ps(1.0f), a_up));
    _mm_store_ps(a_vectors[SignalVectorKind_CENTERED] + a_lane, centered);
    _mm_store_ps(a_vectors[SignalVectorKind_CENTERED_INVERTED] + a_lane,
                 _mm_xor_ps(centered, _mm_set1_ps(-0.0f)));
}

} // namespace

void ModulationSignal::derive()
{
    if (m_used_kinds == 1u << SignalVectorKind_UP)
        return;
    for (unsigned i = 0; i < 16; i += 4)
        derive_lanes(_mm_load_ps(m_vectors[SignalVectorKind_UP] + i), m_vectors, i);
}

void ModulationSignal::derive_from(const float* a_up)
{
    if (m_used_kinds == 1u << SignalVectorKind_UP)
    {
        for (unsigned i = 0; i < 16; i += 4)
            _mm_store_ps(m_vectors[SignalVectorKind_UP] + i, _mm_loadu_ps(a_up + i));
        return;
    }
    for (unsigned i = 0; i < 16; i += 4)
    {
        const __m128 up = _mm_loadu_ps(a_up + i);
        _mm_store_ps(m_vectors[SignalVectorKind_UP] + i, up);
        derive_lanes(up, m_vectors, i);
    }
}

} // namespace Tonvik
