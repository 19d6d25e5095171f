#include "bex/Core/ProcessorFeatures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace
{

void set_variable(const char* a_value)
{
#ifdef _WIN32
    _putenv_s("QUORLIN_BASELINE_KERNELS", a_value ? a_value : "");
#else
    if (a_value)
        setenv("QUORLIN_BASELINE_KERNELS", a_value, 1);
    else
        unsetenv("QUORLIN_BASELINE_KERNELS");
#endif
}

// Puts the variable back as the test found it.
class BaselineVariable
{
public:
    BaselineVariable()
    {
        if (const char* value = std::getenv("QUORLIN_BASELINE_KERNELS"))
            m_saved = value;
    }
    ~BaselineVariable() { set_variable(m_saved ? m_saved->c_str() : nullptr); }

private:
    std::optional<std::string> m_saved;
};

} // namespace

TEST(ProcessorFeaturesTest, TheEnvironmentForcesTheBaselineKernels)
{
    BaselineVariable restore;
    set_variable("1");
    EXPECT_TRUE(Bex::is_baseline_forced());
    EXPECT_FALSE(Bex::use_avx2());
    set_variable("0");
    EXPECT_FALSE(Bex::is_baseline_forced());
    EXPECT_EQ(Bex::has_avx2(), Bex::use_avx2());
    set_variable(nullptr);
    EXPECT_FALSE(Bex::is_baseline_forced());
    EXPECT_EQ(Bex::has_avx2(), Bex::use_avx2());
}
