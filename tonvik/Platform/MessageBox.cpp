#include "tonvik/Platform/MessageBox.h"

namespace Tonvik
{

namespace
{

MessageBoxFunction g_replacement = nullptr;

} // namespace

void show_message_box(const Bex::String& a_text, const Bex::String& a_caption)
{
    if (g_replacement)
        g_replacement(a_text, a_caption);
    else
        show_system_message_box(a_text, a_caption);
}

MessageBoxFunction replace_message_box(MessageBoxFunction a_function)
{
    MessageBoxFunction previous = g_replacement;
    g_replacement = a_function;
    return previous;
}

} // namespace Tonvik
