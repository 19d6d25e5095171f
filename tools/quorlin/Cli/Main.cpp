#include "tools/quorlin/Commands/Commands.h"

#include "bex/Core/Exception.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <exception>
#include <string>

namespace
{

// Every failure is one line on standard error, so that scripts can show it as it is.
int report(std::string a_message, int a_code)
{
    for (char& c : a_message)
    {
        if (c == '\n' || c == '\r')
            c = ' ';
    }
    std::fprintf(stderr, "quorlin: %s\n", a_message.c_str());
    return a_code;
}

std::string describe(const Bex::Exception& a_failure)
{
    std::string text = a_failure.describe();
    // The system's own reason (errno text) travels as the inner exception.
    for (const Bex::Exception* inner = a_failure.get_inner_exception(); inner;
         inner = inner->get_inner_exception())
        text += ": " + inner->describe();
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    CLI::App app("quorlin: a command-line VST 2.4 host for Quorlin Chorus and other Linux VST 2.4 "
                 "plug-ins.\nIt loads the plug-in as a DAW does (QuorlinChorus.so beside this "
                 "program, or in ../lib/vst from it, unless --plugin names another one).",
                 "quorlin");
    app.set_version_flag("--version", "quorlin " QUORLIN_VERSION);
    app.require_subcommand(1);
    app.footer("Run quorlin COMMAND --help for the options of one command.\nExit status: 0 on "
               "success, 1 when the work failed, 2 for a mistake on the command line.");
    quorlin::add_info_command(app);
    quorlin::add_params_command(app);
    quorlin::add_process_command(app);
    quorlin::add_bini_command(app);
    quorlin::add_bench_command(app);
    quorlin::add_style_check_command(app);
    quorlin::add_snapshot_command(app);
    quorlin::add_edit_command(app);
    try
    {
        app.parse(argc, argv);
    }
    catch (const CLI::ParseError& error)
    {
        // Help and version requests arrive as "errors" with exit code 0.
        if (error.get_exit_code() == 0)
            return app.exit(error);
        return report(std::string(error.what()) + " (see quorlin --help)", 2);
    }
    catch (const Bex::Exception& failure)
    {
        return report(describe(failure), 1);
    }
    catch (const std::exception& failure)
    {
        return report(failure.what(), 1);
    }
    return 0;
}
