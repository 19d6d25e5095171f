#pragma once

#include "bex/Core/Exception.h"

// An internal check that stays on in release builds. A failure throws Bex::Exception whose message
// is the condition's own text, so reports name the broken invariant exactly.
#define BEX_ASSERT(a_condition)                                                                    \
    do                                                                                             \
    {                                                                                              \
        if (!(a_condition))                                                                        \
            ::Bex::throw_assertion(#a_condition, __FILE__, __PRETTY_FUNCTION__, __LINE__);         \
    } while (false)

namespace Bex
{

[[noreturn]] void throw_assertion(const char* a_condition, const char* a_file,
                                  const char* a_function, unsigned a_line);

} // namespace Bex
