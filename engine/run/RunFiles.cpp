#include "run/RunFiles.h"

#include <filesystem>
#include <string>
#include <system_error>

#include <sys/stat.h>

#include "state/EngineErrors.h"

namespace {

namespace fs = std::filesystem;

// Which file a path names.
struct TFileKey
{
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    std::string name; // a file not made yet: its resolved folder and name

    bool operator==(const TFileKey& other) const
    {
        if (exists != other.exists) {
            return false;
        }
        return exists ? device == other.device && inode == other.inode : name == other.name;
    }
};

TFileKey KeyOf(const std::string& path)
{
    TFileKey key;
    struct stat st
    {};
    if (::stat(path.c_str(), &st) == 0) {
        key.exists = true;
        key.device = st.st_dev;
        key.inode = st.st_ino;
        return key;
    }
    // A link to a file not made yet names the place where the open will make it.
    constexpr int kMostLinks = 40;
    fs::path place = path;
    std::error_code ec;
    for (int hop = 0; hop < kMostLinks && fs::is_symlink(fs::symlink_status(place, ec)); ++hop) {
        const fs::path target = fs::read_symlink(place, ec);
        if (ec) {
            break;
        }
        place = target.is_absolute() ? target : place.parent_path() / target;
    }
    fs::path absolute = fs::absolute(place, ec);
    if (ec) {
        absolute = place;
    }
    fs::path folder = fs::weakly_canonical(absolute.parent_path(), ec);
    if (ec) {
        folder = absolute.parent_path().lexically_normal();
    }
    key.name = (folder / absolute.filename()).string();
    return key;
}

} // namespace

void CheckRunFilesApart(const TFileNames& files)
{
    struct TRunFile
    {
        const char* what;
        const std::string& path;
    };
    const TRunFile named[] = {
        {"INPUT FILE", files.INPUTPATH},
        {"OUTPUT FILE", files.OUTPUTPATH},
        {"PLOT DATA FILE", files.PLOTPATH},
        {"CPT FILE", files.CPTPATH},
    };
    constexpr int kFiles = 4;
    TFileKey keys[kFiles];
    for (int i = 0; i < kFiles; ++i) {
        if (!named[i].path.empty()) {
            keys[i] = KeyOf(named[i].path);
        }
    }
    for (int j = 1; j < kFiles; ++j) {
        for (int i = 0; i < j; ++i) {
            if (named[i].path.empty() || named[j].path.empty() || !(keys[i] == keys[j])) {
                continue;
            }
            throw EEngineInputError(std::string("ERROR - THE ") + named[j].what + " \""
                                    + named[j].path + "\" IS THE SAME FILE AS THE " + named[i].what
                                    + " \"" + named[i].path + "\": NOTHING WAS WRITTEN.");
        }
    }
}
