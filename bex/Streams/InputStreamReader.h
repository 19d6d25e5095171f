#pragma once

#include "bex/Streams/InputStream.h"
#include "bex/Streams/Reader.h"

namespace Bex
{

// Reads lines from a stream whose encoding is told by its byte-order mark. Lines come from UTF-8
// and UTF-16 little-endian input only; any other encoding, or no mark, gives no line. A line ends
// at LF, CR or CR LF, which are consumed and not stored.
class InputStreamReader : public Reader
{
public:
    enum Encoding
    {
        Encoding_NONE,
        Encoding_UTF8,
        Encoding_UTF16_BIG,
        Encoding_UTF16_LITTLE,
        Encoding_UTF32_LITTLE,
        Encoding_UTF32_BIG,
    };

    // Recognises and consumes the byte-order mark; a_input must outlive the reader.
    explicit InputStreamReader(InputStream* a_input);

    Encoding get_encoding() const { return m_encoding; }

    // Text that is not valid in its encoding throws OperationFailedException when it has to be
    // converted.
    bool read_line(String& a_line) override;
    bool read_line(std::string& a_line) override;

private:
    bool p_read_utf8_line(std::string& a_line);
    bool p_read_utf16_line(String& a_line);
    bool p_read_unit(char16_t& a_unit);
    bool p_peek_unit(char16_t& a_unit);

    InputStream* m_input;
    Encoding m_encoding = Encoding_NONE;
};

} // namespace Bex
