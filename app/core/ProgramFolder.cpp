#include "ProgramFolder.h"

#include <system_error>

std::filesystem::path ProgramFolder()
{
    // The link names the program file itself, whatever folder or name it was started by.
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || self.empty()) {
        return {};
    }
    return self.parent_path();
}
