#pragma once

#include "bex/Core/String.h"

#include <cstdint>

namespace Tonvik
{

class Parameter;

// A target that modulation entries can aim at. Float parameters are the targets of this system;
// the run-time chain of entries is kept by the modulation side.
class Modulatee
{
public:
    // Parameters assert in their destructor, so the targets' destructors may throw too.
    virtual ~Modulatee() noexcept(false) {}

    // Null for a target that is not a parameter.
    virtual Parameter* get_modulatee_parameter() = 0;
    virtual bool is_modulatable() const = 0;
    // The value a normalized position stands for, as the editor shows it.
    virtual Bex::String get_value_text(float a_normalized) const = 0;
    // A modulation amount; a_sign_style -1, 0, +1 selects the prefix (down, both ways, up).
    virtual Bex::String get_amount_text(float a_amount, int a_sign_style) const = 0;
    // The target's definition changed: recommit, rebuild what depends on it, refresh editors.
    virtual void on_definition_changed() = 0;

    // Handed over from the variation in use whenever one is adopted.
    uint32_t m_modulation_word = 1;
};

} // namespace Tonvik
