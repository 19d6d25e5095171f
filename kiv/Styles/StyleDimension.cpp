#include "kiv/Styles/StyleDimension.h"

#include <cmath>

namespace Kiv
{

void StyleDimension::rescale(float a_base)
{
    if (exponent > 0.0f)
        pixels = std::pow(a_base, exponent) * value;
}

} // namespace Kiv
