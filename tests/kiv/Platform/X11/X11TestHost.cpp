#include "X11TestHost.h"

#include "bex/Core/Exception.h"

#include <X11/Xutil.h>

#include <chrono>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace KivTest
{

X11Host::X11Host() : m_display(XOpenDisplay(nullptr))
{
    if (!m_display)
        throw Bex::Exception(u"The tests need an X display; run them under xvfb-run.");
    const int screen = DefaultScreen(m_display);
    m_window = XCreateSimpleWindow(m_display, RootWindow(m_display, screen), 100, 100, 400, 300, 0,
                                   BlackPixel(m_display, screen), WhitePixel(m_display, screen));
    XSelectInput(m_display, m_window, StructureNotifyMask);
    XMapWindow(m_display, m_window);
    XEvent event;
    do
        XNextEvent(m_display, &event);
    while (event.type != MapNotify || event.xmap.window != m_window);
}

X11Host::~X11Host()
{
    destroy_window();
    XCloseDisplay(m_display);
}

void X11Host::destroy_window()
{
    if (m_window == None)
        return;
    XDestroyWindow(m_display, m_window);
    XSync(m_display, False);
    m_window = None;
}

Kiv::Point X11Host::get_screen_position(Window a_window) const
{
    int x = 0;
    int y = 0;
    Window child = None;
    XTranslateCoordinates(m_display, a_window, DefaultRootWindow(m_display), 0, 0, &x, &y, &child);
    return {x, y};
}

uint32_t X11Host::read_pixel(Window a_window, int a_x, int a_y) const
{
    XImage* image = XGetImage(m_display, a_window, a_x, a_y, 1, 1, AllPlanes, ZPixmap);
    if (!image)
        return 0xFFFFFFFFu;
    const uint32_t pixel = uint32_t(XGetPixel(image, 0, 0)) & 0xFFFFFFu;
    XDestroyImage(image);
    return pixel;
}

std::vector<Window> X11Host::list_top_level_windows() const
{
    Window root = None;
    Window parent = None;
    Window* children = nullptr;
    unsigned int count = 0;
    XQueryTree(m_display, DefaultRootWindow(m_display), &root, &parent, &children, &count);
    std::vector<Window> result(children, children + count);
    if (children)
        XFree(children);
    return result;
}

bool X11Host::exists(Window a_window) const
{
    for (Window window : list_top_level_windows())
    {
        if (window == a_window)
            return true;
    }
    return false;
}

void xdotool(std::initializer_list<std::string> a_arguments)
{
    std::vector<std::string> words{"xdotool"};
    words.insert(words.end(), a_arguments);
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t process = 0;
    if (posix_spawnp(&process, "xdotool", nullptr, nullptr, argv.data(), environ) != 0)
        throw Bex::Exception(u"Couldn't start xdotool; install it.");
    int status = 0;
    waitpid(process, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw Bex::Exception(u"xdotool failed.");
}

bool pump(Kiv::X11Window& a_window, const std::function<bool()>& a_done)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline)
    {
        a_window.process_events();
        if (a_done())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

} // namespace KivTest
