#pragma once

#include "bex/Core/String.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace Kiv
{
class Application;
}

namespace Tonvik
{

// The GUI toolkit's process-wide object: one per process, shared by every plug-in instance the
// host opens. It is made when the plug-in library is loaded and taken down when it is unloaded;
// creating and destroying it is not synchronised, so only the library's load and unload do it.
// Instances come and go on the host's main thread and count themselves as its users.
class TheApplication
{
public:
    // Makes the object with the plug-in library's module handle (an HMODULE on Windows, the
    // library's base address elsewhere, or null when it cannot be told). A second call keeps the
    // object that exists, with its module handle: a later instance must never take the
    // toolkit away from the ones already running.
    static void create(void* a_module);
    // Does nothing when there is no object.
    static void destroy();
    // Null before create() and after destroy().
    static TheApplication* get();

    void* get_module_handle() const { return m_module; }

    // A new instance. The first user starts the toolkit and loads its style sheet: the file
    // "stylesheet.dat" in a_common_internal_data_folder, or a_built_in (the sheet compiled into
    // the plug-in, as a file's bytes) when no file stands there. Returns false when the sheet
    // could not be loaded; the failure is kept, so that every instance until the last one goes
    // reports it instead of opening an editor without a look.
    bool add_user(const Bex::String& a_common_internal_data_folder, std::string_view a_built_in);
    // The last user going takes the style sheet with it; the next first user loads it anew.
    void remove_user();
    uint32_t get_user_count() const { return m_users; }
    // Null while there are no users, or when the toolkit could not start.
    Kiv::Application* get_toolkit() const { return m_toolkit.get(); }

    TheApplication(const TheApplication&) = delete;
    TheApplication& operator=(const TheApplication&) = delete;

private:
    explicit TheApplication(void* a_module);
    ~TheApplication();

    void p_load_style_sheet(const Bex::String& a_folder, std::string_view a_built_in);

    void* m_module;
    uint32_t m_users = 0;
    bool m_style_sheet_failed = false;
    std::unique_ptr<Kiv::Application> m_toolkit;
};

} // namespace Tonvik
