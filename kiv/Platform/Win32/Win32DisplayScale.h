#pragma once

namespace Kiv
{

// The scale the display asks of the editor in a_hwnd, for Application::set_scale(): the
// window's DPI over 96. Systems that know DPI per window (Windows 10 1607 and later) give the
// monitor's; older ones the system DPI of the window's device. 1 when neither can tell.
float read_display_scale(void* a_hwnd);

} // namespace Kiv
