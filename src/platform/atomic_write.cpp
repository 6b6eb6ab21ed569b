// Saving through a temporary file and a rename, as the program saves every file it writes.

#include "platform/error.h"
#include "platform/file_paths.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <random>
#include <regex>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace pw {

namespace {

// The file a name finally stands for: symbolic links are followed, to a target that need not
// exist yet, so that saving writes through a link and leaves it a link.
fs::path followLinks(fs::path path)
{
    constexpr int MaxLinks = 40;
    std::error_code ec;
    for (int hops = 0; hops < MaxLinks && fs::is_symlink(path, ec); ++hops) {
        const fs::path target = fs::read_symlink(path, ec);
        if (ec)
            break;
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return path;
}

[[noreturn]] void failWrite(const fs::path &path, int error)
{
    throw FileWriteError(path.string(), std::generic_category().message(error));
}

// Read-only for this process, or for everyone: root may write anywhere, but a file that nobody
// may write is meant to stay as it is.
bool isReadOnly(const fs::path &file, const struct stat &info)
{
    return (info.st_mode & 0222) == 0 || ::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) != 0;
}

// The errno of the first failed write, or 0.
int writeAll(int fd, const std::string &bytes)
{
    const char *data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return 0;
}

// A device or a pipe cannot be replaced by a rename: it is written into as it is.
void writeInPlace(const fs::path &path, const fs::path &target, const std::string &bytes)
{
    const int fd = ::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0)
        failWrite(path, errno);
    int error = writeAll(fd, bytes);
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error != 0)
        failWrite(path, error);
}

// ".NAME.tmpNNNNNN": hidden, and named after the file it will become.
std::string temporaryName(const std::string &fileName, unsigned number)
{
    std::string digits = std::to_string(number);
    digits.insert(0, 6 - std::min<std::size_t>(6, digits.size()), '0');
    return "." + fileName + ".tmp" + digits;
}

// Earlier versions wrote the number without leading zeros, so one to six digits are ours.
bool isOurTemporary(const std::string &name)
{
    static const std::regex pattern(R"(^\..+\.tmp[0-9]{1,6}$)");
    return std::regex_match(name, pattern);
}

// Removes the temporaries of saves into folder that were killed before their rename. Judged by
// age, not by their creator: a save renames its temporary moments after its last write, and the
// name holds no process id (nor would one mean anything to another machine sharing the folder).
// Ten minutes untouched is far beyond any save, so a concurrent one is never broken.
void removeStaleTemporaries(const fs::path &folder)
{
    constexpr auto StaleAfter = std::chrono::minutes(10);
    const auto now = fs::file_time_type::clock::now();
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code entry;
        if (!isOurTemporary(it->path().filename().string())
            || !fs::is_regular_file(it->symlink_status(entry)))
            continue;
        const auto written = fs::last_write_time(it->path(), entry);
        if (!entry && now - written > StaleAfter)
            fs::remove(it->path(), entry);
    }
}

} // namespace

void WriteFileAtomically(const fs::path &path, const std::string &bytes)
{
    const fs::path target = followLinks(path);
    struct stat info
    {
    };
    const bool exists = ::lstat(target.c_str(), &info) == 0;
    if (!exists && errno != ENOENT)
        failWrite(path, errno);
    if (exists) {
        if (S_ISLNK(info.st_mode))
            failWrite(path, ELOOP);
        if (S_ISDIR(info.st_mode))
            failWrite(path, EISDIR);
        if (!S_ISREG(info.st_mode)) {
            writeInPlace(path, target, bytes);
            return;
        }
        if (isReadOnly(target, info))
            throw FileWriteError(path.string(), "the file is read-only");
    }

    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec)
        throw FileWriteError(path.string(), ec.message());
    removeStaleTemporaries(folder);

    // Made with the mode of the file it replaces, so its contents are never more readable than
    // that file's, and exclusively, so that two saves of one file at once never share it.
    const mode_t createMode = exists ? (info.st_mode & 0777) : 0666;
    static thread_local std::mt19937 names {std::random_device {}()};
    fs::path temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temporary = folder / temporaryName(target.filename().string(), names() % 1000000);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, createMode);
        if (fd < 0 && errno != EEXIST)
            failWrite(path, errno);
    }
    if (fd < 0)
        failWrite(path, EEXIST);

    int error = writeAll(fd, bytes);
    if (error == 0 && exists) {
        // The owner first: changing it clears set-id bits, which the mode then restores. Only root
        // may give a file away, so a failed chown (another owner, a foreign group) is no error.
        [[maybe_unused]] const int owned = ::fchown(fd, info.st_uid, info.st_gid);
        if (::fchmod(fd, info.st_mode & 07777) != 0)
            error = errno;
    }
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        failWrite(path, error);
    }
}

} // namespace pw
