#include "bex/Streams/FileOutputStream.h"

#include "bex/Core/Assert.h"

namespace Bex
{

FileOutputStream::FileOutputStream(FileHandle* a_handle) : m_handle(a_handle)
{
    BEX_ASSERT(a_handle);
}

void FileOutputStream::flush()
{
    std::FILE* file = m_handle->get_file();
    if (!file || std::fflush(file) != 0)
        throw OperationFailedException();
}

size_t FileOutputStream::p_try_write(const void* a_buffer, size_t a_bytes)
{
    std::FILE* file = m_handle->get_file();
    if (!file || !a_bytes)
        return 0;
    return std::fwrite(a_buffer, 1, a_bytes, file);
}

} // namespace Bex
