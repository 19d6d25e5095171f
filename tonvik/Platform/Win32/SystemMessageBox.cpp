#include "tonvik/Platform/MessageBox.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace Tonvik
{

namespace
{

const wchar_t* wide(const Bex::String& a_text)
{
    return reinterpret_cast<const wchar_t*>(a_text.c_str());
}

} // namespace

static_assert(sizeof(wchar_t) == sizeof(char16_t));

void show_system_message_box(const Bex::String& a_text, const Bex::String& a_caption)
{
    MessageBoxW(nullptr, wide(a_text), wide(a_caption), MB_OK | MB_ICONERROR);
}

} // namespace Tonvik
