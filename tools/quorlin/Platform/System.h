#pragma once

#include <string>

namespace quorlin
{

// Whether standard error is an interactive terminal (the progress bar shows only there).
bool stderr_is_terminal();

// The folder holding the running executable, where the plug-in is looked for by default.
std::string get_executable_folder();

} // namespace quorlin
