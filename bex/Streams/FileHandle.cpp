#include "bex/Streams/FileHandle.h"

#include "bex/Core/Exception.h"
#include "bex/Core/FormatMessage.h"
#include "bex/Platform/FileSystem.h"

namespace Bex
{

FileHandle::~FileHandle()
{
    if (m_file)
        std::fclose(m_file);
}

void FileHandle::open_read(const String& a_path)
{
    p_open(a_path, Mode_READ);
}

void FileHandle::open_write(const String& a_path)
{
    p_open(a_path, Mode_WRITE);
}

void FileHandle::p_open(const String& a_path, Mode a_mode)
{
    if (m_file)
    {
        std::fclose(m_file);
        m_file = nullptr;
    }
    m_mode = a_mode;
    m_file = open_file_stream(a_path, a_mode == Mode_WRITE);
    if (!m_file)
        throw Exception(format_message(u"Cannot open file \"@1\".", {a_path}));
}

void FileHandle::close()
{
    if (!m_file)
        return;
    std::FILE* file = m_file;
    m_file = nullptr;
    if (std::fclose(file) != 0 && m_mode == Mode_WRITE)
        throw OperationFailedException();
}

} // namespace Bex
