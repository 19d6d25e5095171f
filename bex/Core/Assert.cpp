#include "bex/Core/Assert.h"

namespace Bex
{

void throw_assertion(const char* a_condition, const char* a_file, const char* a_function,
                     unsigned a_line)
{
    throw Exception(String::from_ascii(a_condition), a_file, a_function, a_line);
}

} // namespace Bex
