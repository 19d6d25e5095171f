#include "bex/Platform/Win32/SystemError.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace Bex
{

OperationFailedException win32_error(uint32_t a_error, const String& a_path)
{
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, a_error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    String text;
    if (length && buffer)
    {
        text.assign(reinterpret_cast<const char16_t*>(buffer), length);
        // The system's texts end in a line break, which reads badly in front of the path.
        while (!text.empty() &&
               (text.back() == u'\n' || text.back() == u'\r' || text.back() == u' '))
            text.pop_back();
    }
    if (buffer)
        LocalFree(buffer);
    if (text.empty())
        text = String::from_ascii("System error ") + String::from_number(a_error);
    return OperationFailedException(text + String::from_ascii(": ") + a_path);
}

} // namespace Bex
