#pragma once

#include <array>
#include <string>

inline constexpr int kRecentFileCount = 10;

// The recent-file list of the File menu: project paths, most recent first, each project once
// by its one name (ProjectPath).
class TRecentFiles
{
public:
    using TEntries = std::array<std::string, kRecentFileCount>;

    const TEntries& Entries() const { return m_entries; }
    // Entry i (0-based), empty when there is none.
    const std::string& Entry(int i) const;
    // The number of entries that are not empty.
    int Count() const;

    // Puts a project at the top: one already listed moves up from its place, another pushes
    // every entry down one and the last drops off.
    void Put(const std::string& path);
    // The list as the settings held it: empty entries dropped, each project kept once (its
    // first place) by its one name.
    void Assign(const TEntries& stored);
    void Clear() { m_entries.fill({}); }

    // Entry i as the File menu shows it: the path without the current folder in front.
    std::string MenuPath(int i, const std::string& currentFolder) const;

private:
    TEntries m_entries{};
};
