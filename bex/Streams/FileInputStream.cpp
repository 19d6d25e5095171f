#include "bex/Streams/FileInputStream.h"

#include "bex/Core/Assert.h"

#include <algorithm>

namespace Bex
{

FileInputStream::FileInputStream(FileHandle* a_handle) : m_handle(a_handle)
{
    BEX_ASSERT(a_handle);
}

std::FILE* FileInputStream::p_file() const
{
    return m_handle->get_file();
}

bool FileInputStream::has_data()
{
    std::FILE* file = p_file();
    return file && !std::feof(file);
}

std::optional<uint64_t> FileInputStream::get_remaining()
{
    std::FILE* file = p_file();
    if (!file)
        return 0;
    const long position = std::ftell(file);
    if (position < 0 || std::fseek(file, 0, SEEK_END) != 0)
        return std::nullopt;
    const long end = std::ftell(file);
    if (std::fseek(file, position, SEEK_SET) != 0 || end < 0)
        return std::nullopt;
    return uint64_t(std::max(end - position, 0L));
}

size_t FileInputStream::p_peek(size_t a_bytes, void* a_buffer)
{
    std::FILE* file = p_file();
    if (!file || !a_bytes)
        return 0;
    const size_t count = std::fread(a_buffer, 1, a_bytes, file);
    if (count && std::fseek(file, -long(count), SEEK_CUR) != 0)
        return 0;
    return count;
}

size_t FileInputStream::p_try_read(size_t a_bytes, void* a_buffer)
{
    std::FILE* file = p_file();
    if (!file || !a_bytes)
        return 0;
    return std::fread(a_buffer, 1, a_bytes, file);
}

size_t FileInputStream::p_skip(size_t a_bytes)
{
    std::FILE* file = p_file();
    if (!file || !a_bytes)
        return 0;
    // A seek past the end succeeds on a C stream, so the real remainder bounds the step.
    if (const std::optional<uint64_t> remaining = get_remaining())
    {
        const size_t count = size_t(std::min<uint64_t>(*remaining, a_bytes));
        if (count && std::fseek(file, long(count), SEEK_CUR) != 0)
            return 0;
        return count;
    }
    unsigned char buffer[4096];
    size_t skipped = 0;
    while (skipped < a_bytes)
    {
        const size_t count =
            std::fread(buffer, 1, std::min(sizeof(buffer), a_bytes - skipped), file);
        skipped += count;
        if (!count)
            break;
    }
    return skipped;
}

} // namespace Bex
