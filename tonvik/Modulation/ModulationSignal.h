#pragma once

#include <cstdint>

namespace Tonvik
{

// One output of a modulator: its unipolar value u and the three vectors derived from it, one
// float per sample of a sub-block.
struct ModulationSignal
{
    // Fills down, centered and centered_inverted from up in one pass.
    void derive();
    // Takes a_up as up and derives the rest in the same pass.
    void derive_from(const float* a_up);
    const float* get_vector(uint32_t a_kind) const { return m_vectors[a_kind]; }

    // up = u, down = 1 - u, centered = u - 0.5, centered_inverted = 0.5 - u.
    alignas(64) float m_vectors[4][16] = {};
};

} // namespace Tonvik
