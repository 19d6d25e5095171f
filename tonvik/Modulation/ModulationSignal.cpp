#include "tonvik/Modulation/ModulationSignal.h"

#include "tonvik/Modulation/ModificationType.h"

#include <emmintrin.h>

namespace Tonvik
{

void ModulationSignal::derive()
{
    const __m128 one = _mm_set1_ps(1.0f);
    const __m128 half = _mm_set1_ps(0.5f);
    const __m128 sign = _mm_set1_ps(-0.0f);
    for (unsigned i = 0; i < 16; i += 4)
    {
        const __m128 up = _mm_load_ps(m_vectors[SignalVectorKind_UP] + i);
        const __m128 centered = _mm_sub_ps(up, half);
        _mm_store_ps(m_vectors[SignalVectorKind_DOWN] + i, _mm_sub_ps(one, up));
        _mm_store_ps(m_vectors[SignalVectorKind_CENTERED] + i, centered);
        _mm_store_ps(m_vectors[SignalVectorKind_CENTERED_INVERTED] + i, _mm_xor_ps(centered, sign));
    }
}

} // namespace Tonvik
