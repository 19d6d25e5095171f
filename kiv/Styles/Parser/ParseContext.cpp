#include "kiv/Styles/Parser/ParseContext.h"

#include "bex/Core/Exception.h"
#include "bex/Core/FormatMessage.h"
#include "kiv/Styles/Parser/StyleSheetGrammar.hpp"
#include "kiv/Styles/StyleManager.h"
#include "kiv/Styles/StyleRegistry.h"
#include "kiv/Styles/StyleValues.h"
#include "kiv/Styles/WidgetClass.h"

namespace CssParser
{

namespace
{

uint32_t class_index_of(const Kiv::StylePropertyDescription* a_description)
{
    return a_description->get_manager()->get_class()->get_index();
}

} // namespace

ParseContext::ParseContext(std::u16string_view a_text, Kiv::StyleSheet& a_sheet,
                           const Kiv::StyleRegistry& a_registry, ErrorHandler a_handler)
    : m_lexer(a_text), m_builder(a_sheet, a_registry), m_registry(a_registry),
      m_handler(std::move(a_handler))
{
}

ParseContext::~ParseContext()
{
    for (Kiv::StyleValue* value : m_values)
        value->decrease_reference_count();
}

uint32_t ParseContext::parse()
{
    yy::parser parser(*this);
    parser.parse();
    return m_error_count;
}

Token ParseContext::next_token()
{
    Token token = m_lexer.next();
    m_line = token.line;
    m_column = token.column;
    return token;
}

void ParseContext::report_error(const Bex::String& a_message)
{
    ++m_error_count;
    if (m_handler)
        m_handler(m_line, m_column, a_message);
}

void ParseContext::report_error(const std::string& a_message)
{
    report_error(Bex::String::from_utf8(a_message));
}

Kiv::StyleValue* ParseContext::keep(Kiv::StyleValue* a_value)
{
    a_value->increase_reference_count();
    m_values.push_back(a_value);
    return a_value;
}

void ParseContext::define(const Bex::String& a_name, Kiv::StyleValue* a_value)
{
    if (m_objects.has_key(a_name))
    {
        report_error(Bex::format_message(u"Object \"@1\" already defined", {a_name}));
        return;
    }
    if (a_value)
        m_objects[a_name] = PredefinedObject{a_name, a_value};
}

Kiv::StyleValue* ParseContext::look_up(const Bex::String& a_name)
{
    if (const PredefinedObject* object = m_objects.find_value(a_name))
        return object->m_value;
    report_error(Bex::format_message(u"Undefined object: \"@1\"", {a_name}));
    return nullptr;
}

void ParseContext::begin_class(const Bex::String& a_name)
{
    m_builder.begin_class(m_registry.get_classes().find_index(a_name));
}

void ParseContext::begin_class(const Bex::String& a_name, const Bex::String& a_parent)
{
    const Kiv::WidgetClassList& classes = m_registry.get_classes();
    m_builder.begin_class(classes.find_index(a_name), classes.find_index(a_parent));
}

void ParseContext::add_switch(const Bex::String& a_name, bool a_state)
{
    if (const Kiv::StyleSwitchDescription* description = m_registry.find_switch(a_name))
        m_builder.add_switch(description->manager->get_class()->get_index(), description->id,
                             a_state);
}

void ParseContext::property(const Bex::String& a_name, Kiv::StyleValue* a_value)
{
    if (!a_value)
        return;
    auto add_all = [this, a_value](const Bex::Vector<Kiv::StylePropertyDescription*>& a_list)
    {
        for (const Kiv::StylePropertyDescription* description : a_list)
            m_builder.property(class_index_of(description), description->get_id(), a_value);
    };
    if (a_value->get_type() == Kiv::StyleValueType_PARENT)
    {
        if (const auto* types = m_registry.find_property_types(a_name))
        {
            for (const auto& [type, descriptions] : *types)
                add_all(descriptions);
        }
        return;
    }
    if (const auto* descriptions = m_registry.find_properties(a_name, a_value->get_type()))
    {
        add_all(*descriptions);
        return;
    }
    // A name out of a property's own table of named values.
    if (a_value->get_type() != Kiv::StyleValueType_STRING)
        return;
    const auto* named = m_registry.find_properties(a_name, Kiv::StyleValueType(3));
    if (!named)
        return;
    for (const Kiv::StylePropertyDescription* description : *named)
    {
        if (Kiv::StyleValue* value = description->find_named_value(a_value->to_string()))
            m_builder.property(class_index_of(description), description->get_id(), value);
    }
}

Kiv::StyleValue* ParseContext::make_rgb(Kiv::StyleValue* a_red, Kiv::StyleValue* a_green,
                                        Kiv::StyleValue* a_blue)
{
    if (!a_red || !a_green || !a_blue)
        return nullptr;
    // Components wrap modulo 256, negative ones too: -1 is 255.
    auto component = [](const Kiv::StyleValue* a_value)
    { return uint8_t(uint32_t(a_value->to_int()) & 0xFFu); };
    return keep(new Kiv::StyleValue_Color(
        Kiv::Color::from_argb(255, component(a_red), component(a_green), component(a_blue))));
}

Kiv::StyleValue* ParseContext::make_pen(Kiv::StyleValue* a_color, Kiv::StyleValue* a_width)
{
    if (!a_color)
        return nullptr;
    if (a_color->get_type() != Kiv::StyleValueType_COLOR)
    {
        report_error(Bex::String(u"Invalid arguments for function \"pen\"."));
        return nullptr;
    }
    Kiv::Pen pen{a_color->to_color(), 0};
    if (a_width)
        pen.width = a_width->to_pixels_int();
    return keep(new Kiv::StyleValue_Pen(pen));
}

Kiv::StyleValue* ParseContext::make_solid_brush(Kiv::StyleValue* a_color)
{
    if (!a_color)
        return nullptr;
    if (a_color->get_type() != Kiv::StyleValueType_COLOR)
    {
        report_error(Bex::String(u"Invalid arguments for function \"solid_brush\"."));
        return nullptr;
    }
    return keep(new Kiv::StyleValue_Brush(Kiv::Brush{a_color->to_color()}));
}

Kiv::StyleValue* ParseContext::make_font(Kiv::StyleValue* a_family, Kiv::StyleValue* a_size)
{
    if (!a_family || !a_size)
        return nullptr;
    return keep(new Kiv::StyleValue_Font(a_family->to_string(), a_size->to_dimension()));
}

Kiv::StyleValue* ParseContext::make_frame(Kiv::StyleValue* a_border, Kiv::StyleValue* a_brush)
{
    if (!a_border || !a_brush)
        return nullptr;
    return keep(new Kiv::StyleValue_Frame(Kiv::Frame{a_border->to_border(), a_brush->to_brush()}));
}

Kiv::StyleValue* ParseContext::make_no_border()
{
    return keep(new Kiv::StyleValue_Border(Kiv::Border()));
}

Kiv::StyleValue* ParseContext::make_single_border(Kiv::StyleValue* a_top_left,
                                                  Kiv::StyleValue* a_bottom_right)
{
    if (!a_top_left || !a_bottom_right)
        return nullptr;
    return keep(new Kiv::StyleValue_Border(
        Kiv::Border::make_single(a_top_left->to_color(), a_bottom_right->to_color())));
}

Kiv::StyleValue* ParseContext::make_double_border(const Kiv::StyleValue* const a_colors[4])
{
    for (int i = 0; i < 4; ++i)
    {
        if (!a_colors[i])
            return nullptr;
    }
    return keep(new Kiv::StyleValue_Border(
        Kiv::Border::make_double(a_colors[0]->to_color(), a_colors[1]->to_color(),
                                 a_colors[2]->to_color(), a_colors[3]->to_color())));
}

Kiv::StyleValue* ParseContext::make_list(const std::vector<Kiv::StyleValue*>& a_items)
{
    auto* list = new Kiv::StyleValue_List();
    keep(list);
    for (Kiv::StyleValue* item : a_items)
    {
        if (item)
            list->append(item);
    }
    return list;
}

} // namespace CssParser
