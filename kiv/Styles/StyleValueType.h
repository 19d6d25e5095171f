#pragma once

namespace Kiv
{

// Code 3 is reserved for properties that take a name out of their own table of named values.
enum StyleValueType
{
    StyleValueType_BOOLEAN = 0,
    StyleValueType_BORDER = 1,
    StyleValueType_BRUSH = 2,
    StyleValueType_COLOR = 4,
    StyleValueType_DIMENSION = 5,
    StyleValueType_FONT = 6,
    StyleValueType_FRAME = 7,
    StyleValueType_INTEGER = 8,
    StyleValueType_LIST = 9,
    StyleValueType_PARENT = 10,
    StyleValueType_PEN = 11,
    StyleValueType_STRING = 12,
};

} // namespace Kiv
