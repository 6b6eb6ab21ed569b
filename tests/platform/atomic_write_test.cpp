#include "support/test_folder.h"

#include "platform/error.h"
#include "platform/file_paths.h"

#include <algorithm>
#include <chrono>
#include <sys/stat.h>

namespace fs = std::filesystem;
using namespace pw;

namespace {

class AtomicWrite : public TestFolder
{
protected:
    static unsigned modeOf(const fs::path &path)
    {
        struct stat info
        {
        };
        EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
        return info.st_mode & 07777;
    }
    // The message of the FileWriteError that writing bytes to path throws, or "" when none.
    static std::string failureOf(const fs::path &path, const std::string &bytes = "new")
    {
        try {
            WriteFileAtomically(path, bytes);
        } catch (const FileWriteError &e) {
            EXPECT_EQ(e.what(), "Cannot write the file " + e.path() + ": " + e.reason());
            return e.what();
        }
        return {};
    }
    std::vector<std::string> entries() const
    {
        std::vector<std::string> names;
        for (const auto &entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

} // namespace

TEST_F(AtomicWrite, ReplacedFileKeepsItsMode)
{
    for (const fs::perms mode : {fs::perms(0600), fs::perms(0640), fs::perms(0755)}) {
        const fs::path file = write("kept.xml", "old");
        fs::permissions(file, mode);
        WriteFileAtomically(file, "new");
        EXPECT_EQ(read(file), "new");
        EXPECT_EQ(modeOf(file), static_cast<unsigned>(mode));
    }
}

TEST_F(AtomicWrite, SymbolicLinksAreWrittenThroughAndStayLinks)
{
    const fs::path real = write("sub/real.xml", "old");
    fs::create_symlink("sub/real.xml", folder / "link.xml");
    fs::create_symlink("link.xml", folder / "chain.xml");
    WriteFileAtomically(folder / "chain.xml", "new");
    EXPECT_TRUE(fs::is_symlink(folder / "chain.xml"));
    EXPECT_TRUE(fs::is_symlink(folder / "link.xml"));
    EXPECT_EQ(read(real), "new");

    // A link to a file not there yet makes that file.
    fs::create_symlink("sub/made.xml", folder / "ahead.xml");
    WriteFileAtomically(folder / "ahead.xml", "made");
    EXPECT_TRUE(fs::is_symlink(folder / "ahead.xml"));
    EXPECT_EQ(read(folder / "sub" / "made.xml"), "made");
}

// Refused by its mode, not only by the kernel, so root does not overwrite it either.
TEST_F(AtomicWrite, ReadOnlyFileIsRefusedAndKept)
{
    const fs::path file = write("ro.xml", "old");
    fs::permissions(file, fs::perms(0444));
    EXPECT_EQ(failureOf(file), "Cannot write the file " + file.string() + ": the file is read-only");
    EXPECT_EQ(read(file), "old");
    EXPECT_EQ(modeOf(file), 0444u);
    EXPECT_EQ(entries(), (std::vector<std::string> {"ro.xml"})) << "no temporary left";
}

TEST_F(AtomicWrite, FailuresGiveTheSystemsReason)
{
    fs::create_directories(folder / "parms.xml");
    EXPECT_EQ(failureOf(folder / "parms.xml"),
              "Cannot write the file " + (folder / "parms.xml").string() + ": Is a directory");
    EXPECT_TRUE(fs::is_directory(folder / "parms.xml"));

    const fs::path plain = write("plain", "x");
    EXPECT_EQ(failureOf(plain / "in.xml"),
              "Cannot write the file " + (plain / "in.xml").string() + ": Not a directory");
    EXPECT_EQ(read(plain), "x");
}

// A full disk as the /dev/full device: written into, since a device cannot be replaced by a rename.
TEST_F(AtomicWrite, FullDeviceFailsWithItsReasonAndStaysADevice)
{
    if (!fs::is_character_file("/dev/full"))
        GTEST_SKIP() << "this machine has no /dev/full";
    EXPECT_EQ(failureOf("/dev/full", std::string(100000, 'x')),
              "Cannot write the file /dev/full: No space left on device");
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

TEST_F(AtomicWrite, ReadOnlyFolderFailsWithPermissionDenied)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root ignores folder permissions";
    const fs::path file = write("ro/kept.xml", "old");
    fs::permissions(folder / "ro", fs::perms::owner_write, fs::perm_options::remove);
    const std::string failure = failureOf(file);
    fs::permissions(folder / "ro", fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(failure, "Cannot write the file " + file.string() + ": Permission denied");
    EXPECT_EQ(read(file), "old");
}

// Temporaries left by killed saves go at the next save into their folder: only ours, only old ones.
TEST_F(AtomicWrite, StaleTemporariesOfOurNamingAreRemoved)
{
    const auto age = [this](const std::string &name, std::chrono::minutes minutes) {
        const fs::path path = folder / name;
        if (!fs::exists(path))
            write(name, "partial");
        fs::last_write_time(path, fs::file_time_type::clock::now() - minutes);
    };
    const std::chrono::minutes hour(60);
    age(".x.xml.tmp123456", hour);
    age(".other.xml.tmp42", hour); // the shorter numbers of earlier versions
    age(".x.xml.tmp654321", std::chrono::minutes(1)); // a save in progress
    age("x.xml.tmp123456", hour);
    age(".x.xml.tmp1234567", hour);
    age(".x.xml.tmp12ab", hour);
    age(".x.xml.tmp", hour);
    fs::create_directories(folder / ".dir.tmp111111");
    age(".dir.tmp111111", hour);

    WriteFileAtomically(folder / "x.xml", "saved");
    EXPECT_EQ(entries(),
              (std::vector<std::string> {".dir.tmp111111", ".x.xml.tmp", ".x.xml.tmp1234567",
                                         ".x.xml.tmp12ab", ".x.xml.tmp654321", "x.xml", "x.xml.tmp123456"}));
    EXPECT_EQ(read(folder / "x.xml"), "saved");
}
