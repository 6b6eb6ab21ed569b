#pragma once

#include <filesystem>
#include <memory>
#include <string>

namespace pw {

// A picture loaded from a file, drawn by a Canvas at its top-left corner. Its background colour
// (the bottom-left pixel) is what a transparent drawing leaves out.
class Bitmap
{
public:
    Bitmap(std::string name, int width, int height)
        : m_name(std::move(name))
        , m_width(width)
        , m_height(height)
    {
    }
    virtual ~Bitmap() = default;

    // The file name it was loaded from, for messages and recorded drawings.
    const std::string &name() const { return m_name; }
    int width() const { return m_width; }
    int height() const { return m_height; }

private:
    std::string m_name;
    int m_width;
    int m_height;
};

class BitmapLoader
{
public:
    virtual ~BitmapLoader() = default;
    // Throws Error naming the file when it cannot be read as a picture.
    virtual std::unique_ptr<Bitmap> load(const std::filesystem::path &file) = 0;
};

} // namespace pw
