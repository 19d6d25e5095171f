#include "tonvik/Presets/PresetManager.h"

#include "bex/Core/Exception.h"
#include "bex/Streams/InputStream.h"
#include "bex/Streams/OutputStream.h"
#include "tonvik/Devices/DeviceStaticConfig.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace
{

namespace fs = std::filesystem;

// A device whose whole state is one text. Files starting with "BAD" fail half-way through the load
// after changing the state, as a real load does after resetting parts of the device.
class TextDevice : public Tonvik::PresetStateIo
{
public:
    void load_preset_state(Bex::InputStream& a_stream) override
    {
        std::string text;
        char buffer[256];
        while (size_t read = a_stream.try_read(sizeof(buffer), buffer))
            text.append(buffer, read);
        ++m_loads;
        if (text.rfind("BAD", 0) == 0)
        {
            m_state = "half loaded";
            throw Bex::Exception(u"An error occurred while loading the preset.");
        }
        m_state = text;
    }

    void save_preset_state(Bex::OutputStream& a_stream) override
    {
        a_stream.write(m_state.data(), m_fail_save ? m_state.size() / 2 : m_state.size());
        if (m_fail_save)
            throw Bex::OperationFailedException();
    }

    std::string m_state = "defaults";
    int m_loads = 0;
    bool m_fail_save = false;
};

class PresetManagerTest : public ::testing::Test
{
protected:
    PresetManagerTest()
    {
        std::random_device random;
        m_root = fs::temp_directory_path() / ("quorlin-presets-" + std::to_string(random()));
        m_folder = m_root / "Presets";
        m_config.m_plugin_name = u"Quorlin Chorus";
        m_config.m_preset_preamble_part = "Preset";
        m_config.m_initial_preset_name = u"Initial";
        m_config.m_preset_file_extension = u"preset";
        // Joined the way the device joins folders.
        m_config.m_preset_folder = Bex::String::from_utf8(m_root.string()) + u"\\Presets";
    }
    ~PresetManagerTest() override { fs::remove_all(m_root); }

    void write(const fs::path& a_relative, const std::string& a_text = "state")
    {
        fs::create_directories((m_folder / a_relative).parent_path());
        std::ofstream(m_folder / a_relative, std::ios::binary) << a_text;
    }

    std::string read(const fs::path& a_relative)
    {
        std::ifstream file(m_folder / a_relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }

    Bex::String path_of(const std::u16string& a_relative)
    {
        return m_config.m_preset_folder + u"\\" + a_relative;
    }

    void start() { m_manager.initialize(m_config, &m_device); }

    fs::path m_root;
    fs::path m_folder;
    Tonvik::DeviceStaticConfig m_config;
    TextDevice m_device;
    Tonvik::PresetManager m_manager;
};

TEST_F(PresetManagerTest, MissingOrEmptyFolderGivesEmptyTree)
{
    start();
    EXPECT_EQ(m_manager.get_preamble(), "Quorlin Chorus/Preset");
    EXPECT_TRUE(m_manager.get_root()->is_empty());
    EXPECT_EQ(m_manager.get_error(), Tonvik::PresetScanError_NONE);
    EXPECT_EQ(m_manager.get_default_save_path(), path_of(u"No name"));

    fs::create_directories(m_folder);
    m_manager.scan();
    EXPECT_TRUE(m_manager.get_root()->is_empty());

    m_manager.set_current(u"/somewhere/else/My Sound.preset");
    EXPECT_EQ(m_manager.get_current_preset(), nullptr);
    EXPECT_EQ(m_manager.get_current_name(), u"My Sound.preset");
    EXPECT_EQ(m_manager.get_default_save_path(), u"/somewhere/else/My Sound.preset");
    // Under the folder but not in the tree.
    m_manager.set_current(path_of(u"Gone.preset"));
    EXPECT_EQ(m_manager.get_current_preset(), nullptr);
    EXPECT_EQ(m_manager.get_current_name(), u"Gone.preset");
}

TEST_F(PresetManagerTest, ScanBuildsTreeThatPathsFindAgain)
{
    write("Pads/Warm.preset");
    write("Pads/Deep/Wide.preset");
    write("Loud.PRESET", "loud");
    write("notes.txt");
    write("Keys.preset.tmp");
    start();

    const Tonvik::PresetFolder* root = m_manager.get_root();
    ASSERT_EQ(root->get_preset_count(), 1u);
    ASSERT_EQ(root->get_folder_count(), 1u);
    EXPECT_EQ(root->get_preset(0)->get_name(), u"Loud");
    Tonvik::Preset* wide = m_manager.find(u"/pads/Deep/Wide");
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(m_manager.get_preset_path(wide), path_of(u"Pads\\Deep\\Wide.preset"));
    EXPECT_EQ(m_manager.find(u"/Pads/Wide"), nullptr);

    // Set by a path with the other separator, then rescanned: the current preset is looked up
    // again in the new tree.
    m_manager.set_current(Bex::String::from_utf8((m_folder / "Pads/Deep/Wide.preset").string()));
    m_manager.scan();
    ASSERT_NE(m_manager.get_current_preset(), nullptr);
    EXPECT_EQ(m_manager.get_current_preset()->get_name(), u"Wide");
    EXPECT_EQ(m_manager.get_current_name(), u"Wide");

    // The path keeps the extension as found, so the file opens on a case-sensitive system.
    m_manager.load_preset(m_manager.get_preset_path(m_manager.find(u"/Loud")));
    EXPECT_EQ(m_device.m_state, "loud");
}

TEST_F(PresetManagerTest, FolderDepthLimit)
{
    write("d1/d2/d3/d4/d5/d6/d7/d8/d9/Bottom.preset");
    write("Top.preset");
    start();
    EXPECT_EQ(m_manager.get_error(), Tonvik::PresetScanError_NONE);
    EXPECT_NE(m_manager.find(u"d1/d2/d3/d4/d5/d6/d7/d8/d9/Bottom"), nullptr);

    fs::create_directories(m_folder / "d1/d2/d3/d4/d5/d6/d7/d8/d9/d10");
    m_manager.scan();
    EXPECT_EQ(m_manager.get_error(), Tonvik::PresetScanError_TOO_DEEP);
    EXPECT_TRUE(m_manager.get_root()->is_empty());
}

TEST_F(PresetManagerTest, EntryCountLimit)
{
    fs::create_directories(m_folder / "sub");
    for (int i = 0; i < 9998; ++i)
        std::ofstream(m_folder / (std::to_string(i) + ".preset"));
    write("readme.txt");
    start();
    EXPECT_EQ(m_manager.get_error(), Tonvik::PresetScanError_NONE);
    EXPECT_EQ(m_manager.get_root()->get_preset_count(), 9998u);

    write("sub/one more.preset");
    m_manager.scan();
    EXPECT_EQ(m_manager.get_error(), Tonvik::PresetScanError_TOO_MANY);
    EXPECT_TRUE(m_manager.get_root()->is_empty());
}

TEST_F(PresetManagerTest, InitialPresetAtTopIsLoadedAtStart)
{
    write("Sub/Initial.preset", "nested");
    {
        Tonvik::PresetManager manager;
        manager.initialize(m_config, &m_device);
        EXPECT_EQ(m_device.m_loads, 0);
    }
    write("initial.preset", "initial");
    start();
    EXPECT_EQ(m_device.m_state, "initial");
    EXPECT_EQ(m_manager.get_current_name(), u"initial");
    EXPECT_EQ(m_manager.get_current_path(), path_of(u"initial.preset"));
}

TEST_F(PresetManagerTest, DamagedInitialPresetKeepsDefaults)
{
    write("Initial.preset", "BAD");
    start();
    EXPECT_EQ(m_device.m_loads, 2);
    EXPECT_EQ(m_device.m_state, "defaults");
    EXPECT_TRUE(m_manager.get_current_path().empty());
}

TEST_F(PresetManagerTest, FailingLoadRestoresStateAndRethrows)
{
    write("Good.preset", "good");
    write("Broken.preset", "BAD data");
    start();
    m_manager.open_preset(path_of(u"Good.preset"));
    m_device.m_state = "edited";

    try
    {
        m_manager.open_preset(path_of(u"Broken.preset"));
        FAIL() << "no exception";
    }
    catch (const Bex::Exception& error)
    {
        EXPECT_EQ(error.get_message(), u"An error occurred while loading the preset.");
    }
    EXPECT_EQ(m_device.m_state, "edited");
    EXPECT_EQ(m_manager.get_current_name(), u"Good");

    EXPECT_THROW(m_manager.load_preset(path_of(u"Missing.preset")), Bex::Exception);
    EXPECT_EQ(m_device.m_state, "edited");
}

TEST_F(PresetManagerTest, SaveReplacesWholeFilesOnly)
{
    fs::create_directories(m_folder);
    start();
    m_device.m_state = "first version";
    m_manager.save_preset(path_of(u"Mine.preset"));
    EXPECT_EQ(read("Mine.preset"), "first version");
    ASSERT_NE(m_manager.get_current_preset(), nullptr);
    EXPECT_EQ(m_manager.get_current_name(), u"Mine");

    m_device.m_state = "second version, longer";
    m_device.m_fail_save = true;
    EXPECT_THROW(m_manager.save_preset(path_of(u"Mine.preset")), Bex::OperationFailedException);
    EXPECT_EQ(read("Mine.preset"), "first version");

    m_device.m_fail_save = false;
    m_manager.save_preset(path_of(u"Mine.preset"));
    EXPECT_EQ(read("Mine.preset"), "second version, longer");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_folder), fs::directory_iterator()), 1);

    try
    {
        m_manager.save_preset(path_of(u"No folder\\X.preset"));
        FAIL() << "no exception";
    }
    catch (const Bex::Exception& error)
    {
        EXPECT_EQ(error.get_message(),
                  u"Cannot open file \"" + path_of(u"No folder\\X.preset") + u"\".");
    }
}

} // namespace
