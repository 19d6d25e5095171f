#include "kiv/Platform/X11/X11DisplayScale.h"

#include <X11/Xlib.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace Kiv
{

namespace
{

constexpr float g_standard_dpi = 96.0f;

std::string_view trimmed(std::string_view a_text)
{
    const size_t first = a_text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    const size_t last = a_text.find_last_not_of(" \t\r");
    return a_text.substr(first, last - first + 1);
}

// A positive finite number filling the whole text, or 0.
float parse_positive(std::string_view a_text, bool a_whole_only)
{
    const std::string_view text = trimmed(a_text);
    float value = 0.0f;
    if (a_whole_only)
    {
        int whole = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), whole);
        if (error != std::errc() || end != text.data() + text.size())
            return 0.0f;
        value = float(whole);
    }
    else
    {
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc() || end != text.data() + text.size())
            return 0.0f;
    }
    return std::isfinite(value) && value > 0.0f ? value : 0.0f;
}

float parse_environment(const char* a_value, bool a_whole_only)
{
    return a_value ? parse_positive(a_value, a_whole_only) : 0.0f;
}

} // namespace

float parse_xft_dpi_scale(std::string_view a_resources)
{
    float scale = 0.0f;
    while (!a_resources.empty())
    {
        const size_t end = a_resources.find('\n');
        const std::string_view line = a_resources.substr(0, end);
        a_resources =
            end == std::string_view::npos ? std::string_view() : a_resources.substr(end + 1);
        const size_t colon = line.find(':');
        if (colon == std::string_view::npos || trimmed(line.substr(0, colon)) != "Xft.dpi")
            continue;
        // The resource manager keeps the last of repeated names.
        scale = parse_positive(line.substr(colon + 1), false) / g_standard_dpi;
    }
    return scale;
}

float choose_display_scale(float a_override, const char* a_kiv_scale, std::string_view a_resources,
                           const char* a_gdk_scale)
{
    if (std::isfinite(a_override) && a_override > 0.0f)
        return a_override;
    if (const float scale = parse_environment(a_kiv_scale, false); scale > 0.0f)
        return scale;
    if (const float scale = parse_xft_dpi_scale(a_resources); scale > 0.0f)
        return scale;
    if (const float scale = parse_environment(a_gdk_scale, true); scale > 0.0f)
        return scale;
    return 1.0f;
}

float read_display_scale(float a_override)
{
    const char* kiv_scale = std::getenv("KIV_SCALE");
    const char* gdk_scale = std::getenv("GDK_SCALE");
    if ((std::isfinite(a_override) && a_override > 0.0f) ||
        parse_environment(kiv_scale, false) > 0.0f)
        return choose_display_scale(a_override, kiv_scale, {}, gdk_scale);
    std::string resources;
    if (Display* display = XOpenDisplay(nullptr))
    {
        if (const char* text = XResourceManagerString(display))
            resources = text;
        XCloseDisplay(display);
    }
    return choose_display_scale(a_override, kiv_scale, resources, gdk_scale);
}

} // namespace Kiv
