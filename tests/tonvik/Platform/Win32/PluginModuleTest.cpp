#include "WideTestSupport.h"

#include <string>

#ifndef QUORLIN_PLUGIN_PATH
#error "QUORLIN_PLUGIN_PATH must name the plug-in DLL"
#endif

namespace
{

std::wstring plugin_path()
{
    const std::string path = QUORLIN_PLUGIN_PATH;
    return std::wstring(path.begin(), path.end());
}

} // namespace

// DllMain's attach must succeed, or no host can load the plug-in; its detach must let the DLL go.
// The DLL entry is the loader's, not an export.
TEST(PluginModuleTest, TheDllLoadsUnloadsAndExportsOnlyItsEntry)
{
    for (int round = 0; round < 2; ++round)
    {
        HMODULE module = LoadLibraryW(plugin_path().c_str());
        ASSERT_NE(module, nullptr) << "error " << GetLastError();
        EXPECT_TRUE(GetProcAddress(module, "VSTPluginMain") != nullptr);
        EXPECT_TRUE(GetProcAddress(module, "DllMain") == nullptr);
        EXPECT_TRUE(GetProcAddress(module, "main") == nullptr);
        EXPECT_TRUE(FreeLibrary(module));
        EXPECT_EQ(GetModuleHandleW(plugin_path().c_str()), nullptr);
    }
}
