// Feeds arbitrary bytes to the style-sheet loader as the contents of a file. Every input must
// load or throw Bex::Exception; nothing may crash, leak or read out of bounds.
#include "bex/Core/Exception.h"
#include "bex/Streams/MemoryInputStream.h"
#include "kiv/Application/Application.h"
#include "kiv/Styles/Parser/StyleSheetLoader.h"
#include "kiv/Styles/StyleRegistry.h"
#include "kiv/Styles/StyleSheet.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* a_data, size_t a_size)
{
    static const bool started = (Kiv::Application::start_up(), true);
    (void)started;
    try
    {
        Bex::MemoryInputStream input(a_data, a_size);
        const Bex::String text = Kiv::read_style_sheet(input);
        Kiv::parse_style_sheet(text, Kiv::StyleRegistry::get_global());
    }
    catch (const Bex::Exception&)
    {
    }
    return 0;
}
