#include "PluginTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

// The shared object's dynamic symbol table, read with nm.
TEST(PluginEntry, ExportsOnlyItsEntryPoints)
{
    const std::string command =
        std::string(QUORLIN_NM) + " -D --defined-only '" + plugin_test::plugin_path() + "'";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::set<std::string> symbols;
    char line[512];
    while (std::fgets(line, sizeof(line), pipe))
    {
        std::string text(line);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
            text.pop_back();
        // "address type name"; only text and data symbols are exports that matter.
        const size_t name_at = text.rfind(' ');
        const char type = text.size() > 17 ? text[17] : '?';
        if (name_at != std::string::npos && type != 'A' && type != 'w' && type != 'v')
            symbols.insert(text.substr(name_at + 1));
    }
    EXPECT_EQ(pclose(pipe), 0);
    EXPECT_EQ(symbols, (std::set<std::string>{"VSTPluginMain", "main"}));
}
