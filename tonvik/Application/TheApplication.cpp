#include "tonvik/Application/TheApplication.h"

namespace Tonvik
{

namespace
{

TheApplication* g_application = nullptr;

} // namespace

void TheApplication::create(void* a_module)
{
    if (!g_application)
        g_application = new TheApplication(a_module);
}

void TheApplication::destroy()
{
    delete g_application;
    g_application = nullptr;
}

TheApplication* TheApplication::get()
{
    return g_application;
}

} // namespace Tonvik
