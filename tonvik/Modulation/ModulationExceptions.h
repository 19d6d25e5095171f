#pragma once

#include "bex/Core/Exception.h"

namespace Tonvik
{
namespace ModulationExceptions
{

class TooManyModulators : public Bex::Exception
{
public:
    TooManyModulators() : Bex::Exception(Bex::String(u"Too many modulators.")) {}
    std::unique_ptr<Bex::Exception> clone() const override
    {
        return std::make_unique<TooManyModulators>(*this);
    }
};

class TooManyEntries : public Bex::Exception
{
public:
    TooManyEntries() : Bex::Exception(Bex::String(u"Too many entries.")) {}
    std::unique_ptr<Bex::Exception> clone() const override
    {
        return std::make_unique<TooManyEntries>(*this);
    }
};

} // namespace ModulationExceptions
} // namespace Tonvik
