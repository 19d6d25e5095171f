#pragma once

#include "bex/Core/String.h"

namespace Tonvik
{

// Tells the user about an error in a box with one OK button, and returns once it is closed. On
// Windows this is the system's modal box without an owner window; elsewhere, until the toolkit
// draws boxes of its own, one UTF-8 line "<caption>: <text>" goes to the standard error stream.
void show_message_box(const Bex::String& a_text, const Bex::String& a_caption);

using MessageBoxFunction = void (*)(const Bex::String& a_text, const Bex::String& a_caption);

// Puts a_function in the place of the box and returns the one it replaces; null brings the
// system's box back. For tests: with a display present, a real box waits for a click that never
// comes. Not synchronised with show_message_box.
MessageBoxFunction replace_message_box(MessageBoxFunction a_function);

// The platform's own box, whatever replaces it; one implementation per platform.
void show_system_message_box(const Bex::String& a_text, const Bex::String& a_caption);

} // namespace Tonvik
