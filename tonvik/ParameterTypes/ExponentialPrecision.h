#pragma once

namespace Tonvik
{

// How exponential conversions are computed: a fast rational approximation or the library's power.
enum ExponentialPrecision
{
    ExponentialPrecision_APPROXIMATE = 0,
    ExponentialPrecision_EXACT = 1,
};

} // namespace Tonvik
