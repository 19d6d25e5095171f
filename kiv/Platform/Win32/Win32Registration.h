#pragma once

#include <cstdint>

namespace Kiv
{

// What the toolkit's windows need from the process while any of them exists: the window class
// of editors and popups, the message-only window that carries posted update requests and
// timers, and a running GDI+. The first holder sets them up and the last one takes them all
// down again, so that a plug-in DLL unloaded after its editor closed leaves no class behind
// whose window procedure points into unmapped code.
//
// Classes are registered against the module that holds this code, never the host's program.
// Registering from DllMain is forbidden (the loader lock), so holders are made when an editor
// opens. All of it belongs to the GUI thread: no lock.
class Win32Registration
{
public:
    // Throws Bex::Exception when a class or the message window cannot be made.
    Win32Registration();
    ~Win32Registration();
    Win32Registration(const Win32Registration&) = delete;
    Win32Registration& operator=(const Win32Registration&) = delete;

    static const wchar_t* get_window_class_name() { return L"KivWindowClass"; }
    static const wchar_t* get_message_window_class_name() { return L"KIV_MSGWND"; }
    // The module that holds this code (an HINSTANCE).
    static void* get_module();
    // Null while nobody holds a registration.
    static void* get_message_window();
    static uint32_t get_holder_count();
    // Has the message window call Win32Window::p_run_posted_updates() from the message loop.
    // Requests made before it ran are one request.
    static void post_update_request();
};

} // namespace Kiv
