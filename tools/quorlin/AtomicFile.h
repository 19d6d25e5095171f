#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorlin
{

// A file that appears complete or not at all. The content goes to a temporary file beside the
// target, which commit() renames over the target; a file destroyed before commit() removes the
// temporary, so a failure never leaves a half-written target behind. Creating the temporary at
// construction also finds an unwritable folder before any long work starts.
class AtomicFile
{
public:
    // Throws Bex::Exception naming the target when the folder cannot take a new file.
    explicit AtomicFile(std::string a_target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    const std::string& get_target() const { return m_target; }
    // Where to write until commit().
    const std::string& get_temporary() const { return m_temporary; }

    // Replaces the temporary's content with a_bytes.
    void write_all(const std::vector<uint8_t>& a_bytes);
    void commit();

    // Writes the whole file at once.
    static void write(const std::string& a_target, const std::vector<uint8_t>& a_bytes);
    static void write(const std::string& a_target, const std::string& a_text);

private:
    std::string m_target;
    std::string m_temporary;
    bool m_committed = false;
};

// The whole content of a file; throws Bex::Exception "Cannot read <what> "<path>": <reason>".
std::vector<uint8_t> read_whole_file(const std::string& a_path, const std::string& a_what);

// "<what> "<path>": <reason>" for errno-style failures.
std::string describe_file_error(const std::string& a_what, const std::string& a_path, int a_error);

} // namespace quorlin
