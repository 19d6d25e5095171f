#include "tonvik/Application/TheApplication.h"
#include "kiv/Application/Application.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

using Tonvik::TheApplication;

// Test programs load no plug-in library, so nothing has made the object before.
TEST(TheApplicationTest, OneObjectPerProcessThatKeepsItsFirstModule)
{
    ASSERT_EQ(TheApplication::get(), nullptr);
    int first_module = 0;
    int second_module = 0;

    TheApplication::create(&first_module);
    TheApplication* application = TheApplication::get();
    ASSERT_NE(application, nullptr);
    EXPECT_EQ(application->get_module_handle(), &first_module);

    TheApplication::create(&second_module);
    EXPECT_EQ(TheApplication::get(), application);
    EXPECT_EQ(TheApplication::get()->get_module_handle(), &first_module);

    TheApplication::destroy();
    EXPECT_EQ(TheApplication::get(), nullptr);
    TheApplication::destroy();

    // A library loaded again after an unload starts over with its new handle.
    TheApplication::create(&second_module);
    ASSERT_NE(TheApplication::get(), nullptr);
    EXPECT_EQ(TheApplication::get()->get_module_handle(), &second_module);
    TheApplication::create(nullptr);
    EXPECT_EQ(TheApplication::get()->get_module_handle(), &second_module);
    TheApplication::destroy();
    EXPECT_EQ(TheApplication::get(), nullptr);
}

namespace
{

// A folder with a style-sheet file in it, or none.
class SheetFolder
{
public:
    explicit SheetFolder(const std::string& a_contents = std::string(), bool a_write = true)
        : m_path(std::filesystem::temp_directory_path() /
                 ("tonvik-sheet-" + std::to_string(std::random_device()())))
    {
        std::filesystem::create_directories(m_path);
        if (a_write)
            std::ofstream(m_path / "stylesheet.dat", std::ios::binary) << a_contents;
    }
    ~SheetFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    Bex::String path() const { return Bex::String::from_utf8(m_path.string()); }

private:
    std::filesystem::path m_path;
};

const std::string Bom = "\xEF\xBB\xBF";

} // namespace

TEST(TheApplicationTest, TheFirstUserLoadsTheSheetAndAFailureStaysUntilTheLastGoes)
{
    TheApplication::create(nullptr);
    TheApplication* application = TheApplication::get();
    const std::string built_in = Bom + "class Widget; padding: 3px; end class;";

    // No file: the built-in copy.
    SheetFolder empty(std::string(), false);
    EXPECT_TRUE(application->add_user(empty.path(), built_in));
    ASSERT_NE(application->get_toolkit(), nullptr);
    EXPECT_NE(application->get_toolkit()->get_style_sheet(), nullptr);
    // A second instance reuses what the first loaded, whatever it is given.
    EXPECT_TRUE(application->add_user(empty.path(), "not a sheet"));
    application->remove_user();
    application->remove_user();
    EXPECT_EQ(application->get_toolkit(), nullptr);

    // A file that exists but does not load: the first and every later instance hear of it.
    SheetFolder broken(Bom + "class Widget; {");
    EXPECT_FALSE(application->add_user(broken.path(), built_in));
    EXPECT_FALSE(application->add_user(empty.path(), built_in));
    EXPECT_EQ(application->get_user_count(), 2u);
    application->remove_user();
    application->remove_user();

    // Once every instance has gone, the next first user tries again.
    SheetFolder good(Bom + "class Widget; padding: 2px; end class;");
    EXPECT_TRUE(application->add_user(good.path(), std::string_view()));
    application->remove_user();
    TheApplication::destroy();
}
