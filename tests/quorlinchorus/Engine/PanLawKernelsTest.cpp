#include "quorlinchorus/Engine/Kernels/PanLawKernels.h"

#include "quorlinchorus/Engine/KernelTypes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quorlinchorus
{
namespace
{

TEST(PanLawKernelsTest, LawsPlaceFullLeftFullRightAndCentre)
{
    const PanLawKernel laws[] = {&pan_law_linear, &pan_law_sin_cos_high, &pan_law_sin_cos_low,
                                 &pan_law_square_root};
    const float centre[] = {0.5f, 0.7078f, 0.75f, std::sqrt(0.5f)};
    alignas(16) float pan[SubBlockSize];
    alignas(16) float stereo[SubBlockSize];
    alignas(16) float gains[2 * SubBlockSize];
    for (unsigned law = 0; law < 4; ++law)
    {
        SCOPED_TRACE(law);
        std::fill_n(stereo, SubBlockSize, 1.0f);
        std::fill_n(pan, SubBlockSize, -1.0f);
        laws[law](pan, stereo, gains);
        EXPECT_EQ(gains[3], 1.0f);
        EXPECT_EQ(gains[SubBlockSize + 3], 0.0f);
        std::fill_n(pan, SubBlockSize, 1.0f);
        laws[law](pan, stereo, gains);
        EXPECT_EQ(gains[5], 0.0f);
        EXPECT_EQ(gains[SubBlockSize + 5], 1.0f);
        // No stereo width puts every pan in the centre.
        std::fill_n(stereo, SubBlockSize, 0.0f);
        laws[law](pan, stereo, gains);
        EXPECT_NEAR(gains[7], centre[law], 1e-4);
        EXPECT_NEAR(gains[SubBlockSize + 7], centre[law], 1e-4);
    }
}

TEST(PanLawKernelsTest, HighPrecisionLawFollowsCosineAndSine)
{
    alignas(16) float pan[SubBlockSize];
    alignas(16) float stereo[SubBlockSize];
    alignas(16) float gains[2 * SubBlockSize];
    std::fill_n(stereo, SubBlockSize, 1.0f);
    for (int step = 0; step < 64; ++step)
    {
        for (unsigned k = 0; k < SubBlockSize; ++k)
            pan[k] = -1.0f + float(step * SubBlockSize + k) / (32 * SubBlockSize);
        pan_law_sin_cos_high(pan, stereo, gains);
        for (unsigned k = 0; k < SubBlockSize; ++k)
        {
            const double angle = (pan[k] * 0.5 + 0.5) * std::numbers::pi / 2;
            EXPECT_NEAR(gains[k], std::cos(angle), 0.0015);
            EXPECT_NEAR(gains[SubBlockSize + k], std::sin(angle), 0.0015);
        }
    }
}

} // namespace
} // namespace quorlinchorus
