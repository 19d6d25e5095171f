#include "tools/quorlin/BiniJson/RawBini.h"

#include "bex/Core/Exception.h"
#include "bex/Core/FormatMessage.h"

#include <algorithm>
#include <cstring>

namespace quorlin
{

namespace
{

const uint8_t MAGIC[4] = {0x00, 0xFF, 0x01, 0xFE};
const uint8_t HEADER[3] = {0x01, 0x02, 0x03};
// As deep as Bex::BiniDocument reads, so that a file this tool accepts also loads there.
constexpr uint32_t MAX_DEPTH = 256;
// id, type code and child count.
constexpr size_t MIN_CHILD_BYTES = 9;

Bex::String number(uint64_t a_value)
{
    return Bex::String::from_number(int64_t(a_value));
}

class Reader
{
public:
    Reader(const std::vector<uint8_t>& a_bytes, size_t a_position)
        : m_bytes(a_bytes), m_position(a_position)
    {
    }

    size_t position() const { return m_position; }
    size_t remaining() const { return m_bytes.size() - m_position; }

    void need(size_t a_bytes) const
    {
        if (a_bytes > remaining())
            throw Bex::Exception(Bex::format_message(
                u"The data ends early: @1 more bytes needed at byte @2, @3 left.",
                {number(a_bytes), number(m_position), number(remaining())}));
    }

    uint32_t u32()
    {
        need(4);
        const uint8_t* p = m_bytes.data() + m_position;
        m_position += 4;
        return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    }

    uint8_t u8()
    {
        need(1);
        return m_bytes[m_position++];
    }

    void take(size_t a_bytes, std::vector<uint8_t>& a_target)
    {
        need(a_bytes);
        a_target.assign(m_bytes.begin() + m_position, m_bytes.begin() + m_position + a_bytes);
        m_position += a_bytes;
    }

    void read_node(RawBiniNode& a_node, uint32_t a_depth)
    {
        const size_t type_position = m_position;
        const uint8_t type = u8();
        if (type >= Bex::BiniValueType_ENUM_SIZE)
            throw Bex::Exception(Bex::format_message(u"Unknown node type @1 at byte @2.",
                                                     {number(type), number(type_position)}));
        a_node.type = Bex::BiniValueType(type);
        const size_t element = raw_bini_element_size(a_node.type);
        if (element)
        {
            const uint64_t count = u32();
            if (count > remaining() / element)
                throw Bex::Exception(
                    Bex::format_message(u"A count of @1 at byte @2 is more than the data holds.",
                                        {number(count), number(m_position - 4)}));
            take(size_t(count) * element, a_node.payload);
        }
        else
        {
            take(raw_bini_scalar_size(a_node.type), a_node.payload);
        }
        const size_t count_position = m_position;
        const uint32_t children = u32();
        if (children > remaining() / MIN_CHILD_BYTES)
            throw Bex::Exception(
                Bex::format_message(u"A child count of @1 at byte @2 is more than the data holds.",
                                    {number(children), number(count_position)}));
        if (children && a_depth >= MAX_DEPTH)
            throw Bex::Exception(Bex::String(u"Bini nodes are nested too deeply."));
        a_node.children.resize(children);
        for (RawBiniNode& child : a_node.children)
        {
            child.id = u32();
            read_node(child, a_depth + 1);
        }
    }

private:
    const std::vector<uint8_t>& m_bytes;
    size_t m_position;
};

RawBiniFile parse_at(const std::vector<uint8_t>& a_bytes, size_t a_magic)
{
    RawBiniFile file;
    file.preamble.assign(a_bytes.begin(), a_bytes.begin() + a_magic);
    Reader reader(a_bytes, a_magic);
    reader.need(8);
    if (reader.u32() != 0xFE01FF00u)
        throw Bex::Exception(Bex::String(u"Invalid magic bytes."));
    if (std::memcmp(a_bytes.data() + reader.position(), HEADER, 3) != 0)
        throw Bex::Exception(Bex::String(u"Invalid header"));
    file.header_reserved = a_bytes[reader.position() + 3];
    reader.u32();
    reader.read_node(file.root, 0);
    file.trailing.assign(a_bytes.begin() + reader.position(), a_bytes.end());
    return file;
}

void put_u32(std::vector<uint8_t>& a_out, uint32_t a_value)
{
    for (int shift = 0; shift < 32; shift += 8)
        a_out.push_back(uint8_t(a_value >> shift));
}

void write_node(std::vector<uint8_t>& a_out, const RawBiniNode& a_node, bool a_root)
{
    if (!a_root)
        put_u32(a_out, a_node.id);
    a_out.push_back(uint8_t(a_node.type));
    const size_t element = raw_bini_element_size(a_node.type);
    if (element)
        put_u32(a_out, uint32_t(a_node.payload.size() / element));
    a_out.insert(a_out.end(), a_node.payload.begin(), a_node.payload.end());
    put_u32(a_out, uint32_t(a_node.children.size()));
    for (const RawBiniNode& child : a_node.children)
        write_node(a_out, child, false);
}

} // namespace

size_t raw_bini_scalar_size(Bex::BiniValueType a_type)
{
    switch (a_type)
    {
    case Bex::BiniValueType_BOOL:
    case Bex::BiniValueType_INT8:
    case Bex::BiniValueType_UINT8:
        return 1;
    case Bex::BiniValueType_INT16:
    case Bex::BiniValueType_UINT16:
        return 2;
    case Bex::BiniValueType_FLOAT:
    case Bex::BiniValueType_INT32:
    case Bex::BiniValueType_UINT32:
        return 4;
    case Bex::BiniValueType_DOUBLE:
    case Bex::BiniValueType_INT64:
    case Bex::BiniValueType_UINT64:
        return 8;
    default:
        return 0;
    }
}

size_t raw_bini_element_size(Bex::BiniValueType a_type)
{
    return a_type == Bex::BiniValueType_STRING ? 2 : Bex::bini_array_element_size(a_type);
}

RawBiniFile parse_raw_bini(const std::vector<uint8_t>& a_bytes)
{
    std::unique_ptr<Bex::Exception> first_failure;
    auto at = a_bytes.begin();
    while ((at = std::search(at, a_bytes.end(), std::begin(MAGIC), std::end(MAGIC))) !=
           a_bytes.end())
    {
        try
        {
            return parse_at(a_bytes, size_t(at - a_bytes.begin()));
        }
        catch (const Bex::Exception& failure)
        {
            if (!first_failure)
                first_failure = failure.clone();
        }
        ++at;
    }
    if (first_failure)
        throw *first_failure;
    throw Bex::Exception(Bex::String(
        u"No magic bytes 00 FF 01 FE found, so this is not a Bini file: a Bini file is a "
        u"preamble of any bytes followed by 00 FF 01 FE, the header 01 02 03 00 and the nodes."));
}

RawBiniFile parse_raw_bini(const std::vector<uint8_t>& a_bytes, size_t a_preamble_length)
{
    if (a_preamble_length > a_bytes.size())
        throw Bex::Exception(Bex::String(u"Invalid preamble."));
    return parse_at(a_bytes, a_preamble_length);
}

std::vector<uint8_t> write_raw_bini(const RawBiniFile& a_file)
{
    std::vector<uint8_t> out = a_file.preamble;
    out.insert(out.end(), std::begin(MAGIC), std::end(MAGIC));
    out.insert(out.end(), std::begin(HEADER), std::end(HEADER));
    out.push_back(a_file.header_reserved);
    write_node(out, a_file.root, true);
    out.insert(out.end(), a_file.trailing.begin(), a_file.trailing.end());
    return out;
}

} // namespace quorlin
