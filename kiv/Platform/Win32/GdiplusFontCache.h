#pragma once

#include "bex/Core/String.h"
#include "kiv/Graphics/Font.h"
#include "kiv/Graphics/Geometry.h"
#include "kiv/Platform/Win32/GdiplusApi.h"
#include "kiv/Platform/Win32/GdiplusSession.h"

#include <map>
#include <string>
#include <tuple>
#include <utility>

namespace Kiv
{

// The GDI+ fonts of an image and of the painters made from it, and the boxes of the texts
// measured in them: widgets ask for the same fonts and texts on every paint. It keeps GDI+
// running for as long as its fonts live. Like every GDI+ object it serves one thread at a time.
class GdiplusFontCache
{
public:
    // The resolution that turns points into pixels.
    static constexpr float g_dots_per_inch = 96.0f;

    // Throws Bex::Exception when GDI+ cannot be started.
    GdiplusFontCache();
    GdiplusFontCache(const GdiplusFontCache&) = delete;
    GdiplusFontCache& operator=(const GdiplusFontCache&) = delete;
    ~GdiplusFontCache();

    // A font at its size in pixels, and where its lines put the glyphs.
    struct Line
    {
        GdiplusApi::Owned<Gdiplus::GpFont> font;
        // Down from the top of the line to where GDI+ must be given the text so that the
        // baseline lands on a whole pixel, the ascent rounded up, as Pango puts it.
        float baseline_shift = 0.0f;
        // The ascent and the descent, each rounded up to whole pixels, again as in Pango.
        int32_t height = 0;
    };

    // Null for a size that is not a positive number or when the system has no font at all. A
    // family that is not installed gives a sans-serif one instead.
    const Line* get_line(const Font& a_font);
    // How texts are laid out: no padding beside the glyphs, one line, trailing spaces counted.
    Gdiplus::GpStringFormat* get_format() const { return m_format.get(); }
    // The text's box in pixels relative to the point it is drawn from: the union of its ink, as
    // prepare_graphics() draws it, and of its line's logical extent. Empty for an unusable font.
    Rect get_box(const Bex::String& a_text, const Font& a_font);

    static float get_pixel_size(const Font& a_font);
    // Text as GDI+ takes it: NULs and unpaired surrogates become U+FFFD, which GDI+ would
    // otherwise cut the text at or draw unpredictably.
    static std::wstring to_drawable_text(const Bex::String& a_text);

private:
    Gdiplus::GpFontFamily* p_get_family(const Bex::String& a_name);
    Line p_make_line(const Font& a_font, float a_size);
    Rect p_find_ink(const std::wstring& a_text, const Line& a_line, Size a_logical);
    Rect p_find_outline(const std::wstring& a_text, const Line& a_line);

    // Declared first so that it is destroyed last, after every GDI+ object below.
    GdiplusSession m_session;
    GdiplusApi::Owned<Gdiplus::GpStringFormat> m_format;
    uint32_t m_measuring_pixel = 0;
    GdiplusApi::Owned<Gdiplus::GpImage> m_measuring_bitmap;
    GdiplusApi::Owned<Gdiplus::GpGraphics> m_measuring;
    std::map<Bex::String, GdiplusApi::Owned<Gdiplus::GpFontFamily>> m_families;
    std::map<std::pair<Bex::String, float>, Line> m_lines;
    std::map<std::tuple<Bex::String, Bex::String, float>, Rect> m_boxes;
};

} // namespace Kiv
