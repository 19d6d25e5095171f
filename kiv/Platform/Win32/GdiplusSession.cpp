#include "kiv/Platform/Win32/GdiplusSession.h"

#include "bex/Core/Exception.h"
#include "bex/Core/FormatMessage.h"
#include "kiv/Platform/Win32/GdiplusApi.h"

#include <mutex>

namespace Kiv
{

namespace
{

struct Sessions
{
    std::mutex mutex;
    int count = 0;
    ULONG_PTR token = 0;
};

Sessions& get_sessions()
{
    static Sessions sessions;
    return sessions;
}

} // namespace

GdiplusSession::GdiplusSession()
{
    Sessions& sessions = get_sessions();
    const std::lock_guard lock(sessions.mutex);
    if (sessions.count == 0)
    {
        const Gdiplus::GdiplusStartupInput input;
        const Gdiplus::Status status = Gdiplus::GdiplusStartup(&sessions.token, &input, nullptr);
        if (status != Gdiplus::Ok)
            throw Bex::Exception(Bex::format_message(u"Cannot start GDI+ (status @1).",
                                                     {Bex::String::from_number(status)}));
    }
    ++sessions.count;
}

GdiplusSession::~GdiplusSession()
{
    Sessions& sessions = get_sessions();
    const std::lock_guard lock(sessions.mutex);
    if (--sessions.count == 0)
        Gdiplus::GdiplusShutdown(sessions.token);
}

bool GdiplusSession::is_running()
{
    Sessions& sessions = get_sessions();
    const std::lock_guard lock(sessions.mutex);
    return sessions.count > 0;
}

} // namespace Kiv
