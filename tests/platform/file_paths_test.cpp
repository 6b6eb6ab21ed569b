#include "platform/error.h"
#include "platform/file_paths.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace fs = std::filesystem;
using namespace pw;

namespace {

class TempFolder : public ::testing::Test
{
protected:
    void SetUp() override
    {
        root = fs::temp_directory_path()
            / ("pw-paths-" + std::to_string(::getpid()) + "-"
               + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root);
    }
    void TearDown() override
    {
        fs::permissions(root, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(root);
    }
    static std::string read(const fs::path &path)
    {
        std::ifstream in(path);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    fs::path root;
};

} // namespace

TEST_F(TempFolder, DataPathsMapBackslashesAndIgnoreCaseOfMissingNames)
{
    fs::create_directories(root / "XML");
    std::ofstream(root / "XML" / "Chromo-Major.xml") << "x";

    EXPECT_EQ(ResolveDataPath(root, "xml\\chromo-major.xml"), root / "XML" / "Chromo-Major.xml");
    EXPECT_EQ(ResolveDataPath(root, "XML/Chromo-Major.xml"), root / "XML" / "Chromo-Major.xml");
    // A name that exists nowhere is still mapped, so the caller reports the name it was given.
    EXPECT_EQ(ResolveDataPath(root, "xml\\missing.xml"), root / "XML" / "missing.xml");
    EXPECT_EQ(ResolveDataPath(root, (root / "XML" / "chromo-major.XML").string()),
              root / "XML" / "Chromo-Major.xml");
}

TEST_F(TempFolder, AtomicWriteReplacesWholeFileAndLeavesNoTemporaries)
{
    const fs::path file = root / "sub" / "out.xml";
    WriteFileAtomically(file, "first");
    WriteFileAtomically(file, "second");
    EXPECT_EQ(read(file), "second");
    int entries = 0;
    for ([[maybe_unused]] const auto &entry : fs::directory_iterator(root / "sub"))
        ++entries;
    EXPECT_EQ(entries, 1);
}

TEST_F(TempFolder, FailedAtomicWriteKeepsThePreviousFile)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root ignores folder permissions";
    const fs::path file = root / "kept.xml";
    WriteFileAtomically(file, "old");
    fs::permissions(root, fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_THROW(WriteFileAtomically(file, "new"), XmlError);
    EXPECT_EQ(read(file), "old");
    EXPECT_FALSE(IsWritableFolder(root));
}

TEST_F(TempFolder, AtomicWriteOverAFolderFailsAndKeepsIt)
{
    // Works as root too: a rename cannot replace a non-empty folder.
    fs::create_directories(root / "taken" / "inside");
    EXPECT_THROW(WriteFileAtomically(root / "taken", "text"), XmlError);
    EXPECT_TRUE(fs::is_directory(root / "taken" / "inside"));
}

TEST_F(TempFolder, BundledDataIsTheProgramFolderOrTheInstalledShareFolder)
{
    fs::create_directories(root / "bin");
    fs::create_directories(root / "share" / "partwriter");
    std::ofstream(root / "share" / "partwriter" / "sys.xml") << "<Sys/>";
    EXPECT_EQ(BundledDataFolder(root / "bin"), root / "share" / "partwriter");
    std::ofstream(root / "bin" / "sys.xml") << "<Sys/>";
    EXPECT_EQ(BundledDataFolder(root / "bin"), root / "bin");
}

// A course folder without write permission is read-only for every user, the superuser included,
// and nothing is created inside it to find out.
TEST_F(TempFolder, AFolderWithoutWritePermissionIsNotACourseToWriteInto)
{
    fs::create_directories(root / "course");
    EXPECT_TRUE(IsWritableCourse(root / "course"));
    fs::permissions(root / "course",
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    EXPECT_FALSE(IsWritableFolder(root / "course"));
    EXPECT_FALSE(IsWritableCourse(root / "course"));
    fs::permissions(root / "course", fs::perms::owner_write, fs::perm_options::add);
    EXPECT_TRUE(fs::is_empty(root / "course"));
}
