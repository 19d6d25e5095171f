#pragma once

#include <X11/Xlib.h>

namespace Kiv
{

// While it stands, X errors on displays that X11Connection opened are recorded on that connection
// instead of reaching Xlib's default handler, which would end the host's process. Errors of other
// displays still go to the handler that was there before (the host's), and that handler is back in
// place when the trap goes, unless someone replaced ours meanwhile. Xlib reports an error only
// inside a call on its display, so a trap around every entry point of ours catches all of them.
class X11ErrorTrap
{
public:
    X11ErrorTrap();
    X11ErrorTrap(const X11ErrorTrap&) = delete;
    X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;
    ~X11ErrorTrap();

private:
    XErrorHandler m_previous;
};

} // namespace Kiv
