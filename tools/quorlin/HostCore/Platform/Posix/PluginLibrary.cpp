#include "tools/quorlin/HostCore/PluginLibrary.h"

#include "bex/Core/Exception.h"
#include "bex/Core/FormatMessage.h"

#include <dlfcn.h>

namespace quorlin
{

namespace
{

class PosixPluginLibrary : public PluginLibrary
{
public:
    PosixPluginLibrary(void* a_handle, PluginEntry a_entry) : m_handle(a_handle), m_entry(a_entry)
    {
    }
    ~PosixPluginLibrary() override { dlclose(m_handle); }
    PluginEntry get_entry() const override { return m_entry; }

private:
    void* m_handle;
    PluginEntry m_entry;
};

[[noreturn]] void fail(const std::string& a_path, const char* a_reason)
{
    throw Bex::Exception(Bex::format_message(
        u"Cannot load plug-in \"@1\": @2",
        {Bex::String::from_utf8(a_path), Bex::String::from_utf8(a_reason ? a_reason : "")}));
}

} // namespace

std::unique_ptr<PluginLibrary> PluginLibrary::open(const std::string& a_path)
{
    // A bare file name would make dlopen search the library path instead of the named file.
    const std::string path = a_path.find('/') == std::string::npos ? "./" + a_path : a_path;
    // Kept mapped after dlclose, as many hosts keep plug-ins: the libraries a plug-in brings in
    // (GLib's type system under Pango, say) allocate when they load and cannot be unloaded
    // cleanly; unmapped, their memory would look leaked.
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (!handle)
        fail(a_path, dlerror());
    void* symbol = dlsym(handle, "VSTPluginMain");
    if (!symbol)
        symbol = dlsym(handle, "main");
    if (!symbol)
    {
        dlclose(handle);
        fail(a_path, "no VSTPluginMain entry point");
    }
    return std::make_unique<PosixPluginLibrary>(handle, reinterpret_cast<PluginEntry>(symbol));
}

} // namespace quorlin
