#pragma once

#include "tonvik/Modulation/Modulatee.h"

#include <cstdint>

namespace Tonvik
{

class FloatParameter;

// What a chain is known to respect: bit 0 = not below 0, bit 1 = not above 1.
enum BoundsBit : uint32_t
{
    BoundsBit_NOT_BELOW_ZERO = 1,
    BoundsBit_NOT_ABOVE_ONE = 2,
    BoundsState_IN_RANGE = 3,
};

// What one entry of a modification type does to the state: (state | set) & ~clear.
struct BoundsMasks
{
    uint32_t m_set = 0;
    uint32_t m_clear = 0;
};

BoundsMasks get_bounds_masks(uint32_t a_modification_type);

// The device's table of final functions, indexed by the bounds state and two properties of the
// target: whether its normalized value must be converted (denormalized and put through its unit
// conversion) for the audio code, and whether it has an output at all.
FinalBoundsFunction get_final_bounds_function(uint32_t a_state, bool a_converts, bool a_has_output);
// Picks the entry of the table for a float parameter's definition.
FinalBoundsFunction select_final_bounds_function(FloatParameter* a_parameter, uint32_t a_state);
// The output a final function would only clamp into: that of a parameter that has one and needs
// no conversion; null otherwise.
float* get_unconverted_output(FloatParameter* a_parameter);

} // namespace Tonvik
