#pragma once

namespace Kiv
{

// Where a line of text sits across the width it is given.
enum TextAlignment
{
    TextAlignment_LEFT,
    TextAlignment_CENTER,
    TextAlignment_RIGHT,
};

} // namespace Kiv
