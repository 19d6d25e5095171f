#pragma once

#include "bex/Core/String.h"
#include "bex/Streams/OutputStream.h"

#include <functional>

namespace Bex
{

// Writes a whole file so that it is never seen half written: a_write fills a temporary file beside
// a_path, which then replaces a_path in one step. On any failure the temporary file is removed,
// a_path stays as it was, and the error is rethrown. A temporary file that cannot be created is
// reported as "Cannot open file" naming a_path, the only name the user knows.
void write_file_atomically(const String& a_path, const std::function<void(OutputStream&)>& a_write);

} // namespace Bex
