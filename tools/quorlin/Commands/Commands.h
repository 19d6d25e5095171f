#pragma once

namespace CLI
{
class App;
}

namespace quorlin
{

// Each adds one subcommand to the program; its callback does the work and reports failure by
// throwing Bex::Exception, which the program prints as one line.
void add_info_command(CLI::App& a_app);
void add_params_command(CLI::App& a_app);
void add_process_command(CLI::App& a_app);
void add_bini_command(CLI::App& a_app);
void add_bench_command(CLI::App& a_app);
void add_style_check_command(CLI::App& a_app);
void add_snapshot_command(CLI::App& a_app);
void add_edit_command(CLI::App& a_app);

} // namespace quorlin
