#include "bex/Streams/AtomicFileWriter.h"

#include "bex/Core/Exception.h"
#include "bex/Core/FormatMessage.h"
#include "bex/Platform/FileSystem.h"
#include "bex/Streams/FileHandle.h"
#include "bex/Streams/FileOutputStream.h"

namespace Bex
{

void write_file_atomically(const String& a_path, const std::function<void(OutputStream&)>& a_write)
{
    const String temporary = a_path + u".tmp";
    FileHandle file;
    try
    {
        file.open_write(temporary);
    }
    catch (const Exception&)
    {
        throw Exception(format_message(u"Cannot open file \"@1\".", {a_path}));
    }
    try
    {
        FileOutputStream output(&file);
        a_write(output);
        output.flush();
        file.close();
        replace_file(temporary, a_path);
    }
    catch (...)
    {
        try
        {
            file.close();
        }
        catch (const Exception&)
        {
            // The file is thrown away; the first failure is the one to report.
        }
        remove_file(temporary);
        throw;
    }
}

} // namespace Bex
