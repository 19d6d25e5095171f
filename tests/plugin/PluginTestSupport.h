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

// The temporary folder that stands in for the user's data folder during the tests.
const std::string& data_folder();

} // namespace plugin_test
