#pragma once

// The loaders under test read files, so each input is written to a file first: in a folder of this
// process's own, created on first use and removed at exit.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

namespace pwfuzz {

class InputFolder
{
public:
    InputFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "partwriter-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a folder under " + pattern);
        m_path = pattern;
    }
    ~InputFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    InputFolder(const InputFolder &) = delete;
    InputFolder &operator=(const InputFolder &) = delete;

    const std::filesystem::path &path() const { return m_path; }

    // Writes the input as the file name (relative to the folder, subfolders created) and returns
    // its full path.
    std::filesystem::path write(const std::string &name, const std::uint8_t *data, std::size_t size) const
    {
        const std::filesystem::path file = m_path / name;
        std::filesystem::create_directories(file.parent_path());
        // A new file each time: truncating one that holds data makes ext4 flush it on close,
        // which costs milliseconds an input.
        std::error_code ec;
        std::filesystem::remove(file, ec);
        std::ofstream out(file, std::ios::binary);
        out.write(reinterpret_cast<const char *>(data), static_cast<std::streamsize>(size));
        if (!out)
            throw std::runtime_error("cannot write " + file.string());
        return file;
    }

private:
    std::filesystem::path m_path;
};

} // namespace pwfuzz
