#pragma once

#include "bex/Containers/List.h"
#include "bex/Streams/OutputStream.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace Bex
{

// Collects everything written into a list of blocks of a fixed size, so that growing never moves
// what was already written. The first block is allocated by the first write.
class ExpandingOutputStream : public OutputStream
{
public:
    explicit ExpandingOutputStream(size_t a_block_size);

    void flush() override {}

    uint64_t get_size() const { return m_total; }
    // Copies all bytes written so far, in order, to a_destination (get_size() bytes).
    void copy_to(void* a_destination) const;
    std::vector<unsigned char> get_contents() const;

protected:
    // Always takes every byte; running out of memory throws std::bad_alloc.
    size_t p_try_write(const void* a_buffer, size_t a_bytes) override;

private:
    List<std::unique_ptr<unsigned char[]>> m_blocks;
    size_t m_block_size;
    uint64_t m_total = 0;
    unsigned char* m_cursor = nullptr;
    size_t m_left = 0;
};

} // namespace Bex
