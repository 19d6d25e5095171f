#pragma once

#include "bex/Streams/FileHandle.h"
#include "bex/Streams/OutputStream.h"

namespace Bex
{

// Writes to the file of a handle that the caller keeps open for the stream's lifetime.
class FileOutputStream : public OutputStream
{
public:
    explicit FileOutputStream(FileHandle* a_handle);

    // Throws OperationFailedException when the C stream cannot flush.
    void flush() override;

protected:
    // 0 when the handle is closed.
    size_t p_try_write(const void* a_buffer, size_t a_bytes) override;

private:
    FileHandle* m_handle;
};

} // namespace Bex
