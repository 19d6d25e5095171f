#include "tests/plugin/PluginTestSupport.h"

#include <cstdlib>
#include <filesystem>

namespace plugin_test
{

void redirect_data_folders(const std::string& a_base)
{
    const std::filesystem::path base(a_base);
    std::filesystem::create_directories(base / "home");
    setenv("XDG_DATA_HOME", (base / "data").c_str(), 1);
    setenv("HOME", (base / "home").c_str(), 1);
}

} // namespace plugin_test
