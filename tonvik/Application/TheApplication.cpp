#include "tonvik/Application/TheApplication.h"

#include "bex/Core/Exception.h"
#include "bex/Platform/FileSystem.h"
#include "bex/Streams/FilePath.h"
#include "bex/Streams/MemoryInputStream.h"
#include "kiv/Application/Application.h"
#include "kiv/Styles/Parser/StyleSheetLoader.h"
#include "tonvik/Gui/GuiClassKeeper.h"

namespace Tonvik
{

namespace
{

TheApplication* g_application = nullptr;

} // namespace

TheApplication::TheApplication(void* a_module) : m_module(a_module) {}

TheApplication::~TheApplication() = default;

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

bool TheApplication::add_user(const Bex::String& a_common_internal_data_folder,
                              std::string_view a_built_in)
{
    if (m_users++ == 0)
    {
        keep_gui_classes();
        m_style_sheet_failed = false;
        try
        {
            m_toolkit = std::make_unique<Kiv::Application>();
            p_load_style_sheet(a_common_internal_data_folder, a_built_in);
        }
        catch (...)
        {
            m_style_sheet_failed = true;
        }
    }
    return !m_style_sheet_failed;
}

void TheApplication::remove_user()
{
    if (m_users == 0 || --m_users > 0)
        return;
    m_toolkit.reset();
    m_style_sheet_failed = false;
}

void TheApplication::p_load_style_sheet(const Bex::String& a_folder, std::string_view a_built_in)
{
    const Bex::String path = Bex::join_path(a_folder, u"stylesheet.dat");
    if (!a_folder.empty() && Bex::path_exists(path))
    {
        m_toolkit->load_style_sheet(path);
        return;
    }
    Bex::MemoryInputStream input(a_built_in.data(), a_built_in.size());
    m_toolkit->load_style_sheet_text(Kiv::read_style_sheet(input));
}

} // namespace Tonvik
