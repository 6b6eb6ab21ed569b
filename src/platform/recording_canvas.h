#pragma once

#include "platform/canvas.h"

#include <set>
#include <string>
#include <vector>

namespace pw {

// A canvas that draws nothing and records every drawing call with the state it was made in.
class RecordingCanvas : public Canvas
{
public:
    enum class Kind { Line, Rectangle, Text, Bitmap, Fill };

    struct Call
    {
        Kind kind;
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        std::string text; // the text, or the bitmap's name
        bool transparent = false;
        // The opacity of a blended bitmap, 255 for the others.
        int opacity = 255;
        Color pen = Black;
        int penWidth = 1;
        Color brush = White;
        CanvasFont font;
    };

    void line(int x1, int y1, int x2, int y2) override;
    void rectangle(int left, int top, int right, int bottom) override;
    void text(int x, int y, std::string_view utf8) override;
    void bitmap(int x, int y, const Bitmap &bitmap, bool transparent) override;
    // Recorded with its rectangle and opacity, even an opacity of 0.
    void bitmap(int x, int y, int width, int height, const Bitmap &bitmap, int opacity) override;
    void fillWhite() override;

    std::vector<Call> calls;

    // The recorded calls of one kind, in order.
    std::vector<Call> of(Kind kind) const;
    // Text calls with exactly this text; bitmap calls of this bitmap name.
    std::vector<Call> texts(std::string_view text) const;
    std::vector<Call> bitmaps(std::string_view name) const;

private:
    Call current(Kind kind) const;
};

// Gives every file a bitmap of a fixed size without reading it, except the files named in
// missing, which fail as an unreadable file does.
class RecordingBitmapLoader : public BitmapLoader
{
public:
    explicit RecordingBitmapLoader(int width = 20, int height = 40)
        : m_width(width)
        , m_height(height)
    {
    }
    std::unique_ptr<Bitmap> load(const std::filesystem::path &file) override;

    std::set<std::string> missing; // file names (last path component)
    std::vector<std::filesystem::path> loaded;

private:
    int m_width;
    int m_height;
};

} // namespace pw
