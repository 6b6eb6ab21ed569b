#include "support/test_folder.h"

#include "platform/process_folder.h"

#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace pw;

namespace {

// Another program running at the same time: a child process waiting until the test lets it go.
class RunningProcess
{
public:
    RunningProcess()
    {
        EXPECT_EQ(::pipe(m_pipe), 0);
        m_pid = ::fork();
        if (m_pid == 0) {
            char byte;
            ::close(m_pipe[1]);
            [[maybe_unused]] const ssize_t got = ::read(m_pipe[0], &byte, 1);
            ::_exit(0);
        }
        ::close(m_pipe[0]);
    }
    ~RunningProcess() { end(); }
    pid_t pid() const { return m_pid; }
    void end()
    {
        if (m_pid <= 0)
            return;
        ::close(m_pipe[1]);
        ::waitpid(m_pid, nullptr, 0);
        m_pid = 0;
    }

private:
    int m_pipe[2] {-1, -1};
    pid_t m_pid = 0;
};

std::string folderOf(pid_t pid)
{
    return std::to_string(pid) + "-0000abcd";
}

} // namespace

using ProcessFolders = TestFolder;

TEST_F(ProcessFolders, EachIsItsOwnAndGoesWithItsObject)
{
    fs::path first;
    {
        ProcessFolder one(folder / "undo");
        ProcessFolder two(folder / "undo");
        first = one.path();
        EXPECT_EQ(one.path().parent_path(), folder / "undo");
        EXPECT_EQ(one.path().filename().string().rfind(std::to_string(::getpid()) + "-", 0), 0u);
        EXPECT_NE(one.path(), two.path());
        EXPECT_TRUE(fs::is_directory(one.path()));
        EXPECT_TRUE(fs::is_directory(two.path()));
        write(fs::relative(one.path(), folder) / "mus0", "snapshot");
    }
    EXPECT_FALSE(fs::exists(first));
    EXPECT_TRUE(fs::is_empty(folder / "undo"));
}

TEST_F(ProcessFolders, FoldersOfEndedProcessesAreRemovedAndOfRunningOnesKept)
{
    RunningProcess ended;
    ASSERT_GT(ended.pid(), 0);
    const pid_t endedPid = ended.pid();
    ended.end();
    RunningProcess running;
    ASSERT_GT(running.pid(), 0);

    write("undo/" + folderOf(endedPid) + "/mus0", "stale");
    write("undo/" + folderOf(running.pid()) + "/mus0", "in use");
    write("undo/" + folderOf(::getpid()) + "/mus0", "ours");
    // Not named as ours: kept whatever the number says.
    write("undo/" + std::to_string(endedPid) + "/mus0", "x");
    write("undo/" + std::to_string(endedPid) + "-0000ABCD/mus0", "x");
    write("undo/" + std::to_string(endedPid) + "-abcd/mus0", "x");
    write("undo/0-0000abcd/mus0", "x");
    write("undo/mus0", "an older program's");

    {
        ProcessFolder made(folder / "undo");
        EXPECT_FALSE(fs::exists(folder / "undo" / folderOf(endedPid)));
        for (const std::string &kept :
             {folderOf(running.pid()), folderOf(::getpid()), std::to_string(endedPid),
              std::to_string(endedPid) + "-0000ABCD", std::to_string(endedPid) + "-abcd",
              std::string("0-0000abcd"), std::string("mus0")})
            EXPECT_TRUE(fs::exists(folder / "undo" / kept)) << kept;
        EXPECT_EQ(read(folder / "undo" / folderOf(running.pid()) / "mus0"), "in use");
    }

    // Once that program has ended too, the next start removes its folder.
    const pid_t was = running.pid();
    running.end();
    RemoveFoldersOfEndedProcesses(folder / "undo");
    EXPECT_FALSE(fs::exists(folder / "undo" / folderOf(was)));
    EXPECT_TRUE(fs::exists(folder / "undo" / folderOf(::getpid()))) << "this process still runs";
}
