#include "StaleFiles.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <optional>
#include <set>
#include <string_view>
#include <system_error>

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include "AnalysisRun.h"
#include "ProjectFile.h"
#include "ProjectLock.h"
#include "ProjectPaths.h"
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

// A link is removed itself; a folder with what it holds.
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
        // Only a folder of this user's own: a link or another user's folder of such a name
        // in a shared temporary folder is not a run folder of the program.
        struct stat info = {};
        if (!std::string_view(name).starts_with(prefix) || ::lstat(it->path().c_str(), &info) != 0
            || !S_ISDIR(info.st_mode) || info.st_uid != ::geteuid()) {
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
    std::string file; // the name before the marker, as written (shortened where it was)
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

// The engine's named temporary file where the file system makes none without a name:
// ".<file>.<process id>.<attempt>.tmp" (engine/report/OutputFile.cpp).
std::optional<TSavingName> EngineTemporaryName(std::string_view name)
{
    constexpr std::string_view kEnd = ".tmp";
    if (name.size() < 2 + kEnd.size() || name.front() != '.' || !name.ends_with(kEnd)) {
        return std::nullopt;
    }
    std::string_view rest = name.substr(1, name.size() - 1 - kEnd.size());
    auto digitsAtEnd = [&rest]() -> std::optional<std::string_view> {
        const std::size_t dot = rest.rfind('.');
        if (dot == std::string_view::npos || dot + 1 == rest.size()) {
            return std::nullopt;
        }
        const std::string_view digits = rest.substr(dot + 1);
        if (!std::all_of(digits.begin(), digits.end(), IsAsciiDigit)) {
            return std::nullopt;
        }
        rest = rest.substr(0, dot);
        return digits;
    };
    const std::optional<std::string_view> attempt = digitsAtEnd();
    if (!attempt || attempt->size() > 2) {
        return std::nullopt;
    }
    const std::optional<std::string_view> process = digitsAtEnd();
    if (!process || rest.empty()) {
        return std::nullopt;
    }
    return TSavingName{std::string(rest), std::string(*process)};
}

// What lstat says of a path: a plain file of one name, and when it was last written.
bool PlainFile(const fs::path& path, struct stat& info)
{
    return ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_nlink == 1;
}

std::string Identity(const struct stat& info)
{
    return std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino);
}

// The temporary file of a safe write to `target` whose identity is the one given (a marker
// names it so): found beside the target by its name and identity; empty when gone.
fs::path FindTemporary(const fs::path& target, const std::string& identity)
{
    if (identity.empty()) {
        return {};
    }
    const std::string prefix = TemporaryNamePrefix(target.string());
    std::error_code ec;
    for (fs::directory_iterator it(target.parent_path(), ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        struct stat info = {};
        if (name.size() > prefix.size() && name.starts_with(prefix)
            && ProcessAndSuffix(std::string_view(name).substr(prefix.size()))
            && PlainFile(it->path(), info) && Identity(info) == identity) {
            return it->path();
        }
    }
    return {};
}

// The name a cut save's project file is kept under beside the project:
// "<name> (unfinished save <date and time of that save>).qr7d", numbered when taken.
fs::path KeptName(const fs::path& project, std::time_t when)
{
    std::error_code ec;
    char stamp[32] = {};
    std::tm local = {};
    ::localtime_r(&when, &local);
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H.%M.%S", &local);
    const fs::path folder = project.parent_path();
    const std::string stem = project.stem().string();
    for (int n = 1; n < 100; ++n) {
        const std::string suffix = " (unfinished save " + std::string(stamp)
                                   + (n > 1 ? " " + std::to_string(n) : std::string()) + ")"
                                   + kProjectExtension;
        const fs::path kept =
            folder
            / (ShortenedName(stem, suffix.size(), LongestFileName(folder.string())) + suffix);
        if (!fs::exists(fs::symlink_status(kept, ec))
            && !fs::exists(fs::symlink_status(CptSideFileName(kept.string()), ec))) {
            return kept;
        }
    }
    return {};
}

// The project a marker stands for: the name it names, when the marker is that name's (a
// marker naming another is none); a marker of an older save, naming none, stands for its own
// name without its suffix.
std::optional<fs::path> MarkerProject(const fs::path& marker, const TUnfinishedSave& content)
{
    const fs::path folder = marker.parent_path();
    if (!content.ProjectName.empty()) {
        const fs::path named = folder / content.ProjectName;
        if (content.ProjectName.find('/') == std::string::npos
            && UnfinishedSaveMarker(named.string()) == marker.string()) {
            return named;
        }
        return std::nullopt;
    }
    const std::string name = marker.filename().string();
    const std::string_view suffix = kUnfinishedSaveSuffix;
    if (name.size() > suffix.size() && name.ends_with(suffix)) {
        const fs::path project = folder / name.substr(0, name.size() - suffix.size());
        if (UnfinishedSaveMarker(project.string()) == marker.string()) {
            return project;
        }
    }
    return std::nullopt;
}

bool Rename(const fs::path& from, const fs::path& to)
{
    return ::rename(from.c_str(), to.c_str()) == 0;
}

// A save cut after both its new files were whole on the disk (its marker names them) is
// never lost: with no project file at its name (a Save As, a first save) it is completed;
// beside an older project file it is kept under a name of its own, which the note gives.
void RecoverCutSave(const fs::path& project,
                    const fs::path& markerPath,
                    const TUnfinishedSave& marker,
                    bool asked,
                    TStaleFiles& result)
{
    TProjectLock lock;
    if (!lock.Acquire(project.string())) {
        return; // a save of it is under way
    }
    const fs::path target(LinkTarget(project.string()));
    const std::string cptPath = CptSideFileName(project.string());
    const fs::path cptTarget(LinkTarget(cptPath));
    const fs::path projectTemporary = FindTemporary(target, marker.ProjectIdentity);
    const fs::path cptTemporary = FindTemporary(cptTarget, marker.CptIdentity);
    std::error_code ec;
    struct stat projectInfo = {};
    const bool projectExists = ::stat(target.c_str(), &projectInfo) == 0;
    if (projectTemporary.empty()) {
        if (!SaveCutBetweenItsFiles(project.string())) {
            // Both files were put in place, or neither and the new ones are gone: nothing to
            // tell any more.
            fs::remove(markerPath, ec);
        } else if (asked && !projectExists) {
            result.Notes.push_back("A save as " + project.string()
                                   + " was cut short after it wrote the CPT side file " + cptPath
                                   + " and before it wrote the project file, whose "
                                     "new text is lost. No project file of that name exists.");
        }
        return;
    }
    if (!projectExists) {
        const bool cptPlaced = cptTemporary.empty() || Rename(cptTemporary, cptTarget);
        if (cptPlaced && Rename(projectTemporary, target)) {
            fs::remove(markerPath, ec);
            result.Notes.push_back(
                "A save as " + project.string()
                + " was cut short before its project file was put in place. The project file "
                  "and CPT side file it had written whole have been put in place now.");
        }
        return;
    }
    struct stat temporaryInfo = {};
    if (::stat(projectTemporary.c_str(), &temporaryInfo) != 0
        || temporaryInfo.st_mtim.tv_sec < projectInfo.st_mtim.tv_sec) {
        // The project file was written again since: that is the later one, and the cut
        // save's files go as any stale temporary file once the marker has nothing to tell.
        if (!SaveCutBetweenItsFiles(project.string())) {
            fs::remove(markerPath, ec);
        }
        return;
    }
    const fs::path kept = KeptName(target, temporaryInfo.st_mtim.tv_sec);
    if (kept.empty() || !Rename(projectTemporary, kept)) {
        return;
    }
    const std::string keptCpt = CptSideFileName(kept.string());
    bool cptKept = false;
    if (!cptTemporary.empty()) {
        cptKept = Rename(cptTemporary, keptCpt);
    } else if (FileIdentity(cptPath) == marker.CptIdentity) {
        cptKept = CopyWhole(cptPath, keptCpt).empty();
    }
    result.Notes.push_back(
        "The last save of " + project.string()
        + " did not finish: the project file it had written whole was not put in place, so the "
          "project opens as saved before. That save is kept as "
        + kept.string() + (cptKept ? " with its CPT side file " + keptCpt : std::string())
        + "; open it to go on from that save.");
    if (!SaveCutBetweenItsFiles(project.string())) {
        fs::remove(markerPath, ec);
    }
}

// Markers of cut saves in the folder: the asked project's own, and those of names that hold
// no project file (a Save As cut short). Answers the identities of the new files the markers
// of other projects still name: those stay for their own project's open.
std::set<std::string> RecoverCutSaves(const fs::path& asked, TStaleFiles& result)
{
    std::set<std::string> named;
    std::vector<std::pair<fs::path, TUnfinishedSave>> markers;
    const std::string_view suffix = kUnfinishedSaveSuffix;
    std::error_code ec;
    for (fs::directory_iterator it(asked.parent_path(), ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!std::string_view(name).ends_with(suffix)) {
            continue;
        }
        if (const auto marker = ReadUnfinishedSaveMarker(it->path().string())) {
            markers.emplace_back(it->path(), *marker);
        }
    }
    for (const auto& [path, marker] : markers) {
        const std::optional<fs::path> project = MarkerProject(path, marker);
        if (!project) {
            continue;
        }
        const bool own = *project == asked;
        if (own || !fs::exists(fs::symlink_status(*project, ec))) {
            RecoverCutSave(*project, path, marker, own, result);
        }
        if (fs::exists(fs::symlink_status(path, ec))) {
            named.insert(marker.ProjectIdentity);
            named.insert(marker.CptIdentity);
        }
    }
    return named;
}

// "<picture>.bmp.XXXXXX" or ".png.XXXXXX": the temporary file a plot window's picture is
// written to (QSaveFile) where the file system makes no file without a name. Its six letters
// and digits are random and mixed; a user's copy ("chart.bmp.backup") is not mixed so.
bool IsChartImageTemporary(std::string_view name)
{
    constexpr std::size_t kSuffix = 6;
    if (name.size() < 4 + 1 + kSuffix + 1 || name[name.size() - kSuffix - 1] != '.') {
        return false;
    }
    const std::string_view suffix = name.substr(name.size() - kSuffix);
    std::string extension(name.substr(name.size() - kSuffix - 5, 4));
    std::transform(extension.begin(), extension.end(), extension.begin(), [](unsigned char c) {
        return static_cast<char>(std::tolower(c));
    });
    auto capital = [](char c) {
        return c >= 'A' && c <= 'Z';
    };
    return (extension == ".bmp" || extension == ".png") && IsTemporarySuffix(suffix)
           && std::any_of(suffix.begin(), suffix.end(), capital)
           && !std::all_of(suffix.begin(), suffix.end(), capital);
}

bool LooksLikeProjectName(const std::string& name, const fs::path& folder)
{
    std::string extension = fs::path(name).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(), [](unsigned char c) {
        return static_cast<char>(std::tolower(c));
    });
    if (extension == ".qr7d" || extension == ".qr6d" || extension == ".qrd") {
        return true;
    }
    // A name cut for its length ends in "-" and 16 hexadecimal digits.
    constexpr std::size_t kHash = 16;
    if (name.size() > kHash && name[name.size() - kHash - 1] == '-'
        && std::all_of(name.end() - kHash, name.end(), [](char c) {
               return IsAsciiDigit(c) || (c >= 'a' && c <= 'f');
           })) {
        return true;
    }
    std::error_code ec;
    return fs::exists(fs::symlink_status(folder / name, ec))
           || fs::exists(fs::symlink_status(UnfinishedSaveMarker((folder / name).string()), ec));
}

void CleanProjectFolder(const fs::path& asked, const fs::path& project, TStaleFiles& result)
{
    const fs::path folder = project.parent_path();
    std::set<std::string> ownPrefixes;
    std::set<std::string> ownNames;
    for (const char* extension : {"", ".cpt", ".gwi"}) {
        fs::path file = project;
        if (*extension != '\0') {
            file.replace_extension(extension);
        }
        ownNames.insert(file.filename().string());
        ownPrefixes.insert(TemporaryNamePrefix(file.string()));
    }
    std::set<std::string> ownResults;
    for (const char* extension : {".qr7o", ".qr7p"}) {
        ownResults.insert(fs::path(project).replace_extension(extension).filename().string());
    }
    fs::path grlweap = project;
    grlweap.replace_extension(".gwi");
    const std::string olderGrlweap = grlweap.filename().string() + ".";
    const std::string marker(kSafeFileMarker);
    const std::string ownLock = fs::path(ProjectLockFileName(project.string())).filename().string();

    // No save of this project is under way while its lock can be taken.
    TProjectLock lock;
    const bool locked = lock.Acquire(project.string());
    const std::set<std::string> namedByMarkers = RecoverCutSaves(asked, result);
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        // Files and links only: a link of such a name is removed itself, never followed.
        struct stat info = {};
        if (::lstat(it->path().c_str(), &info) != 0
            || !(S_ISREG(info.st_mode) || S_ISLNK(info.st_mode))) {
            continue;
        }
        const std::string name = it->path().filename().string();
        bool stale = false;
        if (namedByMarkers.count(Identity(info)) > 0) {
            stale = false; // a whole new file of a cut save, kept for its project's open
        } else if (const std::optional<TSavingName> saving = SavingName(name, marker)) {
            // The project's own are judged by its lock alone: a save on another machine
            // holds it, and that machine's process ids mean nothing here.
            stale = ownPrefixes.count(saving->file + marker) > 0
                        ? locked || OlderThanADay(it->path())
                        : ProcessGone(saving->process) || OlderThanADay(it->path());
        } else if (const std::optional<TSavingName> engine = EngineTemporaryName(name)) {
            stale = ownResults.count(engine->file) > 0
                        ? locked || OlderThanADay(it->path())
                        : ProcessGone(engine->process) || OlderThanADay(it->path());
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
        } else if (IsChartImageTemporary(name)) {
            // A chart picture's, left where the file system makes no file without a name:
            // its name tells no process, so it goes when a day old.
            stale = OlderThanADay(it->path());
        } else if (name != ownLock && name.size() > std::strlen(kLockSuffix)
                   && name.ends_with(kLockSuffix)
                   && LooksLikeProjectName(name.substr(0, name.size() - std::strlen(kLockSuffix)),
                                           folder)) {
            // The lock of another name, left by a save or run killed there (a Save As): it
            // goes when it is one of the program's and no process holds it.
            if (RemoveUnheldLockFile(it->path().string())) {
                result.Removed.push_back(it->path());
            }
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
        const fs::path asked = project.lexically_normal();
        project = fs::path(LinkTarget(asked.string()));
        if (seen.insert(project).second && fs::is_directory(project.parent_path(), ec)) {
            CleanProjectFolder(asked, project, result);
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
