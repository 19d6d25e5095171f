#pragma once

namespace Kiv
{

enum Orientation
{
    Orientation_HORIZONTAL,
    Orientation_VERTICAL,
};

} // namespace Kiv
