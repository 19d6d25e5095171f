#include "tools/quorlin/AtomicFile.h"

#include "bex/Core/Exception.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

namespace quorlin
{

namespace
{

[[noreturn]] void fail(const std::string& a_what, const std::string& a_path, int a_error)
{
    throw Bex::Exception(Bex::String::from_utf8(describe_file_error(a_what, a_path, a_error)));
}

} // namespace

std::string describe_file_error(const std::string& a_what, const std::string& a_path, int a_error)
{
    return a_what + " \"" + a_path + "\": " + std::strerror(a_error);
}

AtomicFile::AtomicFile(std::string a_target) : m_target(std::move(a_target))
{
    namespace fs = std::filesystem;
    const fs::path target(m_target);
    std::error_code error;
    if (fs::is_directory(target, error))
        fail("Cannot write", m_target, EISDIR);
    // A hidden name in the target's own folder, so that the rename stays on one file system.
    std::random_device entropy;
    for (int attempt = 0; attempt < 16; ++attempt)
    {
        char suffix[16];
        std::snprintf(suffix, sizeof(suffix), "%08x", unsigned(entropy()));
        std::string name = ".";
        name += target.filename().string();
        name += ".tmp-";
        name += suffix;
        const fs::path temporary = target.parent_path() / name;
        // "x": never reuse a file that exists.
        std::FILE* file = std::fopen(temporary.c_str(), "wbx");
        if (file)
        {
            std::fclose(file);
            m_temporary = temporary.string();
            return;
        }
        if (errno != EEXIST)
            fail("Cannot write", m_target, errno);
    }
    fail("Cannot write", m_target, EEXIST);
}

AtomicFile::~AtomicFile()
{
    if (!m_committed)
        std::remove(m_temporary.c_str());
}

void AtomicFile::commit()
{
    std::error_code error;
    std::filesystem::rename(m_temporary, m_target, error);
    if (error)
        fail("Cannot write", m_target, error.value());
    m_committed = true;
}

void AtomicFile::write_all(const std::vector<uint8_t>& a_bytes)
{
    std::FILE* stream = std::fopen(m_temporary.c_str(), "wb");
    if (!stream)
        fail("Cannot write", m_target, errno);
    const size_t written = std::fwrite(a_bytes.data(), 1, a_bytes.size(), stream);
    const int error = errno;
    // A full disk may show only when the buffer is flushed at close.
    const bool closed = std::fclose(stream) == 0;
    if (written != a_bytes.size() || !closed)
        fail("Cannot write", m_target, error ? error : EIO);
}

void AtomicFile::write(const std::string& a_target, const std::vector<uint8_t>& a_bytes)
{
    AtomicFile file(a_target);
    file.write_all(a_bytes);
    file.commit();
}

void AtomicFile::write(const std::string& a_target, const std::string& a_text)
{
    write(a_target, std::vector<uint8_t>(a_text.begin(), a_text.end()));
}

std::vector<uint8_t> read_whole_file(const std::string& a_path, const std::string& a_what)
{
    std::FILE* stream = std::fopen(a_path.c_str(), "rb");
    if (!stream)
        fail("Cannot read " + a_what, a_path, errno);
    std::vector<uint8_t> bytes;
    uint8_t buffer[65536];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof(buffer), stream)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + got);
    const bool failed = std::ferror(stream);
    const int error = errno;
    std::fclose(stream);
    if (failed)
        fail("Cannot read " + a_what, a_path, error ? error : EIO);
    return bytes;
}

} // namespace quorlin
