#pragma once

#include "bex/Core/String.h"

#include <cstdio>

namespace Bex
{

// Owns one C stream opened in binary mode; the stream is closed when the handle is destroyed.
class FileHandle
{
public:
    enum Mode
    {
        Mode_READ = 0,
        Mode_WRITE = 1,
    };

    FileHandle() = default;
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle();

    // Both close any stream already held. A path that cannot be opened throws Exception
    // "Cannot open file \"<path>\"."; a path that is not valid UTF-16 throws
    // OperationFailedException.
    void open_read(const String& a_path);
    void open_write(const String& a_path);

    // Closes the stream. Closing a written file throws OperationFailedException when the last
    // buffered bytes could not be stored, so that writers can tell a truncated file.
    void close();

    bool is_open() const { return m_file != nullptr; }
    Mode get_mode() const { return m_mode; }
    std::FILE* get_file() const { return m_file; }

private:
    void p_open(const String& a_path, Mode a_mode);

    std::FILE* m_file = nullptr;
    Mode m_mode = Mode_READ;
};

} // namespace Bex
