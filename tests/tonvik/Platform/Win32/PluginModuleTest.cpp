#include "WideTestSupport.h"

#include <string>

#ifndef QUORLIN_PLUGIN_DLL
#error "QUORLIN_PLUGIN_DLL must name the plug-in DLL"
#endif

namespace
{

// The build names the DLL by its Linux path; Wine shows the Linux root as drive Z:.
std::wstring plugin_path()
{
    const std::string path = QUORLIN_PLUGIN_DLL;
    std::wstring wide = L"Z:";
    for (char c : path)
        wide += c == '/' ? L'\\' : wchar_t(static_cast<unsigned char>(c));
    return wide;
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
