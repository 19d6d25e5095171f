#pragma once

#include "bex/Streams/FileHandle.h"
#include "bex/Streams/InputStream.h"

namespace Bex
{

// Reads the file of a handle that the caller keeps open for the stream's lifetime.
class FileInputStream : public InputStream
{
public:
    explicit FileInputStream(FileHandle* a_handle);

    // Whether the end of the file has been hit by a read, as the C stream reports it.
    bool has_data() override;
    // Known for seekable files, unknown for pipes and the like.
    std::optional<uint64_t> get_remaining() override;

protected:
    size_t p_peek(size_t a_bytes, void* a_buffer) override;
    size_t p_try_read(size_t a_bytes, void* a_buffer) override;
    // Never moves past the end of the file, so the result is what could really be skipped.
    size_t p_skip(size_t a_bytes) override;

private:
    std::FILE* p_file() const;

    FileHandle* m_handle;
};

} // namespace Bex
