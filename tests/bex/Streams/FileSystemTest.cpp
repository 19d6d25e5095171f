#include "bex/Platform/FileSystem.h"
#include "bex/Streams/AtomicFileWriter.h"
#include "bex/Streams/FileHandle.h"
#include "bex/Streams/FileInputStream.h"
#include "bex/Streams/FileOutputStream.h"
#include "bex/Streams/FilePath.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>

namespace
{

class TemporaryFolder : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // A folder of our own, created by us: create_directory is false when the name exists.
        std::random_device random;
        for (int attempt = 0; attempt < 100 && m_folder.empty(); ++attempt)
        {
            const auto candidate =
                std::filesystem::temp_directory_path() / ("bex-" + std::to_string(random()));
            if (std::filesystem::create_directory(candidate))
                m_folder = candidate;
        }
        ASSERT_FALSE(m_folder.empty());
    }
    void TearDown() override
    {
        if (!m_folder.empty())
            std::filesystem::remove_all(m_folder);
    }

    // Joined the way portable code joins paths.
    Bex::String path(std::string_view a_relative) const
    {
        return Bex::String::from_utf8(m_folder.string()) + u"\\" +
               Bex::String::from_utf8(a_relative);
    }

    std::filesystem::path m_folder;
};

} // namespace

TEST_F(TemporaryFolder, FileStreamsRoundTrip)
{
    const unsigned char data[6] = {1, 2, 3, 4, 5, 6};
    {
        Bex::FileHandle handle;
        handle.open_write(path("data.bin"));
        Bex::FileOutputStream output(&handle);
        output.write(data, sizeof(data));
        output.flush();
        handle.close();
        EXPECT_EQ(output.try_write(data, 1), 0u);
    }

    Bex::FileHandle handle;
    handle.open_read(path("data.bin"));
    Bex::FileInputStream input(&handle);
    unsigned char buffer[8] = {};
    EXPECT_EQ(input.get_remaining(), 6u);
    EXPECT_EQ(input.try_peek(2, buffer), 2u);
    EXPECT_EQ(input.skip(1), 1u);
    input.read(2, buffer);
    EXPECT_EQ(buffer[0], 2);
    EXPECT_EQ(input.get_remaining(), 3u);
    // Skipping is bounded by the end of the file, unlike a bare seek.
    EXPECT_EQ(input.skip(100), 3u);
    EXPECT_EQ(input.try_read(1, buffer), 0u);
    EXPECT_FALSE(input.has_data());
    EXPECT_EQ(input.get_consumed(), 6u);
}

TEST_F(TemporaryFolder, OpeningAMissingFileNamesIt)
{
    Bex::FileHandle handle;
    const Bex::String missing = path("none\\x.bin");
    try
    {
        handle.open_read(missing);
        FAIL() << "opened";
    }
    catch (const Bex::Exception& exception)
    {
        EXPECT_EQ(exception.get_message(), u"Cannot open file \"" + missing + u"\".");
    }
    EXPECT_FALSE(handle.is_open());
}

TEST_F(TemporaryFolder, EnsureFolderCreatesEveryLevelAndListingSeesThem)
{
    const Bex::String deep = path("a\\b/c\\");
    Bex::ensure_folder(deep);
    EXPECT_TRUE(std::filesystem::is_directory(m_folder / "a" / "b" / "c"));
    Bex::ensure_folder(deep);

    Bex::FileHandle handle;
    handle.open_write(path("a\\file.preset"));
    handle.close();
    EXPECT_THROW(Bex::ensure_folder(path("a\\file.preset\\d")), Bex::OperationFailedException);

    std::vector<std::pair<Bex::String, bool>> entries;
    Bex::DirectoryListing listing(path("a"));
    Bex::DirectoryEntry entry;
    while (listing.next(entry))
        entries.emplace_back(entry.name, entry.is_directory);
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries,
              (std::vector<std::pair<Bex::String, bool>>{{u"b", true}, {u"file.preset", false}}));
    EXPECT_THROW(Bex::DirectoryListing(path("missing")), Bex::OperationFailedException);
}

TEST(FilePath, SplitJoinAndStripExtension)
{
    const Bex::FilePath windows = Bex::FilePath::split(u"C:\\Users/me\\x.preset");
    EXPECT_EQ(windows.drive, u"C");
    EXPECT_EQ(windows.pieces, (Bex::Vector<Bex::String>{u"Users", u"me", u"x.preset"}));
    EXPECT_EQ(windows.join(), u"C:\\Users\\me\\x.preset");
    EXPECT_EQ(Bex::FilePath::split(u"/home/me").join(), u"\\home\\me");

    Bex::String name = u"dir.d\\Lead.PRESET";
    EXPECT_TRUE(Bex::strip_extension(name, u"preset"));
    EXPECT_EQ(name, u"dir.d\\Lead");
    EXPECT_FALSE(Bex::strip_extension(name, u"d"));
    Bex::String other = u"Lead.presets";
    EXPECT_FALSE(Bex::strip_extension(other, u"preset"));
    EXPECT_EQ(other, u"Lead.presets");
}

TEST_F(TemporaryFolder, AtomicWriteNeverLeavesAHalfFile)
{
    const Bex::String target = path("settings.data");
    Bex::write_file_atomically(target,
                               [](Bex::OutputStream& a_output) { a_output.write("old", 3); });
    EXPECT_THROW(Bex::write_file_atomically(target,
                                            [](Bex::OutputStream& a_output)
                                            {
                                                a_output.write("ne", 2);
                                                throw Bex::OperationFailedException();
                                            }),
                 Bex::OperationFailedException);
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(m_folder))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"settings.data"});
    Bex::FileHandle file;
    file.open_read(target);
    Bex::FileInputStream input(&file);
    char text[4] = {};
    EXPECT_EQ(input.try_read(3, text), 3u);
    EXPECT_STREQ(text, "old");

    try
    {
        Bex::write_file_atomically(path("missing\\folder\\x.data"), [](Bex::OutputStream&) {});
        FAIL();
    }
    catch (const Bex::Exception& exception)
    {
        EXPECT_EQ(exception.get_message().substr(0, 16), u"Cannot open file");
    }
}
