#pragma once

namespace Kiv
{

// Keeps GDI+ running while it lives: the first living session starts it and the last one shuts it
// down, from any thread. Every GDI+ object must be gone before the last session ends. Never make
// one from DllMain, where the loader lock forbids starting GDI+.
class GdiplusSession
{
public:
    // Throws Bex::Exception when GDI+ cannot be started.
    GdiplusSession();
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;
    ~GdiplusSession();

    static bool is_running();
};

} // namespace Kiv
