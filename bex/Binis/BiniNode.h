#pragma once

#include "bex/Binis/BiniValueType.h"
#include "bex/Containers/Map.h"
#include "bex/Core/String.h"
#include "bex/Core/Vector.h"

#include <cstdint>
#include <memory>

namespace Bex
{

// One node of a Bini tree: an id unique among its siblings, one typed value and its children,
// which it owns. Strings and arrays are owned copies.
class BiniNode
{
public:
    using Children = Map<uint32_t, std::unique_ptr<BiniNode>>;

    // A root: no parent, and its id is never stored.
    BiniNode();
    BiniNode(const BiniNode&) = delete;
    BiniNode& operator=(const BiniNode&) = delete;
    ~BiniNode();

    uint32_t get_id() const { return m_id; }
    BiniNode* get_parent() const { return m_parent; }
    // Ascending by id.
    const Children& get_children() const { return m_children; }

    // A new empty child (no value, no children); the id must not be taken yet.
    BiniNode& add_child(uint32_t a_id);
    // Throws BiniException_ChildNotFound when there is no child with a_id.
    BiniNode& get_child(uint32_t a_id);
    const BiniNode& get_child(uint32_t a_id) const;
    // Null when there is no child with a_id.
    BiniNode* find_child(uint32_t a_id);
    const BiniNode* find_child(uint32_t a_id) const;
    // The child's value when the child exists and holds an INT32, else -1.
    int32_t get_child_int32_or_minus_one(uint32_t a_id) const;

    BiniValueType get_value_type() const { return m_value_type; }

    void set_value_bool(bool a_value);
    void set_value_double(double a_value);
    void set_value_float(float a_value);
    void set_value_int8(int8_t a_value);
    void set_value_int16(int16_t a_value);
    void set_value_int32(int32_t a_value);
    void set_value_int64(int64_t a_value);
    void set_value_uint8(uint8_t a_value);
    void set_value_uint16(uint16_t a_value);
    void set_value_uint32(uint32_t a_value);
    void set_value_uint64(uint64_t a_value);
    void set_value_string(std::u16string_view a_value);

    // Each copies a_count elements.
    void set_value_double_array(const double* a_values, uint32_t a_count);
    void set_value_float_array(const float* a_values, uint32_t a_count);
    void set_value_int8_array(const int8_t* a_values, uint32_t a_count);
    void set_value_int16_array(const int16_t* a_values, uint32_t a_count);
    void set_value_int32_array(const int32_t* a_values, uint32_t a_count);
    void set_value_int64_array(const int64_t* a_values, uint32_t a_count);
    void set_value_uint8_array(const uint8_t* a_values, uint32_t a_count);
    void set_value_uint16_array(const uint16_t* a_values, uint32_t a_count);
    void set_value_uint32_array(const uint32_t* a_values, uint32_t a_count);
    void set_value_uint64_array(const uint64_t* a_values, uint32_t a_count);

    // Each asserts that the node holds that type.
    bool get_value_bool() const;
    double get_value_double() const;
    float get_value_float() const;
    int8_t get_value_int8() const;
    int16_t get_value_int16() const;
    int32_t get_value_int32() const;
    int64_t get_value_int64() const;
    uint8_t get_value_uint8() const;
    uint16_t get_value_uint16() const;
    uint32_t get_value_uint32() const;
    uint64_t get_value_uint64() const;
    const String& get_value_string() const;

    Vector<double> get_value_double_array() const;
    Vector<float> get_value_float_array() const;
    Vector<int8_t> get_value_int8_array() const;
    Vector<int16_t> get_value_int16_array() const;
    Vector<int32_t> get_value_int32_array() const;
    Vector<int64_t> get_value_int64_array() const;
    Vector<uint8_t> get_value_uint8_array() const;
    Vector<uint16_t> get_value_uint16_array() const;
    Vector<uint32_t> get_value_uint32_array() const;
    Vector<uint64_t> get_value_uint64_array() const;
    // Element count of an array value, 0 for other values.
    uint32_t get_array_count() const { return m_array_count; }

    // Frees an owned string or array and leaves the type NULL.
    void clear_value();
    // Destroys every child and clears the value.
    void clear();

    // "/" for a root, else the parent's path and this node's id, as in /Prog/Para.
    String get_path() const;
    // The four bytes of a_id, least significant first, when all are printable ASCII; else the
    // unsigned decimal number.
    static String id_to_string(uint32_t a_id);

private:
    friend class BiniDocument;

    union Scalar
    {
        bool boolean;
        double float64;
        float float32;
        int8_t int8;
        int16_t int16;
        int32_t int32;
        int64_t int64;
        uint8_t uint8;
        uint16_t uint16;
        uint32_t uint32;
        uint64_t uint64;
    };

    BiniNode(uint32_t a_id, BiniNode* a_parent);

    // Copies a_count elements of the array type's size from a_bytes.
    void p_set_array(BiniValueType a_type, const void* a_bytes, uint32_t a_count);
    template <typename T>
    Vector<T> p_copy_array() const;
    const unsigned char* p_array_bytes() const { return m_array.get(); }

    uint32_t m_id = 0;
    BiniNode* m_parent = nullptr;
    Children m_children;
    BiniValueType m_value_type = BiniValueType_NULL;
    Scalar m_value{};
    std::unique_ptr<String> m_string;
    std::unique_ptr<unsigned char[]> m_array;
    uint32_t m_array_count = 0;
};

} // namespace Bex
