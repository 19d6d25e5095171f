#pragma once

#include "bex/Containers/Map.h"
#include "bex/Core/String.h"
#include "bex/Core/Vector.h"
#include "kiv/Styles/Parser/LexerBase.h"
#include "kiv/Styles/Parser/PredefinedObject.h"
#include "kiv/Styles/StyleSheetBuilder.h"

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace Kiv
{
class StyleRegistry;
class StyleSheet;
class StyleValue;
} // namespace Kiv

namespace CssParser
{

// Told about each error of a parse: where it was found and what it is.
using ErrorHandler =
    std::function<void(uint32_t a_line, uint32_t a_column, const Bex::String& a_message)>;

// One parse of one style-sheet text into one sheet: the lexer, the builder, the predefined
// objects and every value the parse made. The grammar's actions call it; errors are counted,
// and the caller decides what a non-zero count means.
class ParseContext
{
public:
    ParseContext(std::u16string_view a_text, Kiv::StyleSheet& a_sheet,
                 const Kiv::StyleRegistry& a_registry, ErrorHandler a_handler = {});
    ~ParseContext();
    ParseContext(const ParseContext&) = delete;
    ParseContext& operator=(const ParseContext&) = delete;

    // Runs the parser over the whole text; returns the number of errors reported.
    uint32_t parse();
    uint32_t get_error_count() const { return m_error_count; }

    // For the parser.
    Token next_token();
    void report_error(const Bex::String& a_message);
    void report_error(const std::string& a_message);

    // Takes a reference on a value made by the parse, which is released when the parse ends.
    Kiv::StyleValue* keep(Kiv::StyleValue* a_value);
    void define(const Bex::String& a_name, Kiv::StyleValue* a_value);
    // Null, after reporting the error, when no object has that name.
    Kiv::StyleValue* look_up(const Bex::String& a_name);

    void begin_class(const Bex::String& a_name);
    void begin_class(const Bex::String& a_name, const Bex::String& a_parent);
    void add_switch(const Bex::String& a_name, bool a_state);
    void property(const Bex::String& a_name, Kiv::StyleValue* a_value);
    Kiv::StyleSheetBuilder& get_builder() { return m_builder; }

    // The value functions. Null after an error.
    Kiv::StyleValue* make_rgb(Kiv::StyleValue* a_red, Kiv::StyleValue* a_green,
                              Kiv::StyleValue* a_blue);
    Kiv::StyleValue* make_pen(Kiv::StyleValue* a_color, Kiv::StyleValue* a_width);
    Kiv::StyleValue* make_solid_brush(Kiv::StyleValue* a_color);
    Kiv::StyleValue* make_font(Kiv::StyleValue* a_family, Kiv::StyleValue* a_size);
    Kiv::StyleValue* make_frame(Kiv::StyleValue* a_border, Kiv::StyleValue* a_brush);
    Kiv::StyleValue* make_no_border();
    Kiv::StyleValue* make_single_border(Kiv::StyleValue* a_top_left,
                                        Kiv::StyleValue* a_bottom_right);
    Kiv::StyleValue* make_double_border(const Kiv::StyleValue* const a_colors[4]);
    Kiv::StyleValue* make_list(const std::vector<Kiv::StyleValue*>& a_items);

private:
    LexerBase m_lexer;
    Kiv::StyleSheetBuilder m_builder;
    const Kiv::StyleRegistry& m_registry;
    ErrorHandler m_handler;
    Bex::Map<Bex::String, PredefinedObject> m_objects;
    Bex::Vector<Kiv::StyleValue*> m_values;
    uint32_t m_error_count = 0;
    uint32_t m_line = 1;
    uint32_t m_column = 1;
};

} // namespace CssParser
