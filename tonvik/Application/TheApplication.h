#pragma once

namespace Tonvik
{

// The GUI toolkit's process-wide object: one per process, shared by every plug-in instance the
// host opens. It is made when the plug-in library is loaded and taken down when it is unloaded;
// creating and destroying it is not synchronised, so only the library's load and unload do it.
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

    TheApplication(const TheApplication&) = delete;
    TheApplication& operator=(const TheApplication&) = delete;

private:
    explicit TheApplication(void* a_module) : m_module(a_module) {}
    ~TheApplication() = default;

    void* m_module;
};

} // namespace Tonvik
