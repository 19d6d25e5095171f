#pragma once

#include "bex/Core/String.h"
#include "kiv/Graphics/Geometry.h"

#include <memory>

namespace Kiv
{
class NativeWindow;
}

namespace Tonvik
{

// The editor's window inside the host's, as the platform makes it. The desktop takes the
// toolkit's side of it; the rest stays here for the editor bridge: the idle step, the host
// window's size, and where the pointer is for the wheel messages some hosts send.
class EditorWindow
{
public:
    // A child of the host's window a_parent (an X window id on Linux, an HWND on Windows).
    // Throws Bex::Exception when the window cannot be made; null where the platform has no
    // editor window yet.
    static std::unique_ptr<EditorWindow> create(void* a_parent, Kiv::Size a_size);
    // Whether this platform has editor windows at all; the host is told by the editor flag.
    static bool is_supported();

    virtual ~EditorWindow() = default;

    // Handed to the desktop once; the desktop owns it and must go before this object.
    virtual std::unique_ptr<Kiv::NativeWindow> take_native_window() = 0;
    // The host's idle call: events, updates, painting.
    virtual void process_events() = 0;
    virtual void set_size(Kiv::Size a_size) = 0;
    virtual bool get_parent_size(Kiv::Size& a_size) const = 0;
    // In the editor window's coordinates.
    virtual bool get_pointer_position(Kiv::Point& a_position) const = 0;
    // 1 at 96 dots per inch.
    virtual float get_display_scale() const = 0;
    // What a key the host names by its code (a toolkit key code) types, for hosts that hand keys
    // to the plug-in instead of its window; empty for keys that type nothing.
    virtual Bex::String text_for_key(uint32_t a_key_code, uint32_t a_modifiers) const = 0;
};

} // namespace Tonvik
