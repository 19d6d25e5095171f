#include "tests/plugin/PluginTestSupport.h"

namespace plugin_test
{

// The folders come from the shell's known folders, which a process cannot move; the tests run in
// a Wine prefix of the build folder's own, so its AppData belongs to the tests alone.
void redirect_data_folders(const std::string&) {}

} // namespace plugin_test
