#pragma once

#include <string>

namespace plugin_test
{

#ifdef QUORLIN_PLUGIN_PATH
// Where the tests find the built plug-in.
inline std::string plugin_path()
{
    return QUORLIN_PLUGIN_PATH;
}
#endif

// Points the plug-in's user and shared data folders below a_base, so that the settings and
// presets of the person running the tests are never read or written.
void redirect_data_folders(const std::string& a_base);

} // namespace plugin_test
