#pragma once

#include "bex/Core/String.h"
#include "kiv/Styles/Parser/ParseContext.h"

#include <memory>
#include <string_view>

namespace Bex
{
class InputStream;
}

namespace Kiv
{

class StyleRegistry;
class StyleSheet;

// The whole text of a style sheet: its lines joined by line feeds. Only UTF-8 and UTF-16
// little-endian input with a byte-order mark gives lines; anything else reads as empty text.
Bex::String read_style_sheet(Bex::InputStream& a_input);

// The whole text of a style-sheet file: its lines joined by line feeds. Only UTF-8 and UTF-16
// little-endian files with a byte-order mark give lines; any other file reads as empty text.
// Throws "Cannot open file "<path>"." when the file cannot be opened.
Bex::String read_style_sheet_file(const Bex::String& a_path);

// A new sheet for the classes of a_registry, which must be started. A text with errors throws
// "Couldn't load stylesheet." after telling a_handler about each; a value of the wrong type for
// a value function ends the parse with that exception.
std::unique_ptr<StyleSheet> parse_style_sheet(std::u16string_view a_text,
                                              const StyleRegistry& a_registry,
                                              CssParser::ErrorHandler a_handler = {});

} // namespace Kiv
