#include "platform/file_paths.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace pw {

namespace {

bool sameIgnoringCase(const std::string &a, const std::string &b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x))
                   == std::tolower(static_cast<unsigned char>(y));
           });
}

// The entry of folder whose name equals name ignoring ASCII case, or name itself.
fs::path matchInFolder(const fs::path &folder, const fs::path &name)
{
    std::error_code ec;
    if (fs::exists(folder / name, ec))
        return folder / name;
    const std::string wanted = name.string();
    for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        if (sameIgnoringCase(it->path().filename().string(), wanted))
            return folder / it->path().filename();
    }
    return folder / name;
}

} // namespace

fs::path ResolveExistingPath(const fs::path &path)
{
    std::error_code ec;
    if (fs::exists(path, ec))
        return path;
    fs::path result = path.root_path();
    for (const fs::path &part : path.relative_path()) {
        if (part == "." || part == "..")
            result /= part;
        else
            result = matchInFolder(result, part);
    }
    return result;
}

fs::path ResolveDataPath(const fs::path &base, const std::string &name)
{
    std::string mapped = name;
    std::replace(mapped.begin(), mapped.end(), '\\', '/');
    fs::path path(mapped);
    return ResolveExistingPath(path.is_absolute() ? path : base / path);
}

bool IsWritableFolder(const fs::path &folder)
{
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (!fs::is_directory(folder, ec) || ::access(folder.c_str(), W_OK | X_OK) != 0)
        return false;
    const fs::perms perms = fs::status(folder, ec).permissions();
    return ::geteuid() != 0
        || (perms & (fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write))
        != fs::perms::none;
}

bool IsWritableCourse(const fs::path &dataDir)
{
    const fs::path folder = dataDir.empty() ? fs::path(".") : dataDir;
    std::error_code ec;
    const fs::path installed = ExecutableFolder().parent_path() / "share/partwriter";
    if (fs::exists(installed, ec) && fs::equivalent(folder, installed, ec))
        return false;
    return IsWritableFolder(folder);
}

fs::path UserDataFolder()
{
    if (const char *xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        return fs::path(xdg) / "Partwriter";
    const char *home = std::getenv("HOME");
    return fs::path(home && *home ? home : "/tmp") / ".local/share/Partwriter";
}

fs::path BundledDataFolder(const fs::path &exeDir)
{
    std::error_code ec;
    if (fs::exists(exeDir / "sys.xml", ec))
        return exeDir;
    const fs::path installed = exeDir.parent_path() / "share/partwriter";
    return fs::exists(installed / "sys.xml", ec) ? installed : exeDir;
}

fs::path ExecutableFolder()
{
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::current_path() : exe.parent_path();
}

} // namespace pw
