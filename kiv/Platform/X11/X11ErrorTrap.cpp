#include "kiv/Platform/X11/X11ErrorTrap.h"

#include "kiv/Platform/X11/X11Connection.h"

namespace Kiv
{

namespace
{

// The handler outside the outermost trap; nested traps see ours as theirs.
XErrorHandler g_outer_handler = nullptr;

int handle_error(Display* a_display, XErrorEvent* a_error)
{
    if (X11Connection* connection = X11Connection::find(a_display))
    {
        connection->p_record_error(*a_error);
        return 0;
    }
    if (g_outer_handler)
        return g_outer_handler(a_display, a_error);
    return 0;
}

} // namespace

X11ErrorTrap::X11ErrorTrap() : m_previous(XSetErrorHandler(handle_error))
{
    if (m_previous != handle_error)
        g_outer_handler = m_previous;
}

X11ErrorTrap::~X11ErrorTrap()
{
    if (m_previous == handle_error)
        return;
    const XErrorHandler current = XSetErrorHandler(m_previous);
    // Someone installed a handler of their own while ours stood: theirs stays.
    if (current != handle_error)
        XSetErrorHandler(current);
    g_outer_handler = nullptr;
}

} // namespace Kiv
