#include "kiv/Styles/StyleValue.h"

#include "bex/Core/Assert.h"
#include "kiv/Styles/StyleValues.h"

namespace Kiv
{

void StyleValue::rescale(float) {}

void StyleValue::decrease_reference_count()
{
    BEX_ASSERT(m_reference_count > 0);
    if (--m_reference_count == 0)
        delete this;
}

bool StyleValue::to_bool() const
{
    BEX_ASSERT(m_type == StyleValueType_BOOLEAN);
    return static_cast<const StyleValue_Boolean*>(this)->get_payload();
}

const Border& StyleValue::to_border() const
{
    BEX_ASSERT(m_type == StyleValueType_BORDER);
    return static_cast<const StyleValue_Border*>(this)->get_payload();
}

const Brush& StyleValue::to_brush() const
{
    BEX_ASSERT(m_type == StyleValueType_BRUSH);
    return static_cast<const StyleValue_Brush*>(this)->get_payload();
}

Color StyleValue::to_color() const
{
    BEX_ASSERT(m_type == StyleValueType_COLOR);
    return static_cast<const StyleValue_Color*>(this)->get_payload();
}

const StyleDimension& StyleValue::to_dimension() const
{
    BEX_ASSERT(m_type == StyleValueType_DIMENSION);
    return static_cast<const StyleValue_Dimension*>(this)->get_payload();
}

const Font& StyleValue::to_font() const
{
    BEX_ASSERT(m_type == StyleValueType_FONT);
    return static_cast<const StyleValue_Font*>(this)->get_font();
}

const Frame& StyleValue::to_frame() const
{
    BEX_ASSERT(m_type == StyleValueType_FRAME);
    return static_cast<const StyleValue_Frame*>(this)->get_payload();
}

int32_t StyleValue::to_int() const
{
    BEX_ASSERT(m_type == StyleValueType_INTEGER);
    return static_cast<const StyleValue_Integer*>(this)->get_payload();
}

const Bex::Vector<StyleValue*>& StyleValue::to_list() const
{
    BEX_ASSERT(m_type == StyleValueType_LIST);
    return static_cast<const StyleValue_List*>(this)->get_items();
}

const Pen& StyleValue::to_pen() const
{
    BEX_ASSERT(m_type == StyleValueType_PEN);
    return static_cast<const StyleValue_Pen*>(this)->get_payload();
}

float StyleValue::to_pixels_float() const
{
    return to_dimension().pixels;
}

int32_t StyleValue::to_pixels_int() const
{
    return to_dimension().to_pixels_int();
}

const Bex::String& StyleValue::to_string() const
{
    BEX_ASSERT(m_type == StyleValueType_STRING);
    return static_cast<const StyleValue_String*>(this)->get_payload();
}

StyleValue_Font::StyleValue_Font(const Bex::String& a_family, const StyleDimension& a_size)
    : StyleValue(StyleValueType_FONT), m_size(a_size)
{
    m_font.family = a_family;
    p_build();
}

void StyleValue_Font::rescale(float a_base)
{
    m_size.rescale(a_base);
    p_build();
}

void StyleValue_Font::p_build()
{
    if (m_size.unit == StyleDimensionUnit_PX)
        m_font.unit = FontSizeUnit_PIXELS;
    else if (m_size.unit == StyleDimensionUnit_PT)
        m_font.unit = FontSizeUnit_POINTS;
    else
        throw Bex::Exception(u"Invalid font size unit.");
    m_font.size = m_size.pixels;
}

StyleValue_List::StyleValue_List(std::initializer_list<StyleValue*> a_items)
    : StyleValue(StyleValueType_LIST)
{
    for (StyleValue* item : a_items)
        append(item);
}

StyleValue_List::~StyleValue_List()
{
    for (StyleValue* item : m_items)
        item->decrease_reference_count();
}

StyleValue* StyleValue_List::clone() const
{
    auto* copy = new StyleValue_List();
    for (const StyleValue* item : m_items)
        copy->append(item->clone());
    return copy;
}

void StyleValue_List::rescale(float a_base)
{
    for (StyleValue* item : m_items)
        item->rescale(a_base);
}

void StyleValue_List::append(StyleValue* a_item)
{
    BEX_ASSERT(a_item);
    a_item->increase_reference_count();
    m_items.push_back(a_item);
}

} // namespace Kiv
