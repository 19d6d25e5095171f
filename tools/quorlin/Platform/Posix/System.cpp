#include "tools/quorlin/Platform/System.h"

#include <filesystem>
#include <unistd.h>

namespace quorlin
{

bool stderr_is_terminal()
{
    return isatty(STDERR_FILENO) == 1;
}

std::string get_executable_folder()
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(".") : self.parent_path().string();
}

} // namespace quorlin
