#pragma once

#include "bex/Core/String.h"
#include "bex/Core/Vector.h"

namespace Bex
{

// A path taken apart: an optional drive (without its ":") and the pieces between separators.
struct FilePath
{
    String drive;
    Vector<String> pieces;

    // Cuts at every "\" and "/"; a first piece ending in ":" becomes the drive.
    static FilePath split(std::u16string_view a_path);
    // The drive and ":\" when there is a drive, then the pieces joined by "\".
    String join() const;
};

// a_folder and a_name with one "\" between them: none when a_folder is empty or already ends in a
// separator.
String join_path(const String& a_folder, std::u16string_view a_name);

// Cuts a_path at its last "." when the text behind it equals a_extension (ASCII case ignored) and
// no separator follows the "."; otherwise leaves a_path alone and returns false.
bool strip_extension(String& a_path, std::u16string_view a_extension);

// Makes sure a_path names a directory, creating every missing level. A level that cannot be created
// throws OperationFailedException carrying the system's error text.
void ensure_folder(const String& a_path);

} // namespace Bex
