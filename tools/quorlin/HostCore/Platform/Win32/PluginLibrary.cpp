#include "tools/quorlin/HostCore/PluginLibrary.h"

#include "bex/Core/Exception.h"
#include "bex/Core/FormatMessage.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace quorlin
{

namespace
{

class Win32PluginLibrary : public PluginLibrary
{
public:
    Win32PluginLibrary(HMODULE a_module, PluginEntry a_entry) : m_module(a_module), m_entry(a_entry)
    {
    }
    ~Win32PluginLibrary() override { FreeLibrary(m_module); }
    PluginEntry get_entry() const override { return m_entry; }

private:
    HMODULE m_module;
    PluginEntry m_entry;
};

[[noreturn]] void fail(const std::string& a_path, const Bex::String& a_reason)
{
    throw Bex::Exception(Bex::format_message(u"Cannot load plug-in \"@1\": @2",
                                             {Bex::String::from_utf8(a_path), a_reason}));
}

Bex::String error_text(DWORD a_error)
{
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, a_error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    Bex::String text;
    if (length && buffer)
        text.assign(reinterpret_cast<const char16_t*>(buffer), length);
    if (buffer)
        LocalFree(buffer);
    while (!text.empty() && (text.back() == u'\n' || text.back() == u'\r' || text.back() == u' '))
        text.pop_back();
    return text.empty() ? Bex::String::from_ascii("error ") + Bex::String::from_number(a_error)
                        : text;
}

} // namespace

std::unique_ptr<PluginLibrary> PluginLibrary::open(const std::string& a_path)
{
    const Bex::String path = Bex::String::from_utf8(a_path);
    const std::wstring wide(path.begin(), path.end());
    // Without a folder in the name LoadLibraryW would search the system's folders too.
    const bool has_folder = wide.find_first_of(L"\\/") != std::wstring::npos;
    const HMODULE module = LoadLibraryW((has_folder ? wide : L".\\" + wide).c_str());
    if (!module)
        fail(a_path, error_text(GetLastError()));
    FARPROC symbol = GetProcAddress(module, "VSTPluginMain");
    if (!symbol)
    {
        FreeLibrary(module);
        fail(a_path, Bex::String::from_ascii("no VSTPluginMain entry point"));
    }
    return std::make_unique<Win32PluginLibrary>(module, reinterpret_cast<PluginEntry>(symbol));
}

} // namespace quorlin
