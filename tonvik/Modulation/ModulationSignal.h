#pragma once

#include <cstdint>

namespace Tonvik
{

// One output of a modulator: its unipolar value u and the three vectors derived from it, one
// float per sample of a sub-block.
struct ModulationSignal
{
    // Fills down, centered and centered_inverted from up in one pass, once any of them is used.
    void derive();
    // Takes a_up as up and derives the rest in the same pass, once any of them is used.
    void derive_from(const float* a_up);
    const float* get_vector(uint32_t a_kind) const { return m_vectors[a_kind]; }
    // The vector an entry reads from now on: from then on it is kept up to date.
    const float* use_vector(uint32_t a_kind) const
    {
        m_used_kinds |= 1u << a_kind;
        return m_vectors[a_kind];
    }

    // up = u, down = 1 - u, centered = u - 0.5, centered_inverted = 0.5 - u.
    alignas(64) float m_vectors[4][16] = {};
    // The kinds entries have chosen, up always among them. It only grows, so it covers every
    // entry bound now. Entries choose when they commit on the audio thread or under the
    // processing lock, never while a sub-block runs. Most entries read up alone, and then
    // nothing needs deriving.
    mutable uint32_t m_used_kinds = 1u;
};

} // namespace Tonvik
