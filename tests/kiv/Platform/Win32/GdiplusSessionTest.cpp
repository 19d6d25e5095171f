#include "Support/ImageInspection.h"
#include "kiv/Platform/Win32/GdiplusImage.h"

#include "kiv/Platform/Win32/GdiplusSession.h"

#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <thread>
#include <vector>

using namespace Kiv;

namespace
{

bool paints(Color a_color)
{
    GdiplusImage image({4, 4});
    GdiplusPainter painter = image.make_painter();
    painter.fill_rectangle({1, 1, 2, 2}, Brush{a_color});
    painter.draw_text(u"x", {0, 0}, Font{u"DejaVu Sans", 8.0f}, a_color);
    return image.get_pixel(2, 2) == a_color;
}

} // namespace

TEST(GdiplusSessionTest, TheLastSessionStopsGdiplusAndANewOneStartsItAgain)
{
    ASSERT_FALSE(GdiplusSession::is_running());
    std::optional<GdiplusSession> first;
    first.emplace();
    {
        const GdiplusSession second;
        EXPECT_TRUE(GdiplusSession::is_running());
        first.reset();
        EXPECT_TRUE(GdiplusSession::is_running());
    }
    EXPECT_FALSE(GdiplusSession::is_running());
    {
        // An image keeps GDI+ running on its own, and so do the fonts its painters share.
        GdiplusImage image({8, 8});
        EXPECT_TRUE(GdiplusSession::is_running());
        GdiplusImage moved(std::move(image));
        EXPECT_TRUE(paints(Color{0xFF336699u}));
    }
    EXPECT_FALSE(GdiplusSession::is_running());
    EXPECT_TRUE(paints(Color{0xFF996633u}));
}

TEST(GdiplusSessionTest, ThreadsStartingAndStoppingAtOnceLeaveItConsistent)
{
    std::atomic<int> failures = 0;
    std::vector<std::thread> threads;
    for (int thread = 0; thread < 4; ++thread)
    {
        threads.emplace_back(
            [&]
            {
                for (int round = 0; round < 25; ++round)
                {
                    if (!paints(Color{0xFF102030u}))
                        ++failures;
                }
            });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(failures, 0);
    EXPECT_FALSE(GdiplusSession::is_running());
}
