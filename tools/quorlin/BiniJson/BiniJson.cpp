#include "tools/quorlin/BiniJson/BiniJson.h"

#include "bex/Core/Exception.h"
#include "bex/Core/FormatMessage.h"
#include "bex/Core/String.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace quorlin
{

namespace
{

const char* const TYPE_NAMES[Bex::BiniValueType_ENUM_SIZE] = {
    "null",         "bool",        "double",       "double_array", "float",       "float_array",
    "int8",         "int8_array",  "int16",        "int16_array",  "int32",       "int32_array",
    "int64",        "int64_array", "string",       "uint8",        "uint8_array", "uint16",
    "uint16_array", "uint32",      "uint32_array", "uint64",       "uint64_array"};

[[noreturn]] void fail(const std::string& a_where, const std::string& a_what)
{
    throw Bex::Exception(Bex::String::from_utf8(a_where + ": " + a_what));
}

template <typename T>
T load(const uint8_t* a_bytes)
{
    T value;
    std::memcpy(&value, a_bytes, sizeof(T));
    return value;
}

template <typename T>
void store(std::vector<uint8_t>& a_out, T a_value)
{
    uint8_t bytes[sizeof(T)];
    std::memcpy(bytes, &a_value, sizeof(T));
    a_out.insert(a_out.end(), bytes, bytes + sizeof(T));
}

std::string to_hex(const uint8_t* a_bytes, size_t a_size)
{
    static const char DIGITS[] = "0123456789abcdef";
    std::string text;
    for (size_t i = 0; i < a_size; ++i)
    {
        text += DIGITS[a_bytes[i] >> 4];
        text += DIGITS[a_bytes[i] & 15];
    }
    return text;
}

std::vector<uint8_t> from_hex(const Json& a_json, const std::string& a_where)
{
    if (!a_json.is_string())
        fail(a_where, "expected a string of hexadecimal digits");
    const std::string& text = a_json.get_ref<const std::string&>();
    if (text.size() % 2)
        fail(a_where, "expected an even number of hexadecimal digits");
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < text.size(); i += 2)
    {
        unsigned value = 0;
        const auto result = std::from_chars(text.data() + i, text.data() + i + 2, value, 16);
        if (result.ec != std::errc() || result.ptr != text.data() + i + 2)
            fail(a_where, "expected hexadecimal digits");
        bytes.push_back(uint8_t(value));
    }
    return bytes;
}

Json bits_text(uint64_t a_bits, int a_digits)
{
    char text[24];
    std::snprintf(text, sizeof(text), "0x%0*llx", a_digits,
                  static_cast<unsigned long long>(a_bits));
    return text;
}

uint64_t parse_bits(const Json& a_json, const std::string& a_where, int a_digits)
{
    const std::string& text = a_json.get_ref<const std::string&>();
    uint64_t bits = 0;
    if (text.size() != size_t(a_digits) + 2 || text.compare(0, 2, "0x") != 0 ||
        std::from_chars(text.data() + 2, text.data() + text.size(), bits, 16).ptr !=
            text.data() + text.size())
        fail(a_where, "expected a number or a bit pattern of " + std::to_string(a_digits) +
                          " hexadecimal digits such as \"0x" + std::string(a_digits, '0') + "\"");
    return bits;
}

Json float_to_json(float a_value)
{
    if (std::isfinite(a_value))
    {
        // The double nearest to the float's shortest text prints as that text and converts back
        // to the same float, so the JSON shows 0.1 for 0.1f.
        char text[32];
        const auto end = std::to_chars(text, text + sizeof(text), a_value).ptr;
        *end = 0;
        const double wide = std::strtod(text, nullptr);
        if (std::bit_cast<uint32_t>(float(wide)) == std::bit_cast<uint32_t>(a_value))
            return wide;
    }
    return bits_text(std::bit_cast<uint32_t>(a_value), 8);
}

Json double_to_json(double a_value)
{
    if (std::isfinite(a_value))
        return a_value;
    return bits_text(std::bit_cast<uint64_t>(a_value), 16);
}

template <typename T>
T json_integer(const Json& a_json, const std::string& a_where)
{
    if (a_json.is_number_unsigned())
    {
        const uint64_t value = a_json.get<uint64_t>();
        if (value <= uint64_t(std::numeric_limits<T>::max()))
            return T(value);
    }
    else if (a_json.is_number_integer())
    {
        const int64_t value = a_json.get<int64_t>();
        if (value >= int64_t(std::numeric_limits<T>::min()) &&
            (value < 0 || uint64_t(value) <= uint64_t(std::numeric_limits<T>::max())))
            return T(value);
    }
    fail(a_where, "expected an integer from " + std::to_string(std::numeric_limits<T>::min()) +
                      " to " + std::to_string(std::numeric_limits<T>::max()));
}

void element_from_json(Bex::BiniValueType a_type, const Json& a_json, const std::string& a_where,
                       std::vector<uint8_t>& a_out)
{
    using namespace Bex;
    switch (a_type)
    {
    case BiniValueType_BOOL:
        if (a_json.is_boolean())
            a_out.push_back(a_json.get<bool>() ? 1 : 0);
        else
            a_out.push_back(json_integer<uint8_t>(a_json, a_where));
        return;
    case BiniValueType_FLOAT:
    case BiniValueType_FLOAT_ARRAY:
        if (a_json.is_string())
            store(a_out, uint32_t(parse_bits(a_json, a_where, 8)));
        else if (a_json.is_number())
        {
            const double wide = a_json.get<double>();
            const float value = float(wide);
            if (std::isinf(value))
                fail(a_where, "the number is too large for a float");
            store(a_out, value);
        }
        else
            fail(a_where, "expected a number");
        return;
    case BiniValueType_DOUBLE:
    case BiniValueType_DOUBLE_ARRAY:
        if (a_json.is_string())
            store(a_out, parse_bits(a_json, a_where, 16));
        else if (a_json.is_number())
            store(a_out, a_json.get<double>());
        else
            fail(a_where, "expected a number");
        return;
    case BiniValueType_INT8:
    case BiniValueType_INT8_ARRAY:
        store(a_out, json_integer<int8_t>(a_json, a_where));
        return;
    case BiniValueType_UINT8:
    case BiniValueType_UINT8_ARRAY:
        store(a_out, json_integer<uint8_t>(a_json, a_where));
        return;
    case BiniValueType_INT16:
    case BiniValueType_INT16_ARRAY:
        store(a_out, json_integer<int16_t>(a_json, a_where));
        return;
    case BiniValueType_UINT16:
    case BiniValueType_UINT16_ARRAY:
    case BiniValueType_STRING:
        store(a_out, json_integer<uint16_t>(a_json, a_where));
        return;
    case BiniValueType_INT32:
    case BiniValueType_INT32_ARRAY:
        store(a_out, json_integer<int32_t>(a_json, a_where));
        return;
    case BiniValueType_UINT32:
    case BiniValueType_UINT32_ARRAY:
        store(a_out, json_integer<uint32_t>(a_json, a_where));
        return;
    case BiniValueType_INT64:
    case BiniValueType_INT64_ARRAY:
        store(a_out, json_integer<int64_t>(a_json, a_where));
        return;
    case BiniValueType_UINT64:
    case BiniValueType_UINT64_ARRAY:
        store(a_out, json_integer<uint64_t>(a_json, a_where));
        return;
    default:
        fail(a_where, "this type has no value");
    }
}

Json id_to_json(uint32_t a_id)
{
    std::string text;
    for (int i = 0; i < 4; ++i)
    {
        const char byte = char(a_id >> (8 * i));
        if (byte < 0x20 || byte > 0x7E)
            return a_id;
        text += byte;
    }
    return text;
}

uint32_t id_from_json(const Json& a_json, const std::string& a_where)
{
    if (!a_json.is_string())
        return json_integer<uint32_t>(a_json, a_where);
    const std::string& text = a_json.get_ref<const std::string&>();
    if (text.size() != 4)
        fail(a_where, "expected four characters or a number");
    uint32_t id = 0;
    for (int i = 0; i < 4; ++i)
        id |= uint32_t(uint8_t(text[i])) << (8 * i);
    return id;
}

Json string_to_json(const std::vector<uint8_t>& a_payload)
{
    std::u16string units(a_payload.size() / 2, u'\0');
    std::memcpy(units.data(), a_payload.data(), a_payload.size());
    try
    {
        return Bex::utf16_to_utf8(units);
    }
    catch (const Bex::Exception&)
    {
        Json array = Json::array();
        for (char16_t unit : units)
            array.push_back(uint16_t(unit));
        return array;
    }
}

Json node_to_json(const RawBiniNode& a_node, bool a_root)
{
    Json json = Json::object();
    if (!a_root)
        json["id"] = id_to_json(a_node.id);
    json["type"] = bini_type_name(a_node.type);
    if (a_node.type == Bex::BiniValueType_STRING)
        json["value"] = string_to_json(a_node.payload);
    else if (const size_t element = raw_bini_element_size(a_node.type))
    {
        Json array = Json::array();
        for (size_t at = 0; at < a_node.payload.size(); at += element)
            array.push_back(bini_element_to_json(a_node.type, a_node.payload.data() + at));
        json["value"] = std::move(array);
    }
    else if (a_node.type != Bex::BiniValueType_NULL)
        json["value"] = bini_element_to_json(a_node.type, a_node.payload.data());
    if (!a_node.children.empty())
    {
        Json children = Json::array();
        for (const RawBiniNode& child : a_node.children)
            children.push_back(node_to_json(child, false));
        json["children"] = std::move(children);
    }
    return json;
}

Bex::BiniValueType type_from_json(const Json& a_json, const std::string& a_where)
{
    if (a_json.is_string())
    {
        for (int type = 0; type < Bex::BiniValueType_ENUM_SIZE; ++type)
        {
            if (a_json.get_ref<const std::string&>() == TYPE_NAMES[type])
                return Bex::BiniValueType(type);
        }
    }
    fail(a_where, "expected a type name such as \"uint32\" or \"float_array\"");
}

void check_keys(const Json& a_json, const std::string& a_where,
                std::initializer_list<const char*> a_allowed)
{
    if (!a_json.is_object())
        fail(a_where, "expected an object");
    for (const auto& item : a_json.items())
    {
        if (std::find_if(a_allowed.begin(), a_allowed.end(),
                         [&](const char* a_key) { return item.key() == a_key; }) == a_allowed.end())
            fail(a_where, "unknown key \"" + item.key() + "\"");
    }
}

void node_from_json(const Json& a_json, const std::string& a_where, bool a_root,
                    RawBiniNode& a_node, uint32_t a_depth)
{
    check_keys(a_json, a_where, {"id", "type", "value", "children"});
    if (a_depth > 256)
        fail(a_where, "nodes are nested too deeply");
    if (!a_root)
    {
        if (!a_json.contains("id"))
            fail(a_where, "the node has no \"id\"");
        a_node.id = id_from_json(a_json["id"], a_where + "/id");
    }
    else if (a_json.contains("id"))
        fail(a_where, "the root has no id");
    if (!a_json.contains("type"))
        fail(a_where, "the node has no \"type\"");
    a_node.type = type_from_json(a_json["type"], a_where + "/type");
    const std::string value_where = a_where + "/value";
    const bool has_value = a_json.contains("value");
    if (a_node.type == Bex::BiniValueType_NULL)
    {
        if (has_value)
            fail(value_where, "a null node has no value");
    }
    else if (!has_value)
        fail(a_where, "the node has no \"value\"");
    else if (a_node.type == Bex::BiniValueType_STRING && a_json["value"].is_string())
    {
        std::u16string units;
        try
        {
            units = Bex::utf8_to_utf16(a_json["value"].get_ref<const std::string&>());
        }
        catch (const Bex::Exception&)
        {
            fail(value_where, "the text is not valid UTF-8");
        }
        a_node.payload.resize(units.size() * 2);
        std::memcpy(a_node.payload.data(), units.data(), a_node.payload.size());
    }
    else if (raw_bini_element_size(a_node.type))
    {
        const Json& values = a_json["value"];
        if (!values.is_array())
            fail(value_where, "expected an array");
        for (size_t i = 0; i < values.size(); ++i)
            element_from_json(a_node.type, values[i], value_where + "/" + std::to_string(i),
                              a_node.payload);
    }
    else
        element_from_json(a_node.type, a_json["value"], value_where, a_node.payload);
    if (a_json.contains("children"))
    {
        const Json& children = a_json["children"];
        if (!children.is_array())
            fail(a_where + "/children", "expected an array");
        a_node.children.resize(children.size());
        for (size_t i = 0; i < children.size(); ++i)
            node_from_json(children[i], a_where + "/children/" + std::to_string(i), false,
                           a_node.children[i], a_depth + 1);
    }
}

} // namespace

const char* bini_type_name(Bex::BiniValueType a_type)
{
    return a_type < Bex::BiniValueType_ENUM_SIZE ? TYPE_NAMES[a_type] : "invalid";
}

Json bini_element_to_json(Bex::BiniValueType a_type, const uint8_t* a_bytes)
{
    using namespace Bex;
    switch (a_type)
    {
    case BiniValueType_BOOL:
        return a_bytes[0] <= 1 ? Json(a_bytes[0] == 1) : Json(a_bytes[0]);
    case BiniValueType_DOUBLE:
    case BiniValueType_DOUBLE_ARRAY:
        return double_to_json(load<double>(a_bytes));
    case BiniValueType_FLOAT:
    case BiniValueType_FLOAT_ARRAY:
        return float_to_json(load<float>(a_bytes));
    case BiniValueType_INT8:
    case BiniValueType_INT8_ARRAY:
        return load<int8_t>(a_bytes);
    case BiniValueType_UINT8:
    case BiniValueType_UINT8_ARRAY:
        return load<uint8_t>(a_bytes);
    case BiniValueType_INT16:
    case BiniValueType_INT16_ARRAY:
        return load<int16_t>(a_bytes);
    case BiniValueType_UINT16:
    case BiniValueType_UINT16_ARRAY:
    case BiniValueType_STRING:
        return load<uint16_t>(a_bytes);
    case BiniValueType_INT32:
    case BiniValueType_INT32_ARRAY:
        return load<int32_t>(a_bytes);
    case BiniValueType_UINT32:
    case BiniValueType_UINT32_ARRAY:
        return load<uint32_t>(a_bytes);
    case BiniValueType_INT64:
    case BiniValueType_INT64_ARRAY:
        return load<int64_t>(a_bytes);
    case BiniValueType_UINT64:
    case BiniValueType_UINT64_ARRAY:
        return load<uint64_t>(a_bytes);
    default:
        return nullptr;
    }
}

Json bini_to_json(const RawBiniFile& a_file)
{
    Json json = Json::object();
    json["format"] = "bini-json";
    const std::string preamble(a_file.preamble.begin(), a_file.preamble.end());
    bool text = true;
    try
    {
        Bex::utf8_to_utf16(preamble);
    }
    catch (const Bex::Exception&)
    {
        text = false;
    }
    if (text)
        json["preamble"] = preamble;
    else
        json["preamble_hex"] = to_hex(a_file.preamble.data(), a_file.preamble.size());
    if (a_file.header_reserved)
        json["header_reserved"] = a_file.header_reserved;
    json["root"] = node_to_json(a_file.root, true);
    if (!a_file.trailing.empty())
        json["trailing_hex"] = to_hex(a_file.trailing.data(), a_file.trailing.size());
    return json;
}

RawBiniFile bini_from_json(const Json& a_json)
{
    check_keys(a_json, "/",
               {"format", "preamble", "preamble_hex", "header_reserved", "root", "trailing_hex"});
    if (a_json.value("format", "") != "bini-json")
        fail("/format", "expected \"bini-json\"");
    RawBiniFile file;
    if (a_json.contains("preamble") == a_json.contains("preamble_hex"))
        fail("/", "expected either \"preamble\" or \"preamble_hex\"");
    if (a_json.contains("preamble"))
    {
        if (!a_json["preamble"].is_string())
            fail("/preamble", "expected a string");
        const std::string& text = a_json["preamble"].get_ref<const std::string&>();
        file.preamble.assign(text.begin(), text.end());
    }
    else
        file.preamble = from_hex(a_json["preamble_hex"], "/preamble_hex");
    if (a_json.contains("header_reserved"))
        file.header_reserved = json_integer<uint8_t>(a_json["header_reserved"], "/header_reserved");
    if (!a_json.contains("root"))
        fail("/", "there is no \"root\"");
    node_from_json(a_json["root"], "/root", true, file.root, 0);
    if (a_json.contains("trailing_hex"))
        file.trailing = from_hex(a_json["trailing_hex"], "/trailing_hex");
    return file;
}

} // namespace quorlin
