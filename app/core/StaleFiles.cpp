#include "StaleFiles.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <optional>
#include <set>
#include <string_view>
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

// The names are matched by hand, not by regular expressions: compiling these took more of a
// run of quarn-run than the engine. Letters and digits are ASCII ones, as in the names made.
bool IsAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsAsciiAlnum(char c)
{
    return IsAsciiDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Six letters or digits, as mkstemp and mkdtemp make them, and nothing after them.
bool IsTemporarySuffix(std::string_view text)
{
    return text.size() == 6 && std::all_of(text.begin(), text.end(), IsAsciiAlnum);
}

// "<digits>-XXXXXX": the process id, a dash and the suffix; the digits when it is one.
std::optional<std::string_view> ProcessAndSuffix(std::string_view text)
{
    std::size_t digits = 0;
    while (digits < text.size() && IsAsciiDigit(text[digits])) {
        ++digits;
    }
    if (digits == 0 || digits >= text.size() || text[digits] != '-'
        || !IsTemporarySuffix(text.substr(digits + 1))) {
        return std::nullopt;
    }
    return text.substr(0, digits);
}

void CleanTemporaryFolder(const fs::path& folder, TStaleFiles& result)
{
    const std::string_view prefix = kRunFolderPrefix;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!it->is_directory(ec) || !std::string_view(name).starts_with(prefix)) {
            continue;
        }
        const std::string_view rest = std::string_view(name).substr(prefix.size());
        // "quarn-run-<process id>-XXXXXX", and the older "quarn-run-XXXXXX".
        const std::optional<std::string_view> process = ProcessAndSuffix(rest);
        if ((process && ProcessGone(std::string(*process)))
            || (IsTemporarySuffix(rest) && OlderThanADay(it->path()))) {
            Remove(it->path(), result);
        }
    }
}

// "<file>.saving~<process id>-XXXXXX" with a file name of one line: the file and the process.
struct TSavingName
{
    std::string file;
    std::string process;
};

std::optional<TSavingName> SavingName(std::string_view name, std::string_view marker)
{
    // The part after the marker holds none of the marker's characters, so only its last
    // occurrence can start it.
    const std::size_t at = name.rfind(marker);
    if (at == std::string_view::npos || at == 0) {
        return std::nullopt;
    }
    const std::string_view file = name.substr(0, at);
    if (file.find_first_of("\n\r") != std::string_view::npos) {
        return std::nullopt;
    }
    const std::optional<std::string_view> process =
        ProcessAndSuffix(name.substr(at + marker.size()));
    if (!process) {
        return std::nullopt;
    }
    return TSavingName{std::string(file), std::string(*process)};
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
    const std::string olderGrlweap = grlweap.filename().string() + ".";
    const std::string marker(kSafeFileMarker);

    // No save of this project is under way while its lock can be taken.
    TProjectLock lock;
    const bool locked = lock.Acquire(project.string());
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file(ec)) {
            continue;
        }
        const std::string name = it->path().filename().string();
        bool stale = false;
        if (const std::optional<TSavingName> saving = SavingName(name, marker)) {
            // The project's own are judged by its lock alone: a save on another machine
            // holds it, and that machine's process ids mean nothing here.
            stale = ownNames.count(saving->file) > 0
                        ? locked || OlderThanADay(it->path())
                        : ProcessGone(saving->process) || OlderThanADay(it->path());
        } else if (name.size() > marker.size()
                   && name.compare(name.size() - marker.size(), marker.size(), marker) == 0) {
            const std::string owner = name.substr(0, name.size() - marker.size());
            stale = (locked && ownNames.count(owner) > 0) || OlderThanADay(it->path());
        } else if (name.size() == olderGrlweap.size() + 6 && name.starts_with(olderGrlweap)
                   && IsTemporarySuffix(std::string_view(name).substr(olderGrlweap.size()))) {
            // The older name can't be told from a copy a user made ("P.gwi.backup"): only a
            // suffix as mkstemp makes it, with a capital and a digit, a day old goes.
            const std::string suffix = name.substr(name.size() - 6);
            stale = OlderThanADay(it->path())
                    && std::any_of(suffix.begin(),
                                   suffix.end(),
                                   [](char c) { return c >= 'A' && c <= 'Z'; })
                    && std::any_of(suffix.begin(), suffix.end(), IsAsciiDigit);
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
