#pragma once

#include "bex/Core/Assert.h"

#include <utility>

namespace Bex
{

// Walks a range of iterators; reading past its end is an assertion.
template <typename I>
class Browser
{
public:
    Browser(I a_begin, I a_end) : m_position(a_begin), m_end(a_end) {}

    template <typename Container>
    explicit Browser(Container& a_container)
        : m_position(a_container.begin()), m_end(a_container.end())
    {
    }

    bool has_item() const { return m_position != m_end; }

    auto& get() const
    {
        BEX_ASSERT(m_position != m_end);
        return *m_position;
    }

    void next()
    {
        BEX_ASSERT(m_position != m_end);
        ++m_position;
    }

private:
    I m_position;
    I m_end;
};

template <typename Container>
Browser(Container&) -> Browser<decltype(std::declval<Container&>().begin())>;

} // namespace Bex
