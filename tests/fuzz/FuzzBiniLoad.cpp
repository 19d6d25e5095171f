// Feeds arbitrary bytes to the Bini loader, once from memory and once as from a pipe that does not
// know its length. Every input must load or throw Bex::Exception; what loads must load alike both
// ways and survive saving and loading again unchanged.
#include "bex/Binis/BiniDocument.h"
#include "bex/Streams/ExpandingOutputStream.h"
#include "bex/Streams/MemoryInputStream.h"

#include <cstdlib>
#include <optional>
#include <vector>

namespace
{

class UnsizedStream : public Bex::MemoryInputStream
{
public:
    using MemoryInputStream::MemoryInputStream;
    std::optional<uint64_t> get_remaining() override { return std::nullopt; }
};

std::vector<unsigned char> save(const Bex::BiniDocument& a_document)
{
    Bex::ExpandingOutputStream output(4096);
    a_document.save(&output, nullptr, 0);
    return output.get_contents();
}

// The saved form of what a_input holds, or nothing when it does not load.
std::optional<std::vector<unsigned char>> load_and_save(Bex::InputStream& a_input)
{
    Bex::BiniDocument document;
    try
    {
        document.load(&a_input, nullptr, 0);
    }
    catch (const Bex::Exception&)
    {
        return std::nullopt;
    }
    return save(document);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* a_data, size_t a_size)
{
    Bex::MemoryInputStream sized(a_data, a_size);
    UnsizedStream unsized(a_data, a_size);
    const std::optional<std::vector<unsigned char>> first = load_and_save(sized);
    const std::optional<std::vector<unsigned char>> second = load_and_save(unsized);
    if (first.has_value() != second.has_value() || (first && *first != *second))
        std::abort();
    if (!first)
        return 0;

    Bex::MemoryInputStream again(first->data(), first->size());
    const std::optional<std::vector<unsigned char>> third = load_and_save(again);
    if (!third || *third != *first)
        std::abort();
    return 0;
}
