// The toolkit's application object lives exactly as long as the DLL is loaded in the process.
#include "tonvik/Application/TheApplication.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

// Not marked for export: VSTPluginMain stays the DLL's only export.
extern "C" BOOL WINAPI DllMain(HINSTANCE a_instance, DWORD a_reason, LPVOID)
{
    // The loader lock is held here and an exception must not cross into the loader: a failed
    // attach makes the host's LoadLibrary fail instead.
    try
    {
        switch (a_reason)
        {
        case DLL_PROCESS_ATTACH:
            Tonvik::TheApplication::create(a_instance);
            return Tonvik::TheApplication::get() ? TRUE : FALSE;
        case DLL_PROCESS_DETACH:
            Tonvik::TheApplication::destroy();
            return TRUE;
        default:
            return TRUE;
        }
    }
    catch (...)
    {
        return FALSE;
    }
}
