#pragma once

#include "bex/Binis/BiniNode.h"
#include "bex/Streams/DataInputStream.h"
#include "bex/Streams/DataOutputStream.h"

#include <vector>

namespace Bex
{

// A Bini tree with its stream form: a caller's preamble, the magic bytes 00 FF 01 FE, the header
// 01 02 03 00 and the root's record. Loading is safe against any bytes: lengths the input cannot
// hold and nesting deeper than MAX_DEPTH fail with an exception before memory or stack is spent.
class BiniDocument
{
public:
    // Levels below the root that a document may have.
    static constexpr uint32_t MAX_DEPTH = 256;

    BiniDocument() = default;
    BiniDocument(const BiniDocument&) = delete;
    BiniDocument& operator=(const BiniDocument&) = delete;

    BiniNode& get_root() { return m_root; }
    const BiniNode& get_root() const { return m_root; }

    // Replaces the root's content with the stream's. On failure the tree is left as far as it got;
    // callers discard it.
    void load(InputStream* a_input, const void* a_preamble, size_t a_preamble_length);
    void save(OutputStream* a_output, const void* a_preamble, size_t a_preamble_length) const;

private:
    void p_read_node(BiniNode& a_node, DataInputStream& a_input, uint32_t a_depth);
    void p_read_value(BiniNode& a_node, BiniValueType a_type, DataInputStream& a_input);
    // Reads a_bytes bytes into the scratch buffer, growing it only as bytes actually arrive.
    void p_read_scratch(DataInputStream& a_input, uint64_t a_bytes);
    static void p_write_node(const BiniNode& a_node, DataOutputStream& a_output, uint32_t a_depth);

    BiniNode m_root;
    std::vector<unsigned char> m_scratch;
};

} // namespace Bex
