// The toolkit's application object lives exactly as long as the shared object is loaded, as the
// Windows DLL's does through DllMain.
#include "tonvik/Application/TheApplication.h"

#include <dlfcn.h>

namespace
{

// The shared object's base address stands for the module handle that Windows passes; null when
// the loader cannot tell.
void* own_module()
{
    Dl_info info = {};
    if (dladdr(reinterpret_cast<void*>(&own_module), &info) == 0)
        return nullptr;
    return info.dli_fbase;
}

__attribute__((constructor)) void on_load() noexcept
{
    // An exception out of a loader callback would end the host's process.
    try
    {
        Tonvik::TheApplication::create(own_module());
    }
    catch (...)
    {
    }
}

__attribute__((destructor)) void on_unload() noexcept
{
    Tonvik::TheApplication::destroy();
}

} // namespace
