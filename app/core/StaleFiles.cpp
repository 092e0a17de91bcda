#include "StaleFiles.h"

#include <cerrno>
#include <chrono>
#include <regex>
#include <set>
#include <system_error>

#include <signal.h>
#include <unistd.h>

#include "AnalysisRun.h"
#include "ProjectLock.h"
#include "SafeFile.h"
#include "TProgramData.h"

namespace fs = std::filesystem;

namespace {

constexpr auto kStaleAge = std::chrono::hours(24);

bool ProcessGone(const std::string& pidText)
{
    long pid = 0;
    try {
        pid = std::stol(pidText);
    } catch (const std::exception&) {
        return false;
    }
    if (pid <= 0 || pid == ::getpid()) {
        return false;
    }
    return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

bool OlderThanADay(const fs::path& path)
{
    std::error_code ec;
    const auto written = fs::last_write_time(path, ec);
    return !ec && fs::file_time_type::clock::now() - written > kStaleAge;
}

void Remove(const fs::path& path, TStaleFiles& result)
{
    std::error_code ec;
    if (fs::remove_all(path, ec) > 0 && !ec) {
        result.Removed.push_back(path);
    }
}

void CleanTemporaryFolder(const fs::path& folder, TStaleFiles& result)
{
    static const std::regex current(std::string(kRunFolderPrefix) + "([0-9]+)-[A-Za-z0-9]{6}");
    static const std::regex older(std::string(kRunFolderPrefix) + "[A-Za-z0-9]{6}");
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::smatch m;
        if (!it->is_directory(ec)) {
            continue;
        }
        if ((std::regex_match(name, m, current) && ProcessGone(m[1].str()))
            || (std::regex_match(name, older) && OlderThanADay(it->path()))) {
            Remove(it->path(), result);
        }
    }
}

std::string Escaped(const std::string& text)
{
    static const std::regex special(R"([.^$|()\[\]{}*+?\\])");
    return std::regex_replace(text, special, R"(\$&)");
}

void CleanProjectFolder(const fs::path& project, TStaleFiles& result)
{
    const fs::path folder = project.parent_path();
    std::set<std::string> ownNames;
    for (const char* extension : {"", ".cpt", ".gwi"}) {
        fs::path file = project;
        if (*extension != '\0') {
            file.replace_extension(extension);
        }
        ownNames.insert(file.filename().string());
    }
    fs::path grlweap = project;
    grlweap.replace_extension(".gwi");
    const std::string marker(kSafeFileMarker);
    const std::regex saving("(.+)" + Escaped(marker) + "([0-9]+)-[A-Za-z0-9]{6}");
    const std::regex olderGrlweap(Escaped(grlweap.filename().string()) + "\\.[A-Za-z0-9]{6}");

    // No save of this project is under way while its lock can be taken.
    TProjectLock lock;
    const bool locked = lock.Acquire(project.string());
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file(ec)) {
            continue;
        }
        const std::string name = it->path().filename().string();
        std::smatch m;
        bool stale = false;
        if (std::regex_match(name, m, saving)) {
            // The project's own are judged by its lock alone: a save on another machine
            // holds it, and that machine's process ids mean nothing here.
            stale = ownNames.count(m[1].str()) > 0
                        ? locked || OlderThanADay(it->path())
                        : ProcessGone(m[2].str()) || OlderThanADay(it->path());
        } else if (name.size() > marker.size()
                   && name.compare(name.size() - marker.size(), marker.size(), marker) == 0) {
            const std::string owner = name.substr(0, name.size() - marker.size());
            stale = (locked && ownNames.count(owner) > 0) || OlderThanADay(it->path());
        } else if (std::regex_match(name, olderGrlweap)) {
            // The older name can't be told from a copy a user made ("P.gwi.backup"): only a
            // suffix as mkstemp makes it, with a capital and a digit, a day old goes.
            const std::string suffix = name.substr(name.size() - 6);
            stale = OlderThanADay(it->path()) && std::regex_search(suffix, std::regex("[A-Z]"))
                    && std::regex_search(suffix, std::regex("[0-9]"));
        }
        if (stale) {
            Remove(it->path(), result);
        }
    }
}

} // namespace

TStaleFiles RemoveStaleFiles(const std::vector<std::string>& projectFiles,
                             const fs::path& temporaryFolder)
{
    TStaleFiles result;
    if (!temporaryFolder.empty()) {
        CleanTemporaryFolder(temporaryFolder, result);
    }
    std::set<fs::path> seen;
    for (const std::string& name : projectFiles) {
        if (name.empty() || name == kNewProjectFileName) {
            continue;
        }
        std::error_code ec;
        fs::path project = fs::absolute(fs::path(name), ec);
        if (ec) {
            continue;
        }
        project = fs::path(LinkTarget(project.lexically_normal().string()));
        if (seen.insert(project).second && fs::is_directory(project.parent_path(), ec)) {
            CleanProjectFolder(project, result);
        }
    }
    return result;
}

TStaleFiles RemoveStaleFiles(const std::vector<std::string>& projectFiles)
{
    std::error_code ec;
    const fs::path temporary = fs::temp_directory_path(ec);
    return RemoveStaleFiles(projectFiles, ec ? fs::path() : temporary);
}
