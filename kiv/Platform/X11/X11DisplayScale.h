#pragma once

#include <string_view>

namespace Kiv
{

// The scale an X display asks of the editor, for Application::set_scale(). The first that is set
// wins: a_override when above 0; the environment variable KIV_SCALE (a number, such as 1.5);
// Xft.dpi from the display's resources divided by 96; the environment variable GDK_SCALE (a
// whole number); else 1. The display is opened for a moment, and only when it is needed.
float read_display_scale(float a_override = 0.0f);

// The same choice from given sources: null or empty texts count as not set.
float choose_display_scale(float a_override, const char* a_kiv_scale, std::string_view a_resources,
                           const char* a_gdk_scale);

// Xft.dpi / 96 from an X resource string (lines of "name:\tvalue"), or 0 when it names no
// usable Xft.dpi.
float parse_xft_dpi_scale(std::string_view a_resources);

} // namespace Kiv
