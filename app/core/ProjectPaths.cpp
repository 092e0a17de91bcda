#include "ProjectPaths.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "GrlweapFile.h"
#include "SafeFile.h"

namespace fs = std::filesystem;

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) {
        return static_cast<char>(std::tolower(c));
    });
    return text;
}

} // namespace

std::string ExtensionOf(const std::string& path)
{
    return Lower(fs::path(path).extension().string());
}

std::string WithExtension(const std::string& path, const char* extension)
{
    return fs::path(path).replace_extension(extension).string();
}

bool FileExists(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && fs::is_regular_file(path, ec);
}

std::string ProjectPath(const std::string& path)
{
    if (path.empty()) {
        return path;
    }
    std::error_code ec;
    fs::path absolute = fs::absolute(fs::path(path), ec);
    if (ec) {
        // No current folder to start from: the path as given, tidied.
        return fs::path(path).lexically_normal().string();
    }
    const fs::path folder = fs::weakly_canonical(absolute.parent_path(), ec);
    if (ec) {
        return absolute.lexically_normal().string();
    }
    return (folder / absolute.filename()).string();
}

std::string DisplayName(const std::string& path)
{
    std::string name = fs::path(path).filename().string();
    if (ExtensionOf(name) == ".qr7") {
        name = fs::path(name).stem().string();
    }
    if (name.size() > 1) {
        name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    }
    return name;
}

std::optional<ProjectLayout> LayoutOpenedByName(const std::string& path)
{
    // Any other name would be read in the current layout by the file's own rule; by name alone
    // the program opens only the two extensions it writes and knows.
    if (ExtensionOf(path) == kProjectExtension) {
        return ProjectLayout::Qr7d;
    }
    if (LayoutForFileName(path) == ProjectLayout::Qr6d) {
        return ProjectLayout::Qr6d;
    }
    return std::nullopt;
}

ProjectLayout LayoutOfFilter(int filterIndex)
{
    switch (filterIndex) {
    case 2:
        return ProjectLayout::Qr6d;
    case 3:
    case 4:
        return ProjectLayout::Qrd;
    default:
        return ProjectLayout::Qr7d;
    }
}

std::array<std::string, 3> ResultFilesOf(const std::string& projectFile)
{
    return {WithExtension(projectFile, kReportExtension),
            WithExtension(projectFile, kPlotDataExtension),
            GrlweapFileNameFor(projectFile)};
}

std::string CopyWhole(const std::string& from, const std::string& to, ELinkRule links)
{
    // Through the one safe writer, so the copy is flushed before it replaces the target, a
    // link stays a link, and a copy cut short by a kill leaves a temporary file that the
    // program recognises as its own and removes.
    try {
        TSafeFile file(to, links);
        std::error_code ec;
        fs::copy_file(from, file.TemporaryPath(), fs::copy_options::overwrite_existing, ec);
        if (ec) {
            return ec.message();
        }
        file.Commit();
    } catch (const ESafeFileError& e) {
        return e.Reason();
    }
    return {};
}
