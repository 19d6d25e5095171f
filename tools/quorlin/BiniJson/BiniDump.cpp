#include "tools/quorlin/BiniJson/BiniDump.h"

#include "tools/quorlin/BiniJson/BiniJson.h"

#include "bex/Core/Exception.h"
#include "bex/Core/String.h"

namespace quorlin
{

namespace
{

std::string id_text(uint32_t a_id)
{
    std::string text;
    for (int i = 0; i < 4; ++i)
    {
        const char byte = char(a_id >> (8 * i));
        if (byte < 0x20 || byte > 0x7E)
            return std::to_string(a_id);
        text += byte;
    }
    return "\"" + text + "\"";
}

std::string value_text(const RawBiniNode& a_node, size_t a_max_elements)
{
    if (a_node.type == Bex::BiniValueType_NULL)
        return "";
    const size_t element = raw_bini_element_size(a_node.type);
    if (!element)
        return std::string(" ") + bini_element_to_json(a_node.type, a_node.payload.data()).dump();
    const size_t count = a_node.payload.size() / element;
    if (a_node.type == Bex::BiniValueType_STRING)
    {
        std::u16string units(count, u'\0');
        for (size_t i = 0; i < count; ++i)
            units[i] = char16_t(a_node.payload[2 * i] | a_node.payload[2 * i + 1] << 8);
        try
        {
            return std::string(" ") + Json(Bex::utf16_to_utf8(units)).dump();
        }
        catch (const Bex::Exception&)
        {
            // Not valid UTF-16: the code units follow, as for an array.
        }
    }
    std::string text = std::string("[") + std::to_string(count) + "]";
    for (size_t i = 0; i < count && i < a_max_elements; ++i)
    {
        text += " ";
        text += bini_element_to_json(a_node.type, a_node.payload.data() + i * element).dump();
    }
    if (count > a_max_elements)
        text += std::string(" ... (") + std::to_string(count - a_max_elements) + " more)";
    return text;
}

void dump_node(std::string& a_out, const RawBiniNode& a_node, bool a_root, size_t a_indent,
               size_t a_max_elements)
{
    a_out += std::string(a_indent, ' ');
    a_out += a_root ? std::string("/") : id_text(a_node.id);
    a_out += " ";
    a_out += bini_type_name(a_node.type);
    a_out += value_text(a_node, a_max_elements);
    a_out += "\n";
    for (const RawBiniNode& child : a_node.children)
        dump_node(a_out, child, false, a_indent + 2, a_max_elements);
}

std::string hex(const std::vector<uint8_t>& a_bytes, size_t a_limit)
{
    std::string text;
    char digits[4];
    for (size_t i = 0; i < a_bytes.size() && i < a_limit; ++i)
    {
        std::snprintf(digits, sizeof(digits), "%02x", a_bytes[i]);
        text += i ? " " : "";
        text += digits;
    }
    if (a_bytes.size() > a_limit)
        text += " ...";
    return text;
}

} // namespace

std::string dump_bini(const RawBiniFile& a_file, size_t a_max_elements)
{
    std::string out = "preamble: " + std::to_string(a_file.preamble.size()) + " bytes";
    const Json preamble = bini_to_json(RawBiniFile{a_file.preamble, 0, {}, {}});
    if (preamble.contains("preamble"))
        out += ", " + preamble["preamble"].dump();
    else
        out += ", " + hex(a_file.preamble, 64);
    out += "\nmagic: 00 ff 01 fe at byte " + std::to_string(a_file.preamble.size());
    char header[32];
    std::snprintf(header, sizeof(header), "\nheader: 01 02 03 %02x\n", a_file.header_reserved);
    out += header;
    dump_node(out, a_file.root, true, 0, a_max_elements);
    if (!a_file.trailing.empty())
        out += std::string("after the root: ") + std::to_string(a_file.trailing.size()) +
               " bytes that readers ignore: " + hex(a_file.trailing, 32) + "\n";
    return out;
}

} // namespace quorlin
