#pragma once

#include "tools/quorlin/BiniJson/RawBini.h"

#include <string>

namespace quorlin
{

// A readable listing of a Bini file: the preamble, the header, then one line per node with its
// id, type and value, children indented below their parent in file order. Arrays longer than
// a_max_elements show their first elements and how many follow.
std::string dump_bini(const RawBiniFile& a_file, size_t a_max_elements = 16);

} // namespace quorlin
