#include "tonvik/Platform/FloatingPointMode.h"

#if defined(__SSE__) || defined(_M_X64)
#include <pmmintrin.h>
#include <xmmintrin.h>
#define TONVIK_HAS_MXCSR 1
#endif

namespace Tonvik
{

#ifdef TONVIK_HAS_MXCSR

namespace
{

constexpr uint32_t g_denormal_bits = _MM_FLUSH_ZERO_ON | _MM_DENORMALS_ZERO_ON;

} // namespace

DenormalsOff::DenormalsOff() : m_saved(_mm_getcsr())
{
    _mm_setcsr(m_saved | g_denormal_bits);
}

DenormalsOff::~DenormalsOff()
{
    _mm_setcsr(m_saved);
}

bool are_denormals_off()
{
    return (_mm_getcsr() & g_denormal_bits) == g_denormal_bits;
}

#else

DenormalsOff::DenormalsOff() : m_saved(0) {}

DenormalsOff::~DenormalsOff() {}

bool are_denormals_off()
{
    return false;
}

#endif

} // namespace Tonvik
