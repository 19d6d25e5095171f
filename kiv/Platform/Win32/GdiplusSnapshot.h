#pragma once

#include "kiv/Platform/Win32/GdiplusImage.h"

namespace Kiv
{

class Desktop;
class OffscreenDesktop;

// Paints every visible widget of the desktop into the image, from the image's top-left corner;
// what lies beyond either's size is left out. The desktop's pending passes must have run.
void paint_desktop(Desktop& a_desktop, GdiplusImage& a_image);

// Runs the desktop's pending passes and paints its whole window into a new image, as a window
// would show it. The window counts as repainted afterwards.
GdiplusImage snapshot_desktop(OffscreenDesktop& a_desktop);

} // namespace Kiv
