#include "bex/Core/Exception.h"
#include "kiv/Application/Application.h"
#include "kiv/Styles/Parser/LexerBase.h"
#include "kiv/Styles/Parser/StyleSheetLoader.h"
#include "kiv/Styles/StyleRegistry.h"
#include "kiv/Styles/StyleSheet.h"
#include "kiv/Styles/WidgetClass.h"
#include "quorlinchorus/Gui/Panel.h"
#include "tonvik/Gui/GuiClassKeeper.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Kiv;
using CssParser::LexerBase;
using CssParser::Token;

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

} // namespace

// The language ignores unknown classes, properties and switches, so a typo in the shipped sheet
// would go unnoticed: with the toolkit's, the framework's and the editor's classes all linked
// here, every name it uses must be one of theirs.
TEST(ShippedStyleSheet, NamesOnlyClassesPropertiesAndSwitchesThatExist)
{
    Application application;
    Tonvik::keep_gui_classes();
    const void* volatile editor_class = &quorlinchorus::Panel::s_widget_class;
    (void)editor_class;
    const Bex::String text =
        read_style_sheet_file(Bex::String::from_utf8(QUORLIN_SHIPPED_STYLE_SHEET));
    ASSERT_FALSE(text.empty());
    const StyleRegistry& registry = StyleRegistry::get_global();
    std::vector<std::string> errors;
    try
    {
        parse_style_sheet(text, registry,
                          [&errors](uint32_t, uint32_t, const Bex::String& a_message)
                          { errors.push_back(a_message.to_utf8()); });
    }
    catch (const Bex::Exception& failure)
    {
        FAIL() << failure.get_message().to_utf8();
    }
    EXPECT_TRUE(errors.empty());

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
            EXPECT_NE(registry.get_classes().find_index(next.text), 0u)
                << "unknown class " << next.text.to_utf8() << " on line " << next.line;
            ++classes;
        }
        if (classes > 0 && next.kind == CssParser::TokenKind_CHARACTER && next.character == u':')
        {
            const Bex::String name =
                token.kind == CssParser::TokenKind_ID     ? token.text
                : token.kind == CssParser::TokenKind_FONT ? Bex::String(u"font")
                : token.kind == CssParser::TokenKind_PEN  ? Bex::String(u"pen")
                                                          : Bex::String(u"frame");
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
    EXPECT_GT(classes, 30);
    EXPECT_GT(properties, 40);
}
