#pragma once

#include "bex/Core/String.h"

namespace Tonvik
{

// The file operations that a safe save needs beyond bex's file system layer. Paths are given the
// way portable code builds them (pieces separated by "\" or "/"); each platform converts them.

// Makes the finished file a_from durable, then puts it in the place of a_to in one step, replacing
// a file already there. A failure throws OperationFailedException carrying the system's error text
// and leaves a_to as it was.
void replace_file(const Bex::String& a_from, const Bex::String& a_to);

// Removes a file; false when it could not be removed (also when it did not exist).
bool remove_file(const Bex::String& a_path);

} // namespace Tonvik
