#pragma once

#include "bex/Core/String.h"
#include "kiv/Graphics/Font.h"
#include "kiv/Graphics/Geometry.h"

namespace Kiv
{

// Measures text as some painter will draw it; widgets measure their texts through their desktop
// when they are measured, long before anything is painted.
class TextMeasurer
{
public:
    virtual ~TextMeasurer() = default;
    virtual Size measure_text(const Bex::String& a_text, const Font& a_font) = 0;
};

// A rule that needs no fonts, for tests and for painters without text: each code unit is
// ceil(size × 0.6) pixels wide and a line is ceil(size × 1.2) pixels high.
Size measure_text_by_fixed_rule(const Bex::String& a_text, const Font& a_font);

class FixedRuleTextMeasurer : public TextMeasurer
{
public:
    Size measure_text(const Bex::String& a_text, const Font& a_font) override
    {
        return measure_text_by_fixed_rule(a_text, a_font);
    }
};

} // namespace Kiv
