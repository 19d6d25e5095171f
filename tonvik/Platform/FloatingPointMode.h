#pragma once

#include <cstdint>

namespace Tonvik
{

// Flush-to-zero and denormals-are-zero for as long as the object lives; the caller's mode comes
// back afterwards. Denormal samples in feedback paths would otherwise slow the audio thread down
// by orders of magnitude. Does nothing on processors without these modes.
class DenormalsOff
{
public:
    DenormalsOff();
    ~DenormalsOff();
    DenormalsOff(const DenormalsOff&) = delete;
    DenormalsOff& operator=(const DenormalsOff&) = delete;

private:
    uint32_t m_saved;
};

// Whether both modes are on for the calling thread.
bool are_denormals_off();

} // namespace Tonvik
