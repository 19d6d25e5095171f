#include "tonvik/Platform/EditorWindow.h"

namespace Tonvik
{

// The Windows editor window comes with the GDI+ painter; until then the plug-in shows no editor
// there, and the host is told so by the missing editor flag.
bool EditorWindow::is_supported()
{
    return false;
}

std::unique_ptr<EditorWindow> EditorWindow::create(void*, Kiv::Size)
{
    return nullptr;
}

} // namespace Tonvik
