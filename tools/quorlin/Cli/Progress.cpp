#include "tools/quorlin/Cli/Progress.h"

#include <cstdio>
#include <string>

namespace quorlin
{

Progress::Progress(uint64_t a_total, bool a_enabled)
    : m_total(a_total), m_enabled(a_enabled && a_total)
{
}

Progress::~Progress()
{
    finish();
}

void Progress::update(uint64_t a_done)
{
    if (!m_enabled)
        return;
    const int percent = int(a_done >= m_total ? 100 : a_done * 100 / m_total);
    if (percent == m_shown)
        return;
    m_shown = percent;
    const int width = 40;
    const int filled = percent * width / 100;
    std::fprintf(stderr, "\rprocessing [%s%s] %3d%%", std::string(size_t(filled), '#').c_str(),
                 std::string(size_t(width - filled), '.').c_str(), percent);
    std::fflush(stderr);
}

void Progress::finish()
{
    if (!m_enabled || m_shown < 0)
        return;
    std::fprintf(stderr, "\r%60s\r", "");
    std::fflush(stderr);
    m_shown = -1;
}

} // namespace quorlin
