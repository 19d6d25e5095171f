#pragma once

#include "bex/Core/Assert.h"

#include <map>

namespace Bex
{

// Ordered map with checked lookups: asking for a missing key is an assertion.
template <typename K, typename V, typename Compare = std::less<K>>
class Map : public std::map<K, V, Compare>
{
public:
    using Base = std::map<K, V, Compare>;
    using Base::Base;

    bool has_key(const K& a_key) const { return Base::find(a_key) != Base::end(); }

    V& get(const K& a_key)
    {
        auto found = Base::find(a_key);
        BEX_ASSERT(found != Base::end());
        return found->second;
    }
    const V& get(const K& a_key) const
    {
        auto found = Base::find(a_key);
        BEX_ASSERT(found != Base::end());
        return found->second;
    }

    // Null when the key is absent.
    V* find_value(const K& a_key)
    {
        auto found = Base::find(a_key);
        return found == Base::end() ? nullptr : &found->second;
    }
    const V* find_value(const K& a_key) const
    {
        auto found = Base::find(a_key);
        return found == Base::end() ? nullptr : &found->second;
    }

    // Adds a new key; the key must not be present yet.
    V& insert_new(const K& a_key, V a_value)
    {
        BEX_ASSERT(!has_key(a_key));
        return Base::emplace(a_key, std::move(a_value)).first->second;
    }
};

} // namespace Bex
