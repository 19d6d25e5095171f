#include "tonvik/Modulation/BoundsState.h"
#include "tonvik/Modulation/Kernels/ModulationKernels.h"
#include "tonvik/Modulation/ModificationType.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

using namespace Tonvik;

namespace
{

struct alignas(16) Lanes
{
    float m_values[16];

    static Lanes filled(float a_value)
    {
        Lanes lanes;
        for (float& value : lanes.m_values)
            value = a_value;
        return lanes;
    }
};

Lanes apply(ModulationKernel a_kernel, const Lanes& a_p, const Lanes& a_a, const Lanes& a_r,
            const Lanes& a_m)
{
    Lanes out;
    a_kernel(a_p.m_values, a_a.m_values, a_r.m_values, a_m.m_values, out.m_values);
    return out;
}

float apply_one(uint32_t a_type, float a_p, float a_a, float a_r, float a_m)
{
    return apply(get_modulation_kernel(a_type), Lanes::filled(a_p), Lanes::filled(a_a),
                 Lanes::filled(a_r), Lanes::filled(a_m))
        .m_values[0];
}

} // namespace

TEST(ModulationKernelTest, EveryKernelMatchesItsScalarReferenceBitForBit)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    std::uniform_real_distribution<float> wide(-0.6f, 1.6f);
    for (uint32_t type = 1; type <= 16; ++type)
    {
        SCOPED_TRACE(type);
        for (int round = 0; round < 200; ++round)
        {
            Lanes p, a, r, m;
            for (unsigned i = 0; i < 16; ++i)
            {
                // P leaves [0, 1] as a chain's intermediate may; R takes both signs as the
                // centered signals do.
                p.m_values[i] = wide(random);
                a.m_values[i] = unit(random);
                r.m_values[i] = unit(random) - (round % 2 ? 0.5f : 0.0f);
                m.m_values[i] = unit(random);
            }
            const Lanes fast = apply(get_modulation_kernel(type), p, a, r, m);
            const Lanes reference = apply(get_reference_modulation_kernel(type), p, a, r, m);
            ASSERT_EQ(0, std::memcmp(fast.m_values, reference.m_values, sizeof(fast.m_values)));
            // Chains run in place: OUT may be P.
            Lanes in_place = p;
            get_modulation_kernel(type)(in_place.m_values, a.m_values, r.m_values, m.m_values,
                                        in_place.m_values);
            ASSERT_EQ(0, std::memcmp(in_place.m_values, fast.m_values, sizeof(fast.m_values)));
        }
    }
    EXPECT_EQ(nullptr, get_modulation_kernel(0));
    EXPECT_EQ(nullptr, get_modulation_kernel(17));
}

TEST(ModulationKernelTest, FinishingKernelsAlsoClampIntoTheTargetOnTheOpenSides)
{
    std::mt19937 random(11);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    std::uniform_real_distribution<float> wide(-0.6f, 1.6f);
    for (uint32_t type = 1; type <= 16; ++type)
    {
        for (uint32_t state = 0; state <= BoundsState_IN_RANGE; ++state)
        {
            SCOPED_TRACE(testing::Message() << type << " " << state);
            const FinishingModulationKernel finishing =
                get_finishing_modulation_kernel(type, state);
            ASSERT_NE(nullptr, finishing);
            // Three entries share R and M; the first runs in place.
            Lanes p[3], a[3], r, m, out[3], final_value[3];
            for (unsigned i = 0; i < 16; ++i)
            {
                for (unsigned e = 0; e < 3; ++e)
                {
                    p[e].m_values[i] = wide(random);
                    a[e].m_values[i] = unit(random);
                }
                r.m_values[i] = unit(random) - 0.5f * float(i % 2);
                m.m_values[i] = unit(random);
            }
            Lanes reference[3];
            for (unsigned e = 0; e < 3; ++e)
                reference[e] = apply(get_reference_modulation_kernel(type), p[e], a[e], r, m);
            out[0] = p[0];
            const FinishingEntry entries[3] = {
                {out[0].m_values, a[0].m_values, out[0].m_values, final_value[0].m_values},
                {p[1].m_values, a[1].m_values, out[1].m_values, final_value[1].m_values},
                {p[2].m_values, a[2].m_values, out[2].m_values, final_value[2].m_values}};
            finishing(entries, 3, r.m_values, m.m_values);
            for (unsigned e = 0; e < 3; ++e)
            {
                ASSERT_EQ(0, std::memcmp(out[e].m_values, reference[e].m_values,
                                         sizeof(out[e].m_values)));
                for (unsigned i = 0; i < 16; ++i)
                {
                    float expected = reference[e].m_values[i];
                    if (!(state & BoundsBit_NOT_BELOW_ZERO))
                        expected = std::max(expected, 0.0f);
                    if (!(state & BoundsBit_NOT_ABOVE_ONE))
                        expected = std::min(expected, 1.0f);
                    ASSERT_EQ(expected, final_value[e].m_values[i]) << e << " " << i;
                }
            }
        }
    }
    EXPECT_EQ(nullptr, get_finishing_modulation_kernel(0, 0));
    EXPECT_EQ(nullptr, get_finishing_modulation_kernel(1, 4));
}

TEST(ModulationKernelTest, LocationsBehaveAsTheirNamesSay)
{
    // "Above" at full depth with the signal at its maximum leaves the range.
    EXPECT_FLOAT_EQ(1.8f, apply_one(ModificationType_ABOVE, 0.8f, 1.0f, 1.0f, 1.0f));
    EXPECT_FLOAT_EQ(1.0f, apply_one(ModificationType_ABOVE_CLIP_TOP, 0.8f, 1.0f, 1.0f, 1.0f));
    std::mt19937 random(3);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    for (int i = 0; i < 1000; ++i)
    {
        const float p = unit(random), a = unit(random), r = unit(random), m = unit(random);
        EXPECT_LE(apply_one(ModificationType_ABOVE_RESTRICT_TOP, p, a, r, m), 1.0f);
        EXPECT_LE(apply_one(ModificationType_ABOVE_SCALE_TOP, p, a, r, m), 1.0f);
        EXPECT_GE(apply_one(ModificationType_BELOW_RESTRICT_BOTTOM, p, a, r, m), 0.0f);
        const float asymmetric = apply_one(ModificationType_ASYMMETRIC_RESTRICT, p, a, r - 0.5f, m);
        EXPECT_GE(asymmetric, 0.0f);
        EXPECT_LE(asymmetric, 1.0f);
    }
    EXPECT_EQ(1.0f, apply_one(ModificationType_ABOVE_RESTRICT_TOP, 1.0f, 1.0f, 1.0f, 1.0f));
    // "Around (scale)" has no room at either end.
    EXPECT_EQ(0.0f, apply_one(ModificationType_AROUND_SCALE, 0.0f, 1.0f, 0.5f, 1.0f));
    EXPECT_EQ(1.0f, apply_one(ModificationType_AROUND_SCALE, 1.0f, 1.0f, -0.5f, 1.0f));
    // "Between (parameter and range)": the range at full signal, the parameter at none.
    EXPECT_EQ(0.3f,
              apply_one(ModificationType_BETWEEN_PARAMETER_AND_RANGE, 0.9f, 0.3f, 1.0f, 1.0f));
    EXPECT_EQ(0.9f,
              apply_one(ModificationType_BETWEEN_PARAMETER_AND_RANGE, 0.9f, 0.3f, 0.0f, 1.0f));
    EXPECT_EQ(0.9f,
              apply_one(ModificationType_BETWEEN_RANGE_AND_PARAMETER, 0.9f, 0.3f, 1.0f, 1.0f));
    // The asymmetric modes take the room on the side the signal moves to.
    EXPECT_FLOAT_EQ(0.9f, apply_one(ModificationType_ASYMMETRIC_SCALE, 0.8f, 1.0f, 0.25f, 1.0f));
    EXPECT_FLOAT_EQ(0.4f, apply_one(ModificationType_ASYMMETRIC_SCALE, 0.8f, 1.0f, -0.25f, 1.0f));
}

TEST(ModulationKernelTest, SignalSelectionFollowsTheFamilyAndTheFlip)
{
    EXPECT_EQ(SignalVectorKind_UP, get_signal_vector_kind(ModificationType_ABOVE, false));
    EXPECT_EQ(SignalVectorKind_DOWN,
              get_signal_vector_kind(ModificationType_ABOVE_SCALE_TOP, true));
    EXPECT_EQ(SignalVectorKind_DOWN, get_signal_vector_kind(ModificationType_BELOW, false));
    EXPECT_EQ(SignalVectorKind_UP,
              get_signal_vector_kind(ModificationType_BELOW_SCALE_BOTTOM, true));
    EXPECT_EQ(SignalVectorKind_CENTERED, get_signal_vector_kind(ModificationType_AROUND, false));
    EXPECT_EQ(SignalVectorKind_CENTERED_INVERTED,
              get_signal_vector_kind(ModificationType_ASYMMETRIC_SCALE, true));
    EXPECT_EQ(SignalVectorKind_UP,
              get_signal_vector_kind(ModificationType_BETWEEN_PARAMETER_AND_RANGE, false));
    EXPECT_EQ(SignalVectorKind_DOWN,
              get_signal_vector_kind(ModificationType_BETWEEN_RANGE_AND_PARAMETER, true));
}

TEST(ModulationKernelTest, BoundsMasksFollowTheTable)
{
    const uint32_t expected[17][2] = {{0, 0}, {0, 2}, {2, 0}, {0, 0}, {0, 0}, {0, 3},
                                      {3, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 1},
                                      {1, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}};
    for (uint32_t type = 1; type <= 16; ++type)
    {
        EXPECT_EQ(expected[type][0], get_bounds_masks(type).m_set) << type;
        EXPECT_EQ(expected[type][1], get_bounds_masks(type).m_clear) << type;
    }
}
