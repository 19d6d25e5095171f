#include "Support/TestWidgets.h"
#include "bex/Core/Exception.h"
#include "kiv/Styles/Parser/LexerBase.h"
#include "kiv/Styles/Parser/StyleSheetLoader.h"
#include "kiv/Styles/StyleDeclarationBlock.h"
#include "kiv/Styles/StyleDescriptions.h"
#include "kiv/Styles/StyleRegistry.h"
#include "kiv/Styles/StyleSheet.h"
#include "kiv/Widget/Widget.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

using namespace Kiv;
using CssParser::LexerBase;
using CssParser::Token;
using CssParser::TokenKind;

namespace
{

std::vector<Token> tokens(std::u16string_view a_text)
{
    LexerBase lexer(a_text);
    std::vector<Token> result;
    for (Token token = lexer.next(); token.kind != CssParser::TokenKind_END; token = lexer.next())
        result.push_back(token);
    return result;
}

struct Outcome
{
    std::unique_ptr<StyleSheet> sheet;
    std::vector<std::string> errors;
    // The exception's text when the load failed.
    std::string failure;
};

Outcome parse(std::u16string_view a_text)
{
    Outcome outcome;
    try
    {
        outcome.sheet =
            parse_style_sheet(a_text, StyleRegistry::get_global(),
                              [&outcome](uint32_t, uint32_t, const Bex::String& a_message)
                              { outcome.errors.push_back(a_message.to_utf8()); });
    }
    catch (const Bex::Exception& failure)
    {
        outcome.failure = failure.get_message().to_utf8();
    }
    return outcome;
}

// The values a class block declares, in order.
std::vector<const StyleValue*> class_values(const StyleSheet& a_sheet, const WidgetClass& a_class)
{
    std::vector<const StyleValue*> values;
    const StyleClassDescription* description = a_sheet.find_class(a_class.get_index());
    if (!description)
        return values;
    for (const auto& entry : description->get_block().get_entries())
    {
        if (const auto* property = dynamic_cast<const StylePropertyValue*>(entry.get()))
            values.push_back(&property->get_value());
    }
    return values;
}

std::string first_error(std::u16string_view a_text)
{
    const Outcome outcome = parse(a_text);
    EXPECT_EQ(outcome.failure, "Couldn't load stylesheet.");
    return outcome.errors.empty() ? std::string() : outcome.errors.front();
}

} // namespace

TEST(StyleSheetLexer, NumbersDimensionsAndColours)
{
    std::vector<Token> found = tokens(u"12px 12em 12 12.5 -3pt 7[0.5]px #11223344 #112233");
    ASSERT_EQ(found.size(), 10u);
    EXPECT_EQ(found[0].kind, CssParser::TokenKind_DIMENSION);
    EXPECT_EQ(found[0].dimension.value, 12.0f);
    EXPECT_EQ(found[0].dimension.unit, StyleDimensionUnit_PX);
    EXPECT_EQ(found[0].dimension.exponent, 1.0f);
    EXPECT_EQ(found[1].kind, CssParser::TokenKind_DIMENSION);
    EXPECT_EQ(found[1].dimension.unit, StyleDimensionUnit_NONE);
    EXPECT_EQ(found[2].kind, CssParser::TokenKind_INTEGER);
    EXPECT_EQ(found[2].integer, 12);
    // 12.5 is the integer 12 and a character no rule takes, then 5.
    EXPECT_EQ(found[3].kind, CssParser::TokenKind_INTEGER);
    EXPECT_EQ(found[4].kind, CssParser::TokenKind_CHARACTER);
    EXPECT_EQ(found[4].character, u'.');
    EXPECT_EQ(found[5].integer, 5);
    EXPECT_EQ(found[6].dimension.value, -3.0f);
    EXPECT_EQ(found[6].dimension.unit, StyleDimensionUnit_PT);
    EXPECT_EQ(found[7].dimension.exponent, 0.5f);
    EXPECT_EQ(found[8].color, 0x44112233u);
    EXPECT_EQ(found[9].color, 0xFF112233u);
    // Five digits make no colour: the "#" stands alone.
    const std::vector<Token> short_colour = tokens(u"#12345");
    ASSERT_EQ(short_colour.size(), 2u);
    EXPECT_EQ(short_colour[0].kind, CssParser::TokenKind_CHARACTER);

    const std::vector<Token> limits = tokens(u"2147483647 -2147483648 2147483648");
    EXPECT_FALSE(limits[0].out_of_range);
    EXPECT_FALSE(limits[1].out_of_range);
    EXPECT_EQ(limits[1].integer, INT32_MIN);
    EXPECT_TRUE(limits[2].out_of_range);
}

TEST(StyleSheetLexer, WordsStringsAndComments)
{
    const std::vector<Token> found =
        tokens(u"yes no true class end_x // line comment\n /* block\n comment */ font \"a\\\"b\"");
    ASSERT_EQ(found.size(), 7u);
    EXPECT_EQ(found[0].kind, CssParser::TokenKind_BOOLEAN);
    EXPECT_TRUE(found[0].boolean);
    EXPECT_EQ(found[1].kind, CssParser::TokenKind_BOOLEAN);
    EXPECT_FALSE(found[1].boolean);
    EXPECT_EQ(found[2].kind, CssParser::TokenKind_ID);
    EXPECT_EQ(found[3].kind, CssParser::TokenKind_CLASS);
    EXPECT_EQ(found[4].kind, CssParser::TokenKind_ID);
    EXPECT_EQ(found[5].kind, CssParser::TokenKind_FONT);
    EXPECT_EQ(found[5].line, 3u);
    EXPECT_EQ(found[6].kind, CssParser::TokenKind_STRING);
    EXPECT_EQ(found[6].text, u"a\"b");

    // A string that ends in an escaped backslash ends at its quote.
    const std::vector<Token> ended = tokens(u"\"a\\\\\" x");
    ASSERT_EQ(ended.size(), 2u);
    EXPECT_EQ(ended[0].text, u"a\\");
    EXPECT_EQ(ended[1].kind, CssParser::TokenKind_ID);

    // One pass from the left: an escaped backslash before "n" is a backslash and an "n".
    const std::u16string quoted = u"\"\\\\n\\t\\q\"";
    EXPECT_EQ(LexerBase::parse_string(quoted.data(), quoted.size()), u"\\n\t\\q");
    // Non-ASCII text is content inside strings, and no token outside them.
    const std::vector<Token> wide = tokens(u"\"Grüße\" ü");
    ASSERT_EQ(wide.size(), 2u);
    EXPECT_EQ(wide[0].text, u"Grüße");
    EXPECT_EQ(wide[1].kind, CssParser::TokenKind_CHARACTER);
}

TEST(StyleSheetParser, SyntaxErrorsReadAsTheParserGeneratorsOfOldWroteThem)
{
    EXPECT_EQ(first_error(u""), "syntax error, unexpected $end, expecting T_CLASS or T_ID");
    EXPECT_EQ(first_error(u"  // only a comment\n"),
              "syntax error, unexpected $end, expecting T_CLASS or T_ID");
    EXPECT_EQ(first_error(u"class Widget; {").rfind("syntax error, unexpected $undefined", 0), 0u);
    EXPECT_EQ(first_error(u"a = true;").rfind("syntax error, unexpected T_ID", 0), 0u);
    EXPECT_EQ(first_error(u"a = 12.5;"), "syntax error, unexpected $undefined, expecting ';'");
    EXPECT_EQ(first_error(u"a = \"open"), "syntax error, unexpected $undefined");
}

TEST(StyleSheetParser, ObjectsFunctionsAndTheirErrors)
{
    EXPECT_EQ(first_error(u"a = 1; a = 2; class TestPanel; end class;"),
              "Object \"a\" already defined");
    EXPECT_EQ(first_error(u"class TestPanel; test_level: @missing; end class;"),
              "Undefined object: \"missing\"");
    EXPECT_EQ(first_error(u"p = pen(12);"), "Invalid arguments for function \"pen\".");
    EXPECT_EQ(first_error(u"b = solid_brush(\"red\");"),
              "Invalid arguments for function \"solid_brush\".");
    EXPECT_EQ(first_error(u"i = 99999999999;"), "Integer out of range.");
    // A font size in anything but px or pt ends the load with the value's own error.
    EXPECT_EQ(parse(u"f = font(\"Sans\", 12em);").failure, "Invalid font size unit.");
    // A value of the wrong type for a function that asserts fails the load as well.
    EXPECT_FALSE(parse(u"c = rgb(1, \"two\", 3);").failure.empty());

    const Outcome good = parse(u"level = 7; level_again = 9;\n"
                               u"red = rgb(-1, 256, 300);\n"
                               u"class TestPanel; test_level: @level; end class;\n"
                               u"class Widget; text_color: @red; end class;");
    ASSERT_TRUE(good.sheet) << good.failure;
    EXPECT_TRUE(good.errors.empty());
    const std::vector<const StyleValue*> values =
        class_values(*good.sheet, KivTest::Panel::s_widget_class);
    // Both managers that declare the name get the declaration; applying it picks by class.
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values[0]->to_int(), 7);
    EXPECT_EQ(values[1], values[0]);
    // Colour components wrap modulo 256, negative ones too.
    const std::vector<const StyleValue*> widget =
        class_values(*good.sheet, Kiv::Widget::s_widget_class);
    ASSERT_EQ(widget.size(), 1u);
    EXPECT_EQ(widget[0]->to_color().argb, 0xFFFF002Cu);
}

TEST(StyleSheetParser, DeclarationsReachTheRightManagersOnly)
{
    const Outcome outcome = parse(u"// every kind of value, in the places the grammar allows\n"
                                  u"gap = 4px;\n"
                                  u"class Widget;\n"
                                  u"    margins: [1 2 3 4];\n"
                                  u"    no_such_property: 5;\n"
                                  u"    padding: yes;\n"
                                  u"    font: font(\"DejaVu Sans\", 9pt);\n"
                                  u"    frame: frame(single_border(#000000, #FFFFFF), "
                                  u"solid_brush(#102030));\n"
                                  u"end class;\n"
                                  u"class TestPanel inherit Widget;\n"
                                  u"    test_level: 3;\n"
                                  u"    subclass Hot;\n"
                                  u"        test_level: 4;\n"
                                  u"        case lit; +test_hot; -unknown_switch; test_level: 5;"
                                  u" end case;\n"
                                  u"    end subclass;\n"
                                  u"end class;\n"
                                  u"class NoSuchClass; test_level: 1; end class;\n");
    ASSERT_TRUE(outcome.sheet) << outcome.failure;
    EXPECT_TRUE(outcome.errors.empty());

    const std::vector<const StyleValue*> widget =
        class_values(*outcome.sheet, Kiv::Widget::s_widget_class);
    // margins, font and frame; the unknown property and the boolean padding are ignored.
    ASSERT_EQ(widget.size(), 3u);
    const Bex::Vector<StyleValue*>& margins = widget[0]->to_list();
    ASSERT_EQ(margins.size(), 4u);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(margins[size_t(i)]->to_int(), i + 1);
    EXPECT_EQ(widget[1]->to_font().family, u"DejaVu Sans");
    EXPECT_EQ(widget[2]->to_frame().brush.color.argb, 0xFF102030u);

    const StyleClassDescription* panel =
        outcome.sheet->find_class(KivTest::Panel::s_widget_class.get_index());
    ASSERT_NE(panel, nullptr);
    EXPECT_NE(panel->get_style_parent(), nullptr);
    const StyleSubclassDescription* hot = panel->find_subclass(u"Hot");
    ASSERT_NE(hot, nullptr);
    ASSERT_EQ(hot->get_cases().size(), 1u);
    EXPECT_EQ(hot->get_cases()[0]->get_conditions().size(), 1u);
    // Only the panel's manager declares test_level for panels; the gauge's is left alone.
    EXPECT_EQ(outcome.sheet->find_class(KivTest::Gauge::s_widget_class.get_index()), nullptr);
}

TEST(StyleSheetParser, FilesNeedAByteOrderMark)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("kiv-sheet-" + std::to_string(std::random_device()()));
    std::filesystem::create_directories(folder);
    const std::string sheet = "class TestPanel;\r\n test_level: 2;\r\nend class;";
    std::ofstream(folder / "bom.dat", std::ios::binary) << "\xEF\xBB\xBF" << sheet;
    std::ofstream(folder / "plain.dat", std::ios::binary) << sheet;

    const Bex::String text =
        read_style_sheet_file(Bex::String::from_utf8((folder / "bom.dat").string()));
    EXPECT_EQ(text, u"class TestPanel;\n test_level: 2;\nend class;");
    EXPECT_TRUE(
        read_style_sheet_file(Bex::String::from_utf8((folder / "plain.dat").string())).empty());
    try
    {
        read_style_sheet_file(Bex::String::from_utf8((folder / "missing.dat").string()));
        ADD_FAILURE();
    }
    catch (const Bex::Exception& failure)
    {
        EXPECT_EQ(failure.get_message().to_utf8().rfind("Cannot open file \"", 0), 0u);
    }

    Application& application = KivTest::application();
    const StyleSheet* before = application.get_style_sheet();
    EXPECT_THROW(
        application.load_style_sheet(Bex::String::from_utf8((folder / "plain.dat").string())),
        Bex::Exception);
    EXPECT_EQ(application.get_style_sheet(), before);
    application.load_style_sheet(Bex::String::from_utf8((folder / "bom.dat").string()));
    ASSERT_NE(application.get_style_sheet(), nullptr);
    EXPECT_NE(application.get_style_sheet()->find_class(KivTest::Panel::s_widget_class.get_index()),
              nullptr);
    application.set_style_sheet(nullptr);
    std::filesystem::remove_all(folder);
}

// Unknown classes, properties and switches are silently ignored by the language, so a typo in
// the shipped sheet would go unnoticed: every name it uses must be one the toolkit knows.
TEST(ShippedStyleSheet, LoadsAndNamesOnlyWhatTheToolkitKnows)
{
    const Bex::String text = read_style_sheet_file(Bex::String::from_utf8(KIV_SHIPPED_STYLE_SHEET));
    ASSERT_FALSE(text.empty());
    const Outcome outcome = parse(text);
    ASSERT_TRUE(outcome.sheet) << outcome.failure;
    EXPECT_TRUE(outcome.errors.empty());

    const StyleRegistry& registry = StyleRegistry::get_global();
    const std::vector<Token> found = tokens(text);
    int classes = 0;
    int properties = 0;
    for (size_t i = 0; i + 1 < found.size(); ++i)
    {
        const Token& token = found[i];
        const Token& next = found[i + 1];
        if ((token.kind == CssParser::TokenKind_CLASS ||
             token.kind == CssParser::TokenKind_INHERIT) &&
            next.kind == CssParser::TokenKind_ID)
        {
            // The plug-in framework's classes are not linked into this program; the framework's
            // own tests check them.
            static const std::vector<std::u16string> framework_classes = {
                u"DeviceGuiConcrete",
                u"DevicePanel",
                u"DeviceGuiProgramDisplay",
                u"PresetArrowButton",
                u"DeviceGuiParameterDisplay",
                u"ModulationEditor",
                u"ModulatorList",
                u"ModulatorItem",
                u"ModulatorPanel",
                u"ModulatorPanelContents",
                u"ModulatorTitleBar",
                u"ModulatorTitleEntry",
                u"ModulatorTitleBarCommandButton",
                u"ModulatorBarText",
                u"ModulatorEntryListWindow",
                u"EntryListGridLayout",
                u"EntryListColumnHeader",
                u"EntryListEntryIndexText"};
            const bool framework = token.kind == CssParser::TokenKind_CLASS &&
                                   std::find(framework_classes.begin(), framework_classes.end(),
                                             std::u16string(next.text)) != framework_classes.end();
            if (!framework)
                EXPECT_NE(registry.get_classes().find_index(next.text), 0u)
                    << "unknown class " << next.text.to_utf8() << " on line " << next.line;
            ++classes;
        }
        const bool in_class = classes > 0;
        if (in_class && next.kind == CssParser::TokenKind_CHARACTER && next.character == u':')
        {
            const Bex::String name =
                token.kind == CssParser::TokenKind_ID     ? token.text
                : token.kind == CssParser::TokenKind_FONT ? Bex::String(u"font")
                : token.kind == CssParser::TokenKind_PEN  ? Bex::String(u"pen")
                                                          : Bex::String(u"frame");
            // The framework's own properties, which its style managers declare.
            static const std::vector<std::u16string> framework_properties = {
                u"enabled_modulator_text_color", u"disabled_modulator_text_color",
                u"modulated_pen"};
            if (std::find(framework_properties.begin(), framework_properties.end(),
                          std::u16string(name)) == framework_properties.end())
                EXPECT_NE(registry.find_property_types(name), nullptr)
                    << "unknown property " << name.to_utf8() << " on line " << token.line;
            ++properties;
        }
        if (token.kind == CssParser::TokenKind_CHARACTER &&
            (token.character == u'+' || token.character == u'-') &&
            next.kind == CssParser::TokenKind_ID)
        {
            EXPECT_NE(registry.find_switch(next.text), nullptr)
                << "unknown switch " << next.text.to_utf8() << " on line " << next.line;
        }
    }
    EXPECT_GT(classes, 10);
    EXPECT_GT(properties, 20);
}
