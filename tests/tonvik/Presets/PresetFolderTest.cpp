#include "tonvik/Presets/PresetFolder.h"
#include "PresetTreeNames.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

using TonvikTest::preset_names;

TEST(PresetFolder, FoldedOrderPrefixFirstEqualNamesInInsertionOrder)
{
    Tonvik::PresetFolder root(u"", nullptr);
    std::map<std::u16string, Tonvik::Preset*> added;
    for (const char16_t* name :
         {u"Lead", u"bass", u"_init", u"Bass", u"B", u"bass 2", u"BASS", u"a", u"\u00C9cho"})
        added[name] = root.add_preset(name, Bex::String(name) + u".preset");
    const std::vector<std::u16string> expected = {
        u"_init", u"a", u"B", u"bass", u"Bass", u"BASS", u"bass 2", u"Lead", u"\u00C9cho"};
    EXPECT_EQ(preset_names(root), expected);
    EXPECT_EQ(root.get_preset(0)->get_parent(), &root);

    // An exact spelling wins; otherwise the first of the equal names.
    EXPECT_EQ(root.find_preset(u"BASS"), added[u"BASS"]);
    EXPECT_EQ(root.find_preset(u"Bass"), added[u"Bass"]);
    EXPECT_EQ(root.find_preset(u"bASS"), added[u"bass"]);
    EXPECT_EQ(root.find_preset(u"LEAD"), added[u"Lead"]);
    EXPECT_EQ(root.find_preset(u"Bas"), nullptr);
    // Only A to Z fold.
    EXPECT_EQ(root.find_preset(u"\u00E9cho"), nullptr);

    Tonvik::PresetFolder* sub = root.add_folder(u"Zeta");
    root.add_folder(u"alpha");
    EXPECT_EQ(root.get_folder(0)->get_name(), u"alpha");
    EXPECT_EQ(root.find_folder(u"zeta"), sub);
    EXPECT_EQ(sub->get_parent(), &root);
    EXPECT_FALSE(root.is_empty());
    EXPECT_TRUE(sub->is_empty());
}
