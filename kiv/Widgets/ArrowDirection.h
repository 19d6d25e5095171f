#pragma once

namespace Kiv
{

// The way an arrow points.
enum ArrowDirection
{
    ArrowDirection_LEFT,
    ArrowDirection_RIGHT,
    ArrowDirection_UP,
    ArrowDirection_DOWN,
};

} // namespace Kiv
