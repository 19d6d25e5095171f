#include "tools/quorlin/AtomicFile.h"
#include "tools/quorlin/BiniJson/BiniDump.h"
#include "tools/quorlin/BiniJson/BiniJson.h"
#include "tools/quorlin/Commands/Commands.h"

#include "bex/Core/Exception.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>
#include <iterator>
#include <memory>

namespace quorlin
{

namespace
{

struct BiniOptions
{
    std::string input;
    std::string output;
};

RawBiniFile read_bini(const std::string& a_path)
{
    const std::vector<uint8_t> bytes = read_whole_file(a_path, "Bini file");
    try
    {
        return parse_raw_bini(bytes);
    }
    catch (const Bex::Exception& failure)
    {
        throw Bex::Exception(Bex::String::from_utf8(
            "\"" + a_path + "\" is not a readable Bini file: " + failure.describe()));
    }
}

void write_text(const std::string& a_path, const std::string& a_text)
{
    if (a_path.empty() || a_path == "-")
        std::fwrite(a_text.data(), 1, a_text.size(), stdout);
    else
        AtomicFile::write(a_path, a_text);
}

void dump(const BiniOptions& a_options)
{
    write_text("-", dump_bini(read_bini(a_options.input)));
}

void to_json(const BiniOptions& a_options)
{
    write_text(a_options.output, bini_to_json(read_bini(a_options.input)).dump(2) + "\n");
}

void from_json(const BiniOptions& a_options)
{
    std::string text;
    if (a_options.input == "-")
        text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    else
    {
        const std::vector<uint8_t> bytes = read_whole_file(a_options.input, "JSON file");
        text.assign(bytes.begin(), bytes.end());
    }
    Json json;
    try
    {
        json = Json::parse(text);
    }
    catch (const nlohmann::json::exception& failure)
    {
        throw Bex::Exception(Bex::String::from_utf8("\"" + a_options.input +
                                                    "\" is not valid JSON: " + failure.what()));
    }
    RawBiniFile file;
    try
    {
        file = bini_from_json(json);
    }
    catch (const Bex::Exception& failure)
    {
        throw Bex::Exception(Bex::String::from_utf8("\"" + a_options.input +
                                                    "\" is not the JSON form of a Bini file: at " +
                                                    failure.describe()));
    }
    AtomicFile::write(a_options.output, write_raw_bini(file));
}

} // namespace

void add_bini_command(CLI::App& a_app)
{
    CLI::App* bini = a_app.add_subcommand(
        "bini", "Read and write Bini files (presets, chunks, settings) as text");
    bini->require_subcommand(1);

    auto dump_options = std::make_shared<BiniOptions>();
    CLI::App* dump_command = bini->add_subcommand(
        "dump", "Show a Bini file as a tree: the preamble, the header, and per node its id, type "
                "and value");
    dump_command->add_option("FILE", dump_options->input, "The Bini file")->required();
    dump_command->callback([dump_options] { dump(*dump_options); });

    auto to_options = std::make_shared<BiniOptions>();
    CLI::App* to_command = bini->add_subcommand(
        "to-json", "Write a Bini file as lossless JSON (from-json gives the file back byte for "
                   "byte), for reviewing and diffing presets as text");
    to_command->add_option("FILE", to_options->input, "The Bini file")->required();
    to_command->add_option("OUT", to_options->output,
                           "Where to write the JSON; default: "
                           "standard output");
    to_command->callback([to_options] { to_json(*to_options); });

    auto from_options = std::make_shared<BiniOptions>();
    CLI::App* from_command =
        bini->add_subcommand("from-json", "Write the Bini file that a JSON form describes");
    from_command->add_option("JSON", from_options->input, "The JSON file, or - for standard input")
        ->required();
    from_command->add_option("OUT", from_options->output, "The Bini file to write")->required();
    from_command->callback([from_options] { from_json(*from_options); });
}

} // namespace quorlin
