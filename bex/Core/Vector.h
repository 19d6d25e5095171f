#pragma once

#include "bex/Core/Assert.h"

#include <vector>

namespace Bex
{

// std::vector with checked access: indices, insertion points and front/back of an empty vector
// are assertions, never undefined behaviour.
template <typename T>
class Vector : public std::vector<T>
{
public:
    using Base = std::vector<T>;
    using Base::Base;

    T& operator[](size_t a_index)
    {
        BEX_ASSERT(a_index < Base::size());
        return Base::operator[](a_index);
    }
    const T& operator[](size_t a_index) const
    {
        BEX_ASSERT(a_index < Base::size());
        return Base::operator[](a_index);
    }
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
    void pop_back()
    {
        BEX_ASSERT(!Base::empty());
        Base::pop_back();
    }

    void insert_at(size_t a_at, const T& a_value)
    {
        BEX_ASSERT(a_at <= Base::size());
        Base::insert(Base::begin() + a_at, a_value);
    }
    void insert_at(size_t a_at, T&& a_value)
    {
        BEX_ASSERT(a_at <= Base::size());
        Base::insert(Base::begin() + a_at, std::move(a_value));
    }
    void remove_at(size_t a_index)
    {
        BEX_ASSERT(a_index < Base::size());
        Base::erase(Base::begin() + a_index);
    }

    // Removes the element by moving the last one into its place; order is not kept.
    void remove_at_unordered(size_t a_index)
    {
        BEX_ASSERT(a_index < Base::size());
        if (a_index + 1 != Base::size())
            Base::operator[](a_index) = std::move(Base::back());
        Base::pop_back();
    }

    bool contains(const T& a_value) const
    {
        for (const T& item : *this)
        {
            if (item == a_value)
                return true;
        }
        return false;
    }
};

} // namespace Bex
