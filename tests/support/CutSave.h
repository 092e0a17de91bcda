#pragma once

// The files of a save killed after its marker was written, as the save names them, for the
// tests of what the next open does with them.
#include <filesystem>
#include <fstream>
#include <string>

#include <sys/stat.h>

#include "ProjectFile.h"
#include "SafeFile.h"

// Writes the new project and CPT side file as temporary files of process `pid`, the marker
// naming them, and renames the CPT side file into place when `cptReplaced` (a cut between the
// two renames); answers the project file's temporary file.
inline std::string MakeCutSave(const std::filesystem::path& project,
                               const std::string& projectText,
                               const std::string& cptText,
                               bool cptReplaced,
                               const std::string& pid)
{
    namespace fs = std::filesystem;
    const fs::path cpt = fs::path(project).replace_extension(".cpt");
    const fs::path projectTemporary =
        project.parent_path() / (TemporaryNamePrefix(project.string()) + pid + "-Pq12Rs");
    const fs::path cptTemporary =
        cpt.parent_path() / (TemporaryNamePrefix(cpt.string()) + pid + "-Cq34Rs");
    std::ofstream(projectTemporary, std::ios::binary) << projectText;
    std::ofstream(cptTemporary, std::ios::binary) << cptText;
    auto identity = [](const fs::path& path) {
        struct stat info = {};
        ::stat(path.c_str(), &info);
        return std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino);
    };
    std::ofstream(UnfinishedSaveMarker(project.string()), std::ios::binary)
        << "A save of " << project.string() << " by process " << pid << "\ncpt "
        << identity(cptTemporary) << "\nproject " << identity(projectTemporary) << "\nfile "
        << project.filename().string() << "\n";
    if (cptReplaced) {
        fs::rename(cptTemporary, cpt);
    }
    return projectTemporary.string();
}
