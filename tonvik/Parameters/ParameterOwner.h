#pragma once

#include "bex/Core/String.h"

#include <cstdint>

namespace Tonvik
{

enum ParameterOwnerKind : uint32_t
{
    ParameterOwnerKind_DEVICE = 0,
    ParameterOwnerKind_MODULATOR_ENTRY = 1,
    ParameterOwnerKind_MODULATOR = 2,
};

// The device, each modulator and each modulator entry own parameters. The two hooks let a
// parameter find its modulator and build its full name without knowing the modulation classes.
class ParameterOwner
{
public:
    explicit ParameterOwner(uint32_t a_owner_kind) : m_owner_kind(a_owner_kind) {}
    virtual ~ParameterOwner() {}

    // The modulator this owner belongs to: itself for a modulator, its modulator for an entry.
    virtual ParameterOwner* get_modulator_owner() { return nullptr; }
    // Put before a parameter's name in its full name: "<modulator>/" or "<modulator>/E<n>/".
    virtual void append_name_prefix(Bex::String&) const {}

    uint32_t m_owner_kind;
};

} // namespace Tonvik
