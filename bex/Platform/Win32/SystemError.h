#pragma once

#include "bex/Core/Exception.h"

#include <cstdint>

namespace Bex
{

// The system's text for a GetLastError() code, followed by ": " and the path the call was about.
// The text travels as the inner exception of an OperationFailedException.
OperationFailedException win32_error(uint32_t a_error, const String& a_path);

} // namespace Bex
