#pragma once

#include "bex/Core/String.h"
#include "bex/Core/Vector.h"
#include "kiv/Graphics/Border.h"
#include "kiv/Graphics/Color.h"
#include "kiv/Graphics/Font.h"
#include "kiv/Styles/StyleDimension.h"
#include "kiv/Styles/StyleValueType.h"

#include <cstdint>

namespace Kiv
{

// A value from a style sheet, shared by every declaration that uses it: each holder keeps one
// reference and the value deletes itself when the last one goes. The typed readers check the
// type, so a sheet that gives a property a value of the wrong kind fails loudly instead of
// reading garbage.
class StyleValue
{
public:
    StyleValue(const StyleValue&) = delete;
    StyleValue& operator=(const StyleValue&) = delete;

    // A new value of the same kind and payload, not yet held by anyone.
    virtual StyleValue* clone() const = 0;
    // Recomputes pixel sizes for a new scale base; only lengths and fonts have any.
    virtual void rescale(float a_base);

    StyleValueType get_type() const { return m_type; }
    uint32_t get_reference_count() const { return m_reference_count; }
    void increase_reference_count() { ++m_reference_count; }
    void decrease_reference_count();

    bool to_bool() const;
    const Border& to_border() const;
    const Brush& to_brush() const;
    Color to_color() const;
    const StyleDimension& to_dimension() const;
    const Font& to_font() const;
    const Frame& to_frame() const;
    int32_t to_int() const;
    const Bex::Vector<StyleValue*>& to_list() const;
    const Pen& to_pen() const;
    float to_pixels_float() const;
    int32_t to_pixels_int() const;
    const Bex::String& to_string() const;

protected:
    explicit StyleValue(StyleValueType a_type) : m_type(a_type) {}
    virtual ~StyleValue() = default;

private:
    uint32_t m_reference_count = 0;
    StyleValueType m_type;
};

// Takes one reference for its lifetime; the usual way to hold a value outside a sheet.
class StyleValueReference
{
public:
    StyleValueReference() = default;
    explicit StyleValueReference(StyleValue* a_value) : m_value(a_value)
    {
        if (m_value)
            m_value->increase_reference_count();
    }
    StyleValueReference(const StyleValueReference& a_other) : StyleValueReference(a_other.m_value)
    {
    }
    StyleValueReference& operator=(const StyleValueReference& a_other)
    {
        StyleValueReference copy(a_other);
        std::swap(m_value, copy.m_value);
        return *this;
    }
    ~StyleValueReference()
    {
        if (m_value)
            m_value->decrease_reference_count();
    }

    StyleValue* get() const { return m_value; }
    StyleValue* operator->() const { return m_value; }
    StyleValue& operator*() const { return *m_value; }

private:
    StyleValue* m_value = nullptr;
};

} // namespace Kiv
