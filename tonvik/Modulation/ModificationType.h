#pragma once

#include <cstdint>

namespace Tonvik
{

// What an entry's "Location" selects. The kernels switch on these values; the options of the
// choice carry other, equally fixed ids.
enum ModificationType : uint32_t
{
    ModificationType_ABOVE = 1,
    ModificationType_ABOVE_CLIP_TOP = 2,
    ModificationType_ABOVE_RESTRICT_TOP = 3,
    ModificationType_ABOVE_SCALE_TOP = 4,
    ModificationType_AROUND = 5,
    ModificationType_AROUND_CLIP = 6,
    ModificationType_AROUND_RESTRICT = 7,
    ModificationType_AROUND_SCALE = 8,
    ModificationType_ASYMMETRIC_RESTRICT = 9,
    ModificationType_ASYMMETRIC_SCALE = 10,
    ModificationType_BELOW = 11,
    ModificationType_BELOW_CLIP_BOTTOM = 12,
    ModificationType_BELOW_RESTRICT_BOTTOM = 13,
    ModificationType_BELOW_SCALE_BOTTOM = 14,
    ModificationType_BETWEEN_RANGE_AND_PARAMETER = 15,
    ModificationType_BETWEEN_PARAMETER_AND_RANGE = 16,
    ModificationType_ENUM_SIZE = 17,
};

// Which of a signal's four vectors a type reads when not flipped.
enum SignalVectorKind : uint32_t
{
    SignalVectorKind_UP = 0,
    SignalVectorKind_DOWN = 1,
    SignalVectorKind_CENTERED = 2,
    SignalVectorKind_CENTERED_INVERTED = 3,
};

// Asserts a valid type; a_flip is the modulator's inversion flag XOR the entry's "Invert".
uint32_t get_signal_vector_kind(uint32_t a_type, bool a_flip);

} // namespace Tonvik
