#pragma once

#include <filesystem>

namespace pw {

// A folder of this process's own under parent, named "<pid>-<8 hex digits>", for files that no
// other running program may touch (undo snapshots). Making one first removes the folders there of
// processes that no longer run; the object removes its own folder when it goes.
class ProcessFolder
{
public:
    explicit ProcessFolder(const std::filesystem::path &parent);
    ~ProcessFolder();
    ProcessFolder(const ProcessFolder &) = delete;
    ProcessFolder &operator=(const ProcessFolder &) = delete;

    const std::filesystem::path &path() const { return m_path; }

private:
    std::filesystem::path m_path;
    bool m_made = false;
};

// Removes the folders under parent named as ProcessFolder names them whose process has ended.
// A folder of a running process, of any user, is never touched.
void RemoveFoldersOfEndedProcesses(const std::filesystem::path &parent);

} // namespace pw
