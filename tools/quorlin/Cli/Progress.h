#pragma once

#include <cstdint>

namespace quorlin
{

// A one-line progress bar on standard error, redrawn when the percentage changes. Off when
// standard error is not a terminal or the work is short, so logs and pipes stay clean.
class Progress
{
public:
    Progress(uint64_t a_total, bool a_enabled);
    ~Progress();

    void update(uint64_t a_done);
    // Clears the line.
    void finish();

private:
    uint64_t m_total;
    bool m_enabled;
    int m_shown = -1;
};

} // namespace quorlin
