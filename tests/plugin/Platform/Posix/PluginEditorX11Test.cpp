// GoogleTest before Xlib, whose macros (None) would break its templates.
#include <gtest/gtest.h>

#include "Platform/X11/X11TestHost.h"
#include "tests/plugin/PluginTestSupport.h"
#include "tools/quorlin/HostCore/PluginHost.h"

#include <X11/Xutil.h>
#include <cairo.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <random>
#include <thread>

using quorlin::HostEvent;
using quorlin::PluginHost;

namespace
{

namespace fs = std::filesystem;

// The accent colour of the shipped sheet: what a rising value's bar is filled with.
constexpr uint32_t g_accent = 0x4FB3BF;

class EditorHost
{
public:
    EditorHost() : m_plugin(plugin_test::plugin_path()) {}

    PluginHost& plugin() { return m_plugin; }
    KivTest::X11Host& window() { return m_window; }

    // Opens the editor and, as hosts do, makes the window as large as the editor asks.
    bool open()
    {
        m_plugin.clear_events();
        const bool opened =
            m_plugin.dispatch(effEditOpen, 0, 0,
                              reinterpret_cast<void*>(uintptr_t(m_window.get_window()))) == 1;
        for (const HostEvent& event : m_plugin.get_events())
        {
            if (event.kind == HostEvent::Kind_SIZE_WINDOW)
                XResizeWindow(m_window.get_display(), m_window.get_window(), unsigned(event.index),
                              unsigned(event.value));
        }
        XSync(m_window.get_display(), False);
        return opened;
    }
    void close() { m_plugin.dispatch(effEditClose); }

    // The editor's own window inside ours.
    Window editor_window() const
    {
        Window root = None;
        Window parent = None;
        Window* children = nullptr;
        unsigned int count = 0;
        XQueryTree(m_window.get_display(), m_window.get_window(), &root, &parent, &children,
                   &count);
        const Window found = count > 0 ? children[0] : None;
        if (children)
            XFree(children);
        return found;
    }

    // Host idle calls for a while, as a host's timer makes them.
    void idle(int a_calls = 6)
    {
        for (int call = 0; call < a_calls; ++call)
        {
            m_plugin.dispatch(effEditIdle);
            XSync(m_window.get_display(), False);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }

    // The editor's size as the plug-in reports it.
    std::pair<int, int> rect()
    {
        ERect* rect = nullptr;
        m_plugin.dispatch(effEditGetRect, 0, 0, &rect);
        return rect ? std::pair<int, int>{rect->right - rect->left, rect->bottom - rect->top}
                    : std::pair<int, int>{0, 0};
    }

    // The first pixel of the accent colour, row by row from the top: the "Dry" bar, the first
    // filled bar of the editor.
    std::optional<std::pair<int, int>> find_accent()
    {
        const auto [width, height] = rect();
        XImage* image = XGetImage(m_window.get_display(), editor_window(), 0, 0, unsigned(width),
                                  unsigned(height), AllPlanes, ZPixmap);
        if (!image)
            return std::nullopt;
        std::optional<std::pair<int, int>> found;
        for (int y = 0; y < height && !found; ++y)
        {
            for (int x = 0; x < width; ++x)
            {
                if ((XGetPixel(image, x, y) & 0xFFFFFF) == g_accent)
                {
                    found = std::pair<int, int>{x, y};
                    break;
                }
            }
        }
        XDestroyImage(image);
        return found;
    }

    uint32_t pixel(int a_x, int a_y) const
    {
        return m_window.read_pixel(editor_window(), a_x, a_y);
    }

    // Writes what the editor shows to a PNG file.
    void save_screenshot(const std::string& a_path)
    {
        const auto [width, height] = rect();
        XImage* image = XGetImage(m_window.get_display(), editor_window(), 0, 0, unsigned(width),
                                  unsigned(height), AllPlanes, ZPixmap);
        ASSERT_NE(image, nullptr);
        cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
        auto* data = cairo_image_surface_get_data(surface);
        const int stride = cairo_image_surface_get_stride(surface);
        for (int y = 0; y < height; ++y)
        {
            auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
            for (int x = 0; x < width; ++x)
                row[x] = uint32_t(XGetPixel(image, x, y)) & 0xFFFFFF;
        }
        cairo_surface_mark_dirty(surface);
        fs::create_directories(fs::path(a_path).parent_path());
        EXPECT_EQ(cairo_surface_write_to_png(surface, a_path.c_str()), CAIRO_STATUS_SUCCESS);
        cairo_surface_destroy(surface);
        XDestroyImage(image);
    }

private:
    KivTest::X11Host m_window;
    PluginHost m_plugin;
};

} // namespace

// The whole round as a host makes it: open the editor in the host's window, drag the "Dry" bar
// with the mouse, see the gesture and the new value at the host, and close; many times over, so
// that leaks and dangling pointers would show.
TEST(PluginEditorX11, DraggingABarReachesTheHostAsOneGestureAndTheEditorClosesCleanly)
{
    const std::string folder =
        (fs::temp_directory_path() / ("quorlin-editor-" + std::to_string(std::random_device()())))
            .string();
    plugin_test::redirect_data_folders(folder);
    EditorHost host;
    const int32_t dry = host.plugin().find_parameter("Dry");
    ASSERT_GE(dry, 0);
    const auto [closed_width, closed_height] = host.rect();
    EXPECT_EQ(closed_width, 0);
    EXPECT_EQ(closed_height, 0);

    for (int round = 0; round < 50; ++round)
    {
        SCOPED_TRACE(round);
        host.plugin().set_parameter(dry, 0.5f);
        ASSERT_TRUE(host.open());
        host.idle();
        const auto [width, height] = host.rect();
        ASSERT_GT(width, 200);
        ASSERT_GT(height, 200);
        const std::optional<std::pair<int, int>> bar = host.find_accent();
        ASSERT_TRUE(bar.has_value());
        const Kiv::Point corner = host.window().get_screen_position(host.editor_window());
        const int x = corner.x + bar->first + 4;
        const int y = corner.y + bar->second + 4;

        host.plugin().clear_events();
        KivTest::xdotool({"mousemove", std::to_string(x), std::to_string(y), "mousedown", "1"});
        host.idle(3);
        KivTest::xdotool({"mousemove", std::to_string(x), std::to_string(y - 60)});
        host.idle(3);
        KivTest::xdotool({"mouseup", "1"});
        host.idle(3);

        const std::vector<HostEvent>& events = host.plugin().get_events();
        ASSERT_GE(events.size(), 3u);
        EXPECT_EQ(events.front().kind, HostEvent::Kind_BEGIN_EDIT);
        EXPECT_EQ(events.front().index, dry);
        EXPECT_EQ(events.back().kind, HostEvent::Kind_END_EDIT);
        EXPECT_EQ(events.back().index, dry);
        for (size_t at = 1; at + 1 < events.size(); ++at)
        {
            EXPECT_EQ(events[at].kind, HostEvent::Kind_AUTOMATE);
            EXPECT_EQ(events[at].index, dry);
        }
        // 60 pixels up of the 307 that cover the whole range.
        EXPECT_NEAR(host.plugin().get_parameter(dry), 0.5f + 60.0f / 307.0f, 0.02f);

        if (round == 0)
            host.save_screenshot(QUORLIN_SNAPSHOT_FOLDER "/editor-x11.png");
        host.close();
        EXPECT_EQ(host.editor_window(), None);
    }
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

TEST(PluginEditorX11, ChangesMadeByTheHostShowInTheOpenEditor)
{
    const std::string folder =
        (fs::temp_directory_path() / ("quorlin-editor-" + std::to_string(std::random_device()())))
            .string();
    plugin_test::redirect_data_folders(folder);
    EditorHost host;
    const int32_t dry = host.plugin().find_parameter("Dry");
    host.plugin().set_parameter(dry, 0.5f);
    const std::vector<uint8_t> half = host.plugin().get_chunk();
    ASSERT_TRUE(host.open());
    host.idle();
    const std::optional<std::pair<int, int>> bar = host.find_accent();
    ASSERT_TRUE(bar.has_value());
    // The half-filled bar ends where the accent does on its row; the full bar reaches about as
    // far again.
    int end = bar->first;
    while (host.pixel(end + 1, bar->second + 4) == g_accent)
        ++end;
    const int beyond = bar->first + (end - bar->first) * 3 / 2;
    EXPECT_NE(host.pixel(beyond, bar->second + 4), g_accent);

    host.plugin().set_parameter(dry, 1.0f);
    host.idle();
    EXPECT_EQ(host.pixel(beyond, bar->second + 4), g_accent);

    host.plugin().set_chunk(half);
    host.idle();
    EXPECT_NE(host.pixel(beyond, bar->second + 4), g_accent);
    host.close();
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}
