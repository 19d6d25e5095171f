#pragma once

#include "bex/Core/Assert.h"

#include <list>

namespace Bex
{

// std::list whose front/back on an empty list are assertions.
template <typename T>
class List : public std::list<T>
{
public:
    using Base = std::list<T>;
    using Base::Base;

    T& front()
    {
        BEX_ASSERT(!Base::empty());
        return Base::front();
    }
    const T& front() const
    {
        BEX_ASSERT(!Base::empty());
        return Base::front();
    }
    T& back()
    {
        BEX_ASSERT(!Base::empty());
        return Base::back();
    }
    const T& back() const
    {
        BEX_ASSERT(!Base::empty());
        return Base::back();
    }
    void pop_front()
    {
        BEX_ASSERT(!Base::empty());
        Base::pop_front();
    }
    void pop_back()
    {
        BEX_ASSERT(!Base::empty());
        Base::pop_back();
    }
};

} // namespace Bex
