#pragma once

#include <filesystem>

// The folder of the running program's file, where the engine module lies beside it. Empty
// when the system does not tell (no /proc).
std::filesystem::path ProgramFolder();
