#include "kiv/Styles/Parser/StyleSheetLoader.h"

#include "bex/Core/Exception.h"
#include "bex/Streams/FileHandle.h"
#include "bex/Streams/FileInputStream.h"
#include "bex/Streams/InputStreamReader.h"
#include "kiv/Styles/StyleRegistry.h"
#include "kiv/Styles/StyleSheet.h"

namespace Kiv
{

Bex::String read_style_sheet(Bex::InputStream& a_input)
{
    Bex::InputStreamReader reader(&a_input);
    Bex::String text;
    Bex::String line;
    bool first = true;
    while (reader.read_line(line))
    {
        if (!first)
            text.push_back(u'\n');
        text += line;
        first = false;
    }
    return text;
}

Bex::String read_style_sheet_file(const Bex::String& a_path)
{
    Bex::FileHandle file;
    file.open_read(a_path);
    Bex::FileInputStream input(&file);
    Bex::String text = read_style_sheet(input);
    file.close();
    return text;
}

std::unique_ptr<StyleSheet> parse_style_sheet(std::u16string_view a_text,
                                              const StyleRegistry& a_registry,
                                              CssParser::ErrorHandler a_handler)
{
    auto sheet = std::make_unique<StyleSheet>(a_registry.get_classes());
    uint32_t errors = 0;
    {
        CssParser::ParseContext context(a_text, *sheet, a_registry, std::move(a_handler));
        errors = context.parse();
    }
    if (errors)
    {
        sheet->clear();
        throw Bex::Exception(Bex::String(u"Couldn't load stylesheet."));
    }
    return sheet;
}

} // namespace Kiv
