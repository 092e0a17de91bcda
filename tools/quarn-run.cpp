// Headless runner: runs one project through the engine module that lies beside this program,
// as the windowed program does, and tells where the results are.
//
//   quarn-run PROJECT.qr7d
//
// Writes names.dat into a private temporary run folder, makes that the current folder, loads
// QUARN2015_DLL.so from this program's folder, calls _IQUARN with 2 and unloads the module.
// The report (.qr7o) and plot data (.qr7p) are written beside the project. Exit status: the
// engine's status (0 ran to its end, 1 stopped with a message in the report), 2 when the run
// could not be started.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <system_error>

#include "TDynamicLibrary.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kVersionText = "2015.7.2";
constexpr const char* kEngineFile = "QUARN2015_DLL.so";
constexpr const char* kEntryName = "_IQUARN";

using EngineEntry = std::int32_t (*)(std::int32_t);

fs::path WithExtension(fs::path path, const char* extension)
{
    return path.replace_extension(extension);
}

// A fresh folder only this run uses, removed again at the end.
class TRunFolder
{
public:
    TRunFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "quarn-run-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) {
            m_path = pattern;
        }
    }
    ~TRunFolder()
    {
        if (!m_path.empty()) {
            std::error_code ec;
            fs::remove_all(m_path, ec);
        }
    }
    TRunFolder(const TRunFolder&) = delete;
    TRunFolder& operator=(const TRunFolder&) = delete;
    const fs::path& Path() const { return m_path; }

private:
    fs::path m_path;
};

bool WriteNamesFile(const fs::path& file, const fs::path& project)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << kVersionText << "\r\n"
        << project.string() << "\r\n"
        << WithExtension(project, ".qr7o").string() << "\r\n"
        << WithExtension(project, ".qr7p").string() << "\r\n"
        << WithExtension(project, ".cpt").string() << "\r\n";
    out.close();
    return static_cast<bool>(out);
}

int Run(const fs::path& project)
{
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (ec) {
        std::cerr << "quarn-run: cannot find this program's folder: " << ec.message() << '\n';
        return 2;
    }
    const fs::path engine = self.parent_path() / kEngineFile;

    TRunFolder folder;
    if (folder.Path().empty()) {
        std::cerr << "quarn-run: cannot create a temporary run folder\n";
        return 2;
    }
    if (!WriteNamesFile(folder.Path() / "names.dat", project)) {
        std::cerr << "quarn-run: cannot write names.dat in " << folder.Path() << '\n';
        return 2;
    }
    const fs::path previous = fs::current_path(ec);
    fs::current_path(folder.Path(), ec);
    if (ec) {
        std::cerr << "quarn-run: cannot enter " << folder.Path() << ": " << ec.message() << '\n';
        return 2;
    }

    int status = 2;
    try {
        TDynamicLibrary library;
        library.SetLibraryName(engine.string());
        library.Open();
        auto entry = reinterpret_cast<EngineEntry>(library.GetProcAddress(kEntryName));
        if (entry == nullptr) {
            std::cerr << "quarn-run: " << engine << " does not export " << kEntryName << '\n';
        } else {
            status = entry(2);
        }
        library.Close();
    } catch (const EDLLError& e) {
        std::cerr << "quarn-run: cannot load " << engine << ": " << e.Message() << '\n';
    }
    if (!previous.empty()) {
        fs::current_path(previous, ec);
    }
    if (status == 2) {
        return 2;
    }
    std::cout << "\nstatus: " << status
              << (status == 0 ? " (the run went to its end)"
                              : " (the run stopped; the report says why)")
              << '\n'
              << "report: " << WithExtension(project, ".qr7o").string() << '\n'
              << "plot data: " << WithExtension(project, ".qr7p").string() << '\n';
    return status;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: quarn-run PROJECT.qr7d\n";
        return 2;
    }
    std::error_code ec;
    const fs::path project = fs::absolute(argv[1], ec);
    if (ec || !fs::is_regular_file(project, ec)) {
        std::cerr << "quarn-run: no project file " << argv[1] << '\n';
        return 2;
    }
    return Run(project.lexically_normal());
}
