#include "bex/Binis/BiniNode.h"

#include "bex/Binis/BiniException_ChildNotFound.h"
#include "bex/Core/Assert.h"

#include <cstring>

namespace Bex
{

BiniNode::BiniNode() = default;

BiniNode::BiniNode(uint32_t a_id, BiniNode* a_parent) : m_id(a_id), m_parent(a_parent) {}

BiniNode::~BiniNode() = default;

BiniNode& BiniNode::add_child(uint32_t a_id)
{
    BEX_ASSERT(!m_children.has_key(a_id));
    std::unique_ptr<BiniNode> child(new BiniNode(a_id, this));
    return *m_children.insert_new(a_id, std::move(child));
}

BiniNode& BiniNode::get_child(uint32_t a_id)
{
    BiniNode* child = find_child(a_id);
    if (!child)
        throw BiniException_ChildNotFound(get_path(), id_to_string(a_id));
    return *child;
}

const BiniNode& BiniNode::get_child(uint32_t a_id) const
{
    return const_cast<BiniNode*>(this)->get_child(a_id);
}

BiniNode* BiniNode::find_child(uint32_t a_id)
{
    std::unique_ptr<BiniNode>* child = m_children.find_value(a_id);
    return child ? child->get() : nullptr;
}

const BiniNode* BiniNode::find_child(uint32_t a_id) const
{
    return const_cast<BiniNode*>(this)->find_child(a_id);
}

int32_t BiniNode::get_child_int32_or_minus_one(uint32_t a_id) const
{
    const BiniNode* child = find_child(a_id);
    if (!child || child->m_value_type != BiniValueType_INT32)
        return -1;
    return child->m_value.int32;
}

// The assertion text names the expected type, so each accessor spells out its own condition.
#define BEX_BINI_SCALAR_ACCESSORS(NAME, TYPE, VALUE_TYPE, MEMBER)                                  \
    void BiniNode::set_value_##NAME(TYPE a_value)                                                  \
    {                                                                                              \
        clear_value();                                                                             \
        m_value_type = VALUE_TYPE;                                                                 \
        m_value.MEMBER = a_value;                                                                  \
    }                                                                                              \
    TYPE BiniNode::get_value_##NAME() const                                                        \
    {                                                                                              \
        BEX_ASSERT(m_value_type == VALUE_TYPE);                                                    \
        return m_value.MEMBER;                                                                     \
    }

BEX_BINI_SCALAR_ACCESSORS(bool, bool, BiniValueType_BOOL, boolean)
BEX_BINI_SCALAR_ACCESSORS(double, double, BiniValueType_DOUBLE, float64)
BEX_BINI_SCALAR_ACCESSORS(float, float, BiniValueType_FLOAT, float32)
BEX_BINI_SCALAR_ACCESSORS(int8, int8_t, BiniValueType_INT8, int8)
BEX_BINI_SCALAR_ACCESSORS(int16, int16_t, BiniValueType_INT16, int16)
BEX_BINI_SCALAR_ACCESSORS(int32, int32_t, BiniValueType_INT32, int32)
BEX_BINI_SCALAR_ACCESSORS(int64, int64_t, BiniValueType_INT64, int64)
BEX_BINI_SCALAR_ACCESSORS(uint8, uint8_t, BiniValueType_UINT8, uint8)
BEX_BINI_SCALAR_ACCESSORS(uint16, uint16_t, BiniValueType_UINT16, uint16)
BEX_BINI_SCALAR_ACCESSORS(uint32, uint32_t, BiniValueType_UINT32, uint32)
BEX_BINI_SCALAR_ACCESSORS(uint64, uint64_t, BiniValueType_UINT64, uint64)

#define BEX_BINI_ARRAY_ACCESSORS(NAME, TYPE, VALUE_TYPE)                                           \
    void BiniNode::set_value_##NAME##_array(const TYPE* a_values, uint32_t a_count)                \
    {                                                                                              \
        p_set_array(VALUE_TYPE, a_values, a_count);                                                \
    }                                                                                              \
    Vector<TYPE> BiniNode::get_value_##NAME##_array() const                                        \
    {                                                                                              \
        BEX_ASSERT(m_value_type == VALUE_TYPE);                                                    \
        return p_copy_array<TYPE>();                                                               \
    }

BEX_BINI_ARRAY_ACCESSORS(double, double, BiniValueType_DOUBLE_ARRAY)
BEX_BINI_ARRAY_ACCESSORS(float, float, BiniValueType_FLOAT_ARRAY)
BEX_BINI_ARRAY_ACCESSORS(int8, int8_t, BiniValueType_INT8_ARRAY)
BEX_BINI_ARRAY_ACCESSORS(int16, int16_t, BiniValueType_INT16_ARRAY)
BEX_BINI_ARRAY_ACCESSORS(int32, int32_t, BiniValueType_INT32_ARRAY)
BEX_BINI_ARRAY_ACCESSORS(int64, int64_t, BiniValueType_INT64_ARRAY)
BEX_BINI_ARRAY_ACCESSORS(uint8, uint8_t, BiniValueType_UINT8_ARRAY)
BEX_BINI_ARRAY_ACCESSORS(uint16, uint16_t, BiniValueType_UINT16_ARRAY)
BEX_BINI_ARRAY_ACCESSORS(uint32, uint32_t, BiniValueType_UINT32_ARRAY)
BEX_BINI_ARRAY_ACCESSORS(uint64, uint64_t, BiniValueType_UINT64_ARRAY)

#undef BEX_BINI_SCALAR_ACCESSORS
#undef BEX_BINI_ARRAY_ACCESSORS

void BiniNode::set_value_string(std::u16string_view a_value)
{
    // Copy first: a_value may view the string this node is about to free.
    auto copy = std::make_unique<String>(a_value);
    clear_value();
    m_value_type = BiniValueType_STRING;
    m_string = std::move(copy);
}

const String& BiniNode::get_value_string() const
{
    BEX_ASSERT(m_value_type == BiniValueType_STRING);
    return *m_string;
}

void BiniNode::p_set_array(BiniValueType a_type, const void* a_bytes, uint32_t a_count)
{
    BEX_ASSERT(a_bytes || !a_count);
    const size_t bytes = size_t(bini_array_element_size(a_type)) * a_count;
    auto copy = std::make_unique_for_overwrite<unsigned char[]>(bytes);
    if (bytes)
        std::memcpy(copy.get(), a_bytes, bytes);
    clear_value();
    m_value_type = a_type;
    m_array = std::move(copy);
    m_array_count = a_count;
}

template <typename T>
Vector<T> BiniNode::p_copy_array() const
{
    Vector<T> values(m_array_count);
    if (m_array_count)
        std::memcpy(values.data(), m_array.get(), sizeof(T) * m_array_count);
    return values;
}

void BiniNode::clear_value()
{
    m_string.reset();
    m_array.reset();
    m_array_count = 0;
    m_value = Scalar{};
    m_value_type = BiniValueType_NULL;
}

void BiniNode::clear()
{
    m_children.clear();
    clear_value();
}

String BiniNode::get_path() const
{
    if (!m_parent)
        return String(u"/");
    String path = m_parent->get_path();
    if (path.back() != u'/')
        path.push_back(u'/');
    return path + id_to_string(m_id);
}

String BiniNode::id_to_string(uint32_t a_id)
{
    String text;
    for (int i = 0; i < 4; ++i)
    {
        const char16_t byte = char16_t((a_id >> (8 * i)) & 0xFF);
        if (byte < 0x20 || byte > 0x7E)
            return String::from_ascii(std::to_string(a_id));
        text.push_back(byte);
    }
    return text;
}

} // namespace Bex
