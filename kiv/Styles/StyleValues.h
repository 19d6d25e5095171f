#pragma once

#include "kiv/Styles/StyleValue.h"

#include <initializer_list>

namespace Kiv
{

// The value classes, one per StyleValueType. Their payloads are read through StyleValue's typed
// readers.

template <typename Payload, StyleValueType Type, typename Self>
class StyleValuePayload : public StyleValue
{
public:
    explicit StyleValuePayload(const Payload& a_payload) : StyleValue(Type), m_payload(a_payload) {}

    StyleValue* clone() const override { return new Self(m_payload); }
    const Payload& get_payload() const { return m_payload; }

protected:
    Payload m_payload;
};

class StyleValue_Boolean
    : public StyleValuePayload<bool, StyleValueType_BOOLEAN, StyleValue_Boolean>
{
public:
    using StyleValuePayload::StyleValuePayload;
};

class StyleValue_Border : public StyleValuePayload<Border, StyleValueType_BORDER, StyleValue_Border>
{
public:
    using StyleValuePayload::StyleValuePayload;
};

class StyleValue_Brush : public StyleValuePayload<Brush, StyleValueType_BRUSH, StyleValue_Brush>
{
public:
    using StyleValuePayload::StyleValuePayload;
};

class StyleValue_Color : public StyleValuePayload<Color, StyleValueType_COLOR, StyleValue_Color>
{
public:
    using StyleValuePayload::StyleValuePayload;
};

class StyleValue_Dimension
    : public StyleValuePayload<StyleDimension, StyleValueType_DIMENSION, StyleValue_Dimension>
{
public:
    using StyleValuePayload::StyleValuePayload;
    void rescale(float a_base) override { m_payload.rescale(a_base); }
};

class StyleValue_Frame : public StyleValuePayload<Frame, StyleValueType_FRAME, StyleValue_Frame>
{
public:
    using StyleValuePayload::StyleValuePayload;
};

class StyleValue_Integer
    : public StyleValuePayload<int32_t, StyleValueType_INTEGER, StyleValue_Integer>
{
public:
    using StyleValuePayload::StyleValuePayload;
};

class StyleValue_Pen : public StyleValuePayload<Pen, StyleValueType_PEN, StyleValue_Pen>
{
public:
    using StyleValuePayload::StyleValuePayload;
};

class StyleValue_String
    : public StyleValuePayload<Bex::String, StyleValueType_STRING, StyleValue_String>
{
public:
    using StyleValuePayload::StyleValuePayload;
};

// "Take this property from the parent widget"; carries nothing.
class StyleValue_Parent : public StyleValue
{
public:
    StyleValue_Parent() : StyleValue(StyleValueType_PARENT) {}
    StyleValue* clone() const override { return new StyleValue_Parent(); }
};

// A font is kept with the length it was given in, so that rescaling can rebuild it. Only px and
// pt sizes make sense for a font; anything else throws "Invalid font size unit.".
class StyleValue_Font : public StyleValue
{
public:
    StyleValue_Font(const Bex::String& a_family, const StyleDimension& a_size);

    StyleValue* clone() const override { return new StyleValue_Font(m_font.family, m_size); }
    void rescale(float a_base) override;

    const Font& get_font() const { return m_font; }
    const StyleDimension& get_size() const { return m_size; }

private:
    void p_build();

    StyleDimension m_size;
    Font m_font;
};

// The list holds one reference on each item.
class StyleValue_List : public StyleValue
{
public:
    StyleValue_List() : StyleValue(StyleValueType_LIST) {}
    StyleValue_List(std::initializer_list<StyleValue*> a_items);
    ~StyleValue_List() override;

    StyleValue* clone() const override;
    void rescale(float a_base) override;

    void append(StyleValue* a_item);
    const Bex::Vector<StyleValue*>& get_items() const { return m_items; }

private:
    Bex::Vector<StyleValue*> m_items;
};

} // namespace Kiv
