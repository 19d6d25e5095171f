#include "bex/Streams/FilePath.h"

#include "bex/Core/Exception.h"
#include "bex/Platform/FileSystem.h"

namespace Bex
{

FilePath FilePath::split(std::u16string_view a_path)
{
    FilePath path;
    size_t start = 0;
    for (size_t i = 0; i <= a_path.size(); ++i)
    {
        if (i == a_path.size() || a_path[i] == u'\\' || a_path[i] == u'/')
        {
            path.pieces.push_back(String(a_path.substr(start, i - start)));
            start = i + 1;
        }
    }
    const String& first = path.pieces.front();
    if (!first.empty() && first.back() == u':')
    {
        path.drive = first.substr(0, first.size() - 1);
        path.pieces.remove_at(0);
    }
    return path;
}

String join_path(const String& a_folder, std::u16string_view a_name)
{
    if (a_folder.empty() || a_folder.back() == u'\\' || a_folder.back() == u'/')
        return a_folder + String(a_name);
    return a_folder + u"\\" + String(a_name);
}

String FilePath::join() const
{
    String text;
    if (!drive.empty())
        text += drive + u":\\";
    for (size_t i = 0; i < pieces.size(); ++i)
    {
        if (i)
            text.push_back(u'\\');
        text += pieces[i];
    }
    return text;
}

bool strip_extension(String& a_path, std::u16string_view a_extension)
{
    const size_t found = a_path.find_last_of(u".\\/");
    if (found == String::npos || a_path[found] != u'.')
        return false;
    if (!String(std::u16string_view(a_path).substr(found + 1))
             .equals_ignoring_ascii_case(a_extension))
        return false;
    a_path.resize(found);
    return true;
}

void ensure_folder(const String& a_path)
{
    if (is_directory(a_path))
        return;
    const FilePath whole = FilePath::split(a_path);
    FilePath level;
    level.drive = whole.drive;
    for (const String& piece : whole.pieces)
    {
        level.pieces.push_back(piece);
        // The empty piece in front of an absolute path is the root; doubled separators add
        // empty pieces that name no new level.
        if (piece.empty())
            continue;
        const String path = level.join();
        if (is_directory(path))
            continue;
        try
        {
            create_directory(path);
        }
        catch (const OperationFailedException&)
        {
            // Someone else may have created it in the meantime.
            if (!is_directory(path))
                throw;
        }
    }
}

} // namespace Bex
