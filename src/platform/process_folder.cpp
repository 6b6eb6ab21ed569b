#include "platform/process_folder.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <limits>
#include <random>
#include <regex>
#include <string>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace pw {

namespace {

// The process id a folder name holds, or 0 when the name is not one of ours.
pid_t ownerOf(const std::string &name)
{
    static const std::regex pattern(R"(^([1-9][0-9]{0,9})-[0-9a-f]{8}$)");
    std::smatch match;
    if (!std::regex_match(name, match, pattern))
        return 0;
    const long long pid = std::stoll(match[1].str());
    return pid <= std::numeric_limits<pid_t>::max() ? static_cast<pid_t>(pid) : 0;
}

// Only "no such process" means it has ended: EPERM is a running process of another user.
bool hasEnded(pid_t pid)
{
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

std::string folderName(unsigned number)
{
    char text[32];
    std::snprintf(text, sizeof text, "%d-%08x", static_cast<int>(::getpid()), number);
    return text;
}

} // namespace

void RemoveFoldersOfEndedProcesses(const fs::path &parent)
{
    std::error_code ec;
    for (fs::directory_iterator it(parent, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code entry;
        const pid_t pid = ownerOf(it->path().filename().string());
        if (pid > 0 && fs::is_directory(it->symlink_status(entry)) && hasEnded(pid))
            fs::remove_all(it->path(), entry);
    }
}

ProcessFolder::ProcessFolder(const fs::path &parent)
{
    std::error_code ec;
    fs::create_directories(parent, ec);
    RemoveFoldersOfEndedProcesses(parent);
    // The random part keeps apart several folders of one process, and a folder left by an ended
    // process whose id this one got again.
    static thread_local std::mt19937 numbers {std::random_device {}()};
    for (int attempt = 0; attempt < 100; ++attempt) {
        m_path = parent / folderName(static_cast<unsigned>(numbers()));
        m_made = fs::create_directory(m_path, ec);
        if (m_made || ec)
            break;
    }
}

ProcessFolder::~ProcessFolder()
{
    std::error_code ec;
    if (m_made)
        fs::remove_all(m_path, ec);
}

} // namespace pw
