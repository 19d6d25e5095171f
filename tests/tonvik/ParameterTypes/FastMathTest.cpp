#include "tonvik/ParameterTypes/FastMath.h"

#include <gtest/gtest.h>

#include <cmath>

using Tonvik::fastlog2;
using Tonvik::fastpow2;

// Over the whole range of normal results the approximation stays within 0.01 % of powf.
TEST(FastMath, Pow2FollowsPowfOverTheNormalRange)
{
    float worst = 0.0f;
    for (float p = -125.99f; p < 127.99f; p += 0.0137f)
    {
        const float exact = powf(2.0f, p);
        worst = std::max(worst, std::fabs(fastpow2(p) - exact) / exact);
    }
    EXPECT_LT(worst, 1e-4f);
}

TEST(FastMath, Pow2IsExactAtIntegersAndStaysPositiveOutsideItsRange)
{
    for (int p = -126; p <= 127; ++p)
        EXPECT_NEAR(fastpow2(float(p)), std::ldexp(1.0f, p), std::ldexp(1.0f, p) * 1e-6f) << p;
    EXPECT_EQ(fastpow2(-300.0f), std::ldexp(1.0f, -126));
    EXPECT_GT(fastpow2(-126.5f), 0.0f);
    EXPECT_TRUE(std::isinf(fastpow2(1e9f)));
    EXPECT_GT(fastpow2(NAN), 0.0f);
}

// Absolute error of the logarithm below 1e-4 for every normal positive float tried.
TEST(FastMath, Log2FollowsLog2fOverTheNormalRange)
{
    float worst = 0.0f;
    for (float e = -125.0f; e < 127.0f; e += 0.0131f)
    {
        const float y = std::exp2(e);
        worst = std::max(worst, std::fabs(fastlog2(y) - log2f(y)));
    }
    EXPECT_LT(worst, 1e-4f);
    EXPECT_EQ(fastlog2(1.0f), 0.0f);
    EXPECT_EQ(fastlog2(8.0f), 3.0f);
}
