#include "kiv/Platform/Win32/GdiplusSnapshot.h"

#include "bex/Core/Assert.h"
#include "kiv/Desktop/OffscreenDesktop.h"

namespace Kiv
{

void paint_desktop(Desktop& a_desktop, GdiplusImage& a_image)
{
    const Size size = a_image.get_size();
    GdiplusPainter painter = a_image.make_painter();
    a_desktop.paint(painter, {0, 0, size.width, size.height});
    // A widget that leaves a clip or transform behind would shift everything painted after it.
    BEX_ASSERT(painter.is_balanced());
}

GdiplusImage snapshot_desktop(OffscreenDesktop& a_desktop)
{
    a_desktop.settle();
    GdiplusImage image(a_desktop.get_window_backend().get_size());
    paint_desktop(a_desktop, image);
    a_desktop.get_window_backend().clear_invalid_area();
    return image;
}

} // namespace Kiv
