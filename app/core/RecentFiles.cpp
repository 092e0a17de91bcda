#include "RecentFiles.h"

#include <algorithm>

#include "ProjectPaths.h"

const std::string& TRecentFiles::Entry(int i) const
{
    static const std::string none;
    return i >= 0 && i < kRecentFileCount ? m_entries[static_cast<std::size_t>(i)] : none;
}

int TRecentFiles::Count() const
{
    return static_cast<int>(std::count_if(m_entries.begin(),
                                          m_entries.end(),
                                          [](const std::string& s) { return !s.empty(); }));
}

void TRecentFiles::Put(const std::string& given)
{
    const std::string path = ProjectPath(given);
    if (m_entries[0] == path) {
        return;
    }
    auto found = std::find(m_entries.begin(), m_entries.end(), path);
    if (found == m_entries.end()) {
        found = m_entries.end() - 1;
    }
    std::move_backward(m_entries.begin(), found, found + 1);
    m_entries[0] = path;
}

void TRecentFiles::Assign(const TEntries& stored)
{
    TEntries unique{};
    std::size_t count = 0;
    for (const std::string& entry : stored) {
        const std::string path = ProjectPath(entry);
        if (!path.empty() && std::find(unique.begin(), unique.end(), path) == unique.end()) {
            unique[count++] = path;
        }
    }
    m_entries = unique;
}

std::string TRecentFiles::MenuPath(int i, const std::string& currentFolder) const
{
    std::string path = Entry(i);
    const std::string prefix = currentFolder + "/";
    if (path.rfind(prefix, 0) == 0) {
        path = path.substr(prefix.size());
    }
    return path;
}
