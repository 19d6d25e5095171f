#include "kiv/Platform/Win32/GdiplusFontCache.h"

#include "bex/Core/Exception.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace Kiv
{

using namespace GdiplusApi;

namespace
{

// Far beyond any sane text, yet small enough that GDI+ still makes the font.
constexpr float g_largest_pixel_size = 10000.0f;
// Texts whose ink would need a larger scratch image are measured by their outlines instead.
constexpr int64_t g_largest_scratch_area = 4 << 20;
// Measured texts kept before the oldest are forgotten all at once.
constexpr size_t g_box_cache_limit = 4096;

bool is_high_surrogate(char16_t a_unit)
{
    return a_unit >= 0xD800 && a_unit <= 0xDBFF;
}

bool is_low_surrogate(char16_t a_unit)
{
    return a_unit >= 0xDC00 && a_unit <= 0xDFFF;
}

const wchar_t* to_wide(const Bex::String& a_text)
{
    return reinterpret_cast<const wchar_t*>(a_text.c_str());
}

Owned<Gdiplus::GpFontFamily> make_family(const wchar_t* a_name)
{
    Gdiplus::GpFontFamily* family = nullptr;
    if (GdipCreateFontFamilyFromName(a_name, nullptr, &family) != Gdiplus::Ok)
        return nullptr;
    return Owned<Gdiplus::GpFontFamily>(family);
}

// The system's sans-serif family, or failing that any family at all: text in the wrong font is
// better than no text. Wine without its own fonts has no generic family.
Owned<Gdiplus::GpFontFamily> make_default_family()
{
    Gdiplus::GpFontFamily* generic = nullptr;
    if (GdipGetGenericFontFamilySansSerif(&generic) == Gdiplus::Ok && generic)
        return Owned<Gdiplus::GpFontFamily>(generic);
    for (const wchar_t* name : {L"Arial", L"DejaVu Sans"})
    {
        if (Owned<Gdiplus::GpFontFamily> family = make_family(name))
            return family;
    }
    // The installed collection belongs to GDI+, and so do the families it lists.
    Gdiplus::GpFontCollection* installed = nullptr;
    INT count = 0;
    if (GdipNewInstalledFontCollection(&installed) != Gdiplus::Ok ||
        GdipGetFontCollectionFamilyCount(installed, &count) != Gdiplus::Ok || count <= 0)
        return nullptr;
    std::vector<Gdiplus::GpFontFamily*> families(size_t(count), nullptr);
    INT found = 0;
    Gdiplus::GpFontFamily* copy = nullptr;
    if (GdipGetFontCollectionFamilyList(installed, count, families.data(), &found) != Gdiplus::Ok ||
        found <= 0 || GdipCloneFontFamily(families[0], &copy) != Gdiplus::Ok)
        return nullptr;
    return Owned<Gdiplus::GpFontFamily>(copy);
}

// A bitmap over memory of the caller's, with a graphics drawing into it as painters do.
struct Scratch
{
    std::vector<uint32_t> pixels;
    Owned<Gdiplus::GpImage> bitmap;
    Owned<Gdiplus::GpGraphics> graphics;

    Scratch(int32_t a_width, int32_t a_height) : pixels(size_t(a_width) * size_t(a_height), 0u)
    {
        Gdiplus::GpBitmap* created = nullptr;
        if (GdipCreateBitmapFromScan0(a_width, a_height, a_width * 4, PixelFormat32bppPARGB,
                                      reinterpret_cast<BYTE*>(pixels.data()),
                                      &created) != Gdiplus::Ok)
            throw Bex::Exception(u"Cannot make a GDI+ bitmap to measure text on.");
        bitmap.reset(created);
        Gdiplus::GpGraphics* context = nullptr;
        if (GdipGetImageGraphicsContext(bitmap.get(), &context) != Gdiplus::Ok)
            throw Bex::Exception(u"Cannot draw on a GDI+ bitmap to measure text on.");
        graphics.reset(context);
        prepare_graphics(graphics.get());
    }
};

} // namespace

GdiplusFontCache::GdiplusFontCache()
{
    Gdiplus::GpStringFormat* typographic = nullptr;
    Gdiplus::GpStringFormat* format = nullptr;
    if (GdipStringFormatGetGenericTypographic(&typographic) != Gdiplus::Ok ||
        GdipCloneStringFormat(typographic, &format) != Gdiplus::Ok)
        throw Bex::Exception(u"Cannot make a GDI+ string format.");
    m_format.reset(format);
    INT flags = 0;
    GdipGetStringFormatFlags(format, &flags);
    GdipSetStringFormatFlags(format, flags | Gdiplus::StringFormatFlagsMeasureTrailingSpaces |
                                         Gdiplus::StringFormatFlagsNoWrap |
                                         Gdiplus::StringFormatFlagsNoClip);

    Gdiplus::GpBitmap* bitmap = nullptr;
    Gdiplus::GpGraphics* graphics = nullptr;
    if (GdipCreateBitmapFromScan0(1, 1, 4, PixelFormat32bppPARGB,
                                  reinterpret_cast<BYTE*>(&m_measuring_pixel),
                                  &bitmap) != Gdiplus::Ok)
        throw Bex::Exception(u"Cannot make a GDI+ bitmap to measure text on.");
    m_measuring_bitmap.reset(bitmap);
    if (GdipGetImageGraphicsContext(bitmap, &graphics) != Gdiplus::Ok)
        throw Bex::Exception(u"Cannot draw on a GDI+ bitmap to measure text on.");
    m_measuring.reset(graphics);
    prepare_graphics(graphics);
}

GdiplusFontCache::~GdiplusFontCache() = default;

float GdiplusFontCache::get_pixel_size(const Font& a_font)
{
    if (a_font.unit == FontSizeUnit_POINTS)
        return a_font.size * g_dots_per_inch / 72.0f;
    return a_font.size;
}

std::wstring GdiplusFontCache::to_drawable_text(const Bex::String& a_text)
{
    constexpr wchar_t replacement = 0xFFFD;
    std::wstring text(a_text.size(), replacement);
    for (size_t index = 0; index < a_text.size(); ++index)
    {
        const char16_t unit = a_text[index];
        if (is_high_surrogate(unit) && index + 1 < a_text.size() &&
            is_low_surrogate(a_text[index + 1]))
        {
            text[index] = wchar_t(unit);
            text[index + 1] = wchar_t(a_text[index + 1]);
            ++index;
        }
        else if (unit != 0 && !is_high_surrogate(unit) && !is_low_surrogate(unit))
        {
            text[index] = wchar_t(unit);
        }
    }
    return text;
}

Gdiplus::GpFontFamily* GdiplusFontCache::p_get_family(const Bex::String& a_name)
{
    const auto found = m_families.find(a_name);
    if (found != m_families.end())
        return found->second.get();
    Owned<Gdiplus::GpFontFamily> family;
    if (!a_name.empty())
        family = make_family(to_wide(a_name));
    if (!family)
        family = make_default_family();
    // Kept even when null, so that a missing family is not searched for on every paint.
    return m_families.emplace(a_name, std::move(family)).first->second.get();
}

const GdiplusFontCache::Line* GdiplusFontCache::get_line(const Font& a_font)
{
    const float size = get_pixel_size(a_font);
    if (!std::isfinite(size) || !(size > 0.0f))
        return nullptr;
    const std::pair key{a_font.family, std::min(size, g_largest_pixel_size)};
    auto found = m_lines.find(key);
    if (found == m_lines.end())
        found = m_lines.emplace(key, p_make_line(a_font, key.second)).first;
    // Kept even without a font, so that a failure is not tried again on every paint.
    return found->second.font ? &found->second : nullptr;
}

GdiplusFontCache::Line GdiplusFontCache::p_make_line(const Font& a_font, float a_size)
{
    Line line;
    Gdiplus::GpFontFamily* family = p_get_family(a_font.family);
    Gdiplus::GpFont* font = nullptr;
    if (!family || GdipCreateFont(family, a_size, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel,
                                  &font) != Gdiplus::Ok)
        return line;
    line.font.reset(font);
    UINT16 em = 0;
    UINT16 ascent = 0;
    UINT16 descent = 0;
    GdipGetEmHeight(family, Gdiplus::FontStyleRegular, &em);
    GdipGetCellAscent(family, Gdiplus::FontStyleRegular, &ascent);
    GdipGetCellDescent(family, Gdiplus::FontStyleRegular, &descent);
    if (em == 0)
        return line;
    const float ascent_pixels = a_size * float(ascent) / float(em);
    const float descent_pixels = a_size * float(descent) / float(em);
    line.baseline_shift = std::ceil(ascent_pixels) - ascent_pixels;
    line.height = int32_t(std::ceil(ascent_pixels) + std::ceil(descent_pixels));
    return line;
}

Rect GdiplusFontCache::get_box(const Bex::String& a_text, const Font& a_font)
{
    const Line* line = get_line(a_font);
    if (!line)
        return {};
    const float size = std::min(get_pixel_size(a_font), g_largest_pixel_size);
    const std::tuple key{a_text, a_font.family, size};
    const auto found = m_boxes.find(key);
    if (found != m_boxes.end())
        return found->second;

    const std::wstring text = to_drawable_text(a_text);
    const Gdiplus::RectF origin(0.0f, 0.0f, 0.0f, 0.0f);
    Gdiplus::RectF bounds(0.0f, 0.0f, 0.0f, 0.0f);
    GdipMeasureString(m_measuring.get(), text.c_str(), INT(text.size()), line->font.get(), &origin,
                      m_format.get(), &bounds, nullptr, nullptr);
    const Size logical{int32_t(std::ceil(bounds.Width)), line->height};
    Rect box{0, 0, logical.width, logical.height};
    const Rect ink = text.empty() ? Rect{} : p_find_ink(text, *line, logical);
    if (!ink.is_empty())
    {
        const int32_t left = std::min(box.x, ink.x);
        const int32_t top = std::min(box.y, ink.y);
        const int32_t right = std::max(box.x + box.width, ink.x + ink.width);
        const int32_t bottom = std::max(box.y + box.height, ink.y + ink.height);
        box = {left, top, right - left, bottom - top};
    }
    if (m_boxes.size() >= g_box_cache_limit)
        m_boxes.clear();
    m_boxes.emplace(key, box);
    return box;
}

Rect GdiplusFontCache::p_find_ink(const std::wstring& a_text, const Line& a_line, Size a_logical)
{
    Gdiplus::REAL size = 0.0f;
    GdipGetFontSize(a_line.font.get(), &size);
    // Glyphs may reach an em beyond their line: accents, swashes, italic overhangs.
    const int32_t pad = int32_t(std::ceil(size)) + 2;
    const int64_t width = int64_t(a_logical.width) + 2 * pad;
    const int64_t height = int64_t(a_logical.height) + 2 * pad;
    if (width * height > g_largest_scratch_area)
        return p_find_outline(a_text, a_line);

    Scratch scratch{int32_t(width), int32_t(height)};
    const Owned<Gdiplus::GpBrush> brush = make_solid_brush(0xFF000000u);
    const Gdiplus::RectF origin{float(pad), float(pad) + a_line.baseline_shift, 0.0f, 0.0f};
    GdipDrawString(scratch.graphics.get(), a_text.c_str(), INT(a_text.size()), a_line.font.get(),
                   &origin, m_format.get(), brush.get());
    GdipFlush(scratch.graphics.get(), Gdiplus::FlushIntentionSync);
    scratch.graphics.reset();

    int32_t left = int32_t(width);
    int32_t top = int32_t(height);
    int32_t right = -1;
    int32_t bottom = -1;
    for (int32_t y = 0; y < int32_t(height); ++y)
    {
        const uint32_t* row = scratch.pixels.data() + size_t(y) * size_t(width);
        for (int32_t x = 0; x < int32_t(width); ++x)
        {
            if (row[x] != 0)
            {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (right < 0)
        return {};
    return {left - pad, top - pad, right - left + 1, bottom - top + 1};
}

Rect GdiplusFontCache::p_find_outline(const std::wstring& a_text, const Line& a_line)
{
    // GDI+ hands out a new reference to the family, which the caller gives back.
    Gdiplus::GpFontFamily* family = nullptr;
    if (GdipGetFamily(a_line.font.get(), &family) != Gdiplus::Ok)
        return {};
    const Owned<Gdiplus::GpFontFamily> owned_family(family);
    Gdiplus::REAL size = 0.0f;
    Gdiplus::GpPath* created = nullptr;
    if (GdipGetFontSize(a_line.font.get(), &size) != Gdiplus::Ok ||
        GdipCreatePath(Gdiplus::FillModeWinding, &created) != Gdiplus::Ok)
        return {};
    const Owned<Gdiplus::GpPath> path(created);
    const Gdiplus::RectF origin(0.0f, a_line.baseline_shift, 0.0f, 0.0f);
    Gdiplus::RectF bounds(0.0f, 0.0f, 0.0f, 0.0f);
    GdipAddPathString(path.get(), a_text.c_str(), INT(a_text.size()), family,
                      Gdiplus::FontStyleRegular, size, &origin, m_format.get());
    if (GdipGetPathWorldBounds(path.get(), &bounds, nullptr, nullptr) != Gdiplus::Ok ||
        !(bounds.Width > 0.0f && bounds.Height > 0.0f))
        return {};
    // Hinting moves an outline by less than a pixel; antialiasing greys one more.
    const int32_t left = int32_t(std::floor(bounds.X)) - 2;
    const int32_t top = int32_t(std::floor(bounds.Y)) - 2;
    const int32_t right = int32_t(std::ceil(bounds.X + bounds.Width)) + 2;
    const int32_t bottom = int32_t(std::ceil(bounds.Y + bounds.Height)) + 2;
    return {left, top, right - left, bottom - top};
}

} // namespace Kiv
