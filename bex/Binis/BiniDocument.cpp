#include "bex/Binis/BiniDocument.h"

#include "bex/Core/Assert.h"

#include <algorithm>
#include <cstring>

namespace Bex
{

namespace
{

const unsigned char MAGIC_AND_HEADER[8] = {0x00, 0xFF, 0x01, 0xFE, 0x01, 0x02, 0x03, 0x00};

// The smallest record of a child: id, type code and child count.
constexpr uint64_t MIN_CHILD_RECORD_BYTES = 4 + 1 + 4;

// Without a known remainder, payloads are read in steps of this size, so a lying length costs no
// more memory than the bytes that really follow it.
constexpr size_t READ_STEP = 64 * 1024;

[[noreturn]] void throw_too_deep()
{
    throw Exception(String(u"Bini nodes are nested too deeply."));
}

void check_remaining(DataInputStream& a_input, uint64_t a_bytes, const char16_t* a_message)
{
    const std::optional<uint64_t> remaining = a_input.get_remaining();
    if (remaining && a_bytes > *remaining)
        throw Exception(String(a_message));
}

} // namespace

void BiniDocument::load(InputStream* a_input, const void* a_preamble, size_t a_preamble_length)
{
    BEX_ASSERT(a_preamble || !a_preamble_length);
    m_root.clear();
    DataInputStream input(a_input, Endiannes_LITTLE);
    try
    {
        m_scratch.resize(a_preamble_length);
        input.read(a_preamble_length, m_scratch.data());
        if (a_preamble_length && std::memcmp(m_scratch.data(), a_preamble, a_preamble_length) != 0)
            throw Exception(String(u"Invalid preamble."));

        unsigned char header[8];
        input.read(8, header);
        if (std::memcmp(header, MAGIC_AND_HEADER, 4) != 0)
            throw Exception(String(u"Invalid magic bytes."));
        if (std::memcmp(header + 4, MAGIC_AND_HEADER + 4, 3) != 0)
            throw Exception(String(u"Invalid header"));

        p_read_node(m_root, input, 0);
    }
    catch (...)
    {
        std::vector<unsigned char>().swap(m_scratch);
        throw;
    }
    // A large array must not stay allocated for the document's lifetime.
    std::vector<unsigned char>().swap(m_scratch);
}

void BiniDocument::p_read_node(BiniNode& a_node, DataInputStream& a_input, uint32_t a_depth)
{
    const uint8_t code = a_input.read_uint8();
    if (code >= BiniValueType_ENUM_SIZE)
        throw Exception(String(u"Unknown node type."));
    p_read_value(a_node, BiniValueType(code), a_input);

    const uint32_t count = a_input.read_uint32();
    if (!count)
        return;
    if (a_depth >= MAX_DEPTH)
        throw_too_deep();
    check_remaining(a_input, count * MIN_CHILD_RECORD_BYTES,
                    u"Bini child count larger than the remaining input.");
    for (uint32_t i = 0; i < count; ++i)
    {
        const uint32_t id = a_input.read_uint32();
        p_read_node(a_node.add_child(id), a_input, a_depth + 1);
    }
}

void BiniDocument::p_read_value(BiniNode& a_node, BiniValueType a_type, DataInputStream& a_input)
{
    switch (a_type)
    {
    case BiniValueType_NULL:
        a_node.clear_value();
        return;
    case BiniValueType_BOOL:
        a_node.set_value_bool(a_input.read_uint8() != 0);
        return;
    case BiniValueType_DOUBLE:
        a_node.set_value_double(a_input.read_double());
        return;
    case BiniValueType_FLOAT:
        a_node.set_value_float(a_input.read_float());
        return;
    case BiniValueType_INT8:
        a_node.set_value_int8(int8_t(a_input.read_uint8()));
        return;
    case BiniValueType_INT16:
        a_node.set_value_int16(int16_t(a_input.read_uint16()));
        return;
    case BiniValueType_INT32:
        a_node.set_value_int32(int32_t(a_input.read_uint32()));
        return;
    case BiniValueType_INT64:
        a_node.set_value_int64(int64_t(a_input.read_uint64()));
        return;
    case BiniValueType_UINT8:
        a_node.set_value_uint8(a_input.read_uint8());
        return;
    case BiniValueType_UINT16:
        a_node.set_value_uint16(a_input.read_uint16());
        return;
    case BiniValueType_UINT32:
        a_node.set_value_uint32(a_input.read_uint32());
        return;
    case BiniValueType_UINT64:
        a_node.set_value_uint64(a_input.read_uint64());
        return;
    case BiniValueType_STRING:
    {
        const uint32_t length = a_input.read_uint32();
        p_read_scratch(a_input, uint64_t(length) * 2);
        String text(length, u'\0');
        if (length)
            std::memcpy(text.data(), m_scratch.data(), size_t(length) * 2);
        a_node.set_value_string(text);
        return;
    }
    default:
    {
        const uint32_t count = a_input.read_uint32();
        p_read_scratch(a_input, uint64_t(count) * bini_array_element_size(a_type));
        a_node.p_set_array(a_type, m_scratch.data(), count);
        return;
    }
    }
}

void BiniDocument::p_read_scratch(DataInputStream& a_input, uint64_t a_bytes)
{
    check_remaining(a_input, a_bytes, u"Bini value longer than the remaining input.");
    if (a_input.get_remaining())
    {
        m_scratch.resize(size_t(a_bytes));
        a_input.read(size_t(a_bytes), m_scratch.data());
        return;
    }
    m_scratch.clear();
    while (m_scratch.size() < a_bytes)
    {
        const size_t step = size_t(std::min<uint64_t>(READ_STEP, a_bytes - m_scratch.size()));
        const size_t offset = m_scratch.size();
        m_scratch.resize(offset + step);
        a_input.read(step, m_scratch.data() + offset);
    }
}

void BiniDocument::save(OutputStream* a_output, const void* a_preamble,
                        size_t a_preamble_length) const
{
    BEX_ASSERT(a_preamble || !a_preamble_length);
    DataOutputStream output(a_output, Endiannes_LITTLE);
    if (output.try_write(a_preamble, a_preamble_length) < a_preamble_length)
        throw OperationFailedException();
    output.write(MAGIC_AND_HEADER, sizeof(MAGIC_AND_HEADER));
    p_write_node(m_root, output, 0);
}

void BiniDocument::p_write_node(const BiniNode& a_node, DataOutputStream& a_output,
                                uint32_t a_depth)
{
    const BiniNode::Children& children = a_node.get_children();
    if (!children.empty() && a_depth >= MAX_DEPTH)
        throw_too_deep();
    if (a_depth)
        a_output.write_uint32(a_node.get_id());
    const BiniValueType type = a_node.get_value_type();
    if (type >= BiniValueType_ENUM_SIZE)
        throw Exception(String(u"Invalid bini node type when saving."));
    a_output.write_uint8(type);

    switch (type)
    {
    case BiniValueType_NULL:
        break;
    case BiniValueType_BOOL:
        a_output.write_uint8(a_node.get_value_bool() ? 1 : 0);
        break;
    case BiniValueType_DOUBLE:
        a_output.write_double(a_node.get_value_double());
        break;
    case BiniValueType_FLOAT:
        a_output.write_float(a_node.get_value_float());
        break;
    case BiniValueType_INT8:
        a_output.write_uint8(uint8_t(a_node.get_value_int8()));
        break;
    case BiniValueType_UINT8:
        a_output.write_uint8(a_node.get_value_uint8());
        break;
    case BiniValueType_INT16:
        a_output.write_uint16(uint16_t(a_node.get_value_int16()));
        break;
    case BiniValueType_UINT16:
        a_output.write_uint16(a_node.get_value_uint16());
        break;
    case BiniValueType_INT32:
        a_output.write_uint32(uint32_t(a_node.get_value_int32()));
        break;
    case BiniValueType_UINT32:
        a_output.write_uint32(a_node.get_value_uint32());
        break;
    case BiniValueType_INT64:
        a_output.write_uint64(uint64_t(a_node.get_value_int64()));
        break;
    case BiniValueType_UINT64:
        a_output.write_uint64(a_node.get_value_uint64());
        break;
    case BiniValueType_STRING:
    {
        const String& text = a_node.get_value_string();
        BEX_ASSERT(text.size() <= UINT32_MAX);
        a_output.write_uint32(uint32_t(text.size()));
        a_output.write_array16(text.data(), text.size());
        break;
    }
    default:
    {
        const uint32_t size = bini_array_element_size(type);
        a_output.write_uint32(a_node.get_array_count());
        a_output.write(a_node.p_array_bytes(), size_t(size) * a_node.get_array_count());
        break;
    }
    }

    a_output.write_uint32(uint32_t(children.size()));
    for (const auto& [id, child] : children)
        p_write_node(*child, a_output, a_depth + 1);
}

} // namespace Bex
