#include "tonvik/ParameterTypes/Units.h"

#include "bex/Core/Assert.h"

namespace Tonvik
{

namespace
{

const UnitInfo g_units[Unit_ENUM_SIZE] = {
    {0x0, u"null", u"", false},
    {0x1, u"amplitude ratio", u"", false},
    {0x2, u"cents", u"cents", true},
    {0x4, u"decibels", u"db", true},
    {0x8, u"frames", u"", false},
    {0x10, u"frequency ratio", u"", true},
    {0x20, u"hertz", u"hz", false},
    {0x40, u"inverted frames", u"", false},
    {0x80, u"millioctaves", u"moct", true},
    {0x100, u"milliseconds", u"ms", false},
    {0x200, u"none", u"", false},
    {0x400, u"normalized frequency", u"", false},
    {0x800, u"octaves", u"oct", true},
    {0x1000, u"percent offset", u"", true},
    {0x2000, u"seconds", u"s", false},
    {0x4000, u"semitones", u"semi", true},
};

} // namespace

const UnitInfo& get_unit_info(uint32_t a_unit)
{
    BEX_ASSERT(a_unit < Unit_ENUM_SIZE);
    return g_units[a_unit];
}

} // namespace Tonvik
