#include "tonvik/Application/TheApplication.h"

#include <gtest/gtest.h>

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
